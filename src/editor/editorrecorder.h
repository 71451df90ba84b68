#pragma once

#include <QIcon>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class MciDevice;
class QAction;
class TBaseRec;

// The recorder of the editor's tool bar: REC records (and stops a running
// recording), PLAY plays the recording back (and stops), SAVE writes it as
// a ".wav" file. The three actions follow the recorder's state: while
// recording REC reads "STOP" and PLAY is off, while playing PLAY reads
// "STOP" and REC is off, and when stopped PLAY and SAVE are on only when
// there is a recording.
class TEditorRecorder : public QObject {
  Q_OBJECT
 public:
  TEditorRecorder(QAction* rec, QAction* play, QAction* save, MciDevice* device = nullptr,
                  QObject* parent = nullptr);
  ~TEditorRecorder() override;

  void Rec();
  void Play();
  // Asks for a file name and writes the recording there; returns the file
  // written, or empty (cancelled, or the failure was reported).
  QString Save();

  // The save dialog (the chosen name or empty); the platform's dialog when unset.
  std::function<QString()> chooseFile;

  // A name without extension gets ".wav", another extension is replaced.
  static QString WaveFileName(const QString& chosen);
  // Writes the recording to path through a temporary file beside it that is
  // renamed over the old file only when the recording was written: a failed
  // save leaves the old recording as it was. A name with a quotation mark
  // cannot be passed to the sound device and is refused.
  bool WriteTo(const QString& path);

  // The pictures of REC and PLAY, and the one both show while they can stop.
  void SetPictures(const QIcon& rec, const QIcon& play, const QIcon& stop);

  TBaseRec& Recorder() { return *recorder_; }
  void UpdateActions();

 private:
  std::unique_ptr<TBaseRec> recorder_;
  QAction* rec_;
  QAction* play_;
  QAction* save_;
  QIcon recIcon_;
  QIcon playIcon_;
  QIcon stopIcon_;
};
