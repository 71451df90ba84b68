#include "sound/sampleplayer.h"

#include "common/filelookup.h"
#include "sound/mcidevice.h"

namespace {

bool isError(const QString& answer) { return answer.startsWith(QLatin1String("Error")); }

}  // namespace

TSamplePlayer::TSamplePlayer(MciDevice* device, QObject* parent)
    : QObject(parent), device_(device ? device : &MciDevice::shared()) {
  connect(device_, &MciDevice::notify, this, &TSamplePlayer::onNotify);
}

TSamplePlayer::~TSamplePlayer() {
  if (phase_ != Phase::Idle && device_) device_->Send(QStringLiteral("close ") + kAlias, MciDevice::Report::Silent);
}

void TSamplePlayer::PlaySample(const QString& path, bool startNow) {
  if (busy_ > 0 || !device_) return;
  // Recordings copied from other systems may differ from their reference in case.
  const QString file = FileLookup::locate(path);
  if (file.isEmpty() || !FileLookup::fileExists(file)) return;
  ++busy_;
  lastPath_ = path;
  const QString answer =
      device_->Send(QStringLiteral("open \"") + file + QStringLiteral("\" alias ") + kAlias, MciDevice::Report::Silent);
  if (isError(answer)) {
    end();
    return;
  }
  deviceId_ = answer.toInt();
  phase_ = Phase::Prepared;
  if (startNow) play();
}

void TSamplePlayer::StartPrepared() {
  if (phase_ == Phase::Prepared) play();
}

void TSamplePlayer::CancelPrepared() {
  if (phase_ == Phase::Prepared) end();
}

void TSamplePlayer::play() {
  phase_ = Phase::Playing;
  const QString answer =
      device_->Send(QStringLiteral("play ") + kAlias + QStringLiteral(" from 0 notify"), MciDevice::Report::Silent);
  if (isError(answer)) end();
}

void TSamplePlayer::onNotify(const QString& alias, int deviceId, int code) {
  if (phase_ != Phase::Playing || deviceId != deviceId_ || alias.compare(kAlias, Qt::CaseInsensitive) != 0) return;
  if (code == MciDevice::NotifySuperseded) return;  // a later play of the same sample still runs
  end();
}

void TSamplePlayer::end() {
  if (phase_ != Phase::Idle && device_) device_->Send(QStringLiteral("close ") + kAlias, MciDevice::Report::Silent);
  phase_ = Phase::Idle;
  deviceId_ = 0;
  if (busy_ > 0) --busy_;
  Q_EMIT finished();
}
