#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include "sound/mcierrors.h"

class MciElement;

// The sound command interface: text commands that open a sound file or a new
// recording under an alias and play, record, save, query and close it.
//
//   open "path" alias welle [wait]        open new type waveaudio alias test
//   play welle [from ms] [wait|notify]    record test      stop test
//   seek test to start|end|ms             save test "path"
//   set test bitspersample 16 channels 1 alignment 2 samplespersec 44100 bytespersec 88200
//   status test mode|position|length|ready|bitspersample|channels|samplespersec
//   close welle | close all
//
// Aliases are case-insensitive. Every command answers a text: "" or the
// asked value; "open" answers the new device's number. A failure answers
// "Error" + the error number and, unless the caller asked for silence, shows
// the error's text in a message box captioned "*zvk".
//
// Everything runs on the user-interface thread. Playing is asynchronous:
// "wait" makes the command return only when the play has ended (letting
// pending events through meanwhile), "notify" raises notify() when it ends.
// Without an audio output or input device, play and record fail with the
// errors 326 and 328; opening still works.
class MciDevice : public QObject {
  Q_OBJECT
 public:
  // How a failure is shown.
  enum class Report { Silent, Stop, Information };
  // Codes of notify().
  enum NotifyCode { NotifySuccessful = 1, NotifySuperseded = 2, NotifyAborted = 4, NotifyFailure = 8 };

  explicit MciDevice(QObject* parent = nullptr);
  ~MciDevice() override;

  // The process-wide device (page sounds, samples and the recorder share
  // their aliases like one sound system); released when the application ends.
  static MciDevice& shared();

  QString Send(const QString& command, Report report = Report::Stop);

  // The page engine's form: silent or shown in an information box.
  QString PageCommand(const QString& command, bool silent) {
    return Send(command, silent ? Report::Silent : Report::Information);
  }

  // Plays a short sound file without waiting and without any message
  // (hover sounds); a sound still playing from an earlier call stops.
  void PlaySoundAsync(const QString& path);

  bool IsOpen(const QString& alias) const;
  QStringList Aliases() const;

  // The answer of a failure.
  static QString ErrorAnswer(int code) { return QStringLiteral("Error") + QString::number(code); }

 Q_SIGNALS:
  // A play or record sent with "notify" ended. deviceId is the number that
  // "open" answered, so a late notification of a closed device is recognised.
  void notify(const QString& alias, int deviceId, int code);

 private:
  struct Device {
    QPointer<MciElement> element;
    int id = 0;
    QString alias;  // as opened
    bool notifyPending = false;
  };

  int execute(const QStringList& words, QString& answer);
  int open(const QStringList& words, bool wait, QString& answer);
  int play(Device& device, const QStringList& args, bool wait, bool notify);
  int record(Device& device, const QStringList& args, bool notify);
  int stop(Device& device);
  int seek(Device& device, const QStringList& args);
  int set(Device& device, const QStringList& args);
  int status(Device& device, const QStringList& args, QString& answer);
  int save(Device& device, const QStringList& args);
  void close(const QString& key);
  void closeAll();

  Device* find(const QString& alias);
  void onFinished(MciElement* element, int outcome);
  void postNotify(const Device& device, int code);
  // Lets pending events through until the element has ended its play (or settled).
  void waitFor(MciElement* element, bool untilSettled);

  QHash<QString, Device> devices_;  // key: lower-case alias
  int nextId_ = 1;
};
