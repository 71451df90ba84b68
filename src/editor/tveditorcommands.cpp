// The editor window's editing, search, preview, score and recording commands.
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>

#include "common/messagebox.h"
#include "editor/editorpreview.h"
#include "editor/editortexts.h"
#include "editor/recordform.h"
#include "editor/recordlistmodel.h"
#include "editor/searchdialogs.h"
#include "editor/tveditor.h"
#include "environment/environment.h"
#include "sound/wavebasedialog.h"
#include "users/txuserbase.h"
#include "vocabulary/tbibliothek.h"

#include <QCheckBox>

void TVEditor::EditSort() {
  if (LibraryEditing::FirstIncompleteRecord(s_.library) >= 0) {
    ShowMessage(EditorTexts::kSortIncomplete);
    return;
  }
  QElapsedTimer timer;
  timer.start();
  LibraryEditing::Sort(s_.library);
  afterLibraryChanged(0);
  StatusPanel[0]->setText(QStringLiteral("Sortiert in %1 ms").arg(timer.elapsed()));
}

void TVEditor::EditMix() {
  if (LibraryEditing::Mix(s_.library)) afterLibraryChanged(0);
}

void TVEditor::EinVor() {
  if (!LibraryEditing::InsertBefore(s_.library, s_.library.Current)) return;
  afterLibraryChanged(s_.library.Current);
  RP->eVokabel->setFocus();
}

void TVEditor::EinNach() {
  const int before = s_.library.Current;
  NextRecord();
  if (s_.library.Current != before) EinVor();
}

void TVEditor::EditDelVoc() {
  LibraryEditing::DeleteRecord(s_.library, s_.library.Current);
  afterLibraryChanged(s_.library.Current);
}

void TVEditor::EditNoDoubles() {
  QElapsedTimer timer;
  timer.start();
  const int removed = LibraryEditing::RemoveDuplicates(s_.library);
  if (removed < 0) {
    ShowMessage(EditorTexts::kNotEnough, MessageKind::Information);
    return;
  }
  setWindowTitle(QStringLiteral(">>> %1 ms").arg(timer.elapsed()));
  afterLibraryChanged(s_.library.Current);
  ShowMessage(QString::number(removed) + EditorTexts::kDuplicatesRemoved, MessageKind::Information);
  refreshCaption();
}

void TVEditor::Umkehren(bool fromCurrent) {
  LibraryEditing::Turn(s_.library, fromCurrent ? s_.library.Current : 0);
  afterLibraryChanged(s_.library.Current);
}

// --- Search and go to ---

void TVEditor::Suchen() {
  SearchRequest last{search_.text, search_.text.isEmpty() ? false : search_.caseSensitive};
  std::optional<SearchRequest> request;
  if (askSearch) {
    request = askSearch(last);
  } else {
    TEdSuchen dialog(this);
    dialog.Begriff->setText(last.text);
    dialog.Begriff->selectAll();
    dialog.CaseBox->setChecked(last.caseSensitive);
    if (dialog.exec() == QDialog::Accepted) request = SearchRequest{dialog.Begriff->text(), dialog.CaseBox->isChecked()};
    activateWindow();  // the keys go back to the window, also where no window manager does it
  }
  if (!request) return;
  // A new search: from the first record.
  search_ = LibraryEditing::SearchState{};
  search_.text = request->text;
  search_.caseSensitive = request->caseSensitive;
  Weitersuchen();
}

void TVEditor::Weitersuchen() {
  if (search_.text.isEmpty()) {
    Suchen();
    return;
  }
  const std::optional<LibraryEditing::SearchHit> hit = LibraryEditing::FindNext(s_.library, search_);
  if (!hit) {
    ShowMessage(EditorTexts::kSearchFailed, MessageKind::Information);
    return;
  }
  if (!SelectRecord(hit->record)) return;
  QLineEdit* fields[] = {RP->eVokabel, RP->eBedeutung0, RP->eBedeutung1, RP->eKontext0, RP->eKontext1};
  QLineEdit* field = fields[hit->field];
  field->setFocus();
  field->setSelection(hit->position, hit->length);
}

void TVEditor::GoToPos() {
  std::optional<QString> text;
  if (askGoTo) {
    text = askGoTo();
  } else {
    TEdGoTo dialog(this);
    if (dialog.exec() == QDialog::Accepted) text = dialog.Begriff->text();
    activateWindow();
  }
  if (text) GoTo(*text);
}

void TVEditor::GoTo(const QString& text) {
  const int target = LibraryEditing::GoToTarget(s_.library, text);
  if (target >= 0) SelectRecord(target);
}

// --- Preview ---

void TVEditor::Preview(int kind) { preview_->Key(static_cast<TEditorPreview::Kind>(kind)); }

void TVEditor::PreviewCommand(const QString& command) { preview_->Command(command); }

// --- Scores ---

void TVEditor::ScoreReset() {
  if (!s_.users.IsLoggedIn()) return;
  const TVokabel* record = s_.library.Item(-1);
  if (!record) return;
  const int score = s_.users.ResetHistory(record->Vokabel, record->Deutsch, 5, record->Wortart);
  s_.library.Items[s_.library.Current].Score = score;
  model_->RecordChanged(s_.library.Current);
}

// --- Recordings ---

void TVEditor::recordingSaved(const QString& file) {
  const QString text = s_.library.Vokabel(-1);
  if (openRecordingDialog) openRecordingDialog(text, file);
  else ShowWaveBaseDialogAt(s_.mainRecordings, s_.env, text, file, s_.player, this);
  refreshEntryRecording();
}
