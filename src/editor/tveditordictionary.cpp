// The editor window's work with the dictionary: the lookup of the current
// record, the copy of an entry into the record, the checks of the library
// against the dictionary, the alignment of a record with its entry and the
// random library drawn from the dictionary.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "common/messagebox.h"
#include "common/random.h"
#include "dictionary/txdatabase.h"
#include "editor/dictionarycheck.h"
#include "editor/dictionarypanel.h"
#include "editor/editortexts.h"
#include "editor/meaningsets.h"
#include "editor/recordform.h"
#include "editor/recordlistmodel.h"
#include "editor/tveditor.h"
#include "editor/txwb.h"
#include "editor/tzufall.h"
#include "vocabulary/tbibliothek.h"

namespace {

// a, then "; " and b when a is not empty.
QString appended(const QString& a, const QString& b) { return a.isEmpty() ? b : a + QLatin1String("; ") + b; }

}  // namespace

bool TVEditor::AlwaysLookupOn() const { return Action(QStringLiteral("AlwaysLookup"))->isChecked(); }

bool TVEditor::AutomaticOn() const { return Action(QStringLiteral("WBAutomatik"))->isChecked(); }

void TVEditor::LookUp() {
  const TVokabel* record = services_.library.Item(-1);
  if (!record) return;
  TXDatabase& db = services_.dictionary;
  // German entries are looked up in the German-Spanish half, Spanish ones in the other.
  if (db.IsGermanSpanish() != record->Deutsch) db.SetDirection(record->Deutsch);
  db.LocateEntry(record->Vokabel, record->Wortart + 1);
}

void TVEditor::CopyDBX() {
  TXDatabase& db = services_.dictionary;
  const TVokabel* record = services_.library.Item(-1);
  // Nothing to copy without a current entry (an empty dictionary, or the
  // place after its last entry).
  if (!record || db.CurrentIndex() < 0 || db.CurrentIndex() >= db.EntryCount()) return;
  const QString word = db.EntryWord();
  const QString meaning = db.EntryMeaning();
  const int entryClass = db.EntryClass();
  copyRunning_ = true;
  const QString before = RP->eVokabel->text();
  // The record's side of the entry: the word when the languages agree.
  const bool sameSide = db.IsGermanSpanish() == record->Deutsch;
  RP->eVokabel->setText(sameSide ? word : meaning);
  const DictionaryCheck::MeaningFields shown{RP->eBedeutung0->text(), RP->eBedeutung1->text()};
  const DictionaryCheck::MeaningFields next = DictionaryCheck::NextCopyLayout(shown, sameSide ? meaning : word);
  RP->eBedeutung0->setText(next.first);
  RP->eBedeutung1->setText(next.second);
  const bool contexts = !RP->eKontext0->text().isEmpty() || !RP->eKontext1->text().isEmpty();
  if (contexts && RP->eVokabel->text() != before &&
      AskQuestion(EditorTexts::kAlsoClearContexts, MessageButtons::YesNo) == MessageAnswer::Yes) {
    RP->eKontext0->clear();
    RP->eKontext1->clear();
  }
  RP->EWortart->setCurrentIndex(entryClass - 1);
  copyRunning_ = false;
}

void TVEditor::BibliothekKontrollieren() {
  if (checkRunning_) abortRequested_ = true;
  else Kontrollieren();
}

int TVEditor::lastRecordToCheck() const {
  const TVocLib& lib = services_.library;
  const int last = static_cast<int>(lib.Items.size()) - 1;
  return last >= 0 && lib.IsEmpty(last) ? last - 1 : last;
}

bool TVEditor::mayStartCheck() const {
  // A check goes from the current record on; an incomplete one may not be left.
  const TVocLib& lib = services_.library;
  if (lib.Current > lastRecordToCheck() || !lib.IsEmpty(lib.Current)) return true;
  ShowMessage(EditorTexts::kIncompleteRecord);
  return false;
}

