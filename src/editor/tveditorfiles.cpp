// The editor window's file commands: new, open, add, save, the recent files
// and the question before a command replaces unsaved changes.
#include <QFileDialog>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>

#include "common/filelookup.h"
#include "common/messagebox.h"
#include "editor/editortexts.h"
#include "editor/recordform.h"
#include "editor/timport.h"
#include "editor/tveditor.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "users/txuserbase.h"
#include "vocabulary/tbibliothek.h"

QString TVEditor::libraryDialogDirectory() const {
  return settings_.vocabularyDir.isEmpty() ? services_.env.VocabularyDir : settings_.vocabularyDir;
}

void TVEditor::Clear() {
  services_.library.Clear(true);
  afterLibraryChanged(0);
  refreshCaption();
}

void TVEditor::FileNew() {
  if (SaveChCancelled()) return;
  Clear();
  RP->eVokabel->setFocus();
}

bool TVEditor::SaveChCancelled() {
  if (!services_.library.Modified) return false;
  switch (AskQuestion(EditorTexts::kUnsavedChanges, MessageButtons::YesNoCancel)) {
    case MessageAnswer::Yes:
      return !FileSave();
    case MessageAnswer::No:
      return false;
    default:
      return true;
  }
}

bool TVEditor::readable(const QString& file) {
  QFile probe(file);
  if (QFileInfo(file).isFile() && probe.open(QIODevice::ReadOnly)) return true;
  ShowMessage(EditorTexts::Unreadable(file), MessageKind::Stop);
  return false;
}

void TVEditor::libraryLoaded(int current) {
  if (services_.users.IsLoggedIn()) services_.library.RefreshScores();
  afterLibraryChanged(current);
  refreshCaption();
}

bool TVEditor::loadReplacing(const QString& file, bool askOnMalformed) {
  const int read = services_.library.LoadFromFile(file, true);
  if (read == TVocLib::kMalformed) {
    // The records up to the damage are there, but the file keeps no name:
    // saving asks for one instead of cutting the file short.
    if (askOnMalformed) ShowMessage(EditorTexts::Damaged(file));
    libraryLoaded(0);
    return false;
  }
  settings_.vocabularyDir = FileLookup::directoryPart(file);
  libraryLoaded(0);
  return true;
}

void TVEditor::OpenFiles(const QStringList& files) {
  if (files.isEmpty() || !readable(files.first())) return;
  const QString first = files.first();
  const bool loaded = loadReplacing(first, true);
  settings_.lastLibrary = loaded ? first : QStringLiteral("-");
  if (loaded) addRecent(first);
  if (files.size() == 1) return;
  for (qsizetype i = 1; i < files.size(); ++i) {
    if (!readable(files.at(i))) continue;
    if (services_.library.LoadFromFile(files.at(i), false) == TVocLib::kMalformed) ShowMessage(EditorTexts::Damaged(files.at(i)));
  }
  libraryLoaded(0);
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
  if (file.isEmpty() || !readable(file)) return;
  const int current = services_.library.Current;
  if (services_.library.LoadFromFile(file, false) == TVocLib::kMalformed) ShowMessage(EditorTexts::Damaged(file));
  settings_.vocabularyDir = FileLookup::directoryPart(file);
  libraryLoaded(current);
}

void TVEditor::OpenRecent(int index) {
  if (index < 0 || index >= recentActions_.size()) return;
  // The caption from its fourth character on: "&1 " + file.
  const QString file = recentActions_.at(index)->text().mid(3);
  if (file.isEmpty() || SaveChCancelled()) return;
  if (!QFileInfo(file).isFile()) {
    ShowMessage(EditorTexts::Vanished(file));
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
  switch (services_.library.SaveToFile(path)) {
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
  const int incomplete = LibraryEditing::FirstIncompleteRecord(services_.library);
  if (incomplete < 0) return false;
  makeCurrent(incomplete);
  ShowMessage(EditorTexts::kSaveIncomplete);
  return true;
}

bool TVEditor::FileSave() {
  if (refuseIncomplete()) return false;
  if (services_.library.FileName.isEmpty()) return FileSaveAs();
  return saveTo(services_.library.FileName);
}

bool TVEditor::FileSaveAs() {
  if (refuseIncomplete()) return false;
  const QString proposed =
      services_.library.FileName.isEmpty() ? libraryDialogDirectory() : services_.library.FileName;
  const QString chosen = chooseSaveName ? chooseSaveName(proposed)
                                        : QFileDialog::getSaveFileName(this, QString(), proposed,
                                                                       EditorTexts::kLibraryFilter);
  const QString path = withLibraryExtension(chosen);
  if (path.isEmpty()) return false;
  return saveTo(path);
}

// --- Import ---

void TVEditor::ImportX() {
  if (SaveChCancelled()) return;
  SettingsStore& store = services_.env.store();
  const QString key = services_.env.UserKeyPath() + QStringLiteral("\\Import");
  TImport dialog(pageFolder_, this);
  const QString separator = store.readString(key, QStringLiteral("Trennzeichen")).value_or(QString());
  const QString structure = store.readString(key, QStringLiteral("Struktur")).value_or(QString());
  if (!separator.isEmpty()) dialog.Separator->setCurrentText(separator);
  if (!structure.isEmpty()) dialog.Struktur->setCurrentText(structure);
  const QString lastDir = FileLookup::nativePath(store.readString(key, QStringLiteral("Verzeichnis")).value_or(QString()));

  const auto run = [&] {
    if (!(importDialogAnswer ? importDialogAnswer(dialog) : dialog.exec() == QDialog::Accepted)) return;
    // The dialog refuses a separator it cannot cut with; an answer given
    // without it is checked the same way.
    const QString separatorText = dialog.Separator->currentText();
    const std::optional<QChar> cut = TImport::SeparatorOf(separatorText);
    if (!cut) {
      ShowMessage(TImport::SeparatorProblem(separatorText));
      return;
    }
    const QString start = QFileInfo(lastDir).isDir() ? lastDir : libraryDialogDirectory();
    const QString file = chooseImportFile ? chooseImportFile(start)
                                          : QFileDialog::getOpenFileName(this, QString(), start,
                                                                         EditorTexts::kTextFilter);
    if (file.isEmpty()) return;
    services_.library.ImportText(file, dialog.Struktur->currentText(), *cut);
    store.writeValues(key, {{QStringLiteral("Trennzeichen"), separatorText},
                            {QStringLiteral("Struktur"), dialog.Struktur->currentText()},
                            {QStringLiteral("Verzeichnis"), FileLookup::directoryPart(file)}});
  };
  run();
  activateWindow();
  // Whatever happened: the first record and the caption of what is there now.
  afterLibraryChanged(0);
  refreshCaption();
}
