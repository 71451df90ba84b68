#pragma once

#include <QtGlobal>

// The one millisecond clock of the presentation and game loops: their
// timing reads Now() and their pauses call Wait(), which lets pending
// window events through until the time has passed. Tests put a clock of
// their own in place, so that timing is checked without sleeping.
class MsClock {
 public:
  virtual ~MsClock() = default;
  // Milliseconds since an arbitrary start.
  virtual qint64 Now() = 0;
  // Lets pending events through until ms milliseconds have passed (at least once).
  virtual void Wait(qint64 ms) = 0;

  // The clock in use: the real one unless a test replaced it.
  static MsClock& Current();

  // Replaces the clock while it lives (tests).
  class Replace {
   public:
    explicit Replace(MsClock& clock);
    ~Replace();
    Replace(const Replace&) = delete;
    Replace& operator=(const Replace&) = delete;

   private:
    MsClock* previous_;
  };
};

// A clock for tests: time stands still but for Wait, which lets events
// through once and moves time on by the milliseconds asked for, and for Advance.
class ManualClock : public MsClock {
 public:
  qint64 Now() override { return now_; }
  void Wait(qint64 ms) override;
  void Advance(qint64 ms) { now_ += ms; }

 private:
  qint64 now_ = 0;
};