void TVEditor::Kontrollieren() {
  if (checkRunning_ || !mayStartCheck()) return;
  Action(QStringLiteral("AlwaysLookup"))->setChecked(true);
  checkRunning_ = true;
  abortRequested_ = false;
  lockForCheck(true);
  LookUp();
  TVocLib& lib = services_.library;
  TXDatabase& db = services_.dictionary;
  bool stopped = false;
  for (int i = lib.Current; i <= lastRecordToCheck() && !abortRequested_ && !stopped; ++i) {
    // An incomplete record is left for the author; the form would go on
    // showing the record before it.
    if (lib.IsEmpty(i)) continue;
    if (!SelectRecord(i)) {
      stopped = true;
      break;
    }
    const QString k = DictionaryCheck::Key(RP->EWortart->currentIndex(), RP->eVokabel->text());
    const QString m = DictionaryCheck::RecordMeanings(RP->eBedeutung0->text(), RP->eBedeutung1->text());
    const QString e = DictionaryCheck::Key(WP->DBWortart->currentIndex(), WP->dbVokabel->text());
    const QString d = WP->dbBedeutung->toPlainText();
    switch (DictionaryCheck::CompareWithDictionary(k, m, e, d)) {
      case DictionaryCheck::Result::MissingWord:
        if (!AutomaticOn() && AskQuestion(EditorTexts::kNotInDictionary) != MessageAnswer::Yes) {
          stopped = true;
          break;
        }
        // Where the lookup stopped: before the first entry after the word.
        db.InsertEntry();
        db.SetEntryWord(-1, RP->eVokabel->text());
        db.SetEntryMeaning(-1, m);
        db.SetEntryClass(-1, RP->EWortart->currentIndex() + 1);
        LookUp();
        break;
      case DictionaryCheck::Result::TakeFromEntry:
        CopyDBX();
        break;
      case DictionaryCheck::Result::ClassMismatch:
        ShowMessage(EditorTexts::kClassMismatch, MessageKind::Information);
        stopped = true;
        break;
      case DictionaryCheck::Result::MeaningsDiffer:
        stopped = !extendMeanings(m, d);
        break;
      case DictionaryCheck::Result::Agree:
        break;
    }
    // The author's Escape or Ctrl+K reaches the check between two records.
    if (!stopped) QCoreApplication::processEvents();
  }
  if (abortRequested_) {
    abortRequested_ = false;
    ShowMessage(EditorTexts::kCheckAborted, MessageKind::Information);
  } else if (!stopped) {
    ShowMessage(EditorTexts::kCheckFinished, MessageKind::Information);
  }
  lockForCheck(false);
  checkRunning_ = false;
}

bool TVEditor::extendMeanings(QString recordOnly, QString entryOnly) {
  MeaningSets::CompareMeaningSets(recordOnly, entryOnly, true);
  TXDatabase& db = services_.dictionary;
  const auto takeIntoRecord = [&] { RP->eBedeutung1->setText(appended(RP->eBedeutung1->text(), entryOnly)); };
  const auto takeIntoEntry = [&] { db.SetEntryMeaning(-1, appended(db.EntryMeaning(), recordOnly)); };
  if (recordOnly.isEmpty()) {
    if (AskQuestion(EditorTexts::MoreMeaningsInDictionary(entryOnly)) != MessageAnswer::Yes) return false;
    takeIntoRecord();
  } else if (entryOnly.isEmpty()) {
    if (AskQuestion(EditorTexts::MeaningsNotInDictionary(recordOnly)) != MessageAnswer::Yes) return false;
    takeIntoEntry();
  } else {
    if (AskQuestion(EditorTexts::ExtendBoth(recordOnly, entryOnly)) != MessageAnswer::Yes) return false;
    takeIntoRecord();
    takeIntoEntry();
  }
  return true;
}

void TVEditor::XPressCon() {
  if (!mayStartCheck()) return;
  TVocLib& lib = services_.library;
  TXDatabase& db = services_.dictionary;
  for (int i = std::max(lib.Current, 0); i <= lastRecordToCheck(); ++i) {
    if (lib.IsEmpty(i)) continue;
    const TVokabel record = lib.Items.at(i);
    if (db.IsGermanSpanish() != record.Deutsch) db.SetDirection(record.Deutsch);
    const int found = db.FindEntry(record.Vokabel, record.Wortart + 1);
    const QString k = DictionaryCheck::Key(record.Wortart + 1, record.Vokabel);
    const QString m = DictionaryCheck::RecordMeanings(record.Bedeutung[0], record.Bedeutung[1]);
    // -1: an empty dictionary half, where nothing is found (not the current entry).
    const QString e = found < 0 ? QString() : DictionaryCheck::Key(db.EntryClass(found), db.EntryWord(found));
    const QString d = found < 0 ? QString() : db.EntryMeaning(found);
    switch (DictionaryCheck::CompareWithDictionary(k, m, e, d)) {
      case DictionaryCheck::Result::MissingWord:
        if (!SelectRecord(i)) return;
        if (!AutomaticOn() && AskQuestion(EditorTexts::kNotInDictionary) != MessageAnswer::Yes) return;
        db.LocateEntry(record.Vokabel, record.Wortart + 1);
        db.InsertEntry();
        db.SetEntryWord(-1, record.Vokabel);
        db.SetEntryMeaning(-1, m);
        db.SetEntryClass(-1, record.Wortart + 1);
        LookUp();
        break;
      case DictionaryCheck::Result::ClassMismatch:
        if (SelectRecord(i)) ShowMessage(EditorTexts::kClassMismatch, MessageKind::Information);
        return;
      case DictionaryCheck::Result::MeaningsDiffer:
        if (SelectRecord(i)) ShowMessage(EditorTexts::OtherMeanings(m, d));
        return;
      case DictionaryCheck::Result::Agree:
      case DictionaryCheck::Result::TakeFromEntry:
        break;
    }
  }
  ShowMessage(EditorTexts::kCheckFinished, MessageKind::Information);
}

