#include "editor/editorrecorder.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cstdio>

#include "common/messagebox.h"
#include "editor/editortexts.h"
#include "sound/baserec.h"

TEditorRecorder::TEditorRecorder(QAction* rec, QAction* play, QAction* save, MciDevice* device, QObject* parent)
    : QObject(parent), recorder_(std::make_unique<TBaseRec>(device)), rec_(rec), play_(play), save_(save) {
  recorder_->OnChange = [this] { UpdateActions(); };
  UpdateActions();
}

TEditorRecorder::~TEditorRecorder() { recorder_->OnChange = nullptr; }

void TEditorRecorder::Rec() {
  if (recorder_->State() == TBaseRec::Recording) recorder_->StopRec();
  else recorder_->Record();
}

void TEditorRecorder::Play() {
  if (recorder_->State() == TBaseRec::Playing) recorder_->StopRec();
  else recorder_->PlayBack();
}

void TEditorRecorder::SetPictures(const QIcon& rec, const QIcon& play, const QIcon& stop) {
  recIcon_ = rec;
  playIcon_ = play;
  stopIcon_ = stop;
  UpdateActions();
}

void TEditorRecorder::UpdateActions() {
  const int state = recorder_->State();
  if (!stopIcon_.isNull()) {
    rec_->setIcon(state == TBaseRec::Recording ? stopIcon_ : recIcon_);
    play_->setIcon(state == TBaseRec::Playing ? stopIcon_ : playIcon_);
  }
  switch (state) {
    case TBaseRec::Recording:
      rec_->setText(QStringLiteral("STOP"));
      rec_->setEnabled(true);
      play_->setText(QStringLiteral("PLAY"));
      play_->setEnabled(false);
      save_->setEnabled(false);
      break;
    case TBaseRec::Playing:
      rec_->setText(QStringLiteral("REC"));
      rec_->setEnabled(false);
      play_->setText(QStringLiteral("STOP"));
      play_->setEnabled(true);
      break;
    case TBaseRec::Stopped: {
      rec_->setText(QStringLiteral("REC"));
      rec_->setEnabled(true);
      play_->setText(QStringLiteral("PLAY"));
      const bool recorded = recorder_->Length() > 0;
      play_->setEnabled(recorded);
      save_->setEnabled(recorded);
      break;
    }
    default:  // before the first recording
      play_->setEnabled(false);
      save_->setEnabled(false);
      break;
  }
}

QString TEditorRecorder::WaveFileName(const QString& chosen) {
  if (chosen.isEmpty()) return chosen;
  const QFileInfo info(chosen);
  const QString suffix = info.suffix();
  if (suffix.isEmpty()) return chosen + QStringLiteral(".wav");
  return chosen.left(chosen.size() - suffix.size()) + QStringLiteral("wav");
}

bool TEditorRecorder::WriteTo(const QString& path) {
  if (path.contains(QLatin1Char('"'))) return false;
  const QFileInfo target(path);
  // A free name beside the target, so that the rename stays on one file system.
  QTemporaryFile temporary(target.absolutePath() + QStringLiteral("/.zvk-aufnahme-XXXXXX.wav"));
  if (!temporary.open()) return false;
  const QString temporaryPath = temporary.fileName();
  temporary.close();
  if (temporaryPath.contains(QLatin1Char('"')) || !recorder_->Save(temporaryPath)) return false;
  // The temporary file is private; the recording gets the rights of the one
  // it replaces, or those of an ordinary file.
  const QFileDevice::Permissions rights =
      target.exists() ? QFile::permissions(path)
                      : (QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
  QFile::setPermissions(temporaryPath, rights);
  if (std::rename(QFile::encodeName(temporaryPath).constData(), QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
    return false;
  temporary.setAutoRemove(false);  // it is the recording now
  return true;
}

QString TEditorRecorder::Save() {
  const QString chosen =
      chooseFile ? chooseFile()
                 : QFileDialog::getSaveFileName(nullptr, QString(), QString(), EditorTexts::kWaveFilter + QStringLiteral(";;*.wav"));
  const QString path = WaveFileName(chosen);
  if (path.isEmpty()) return {};
  if (path.contains(QLatin1Char('"'))) {
    ShowMessage(EditorTexts::kQuotationMark, MessageKind::Stop);
    return {};
  }
  if (!WriteTo(path)) {
    ShowMessage(EditorTexts::kRecordingNotSaved, MessageKind::Stop);
    return {};
  }
  return path;
}
