#pragma once

#include <QEvent>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class QAudioOutput;
class QMediaPlayer;

// Plays one media file (the music's MP3 titles) with a volume in hundredths
// of a decibel (0 = full volume, -1200 at the start). When the title ends or
// fails, an event of type kNotifyEvent is posted to the notification window;
// the window's handler then calls HandleEvents, which reads what happened.
class TXPlayer : public QObject {
  Q_OBJECT
 public:
  // The notification message (user message 44).
  static inline const QEvent::Type kNotifyEvent = QEvent::Type(QEvent::User + 44);
  // Event codes of HandleEvents.
  enum EventCode { NoEvent = 0, Complete = 1, UserAbort = 2, ErrorAbort = 3 };

  explicit TXPlayer(QObject* parent = nullptr);
  ~TXPlayer() override;

  // Releases a loaded file, then loads and starts this one; false when the
  // file is missing or no player can be set up (no audio output).
  bool Play(const QString& file);
  // Stops and releases everything (no notification follows).
  void Stop();
  // Stored, and applied at once while playing.
  void SetVolume(int hundredthsDb);
  int Volume() const { return volume_; }
  void SetNotifyWindow(QObject* window) { notifyWindow_ = window; }
  QObject* NotifyWindow() const { return notifyWindow_; }
  // Reads all pending events: completion and user abort end the playing,
  // an error abort also releases everything. Returns the last code (NoEvent when none).
  int HandleEvents();

  bool Playing() const { return playing_; }
  bool Loaded() const { return player_ != nullptr; }
  QString File() const { return file_; }

  // The linear amplitude factor of a volume in hundredths of a decibel.
  static float LinearVolume(int hundredthsDb);

 private:
  void post(int code);
  void release();

  QString file_;
  QPointer<QObject> notifyWindow_;
  int volume_ = -1200;
  bool playing_ = false;
  QMediaPlayer* player_ = nullptr;
  QAudioOutput* output_ = nullptr;
  QList<int> events_;
};
