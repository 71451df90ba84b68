#include "common/msclock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace {

class RealClock : public MsClock {
 public:
  RealClock() { timer_.start(); }
  qint64 Now() override { return timer_.elapsed(); }
  void Wait(qint64 ms) override {
    const qint64 until = Now() + std::max<qint64>(0, ms);
    do {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
      const qint64 left = until - Now();
      // Nothing to do: sleep briefly rather than spin.
      if (left > 0) QThread::msleep(static_cast<unsigned long>(std::min<qint64>(left, 2)));
    } while (Now() < until);
  }

 private:
  QElapsedTimer timer_;
};

MsClock* replaced = nullptr;

}  // namespace

MsClock& MsClock::Current() {
  static RealClock real;
  return replaced ? *replaced : real;
}

MsClock::Replace::Replace(MsClock& clock) : previous_(replaced) { replaced = &clock; }

MsClock::Replace::~Replace() { replaced = previous_; }

void ManualClock::Wait(qint64 ms) {
  QCoreApplication::processEvents();
  now_ += std::max<qint64>(0, ms);
}
