#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <memory>
#include <optional>

#include "sound/wavefile.h"

class QAudioOutput;
class QAudioSink;
class QAudioSource;
class QIODevice;
class QMediaPlayer;

// One opened device of the sound command interface: a sound file played
// through the media player, or a new recording held in memory. Positions
// and lengths are milliseconds. Operations return an MciError number (0 = done).
class MciElement : public QObject {
  Q_OBJECT
 public:
  // How a running play or record came to its end.
  enum Outcome { Completed = 1, Aborted = 4, Failed = 8 };

  virtual QString mode() const = 0;  // "playing", "recording", "stopped", "not ready"
  virtual qint64 position() = 0;
  virtual qint64 length() = 0;
  // Plays from the current position, or from `from` when given.
  virtual int play(std::optional<qint64> from) = 0;
  virtual int record() = 0;
  // Stops a running play or record; the position stays where it was.
  virtual void stop() = 0;
  virtual int seek(qint64 ms) = 0;  // -1: the end
  virtual int save(const QString& path) = 0;
  virtual bool setFormat(int bits, int channels, int rate) = 0;
  virtual WaveFormat format() const = 0;
  // True while a play (or record) runs that will end with finished().
  virtual bool busy() const = 0;
  // For "open ... wait": true once the file is ready to play (or found unplayable).
  virtual bool settled() const { return true; }
  // The file cannot be played.
  virtual bool failed() const { return false; }

 Q_SIGNALS:
  // A running play or record ended (Completed, Aborted or Failed).
  void finished(int outcome);
  // A file finished loading (or failed to).
  void settledChanged();
};

// A sound file (".wav", ".mp3", anything the media player takes).
class MciMediaElement : public MciElement {
  Q_OBJECT
 public:
  explicit MciMediaElement(const QString& path);
  ~MciMediaElement() override;

  QString mode() const override;
  qint64 position() override;
  qint64 length() override;
  int play(std::optional<qint64> from) override;
  int record() override;
  void stop() override;
  int seek(qint64 ms) override;
  int save(const QString& path) override;
  bool setFormat(int, int, int) override { return false; }
  WaveFormat format() const override { return {}; }
  bool busy() const override { return playing_; }
  bool settled() const override;
  bool failed() const override { return failed_; }

 private:
  void onStatus();
  void onError();
  void end(int outcome);
  void armWatchdog();
  void onWatchdog();

  QMediaPlayer* player_ = nullptr;
  QAudioOutput* output_ = nullptr;
  bool playing_ = false;
  bool failed_ = false;
  // Ends a play that never reports its end (a stalled output): the caller
  // of a waiting play or a notification must not wait for ever.
  QTimer watchdog_;
  qint64 guardPosition_ = 0;
};

// A new recording ("open new type waveaudio"): samples recorded from the
// default input and played back to the default output, kept in memory until
// saved.
class MciWaveElement : public MciElement {
  Q_OBJECT
 public:
  MciWaveElement();
  ~MciWaveElement() override;

  QString mode() const override;
  qint64 position() override;
  qint64 length() override;
  int play(std::optional<qint64> from) override;
  int record() override;
  void stop() override;
  int seek(qint64 ms) override;
  int save(const QString& path) override;
  bool setFormat(int bits, int channels, int rate) override;
  WaveFormat format() const override { return format_; }
  bool busy() const override { return source_ || sink_; }

 private:
  void takeInput();
  void onSinkState();
  void releaseSource();
  void releaseSink();

  WaveFormat format_{8, 1, 11025};
  QByteArray samples_;
  qint64 position_ = 0;  // bytes
  QAudioSource* source_ = nullptr;
  QPointer<QIODevice> input_;
  QAudioSink* sink_ = nullptr;
  QBuffer playBuffer_;
  qint64 playStart_ = 0;  // bytes
  QTimer watchdog_;
};