bool TVEditor::noHomonymAround() const {
  // Another entry of the same word next to the current one (the same word
  // in another class) makes the entry's class no evidence for the record's.
  const TXDatabase& db = services_.dictionary;
  const int at = db.CurrentIndex();
  const QString word = db.EntryWord(at);
  for (const int neighbour : {at - 1, at + 1})
    if (neighbour >= 0 && neighbour < db.EntryCount() && db.EntryWord(neighbour) == word) return false;
  return true;
}

void TVEditor::Kontexteabgleichen() {
  if (!services_.library.Item(-1)) return;
  LookUp();
  const QString aligned = DictionaryCheck::AlignedEntry(RP->eVokabel->text());
  if (aligned != RP->eVokabel->text()) RP->eVokabel->setText(aligned);
  bool inOrder = true;
  for (QLineEdit* context : {RP->eKontext0, RP->eKontext1}) {
    const DictionaryCheck::RepairedContext repaired = DictionaryCheck::RepairContext(context->text());
    if (repaired.text != context->text()) context->setText(repaired.text);
    if (!repaired.inOrder) {
      inOrder = false;
      break;  // the second context waits until the first is in order
    }
  }
  if (!inOrder) return;
  const TXDatabase& db = services_.dictionary;
  const QString v = db.EntryWord();
  const QString meaning = db.EntryMeaning();
  const int entryIndex = db.EntryClass() - 1;
  QString w = DictionaryCheck::DictionarySpelling(RP->eVokabel->text(), v);
  if (w != RP->eVokabel->text()) RP->eVokabel->setText(w);
  if (w != v) {
    if (DictionaryCheck::IsGenderVariant(w, v)) {
      RP->eVokabel->setText(v);
      RP->eBedeutung0->setText(meaning);
      RP->EWortart->setCurrentIndex(entryIndex);
    }
    return;
  }
  if (RP->EWortart->currentIndex() == entryIndex) {
    RP->eBedeutung0->setText(meaning);
  } else if (RP->EWortart->currentIndex() == 0 && noHomonymAround()) {
    RP->eBedeutung0->setText(meaning);
    RP->EWortart->setCurrentIndex(entryIndex);
  }
}

void TVEditor::RandomX() {
  TZufall dialog(this);
  const bool accepted = randomDialogAnswer ? randomDialogAnswer(dialog) : dialog.exec() == QDialog::Accepted;
  activateWindow();
  if (!accepted || SaveChCancelled()) return;
  Clear();
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  QAction* lookup = Action(QStringLiteral("AlwaysLookup"));
  const bool lookupWas = lookup->isChecked();
  lookup->setChecked(false);
  TVocLib& lib = services_.library;
  TXDatabase& db = services_.dictionary;
  int drawn = 0;
  for (int n = 0; n < dialog.Size(); ++n) {
    // German-Spanish for the share of German records (1..100 against the
    // Spanish per cent: 100 gives no German record, 0 only German ones).
    const bool german = dialog.SpanishPercent() < 1 + Random::below(100);
    db.SetDirection(german);
    if (!db.RandomEntry(dialog.Phrases())) {
      // This half has nothing to draw from: the other one may.
      db.SetDirection(!german);
      if (!db.RandomEntry(dialog.Phrases())) break;
    }
    lib.SetDeutsch(-1, db.IsGermanSpanish());
    RP->ShowCurrent();
    CopyDBX();
    if (lib.IsEmpty(lib.Current)) {
      // An entry without word or meaning makes no record.
      lib.Items[lib.Current] = TVokabel{};
      lib.SetDeutsch(-1, db.IsGermanSpanish());
      RP->ShowCurrent();
      continue;
    }
    ++drawn;
    lib.AddEmpty();
    lib.Current = static_cast<int>(lib.Items.size()) - 1;
    model_->Rebuild();
    RP->ShowCurrent();
  }
  if (dialog.Alphabetical()) LibraryEditing::Sort(lib);
  afterLibraryChanged(0);
  lookup->setChecked(lookupWas);
  QGuiApplication::restoreOverrideCursor();
  if (drawn == 0) ShowMessage(EditorTexts::kNothingToDraw, MessageKind::Information);
  if (lookupWas) LookUp();
}

void TVEditor::lockForCheck(bool on) {
  if (!on) {
    for (QAction* action : std::as_const(lockedActions_)) action->setEnabled(true);
    lockedActions_.clear();
    return;
  }
  // Every command that could change the library or the dictionary waits
  // for the check; the check's own command stays to end it.
  QList<QAction*> all = actions_.values() + wb_->Actions();
  for (QAction* action : all) {
    if (action == Action(QStringLiteral("xControl")) || !action->isEnabled()) continue;
    action->setEnabled(false);
    lockedActions_.append(action);
  }
}
