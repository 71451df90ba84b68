// The editor window's file commands: new, open, add, save, the recent files
// and the question before a command replaces unsaved changes.
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

#include "common/filelookup.h"
#include "common/messagebox.h"
#include "editor/editortexts.h"
#include "editor/recordform.h"
#include "editor/tveditor.h"
#include "environment/environment.h"
#include "users/txuserbase.h"
#include "vocabulary/tbibliothek.h"

QString TVEditor::libraryDialogDirectory() const {
  return settings_.vocabularyDir.isEmpty() ? s_.env.VocabularyDir : settings_.vocabularyDir;
}

void TVEditor::Clear() {
  s_.library.Clear(true);
  afterLibraryChanged(0);
  refreshCaption();
}

void TVEditor::FileNew() {
  if (SaveChCancelled()) return;
  Clear();
  RP->eVokabel->setFocus();
}

bool TVEditor::SaveChCancelled() {
  if (!s_.library.Modified) return false;
  switch (AskQuestion(EditorTexts::kUnsavedChanges, MessageButtons::YesNoCancel)) {
    case MessageAnswer::Yes:
      return !FileSave();
    case MessageAnswer::No:
      return false;
    default:
      return true;
  }
}

bool TVEditor::loadReplacing(const QString& file, bool askOnMalformed) {
  const int read = s_.library.LoadFromFile(file, true);
  if (read == TVocLib::kMalformed) {
    // The records up to the damage are there, but the file keeps no name:
    // saving asks for one instead of cutting the file short.
    if (askOnMalformed)
      ShowMessage(QStringLiteral("Die Bibliothek ") + QDir::toNativeSeparators(file) +
                      QStringLiteral(" ist beschädigt; nur die Vokabeln bis zur fehlerhaften Stelle wurden gelesen.\r"
                                     "Beim Speichern wird nach einem neuen Namen gefragt."),
                  MessageKind::Warning);
    afterLibraryChanged(0);
    refreshCaption();
    return false;
  }
  settings_.vocabularyDir = FileLookup::directoryPart(file);
  if (s_.users.IsLoggedIn()) s_.library.RefreshScores();
  afterLibraryChanged(0);
  refreshCaption();
  return true;
}

void TVEditor::OpenFiles(const QStringList& files) {
  if (files.isEmpty()) return;
  const QString first = files.first();
  const bool loaded = loadReplacing(first, true);
  settings_.lastLibrary = loaded ? first : QStringLiteral("-");
  if (loaded) addRecent(first);
  for (qsizetype i = 1; i < files.size(); ++i) s_.library.LoadFromFile(files.at(i), false);
  if (files.size() > 1) {
    if (s_.users.IsLoggedIn()) s_.library.RefreshScores();
    afterLibraryChanged(0);
    refreshCaption();
  }
}

void TVEditor::FileOpen() {
  if (SaveChCancelled()) return;
  const QStringList files =
      chooseLibraries ? chooseLibraries(libraryDialogDirectory())
                      : QFileDialog::getOpenFileNames(this, QString(), libraryDialogDirectory(),
                                                      EditorTexts::kLibraryFilter);
  OpenFiles(files);
}

void TVEditor::FileAdd() {
  const QString file = chooseLibrary ? chooseLibrary(libraryDialogDirectory())
                                     : QFileDialog::getOpenFileName(this, QString(), libraryDialogDirectory(),
                                                                    EditorTexts::kLibraryFilter);
  if (file.isEmpty()) return;
  const int current = s_.library.Current;
  s_.library.LoadFromFile(file, false);
  settings_.vocabularyDir = FileLookup::directoryPart(file);
  if (s_.users.IsLoggedIn()) s_.library.RefreshScores();
  afterLibraryChanged(current);
  refreshCaption();
}

void TVEditor::OpenRecent(int index) {
  if (index < 0 || index >= recentActions_.size()) return;
  // The caption from its fourth character on: "&1 " + file.
  const QString file = recentActions_.at(index)->text().mid(3);
  if (file.isEmpty() || SaveChCancelled()) return;
  if (!QFileInfo(file).isFile()) {
    ShowMessage(QStringLiteral("Die Bibliothek ") + QDir::toNativeSeparators(file) +
                QStringLiteral(" gibt es nicht mehr; sie wird aus der Liste genommen."));
    settings_.recent.Remove(file);
    refreshRecentFiles();
    return;
  }
  OpenFiles({file});
}

void TVEditor::addRecent(const QString& file) {
  settings_.recent.Add(file);
  refreshRecentFiles();
}

bool TVEditor::saveTo(const QString& path) {
  switch (s_.library.SaveToFile(path)) {
    case TVocLib::SaveResult::Saved:
      settings_.lastLibrary = path;
      settings_.vocabularyDir = FileLookup::directoryPart(path);
      addRecent(path);
      refreshCaption();
      refreshStatus();
      return true;
    case TVocLib::SaveResult::Refused:
      return false;  // the library said why
    case TVocLib::SaveResult::WriteError:
      break;
  }
  ShowMessage(EditorTexts::kSaveFailed, MessageKind::Stop);
  return false;
}

namespace {

QString withLibraryExtension(const QString& path) {
  if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
  return path + QStringLiteral(".asc");
}

}  // namespace

bool TVEditor::refuseIncomplete() {
  const int incomplete = LibraryEditing::FirstIncompleteRecord(s_.library);
  if (incomplete < 0) return false;
  s_.library.Current = incomplete;
  showCurrent();
  ShowMessage(EditorTexts::kSaveIncomplete);
  return true;
}

bool TVEditor::FileSave() {
  if (refuseIncomplete()) return false;
  if (s_.library.FileName.isEmpty()) return FileSaveAs();
  return saveTo(s_.library.FileName);
}

bool TVEditor::FileSaveAs() {
  if (refuseIncomplete()) return false;
  const QString proposed =
      s_.library.FileName.isEmpty() ? libraryDialogDirectory() : s_.library.FileName;
  const QString chosen = chooseSaveName ? chooseSaveName(proposed)
                                        : QFileDialog::getSaveFileName(this, QString(), proposed,
                                                                       EditorTexts::kLibraryFilter);
  const QString path = withLibraryExtension(chosen);
  if (path.isEmpty()) return false;
  return saveTo(path);
}
