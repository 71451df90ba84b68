#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include "sound/txplayer.h"

// Background music of the presentations: a random sequence of the ".mp3"
// files below the music directory (subdirectories included), never
// repeating one of the last N/2 choices for N titles. When a title ends the
// player's notification reaches the notification window (by default the
// music object itself) on the user-interface thread; OnTrackEvent then starts
// the next title and trackEvent() tells the window to show CurrentTrack().
//
// Starting a title does not block (the media player loads and plays
// asynchronously), so no thread of its own is needed; the busy counter keeps
// a second start from running while one is under way.
class TMusic : public QObject {
  Q_OBJECT
 public:
  // directory: the music directory (see DefaultDirectory). Its titles are
  // listed at once when it exists (quietly when it does not); without one
  // there are none until ScanDirectory.
  explicit TMusic(const QString& directory, QObject* parent = nullptr);
  ~TMusic() override;

  // The music directory of an installation: ProgramDir + "MP3/".
  static QString DefaultDirectory(const QString& programDir);

  // A missing directory gives the stop message "Das MP3-Verzeichnis ...
  // existiert nicht!". When the directory differs from the current one,
  // the titles and the recent choices are listed anew.
  void ScanDirectory(const QString& directory);
  // Chooses a title and plays it at once (when there is any).
  void Start();
  // Plays the current title again, or a newly chosen one; only when titles
  // exist and no start is under way.
  void PlayNext(bool newTrack);
  // Stops when playing, otherwise plays a new title; returns whether music plays now.
  bool Toggle();
  void StopMusic();
  // Volume in steps of one decibel: ChangeVolume adds steps (within -24..0);
  // SetVolume sets it when that is 0 or less and differs. Volume reads it.
  void ChangeVolume(int steps);
  void SetVolume(int steps);
  int Volume() const { return player_.Volume() / 100; }

  bool IsPlaying() const { return player_.Playing(); }
  bool Available() const { return !tracks_.isEmpty(); }
  int TrackCount() const { return int(tracks_.size()); }
  QString Directory() const { return directory_; }
  QString CurrentTrack() const { return current_; }
  const QStringList& Tracks() const { return tracks_; }
  // The indexes chosen last, oldest first (at most TrackCount() / 2).
  const QList<int>& Recent() const { return recent_; }

  // The window that receives the player's notifications (the trainer's main
  // window); the music watches it for them, so the window needs no handler
  // of its own. nullptr: the music object receives them itself.
  void SetNotifyWindow(QObject* window);
  // A notification arrived: the next title after completion, cleanup after an error.
  void OnTrackEvent();

  // Chooses a title index (-1 when there are none) and remembers it.
  int ChooseTrack();

  TXPlayer& Player() { return player_; }

 Q_SIGNALS:
  // A notification was handled; CurrentTrack() may have changed.
  void trackEvent();

 protected:
  bool event(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void listTracks(const QString& directory);

  QString directory_;
  QStringList tracks_;
  QList<int> recent_;
  QString current_;
  int busy_ = 0;
  TXPlayer player_;
  QPointer<QObject> window_;
};
