#include "sound/mcielements.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioOutput>
#include <QAudioSink>
#include <QAudioSource>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

#include "sound/mcierrors.h"

namespace {

// Time a play may take beyond its length before the guard looks at it.
constexpr int kStallMarginMs = 3000;
// A play this close to its end has ended when the guard looks at it.
constexpr qint64 kEndToleranceMs = 250;
// Without a known length (still loading) a play may take this long.
constexpr int kUnknownLengthMs = 30000;

QAudioFormat qtFormat(const WaveFormat& format) {
  QAudioFormat f;
  f.setSampleRate(format.samplesPerSecond);
  f.setChannelCount(format.channels);
  f.setSampleFormat(format.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
  return f;
}

}  // namespace

// ---------------------------------------------------------------------------
// Sound files

MciMediaElement::MciMediaElement(const QString& path) {
  player_ = new QMediaPlayer(this);
  output_ = new QAudioOutput(this);
  player_->setAudioOutput(output_);
  watchdog_.setSingleShot(true);
  connect(player_, &QMediaPlayer::mediaStatusChanged, this, &MciMediaElement::onStatus);
  connect(player_, &QMediaPlayer::errorOccurred, this, &MciMediaElement::onError);
  connect(player_, &QMediaPlayer::durationChanged, this, [this] {
    if (playing_) armWatchdog();
  });
  connect(&watchdog_, &QTimer::timeout, this, &MciMediaElement::onWatchdog);
  player_->setSource(QUrl::fromLocalFile(path));
}

MciMediaElement::~MciMediaElement() {
  watchdog_.stop();
  player_->disconnect(this);
  player_->stop();
}

bool MciMediaElement::settled() const {
  if (failed_) return true;
  switch (player_->mediaStatus()) {
    case QMediaPlayer::LoadedMedia:
    case QMediaPlayer::BufferingMedia:
    case QMediaPlayer::BufferedMedia:
    case QMediaPlayer::EndOfMedia:
    case QMediaPlayer::InvalidMedia: return true;
    default: return false;
  }
}

QString MciMediaElement::mode() const {
  if (playing_) return QStringLiteral("playing");
  return settled() ? QStringLiteral("stopped") : QStringLiteral("not ready");
}

qint64 MciMediaElement::position() {
  if (player_->mediaStatus() == QMediaPlayer::EndOfMedia) return player_->duration();
  return player_->position();
}

qint64 MciMediaElement::length() { return player_->duration(); }

int MciMediaElement::play(std::optional<qint64> from) {
  if (failed_) return MciError::InvalidFile;
  if (QMediaDevices::audioOutputs().isEmpty()) return MciError::NoOutputDevice;
  output_->setDevice(QMediaDevices::defaultAudioOutput());
  // A finished file starts again from a stopped player rather than by seeking at its end.
  if (player_->mediaStatus() == QMediaPlayer::EndOfMedia) player_->stop();
  if (from && *from != player_->position()) player_->setPosition(*from);
  playing_ = true;
  player_->play();
  armWatchdog();
  return MciError::None;
}

int MciMediaElement::record() { return MciError::UnsupportedFunction; }

void MciMediaElement::stop() {
  if (!playing_) return;
  // Pausing keeps the position, as a stopped device does.
  player_->pause();
  end(Aborted);
}

int MciMediaElement::seek(qint64 ms) {
  stop();
  player_->setPosition(ms < 0 ? player_->duration() : ms);
  return MciError::None;
}

int MciMediaElement::save(const QString&) { return MciError::UnsupportedFunction; }

void MciMediaElement::onStatus() {
  const QMediaPlayer::MediaStatus status = player_->mediaStatus();
  if (status == QMediaPlayer::InvalidMedia) failed_ = true;
  if (settled()) Q_EMIT settledChanged();
  if (status == QMediaPlayer::EndOfMedia) end(Completed);
  else if (status == QMediaPlayer::InvalidMedia) end(Failed);
}

void MciMediaElement::onError() {
  failed_ = true;
  Q_EMIT settledChanged();
  if (playing_) {
    player_->stop();
    end(Failed);
  }
}

void MciMediaElement::end(int outcome) {
  watchdog_.stop();
  if (!playing_) return;
  playing_ = false;
  Q_EMIT finished(outcome);
}

void MciMediaElement::onWatchdog() {
  const qint64 duration = player_->duration();
  const qint64 position = player_->position();
  if (duration > 0 && position >= duration - kEndToleranceMs) {
    // At its end, but the end was never reported.
    end(Completed);
  } else if (position != guardPosition_) {
    armWatchdog();  // slow, but still moving
  } else {
    player_->stop();
    end(Failed);
  }
}

void MciMediaElement::armWatchdog() {
  guardPosition_ = player_->position();
  const qint64 duration = player_->duration();
  const qint64 remaining = duration > 0 ? qMax<qint64>(0, duration - player_->position()) : kUnknownLengthMs;
  watchdog_.start(int(qMin<qint64>(remaining + kStallMarginMs, INT_MAX)));
}

// ---------------------------------------------------------------------------
// New recordings

MciWaveElement::MciWaveElement() {
  watchdog_.setSingleShot(true);
  connect(&watchdog_, &QTimer::timeout, this, [this] {
    if (!sink_) return;
    // Played to the end without the output reporting it, or stalled.
    const bool atEnd = position() >= length() - kEndToleranceMs;
    releaseSink();
    position_ = samples_.size();
    Q_EMIT finished(atEnd ? Completed : Failed);
  });
}

MciWaveElement::~MciWaveElement() {
  releaseSource();
  releaseSink();
}

QString MciWaveElement::mode() const {
  if (source_) return QStringLiteral("recording");
  if (sink_) return QStringLiteral("playing");
  return QStringLiteral("stopped");
}

qint64 MciWaveElement::position() {
  if (source_) {
    takeInput();
    return format_.bytesToMs(samples_.size());
  }
  if (sink_) {
    const qint64 played = format_.bytesToMs(playStart_) + sink_->processedUSecs() / 1000;
    return qMin(played, format_.bytesToMs(samples_.size()));
  }
  return format_.bytesToMs(position_);
}

qint64 MciWaveElement::length() {
  if (source_) takeInput();
  return format_.bytesToMs(samples_.size());
}

int MciWaveElement::record() {
  if (source_) return MciError::None;
  if (sink_) stop();
  if (QMediaDevices::audioInputs().isEmpty()) return MciError::NoInputDevice;
  // Recording replaces everything after the current position.
  samples_.truncate(position_);
  source_ = new QAudioSource(QMediaDevices::defaultAudioInput(), qtFormat(format_), this);
  input_ = source_->start();
  if (!input_ || source_->error() != QAudio::NoError) {
    releaseSource();
    return MciError::NoInputDevice;
  }
  connect(input_, &QIODevice::readyRead, this, &MciWaveElement::takeInput);
  return MciError::None;
}

void MciWaveElement::takeInput() {
  if (!input_) return;
  const QByteArray data = input_->readAll();
  const int block = format_.blockAlign();
  // Keep whole sample frames only; pulse delivers them whole anyway.
  samples_.append(data.left(data.size() - data.size() % qMax(1, block)));
  position_ = samples_.size();
}

int MciWaveElement::play(std::optional<qint64> from) {
  if (source_ || sink_) stop();
  if (QMediaDevices::audioOutputs().isEmpty()) return MciError::NoOutputDevice;
  if (from) position_ = qBound<qint64>(0, format_.msToBytes(*from), samples_.size());
  if (position_ >= samples_.size()) return MciError::None;  // nothing to play: done at once
  playBuffer_.close();
  playBuffer_.setData(samples_.mid(position_));
  playBuffer_.open(QIODevice::ReadOnly);
  playStart_ = position_;
  sink_ = new QAudioSink(QMediaDevices::defaultAudioOutput(), qtFormat(format_), this);
  connect(sink_, &QAudioSink::stateChanged, this, &MciWaveElement::onSinkState);
  sink_->start(&playBuffer_);
  if (sink_->error() != QAudio::NoError) {
    releaseSink();
    return MciError::NoOutputDevice;
  }
  watchdog_.start(int(format_.bytesToMs(samples_.size() - position_)) + kStallMarginMs);
  return MciError::None;
}

void MciWaveElement::onSinkState() {
  if (!sink_) return;
  const QAudio::State state = sink_->state();
  if (state == QAudio::IdleState && playBuffer_.atEnd()) {
    releaseSink();
    position_ = samples_.size();
    Q_EMIT finished(Completed);
  } else if (state == QAudio::StoppedState && sink_->error() != QAudio::NoError) {
    releaseSink();
    Q_EMIT finished(Failed);
  }
}

void MciWaveElement::stop() {
  if (source_) {
    takeInput();
    releaseSource();
    position_ = samples_.size();
    Q_EMIT finished(Aborted);
  } else if (sink_) {
    position_ = qMin<qint64>(samples_.size(), format_.msToBytes(position()));
    releaseSink();
    Q_EMIT finished(Aborted);
  }
}

int MciWaveElement::seek(qint64 ms) {
  stop();
  position_ = ms < 0 ? samples_.size() : qBound<qint64>(0, format_.msToBytes(ms), samples_.size());
  return MciError::None;
}

int MciWaveElement::save(const QString& path) {
  if (source_) takeInput();
  return WriteWaveFile(path, format_, samples_) ? MciError::None : MciError::FileNotSaved;
}

bool MciWaveElement::setFormat(int bits, int channels, int rate) {
  const WaveFormat wanted{bits, channels, rate};
  if (!wanted.isValid() || busy()) return false;
  if (wanted.bitsPerSample != format_.bitsPerSample || wanted.channels != format_.channels ||
      wanted.samplesPerSecond != format_.samplesPerSecond) {
    // Samples of another format mean nothing in the new one.
    samples_.clear();
    position_ = 0;
  }
  format_ = wanted;
  return true;
}

void MciWaveElement::releaseSource() {
  if (!source_) return;
  if (input_) input_->disconnect(this);
  input_ = nullptr;
  source_->disconnect(this);
  source_->stop();
  source_->deleteLater();
  source_ = nullptr;
}

void MciWaveElement::releaseSink() {
  watchdog_.stop();
  if (!sink_) return;
  sink_->disconnect(this);
  sink_->stop();
  sink_->deleteLater();
  sink_ = nullptr;
  playBuffer_.close();
}
