#include "dictionary/txdatabase.h"

#include <QFile>
#include <algorithm>

#include "common/fileio.h"
#include "common/messagebox.h"
#include "common/random.h"
#include "dictionary/dictionaryfile.h"
#include "dictionary/dictionaryorder.h"

namespace {
constexpr int kNeighbourhood = 9;
}

TXDatabase::TXDatabase() = default;

// --- Files ---

bool TXDatabase::LoadDictionary(const QString& path) {
  Half& d = cur();
  d.fileName = path;
  const std::optional<QByteArray> bytes = FileIO::readBytes(path);
  DictionaryFile::Content content;
  if (bytes) content = DictionaryFile::Parse(*bytes, path);
  const bool damaged = !bytes || content.damaged;
  d.entries.reserve(d.entries.size() + content.entries.size());
  for (const DictionaryFile::RawEntry& e : content.entries) AddEntry(e.Word, e.Class, e.Meaning);
  d.modified = false;
  results_.clear();
  resultPosition_ = -1;
  d.index.Prepare(d.entries);
  if (damaged) {
    // The damaged file must not be overwritten with the little that was read.
    d.fileName.clear();
    ShowMessage(QStringLiteral("Fehler beim Laden des Wörterbuchs!"), MessageKind::Stop);
  }
  notify();
  return !damaged;
}

bool TXDatabase::SaveDirection(int direction, const QString& path) {
  Half& d = dir(direction);
  if (path.isEmpty() || !FileIO::writeAtomically(path, DictionaryFile::Serialize(d.entries, path))) return false;
  // A read-only file was replaced: the new one may be written again.
  QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
  d.modified = false;
  return true;
}

void TXDatabase::LoadBoth(const QString& spanishGermanFile, const QString& germanSpanishFile) {
  SetDirection(true);
  LoadDictionary(germanSpanishFile);
  SetDirection(false);
  LoadDictionary(spanishGermanFile);
}

// --- Directions ---

void TXDatabase::SetDirection(bool germanSpanish) {
  const int wanted = germanSpanish ? kGermanSpanish : kSpanishGerman;
  if (wanted != direction_) {
    direction_ = wanted;
    if (cur().current > EntryCount()) cur().current = 0;
  }
  notify();
}

QString TXDatabase::DirectionName(int direction) {
  return direction == kGermanSpanish ? QStringLiteral("Deutsch-Spanisch") : QStringLiteral("Spanisch-Deutsch");
}

QString TXDatabase::DirectionShortName() const {
  return IsGermanSpanish() ? QStringLiteral("Deutsch-S") : QStringLiteral("Spanisch-D");
}

// --- Entries ---

QString TXDatabase::EntryWord(int index) const {
  index = resolve(index);
  return valid(index) ? cur().entries[index].Word : QString();
}

QString TXDatabase::EntryMeaning(int index) const {
  index = resolve(index);
  return valid(index) ? cur().entries[index].Meaning : QString();
}

int TXDatabase::EntryClass(int index) const {
  index = resolve(index);
  return valid(index) ? cur().entries[index].Wortart : Dictionary::kMinWortart;
}

void TXDatabase::SetEntryWord(int index, const QString& word) {
  index = resolve(index);
  if (!valid(index)) return;
  Half& d = cur();
  d.unordered -= outOfOrder(index - 1) + outOfOrder(index);
  d.entries[index].Word = word;
  d.unordered += outOfOrder(index - 1) + outOfOrder(index);
  changed(false);
}

void TXDatabase::SetEntryMeaning(int index, const QString& meaning) {
  index = resolve(index);
  if (!valid(index)) return;
  cur().entries[index].Meaning = meaning;
  changed(false);
}

void TXDatabase::SetEntryClass(int index, int wortart) {
  index = resolve(index);
  if (!valid(index)) return;
  cur().entries[index].Wortart =
      wortart >= Dictionary::kMinWortart && wortart <= Dictionary::kMaxWortart ? wortart : Dictionary::kMinWortart;
  changed(false);
}

// --- Navigation and editing ---

void TXDatabase::SetCurrentIndex(int index) {
  cur().current = std::clamp(index, 0, std::max(EntryCount() - 1, 0));
  notify();
}

void TXDatabase::FirstEntry() {
  cur().current = 0;
  notify();
}

void TXDatabase::LastEntry() {
  cur().current = std::max(EntryCount() - 1, 0);
  notify();
}

void TXDatabase::NextEntry() {
  if (cur().current < EntryCount() - 1) ++cur().current;
  notify();
}

void TXDatabase::PreviousEntry() {
  Half& d = cur();
  if (d.current > 0) d.current = std::min(d.current - 1, std::max(EntryCount() - 1, 0));
  notify();
}

void TXDatabase::InsertEntry() {
  Half& d = cur();
  const int at = std::clamp(d.current, 0, EntryCount());
  d.current = at;
  d.unordered -= outOfOrder(at - 1);
  d.entries.insert(at, TXDBEintrag{});
  d.unordered += outOfOrder(at - 1) + outOfOrder(at);
  changed(true);
}

void TXDatabase::DeleteEntry() {
  Half& d = cur();
  const int at = d.current;
  if (!valid(at)) return;
  d.unordered -= outOfOrder(at - 1) + outOfOrder(at);
  d.entries.removeAt(at);
  d.unordered += outOfOrder(at - 1);
  if (d.current >= EntryCount() && d.current > 0) --d.current;
  changed(true);
}

void TXDatabase::ClearEntries() {
  Half& d = cur();
  d.entries.clear();
  d.current = 0;
  d.unordered = 0;
  changed(true);
}

