#include "sound/baserec.h"

#include "sound/mcidevice.h"

namespace {

bool isError(const QString& answer) { return answer.startsWith(QLatin1String("Error")); }

}  // namespace

TBaseRec::TBaseRec(MciDevice* device, QObject* parent, QString alias)
    : QObject(parent), device_(device ? device : &MciDevice::shared()), alias_(std::move(alias)) {
  connect(&timer_, &QTimer::timeout, this, &TBaseRec::poll);
  send(QStringLiteral("open new type waveaudio alias ") + alias_);
}

TBaseRec::~TBaseRec() {
  timer_.stop();
  send(QStringLiteral("close ") + alias_, true);
}

QString TBaseRec::send(const QString& command, bool silent) {
  if (!device_) return MciDevice::ErrorAnswer(MciError::InvalidDeviceName);
  return device_->Send(command, silent ? MciDevice::Report::Silent : MciDevice::Report::Stop);
}

void TBaseRec::SetMaxSeconds(int seconds) { maxSeconds_ = (seconds <= 0 || seconds >= 20) ? 4 : seconds; }

void TBaseRec::Record() {
  // The poll of an earlier recording or playback must not run on the device
  // while it is closed and opened again (closing lets events through).
  timer_.stop();
  send(QStringLiteral("close ") + alias_, true);
  send(QStringLiteral("open new type waveaudio alias ") + alias_);
  const int align = bitsPerSample_ * channels_ / 8;
  send(QStringLiteral("set %1 bitspersample %2 channels %3 alignment %4 samplespersec %5 bytespersec %6")
           .arg(alias_)
           .arg(bitsPerSample_)
           .arg(channels_)
           .arg(align)
           .arg(samplesPerSecond_)
           .arg(align * samplesPerSecond_));
  send(QStringLiteral("seek ") + alias_ + QStringLiteral(" to start"));
  send(QStringLiteral("record ") + alias_);
  timer_.start(100);
  setState(Recording);
  send(QStringLiteral("status ") + alias_ + QStringLiteral(" mode"));
}

void TBaseRec::StopRec() {
  send(QStringLiteral("stop ") + alias_);
  setState(Stopped);
}

void TBaseRec::PlayBack() {
  send(QStringLiteral("seek ") + alias_ + QStringLiteral(" to start"));
  send(QStringLiteral("play ") + alias_);
  timer_.start(50);
  setState(Playing);
}

void TBaseRec::ToggleRecord() {
  if (state_ == Recording) StopRec();
  else Record();
}

void TBaseRec::TogglePlay() {
  if (state_ == Playing) StopRec();
  else PlayBack();
}

bool TBaseRec::Save(const QString& path) {
  return !isError(send(QStringLiteral("save ") + alias_ + QStringLiteral(" \"") + path + QLatin1Char('"'), true));
}

qint64 TBaseRec::Length() {
  const QString answer = send(QStringLiteral("status ") + alias_ + QStringLiteral(" length"), true);
  return isError(answer) ? 0 : answer.toLongLong();
}

void TBaseRec::poll() {
  // A message box shown by a query lets the timer fire again inside it.
  if (polling_) return;
  polling_ = true;
  const QString position = send(QStringLiteral("status ") + alias_ + QStringLiteral(" position"), true);
  if (isError(position)) {
    timer_.stop();
  } else if (position.toLongLong() >= qint64(maxSeconds_) * 1000) {
    StopRec();
    timer_.stop();
  }
  const QString mode = send(QStringLiteral("status ") + alias_ + QStringLiteral(" mode"));
  if (mode.startsWith(QLatin1String("been")) || mode.startsWith(QLatin1String("stop"))) {
    timer_.stop();
    setState(Stopped);
  }
  polling_ = false;
}

void TBaseRec::setState(int state) {
  if (state == state_) return;
  state_ = state;
  StateChanged();
  if (OnChange) OnChange();
}
