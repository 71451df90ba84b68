#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>

#include "sound/mcidevice.h"

// The learner's voice recorder: records up to a maximum length in 16-bit
// mono at 44.1 kHz under the device alias "test" and plays the recording
// back. Runs on the user-interface thread, driven by a poll timer (100 ms
// while recording, 50 ms while playing) that stops recording and playback at
// the maximum length and notices when the device has stopped by itself.
//
// Failures of the sound device are shown as stop messages (the position and
// mode queries of the timer and the closing stay silent); the state changes
// as requested all the same, and the next poll finds the device stopped.
class TBaseRec : public QObject {
  Q_OBJECT
 public:
  enum State { Stopped = 0, Recording = 1, Playing = 2, Initial = 3 };

  static inline const QString kAlias = QStringLiteral("test");

  // alias: the device name of the recording; two recorders that live at the
  // same time need two names.
  explicit TBaseRec(MciDevice* device = nullptr, QObject* parent = nullptr, QString alias = kAlias);
  // Closes the device (silently).
  ~TBaseRec() override;

  void Record();
  void StopRec();
  void PlayBack();
  // Values of 0 or less and of 20 or more become 4.
  void SetMaxSeconds(int seconds);
  int MaxSeconds() const { return maxSeconds_; }
  int State() const { return state_; }

  // The recorder's two buttons: "rec" stops a running recording and records
  // otherwise; "play" stops a running playback and plays back otherwise.
  void ToggleRecord();
  void TogglePlay();

  int BitsPerSample() const { return bitsPerSample_; }
  int SamplesPerSecond() const { return samplesPerSecond_; }
  int Channels() const { return channels_; }

  // Writes the recording as a ".wav" file ("save test"); false on failure,
  // which the caller reports.
  bool Save(const QString& path);
  // The length of the recording in milliseconds ("status test length"); 0 without one.
  qint64 Length();

  // Called after every state change.
  std::function<void()> OnChange;

 protected:
  // Runs on every state change before OnChange (the drawn recorder redraws).
  virtual void StateChanged() {}
  MciDevice* device() const { return device_; }

 private:
  QString send(const QString& command, bool silent = false);
  void setState(int state);
  void poll();

  QPointer<MciDevice> device_;
  QString alias_;
  int bitsPerSample_ = 16;
  int samplesPerSecond_ = 44100;
  int channels_ = 1;
  int maxSeconds_ = 4;
  int state_ = Initial;
  QTimer timer_;
  bool polling_ = false;
};
