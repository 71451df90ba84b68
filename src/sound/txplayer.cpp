#include "sound/txplayer.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>
#include <cmath>

#include "common/filelookup.h"

TXPlayer::TXPlayer(QObject* parent) : QObject(parent) {}

TXPlayer::~TXPlayer() { release(); }

float TXPlayer::LinearVolume(int hundredthsDb) {
  if (hundredthsDb >= 0) return 1.0f;
  return float(std::pow(10.0, hundredthsDb / 2000.0));
}

bool TXPlayer::Play(const QString& file) {
  release();
  const QString found = FileLookup::locate(file);
  if (found.isEmpty() || !FileLookup::fileExists(found)) return false;
  if (QMediaDevices::audioOutputs().isEmpty()) return false;
  file_ = file;
  player_ = new QMediaPlayer(this);
  output_ = new QAudioOutput(QMediaDevices::defaultAudioOutput(), this);
  player_->setAudioOutput(output_);
  connect(player_, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
    if (status == QMediaPlayer::EndOfMedia) post(Complete);
    else if (status == QMediaPlayer::InvalidMedia) post(ErrorAbort);
  });
  connect(player_, &QMediaPlayer::errorOccurred, this, [this] { post(ErrorAbort); });
  player_->setSource(QUrl::fromLocalFile(found));
  player_->play();
  playing_ = true;
  output_->setVolume(LinearVolume(volume_));
  return true;
}

void TXPlayer::Stop() {
  if (!player_) return;
  playing_ = false;
  release();
}

void TXPlayer::SetVolume(int hundredthsDb) {
  volume_ = hundredthsDb;
  if (playing_ && output_) output_->setVolume(LinearVolume(volume_));
}

int TXPlayer::HandleEvents() {
  int last = NoEvent;
  const QList<int> events = std::exchange(events_, {});
  for (int code : events) {
    last = code;
    if (code == Complete || code == UserAbort) playing_ = false;
    if (code == ErrorAbort) {
      playing_ = false;
      release();
    }
  }
  return last;
}

void TXPlayer::post(int code) {
  // One error may be reported twice (status and error signal): keep one.
  if (code == ErrorAbort && events_.contains(ErrorAbort)) return;
  events_ << code;
  if (notifyWindow_) QCoreApplication::postEvent(notifyWindow_, new QEvent(kNotifyEvent));
}

void TXPlayer::release() {
  playing_ = false;
  events_.clear();
  if (!player_) return;
  player_->disconnect(this);
  player_->stop();
  delete player_;
  delete output_;
  player_ = nullptr;
  output_ = nullptr;
}
