#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include "sound/mcidevice.h"

// Plays speech samples, one at a time: a request while a sample is playing
// (or prepared and waiting) is ignored, and so is a request for a missing
// file. A sample can be prepared in advance (opened, not yet played) and
// started later at an exact moment with StartPrepared.
//
// The sample is opened under the alias "klang" and played asynchronously by
// the sound device; the user-interface thread never waits for it. The busy
// counter is changed on that thread only and drops back to 0 when the
// sample has ended, failed or been closed. Failures are never reported.
class TSamplePlayer : public QObject {
  Q_OBJECT
 public:
  explicit TSamplePlayer(MciDevice* device = nullptr, QObject* parent = nullptr);
  // Stops and closes a sample that is still playing or waiting.
  ~TSamplePlayer() override;

  // startNow false: the sample is opened and waits for StartPrepared.
  void PlaySample(const QString& path, bool startNow = true);
  // Plays the prepared sample now; does nothing when none is waiting.
  void StartPrepared();
  // Closes a prepared sample that was never started, so that it does not
  // keep the player busy; a sample that plays goes on.
  void CancelPrepared();

  int BusyCount() const { return busy_; }
  bool Busy() const { return busy_ > 0; }
  // A prepared sample is waiting for StartPrepared.
  bool Prepared() const { return phase_ == Phase::Prepared; }
  // The path of the last request that was accepted.
  QString LastPath() const { return lastPath_; }

  static inline const QString kAlias = QStringLiteral("klang");

 Q_SIGNALS:
  // The sample has ended (or failed) and the player is idle again.
  void finished();

 private:
  enum class Phase { Idle, Prepared, Playing };
  void play();
  void onNotify(const QString& alias, int deviceId, int code);
  void end();

  QPointer<MciDevice> device_;
  int busy_ = 0;
  Phase phase_ = Phase::Idle;
  int deviceId_ = 0;
  QString lastPath_;
};