void TXDatabase::SortEntries() {
  Half& d = cur();
  if (d.entries.size() >= 2)
    // The files are sorted already, and entries of the same word keep their order.
    std::stable_sort(d.entries.begin(), d.entries.end(), [](const TXDBEintrag& a, const TXDBEintrag& b) {
      return DictionaryOrder::Less(a.Word, b.Word);
    });
  d.unordered = 0;
  changed(true);
}

void TXDatabase::AddEntry(const QString& word, const QString& classText, const QString& meaning) {
  Half& d = cur();
  d.entries.append({word.trimmed(), meaning.trimmed(), DictionaryFile::ClassOf(classText)});
  d.unordered += outOfOrder(EntryCount() - 2);
  d.modified = true;
  d.index.Invalidate();
}

bool TXDatabase::CurrentEntryComplete() const {
  // Without a current entry (an empty direction, or the place after the
  // last entry) there is nothing to complete, and the first entry can be made.
  if (!valid(cur().current)) return true;
  if (!EntryWord().isEmpty() && !EntryMeaning().isEmpty()) return true;
  ShowMessage(QStringLiteral("Der aktuelle Eintrag ist nicht vollständig!"));
  return false;
}

bool TXDatabase::RandomEntry(bool anyClass) {
  Half& d = cur();
  // A draw among the entries that qualify: the same as drawing again until
  // one does, and it ends when none does.
  std::vector<int> candidates;
  for (int k = 0; k < EntryCount(); ++k)
    if (anyClass || d.entries[k].Wortart <= 4) candidates.push_back(k);
  if (candidates.empty()) return false;
  d.current = candidates[static_cast<size_t>(Random::below(static_cast<int>(candidates.size())))];
  notify();
  return true;
}

// --- Lookups ---

int TXDatabase::lowerBound(const QString& word) const {
  const QList<TXDBEintrag>& entries = cur().entries;
  if (cur().unordered == 0)
    return static_cast<int>(std::lower_bound(entries.begin(), entries.end(), word,
                                             [](const TXDBEintrag& e, const QString& w) {
                                               return DictionaryOrder::Less(e.Word, w);
                                             }) -
                            entries.begin());
  // An unsorted list is walked as the files were always read.
  int index = 0;
  while (index < EntryCount() && DictionaryOrder::Less(entries[index].Word, word)) ++index;
  return index;
}

int TXDatabase::FindEntry(const QString& word, int wortart) const {
  if (word.isEmpty() || EntryCount() == 0) return -1;
  // A word after every entry gets the count, so that it is inserted at the end.
  const int index = lowerBound(word);
  if (index >= EntryCount() || !DictionaryOrder::SameWord(EntryWord(index), word) || wortart == -1) return index;
  for (int k = index; k < EntryCount() && DictionaryOrder::SameWord(EntryWord(k), word); ++k)
    if (EntryWord(k) == word && EntryClass(k) == wortart) return k;
  return index;
}

void TXDatabase::LocateEntry(const QString& word, int wortart) {
  Half& d = cur();
  d.current = word.isEmpty() ? 0 : std::max(FindEntry(word, wortart), 0);
  results_.clear();
  resultPosition_ = -1;
  if (EntryCount() > 0) {
    const int last = std::min(std::max(d.current - 1, 0) + kNeighbourhood - 1, EntryCount() - 1);
    const int first = std::max(last - (kNeighbourhood - 1), 0);
    for (int k = first; k <= last; ++k) {
      if (k == d.current) resultPosition_ = static_cast<int>(results_.size());
      results_.append({direction_, k});
    }
  }
  notify();
}

void TXDatabase::GoToEntry(const QString& word, const QString& meaning) {
  if (word.isEmpty() || (EntryWord() == word && EntryMeaning() == meaning)) return;
  const QList<TXDBEintrag>& entries = cur().entries;
  const auto first = std::find_if(entries.begin(), entries.end(), [&](const TXDBEintrag& e) { return e.Word == word; });
  if (first == entries.end()) return;
  int k = static_cast<int>(first - entries.begin());
  cur().current = k;
  for (; k < EntryCount() && entries[k].Word == word; ++k)
    if (entries[k].Meaning == meaning) {
      cur().current = k;
      break;
    }
  notify();
}

// --- Search ---

void TXDatabase::SearchEntries(const QString& text, const SearchOptions& options) {
  results_.clear();
  resultPosition_ = -1;
  if (!text.isEmpty()) {
    if (options.BothDirections) {
      for (int d = kSpanishGerman; d <= kGermanSpanish; ++d) {
        Half& direction = dir(d);
        if (!direction.index.Ready()) direction.index.Prepare(direction.entries);
        direction.index.Find(direction.entries, text, options.WholeWords, d, results_, kMaxHits);
      }
    } else {
      // The words hold the direction's own language: Spanish in 0, German in 1.
      const bool inWords = options.German == IsGermanSpanish();
      const QList<TXDBEintrag>& entries = cur().entries;
      for (int k = 0; k < EntryCount(); ++k)
        if (DictionaryMatch::Contains(inWords ? entries[k].Word : entries[k].Meaning, text, options.WholeWords))
          results_.append({direction_, k});
    }
  }
  notify();
}

// --- Bookkeeping ---

void TXDatabase::changed(bool moved) {
  Half& d = cur();
  d.modified = true;
  d.index.Invalidate();
  if (moved) {
    results_.clear();
    resultPosition_ = -1;
  }
  notify();
}

void TXDatabase::notify() const {
  if (OnChange) OnChange();
}

int TXDatabase::outOfOrder(int k) const {
  const QList<TXDBEintrag>& e = cur().entries;
  return k >= 0 && k + 1 < e.size() && DictionaryOrder::Less(e[k + 1].Word, e[k].Word) ? 1 : 0;
}
