// The editor window's editing, search, preview, score and recording commands.
#include <QCheckBox>
#include <QElapsedTimer>
#include <QHash>
#include <QRadioButton>
#include <QLabel>
#include <QLineEdit>

#include "common/messagebox.h"
#include "editor/editorpreview.h"
#include "editor/editortexts.h"
#include "editor/recordform.h"
#include "editor/recordlistmodel.h"
#include "editor/searchdialogs.h"
#include "editor/tveditor.h"
#include "editor/txreset.h"
#include "environment/environment.h"
#include "sound/wavebasedialog.h"
#include "users/txuserbase.h"
#include "users/userhistory.h"
#include "vocabulary/tbibliothek.h"

void TVEditor::EditSort() {
  if (LibraryEditing::FirstIncompleteRecord(services_.library) >= 0) {
    ShowMessage(EditorTexts::kSortIncomplete);
    return;
  }
  QElapsedTimer timer;
  timer.start();
  LibraryEditing::Sort(services_.library);
  afterLibraryChanged(0);
  StatusPanel[0]->setText(QStringLiteral("Sortiert in %1 ms").arg(timer.elapsed()));
}

void TVEditor::EditMix() {
  if (LibraryEditing::Mix(services_.library)) afterLibraryChanged(0);
}

void TVEditor::EinVor() {
  if (!LibraryEditing::InsertBefore(services_.library, services_.library.Current)) return;
  afterLibraryChanged(services_.library.Current);
  RP->eVokabel->setFocus();
}

void TVEditor::EinNach() {
  const int next = services_.library.Current + 1;
  // After the last record: the next record is the new one.
  if (next >= services_.library.Items.size()) {
    NextRecord();
    return;
  }
  if (!MayLeaveFor(next) || !LibraryEditing::InsertBefore(services_.library, next)) return;
  afterLibraryChanged(next);
  RP->eVokabel->setFocus();
}

void TVEditor::EditDelVoc() {
  LibraryEditing::DeleteRecord(services_.library, services_.library.Current);
  afterLibraryChanged(services_.library.Current);
}

void TVEditor::EditNoDoubles() {
  QElapsedTimer timer;
  timer.start();
  const int removed = LibraryEditing::RemoveDuplicates(services_.library);
  if (removed < 0) {
    ShowMessage(EditorTexts::kNotEnough, MessageKind::Information);
    return;
  }
  setWindowTitle(QStringLiteral(">>> %1 ms").arg(timer.elapsed()));
  afterLibraryChanged(services_.library.Current);
  ShowMessage(QString::number(removed) + EditorTexts::kDuplicatesRemoved, MessageKind::Information);
  refreshCaption();
}

void TVEditor::Umkehren(bool fromCurrent) {
  LibraryEditing::Turn(services_.library, fromCurrent ? services_.library.Current : 0);
  afterLibraryChanged(services_.library.Current);
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
  if (!request || request->text.isEmpty()) return;
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
  const std::optional<LibraryEditing::SearchHit> hit = LibraryEditing::FindNext(services_.library, search_);
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
  const int target = LibraryEditing::GoToTarget(services_.library, text);
  if (target >= 0) SelectRecord(target);
}

// --- Preview ---

void TVEditor::Preview(int kind) { preview_->Key(static_cast<TEditorPreview::Kind>(kind)); }

void TVEditor::PreviewCommand(const QString& command) { preview_->Command(command); }

// --- Scores ---

void TVEditor::ScoreReset() {
  if (!services_.users.IsLoggedIn()) return;
  const TVokabel* record = services_.library.Item(-1);
  if (!record) return;
  const int score = services_.users.ResetHistory(record->Vokabel, record->Deutsch, 5, record->Wortart);
  services_.library.Items[services_.library.Current].Score = score;
  model_->RecordChanged(services_.library.Current);
}

// --- Recordings ---

void TVEditor::recordingSaved(const QString& file) {
  const QString text = services_.library.Vokabel(-1).trimmed();
  if (openRecordingDialog) openRecordingDialog(text, file);
  // Without an entry there is nothing to link: the dialog opens as it is.
  else if (text.isEmpty()) ShowWaveBaseDialog(services_.mainRecordings, services_.env, services_.player, this);
  else ShowWaveBaseDialogAt(services_.mainRecordings, services_.env, text, file, services_.player, this);
  refreshEntryRecording();
}

// --- Resetting a learner's answers ---

void TVEditor::ScoreResetAllX() {
  TXUserBase& users = services_.users;
  if (!users.IsLoggedIn()) return;
  TXReset dialog(users.UserName(), this);
  const bool accepted = resetDialogAnswer ? resetDialogAnswer(dialog) : dialog.exec() == QDialog::Accepted;
  activateWindow();
  if (!accepted) return;
  const int n = dialog.Count();
  const bool positiveOnly = dialog.nurPositiv->isChecked();
  TBibliothek& library = services_.library;
  if (dialog.Bibliothek->isChecked()) {
    // A record that stands twice in the library is one item of the history:
    // its answers are taken back once, and both show the new score.
    QHash<QString, int> done;
    for (TVokabel& record : library.Items) {
      if (record.IsEmpty()) continue;
      const QString key = UserScores::makeKey(record.Vokabel, record.Deutsch, record.Wortart);
      if (const auto found = done.constFind(key); found != done.constEnd()) {
        record.Score = found.value();
        continue;
      }
      if (positiveOnly && record.Score <= 0) continue;
      record.Score = users.ResetHistory(record.Vokabel, record.Deutsch, n, record.Wortart);
      done.insert(key, record.Score);
    }
  } else {
    users.ResetAllHistories(positiveOnly, n);
    library.RefreshScores();
  }
  model_->ScoresChanged();
}
