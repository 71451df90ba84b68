#include "editor/libraryediting.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QHash>
#include <QLocale>
#include <algorithm>
#include <numeric>
#include <vector>

#include "common/random.h"
#include "editor/meaningsets.h"

namespace LibraryEditing {

namespace {

constexpr int kSearchFields = 5;

int lastIndex(const TVocLib& library) { return static_cast<int>(library.Items.size()) - 1; }

// An empty record continuing the direction of the last record, as the
// library's own AddEmpty makes it (without marking the library modified:
// a record without text is not written, so the file does not change).
void appendEmpty(TVocLib& library) {
  TVokabel record = library.EmptyTemplate;
  if (!library.Items.isEmpty()) record.Deutsch = library.Items.last().Deutsch;
  library.Items.append(record);
}

void clampCurrent(TVocLib& library) {
  library.Current = std::clamp(library.Current, 0, std::max(0, lastIndex(library)));
}

// The collator of the sort. The C locale has no order of its own: it
// compares code points (so "árbol" would follow "zapato") and its sort keys
// ignore the case setting. There the program's own language orders instead.
QCollator sortCollator() {
  QLocale locale;
  if (locale.language() == QLocale::C) locale = QLocale(QLocale::German, QLocale::Germany);
  QCollator collator(locale);
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  return collator;
}

}  // namespace

int FirstIncompleteRecord(const TVocLib& library) {
  const int last = lastIndex(library);
  for (int i = 0; i < last; ++i) {
    if (library.Items[i].IsEmpty()) return i;
  }
  return -1;
}

void NormalizeTrailing(TVocLib& library) {
  QList<TVokabel>& items = library.Items;
  // Surplus empty records at the end go, but only those without any text:
  // what the author typed is never dropped, even in an incomplete record.
  while (items.size() >= 2 && items.last().IsEmpty() && items[items.size() - 2].IsEmpty()) {
    if (items.last().HasNoText()) items.removeLast();
    else if (items[items.size() - 2].HasNoText()) items.removeAt(items.size() - 2);
    else break;
  }
  if (items.isEmpty() || !items.last().IsEmpty()) appendEmpty(library);
  clampCurrent(library);
}

QString SortKey(const TVokabel& record) {
  return record.Vokabel + QString::number(record.Wortart) + record.Bedeutung[0] + record.Bedeutung[1];
}

bool Sort(TVocLib& library) {
  if (FirstIncompleteRecord(library) >= 0) return false;
  NormalizeTrailing(library);
  const int count = lastIndex(library);  // the trailing empty record stays where it is

  const QCollator collator = sortCollator();
  std::vector<QCollatorSortKey> keys;
  keys.reserve(count);
  for (int i = 0; i < count; ++i) keys.push_back(collator.sortKey(SortKey(library.Items[i])));

  std::vector<int> order(count);
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    const bool germanA = library.Items[a].Deutsch;
    const bool germanB = library.Items[b].Deutsch;
    if (germanA != germanB) return germanB;  // Spanish records first
    return keys[a].compare(keys[b]) < 0;
  });

  library.Current = 0;
  // An order that stays as it was leaves the library unmodified.
  bool moved = false;
  for (int i = 0; i < count && !moved; ++i) moved = order[i] != i;
  if (!moved) return true;

  QList<TVokabel> sorted;
  sorted.reserve(library.Items.size());
  for (int i : order) sorted.append(std::move(library.Items[i]));
  sorted.append(std::move(library.Items.last()));
  library.Items = std::move(sorted);
  library.Modified = true;
  return true;
}

bool Mix(TVocLib& library) {
  NormalizeTrailing(library);
  const int count = lastIndex(library);  // the trailing empty record stays last
  if (count < 4) return false;
  for (int k = 0; k < count; ++k) {
    const int a = Random::below(count);
    int b = Random::below(count - 1);
    if (b >= a) ++b;  // a different position, every other one equally likely
    library.Items.swapItemsAt(a, b);
  }
  library.Current = 0;
  library.Modified = true;
  return true;
}

void Turn(TVocLib& library, int from) {
  NormalizeTrailing(library);
  // The trailing record is taken out for the walk and put back behind the
  // copies; one holding a typed entry keeps it.
  const TVokabel trailing = library.Items.takeLast();
  const int count = static_cast<int>(library.Items.size());
  from = std::max(from, 0);
  for (int i = from; i < count; ++i) {
    const TVokabel& original = library.Items[i];
    TVokabel copy = library.EmptyTemplate;
    copy.Vokabel = original.Bedeutung[0];
    copy.Bedeutung[0] = original.Vokabel;
    copy.Wortart = original.Wortart;
    copy.Schwierigkeit = original.Schwierigkeit;
    copy.Deutsch = !original.Deutsch;
    library.Items.append(copy);
  }
  if (from < count) library.Modified = true;
  if (!trailing.HasNoText()) library.Items.append(trailing);
  NormalizeTrailing(library);
}

QString MeaningsOf(const TVokabel& record) {
  if (record.Bedeutung[1].isEmpty()) return record.Bedeutung[0];
  return record.Bedeutung[0] + QLatin1String("; ") + record.Bedeutung[1];
}

bool IsDuplicate(const TVokabel& a, const TVokabel& b) {
  return a.Deutsch == b.Deutsch && a.Wortart == b.Wortart && a.Vokabel == b.Vokabel &&
         a.Bedeutung[0].size() + a.Bedeutung[1].size() == b.Bedeutung[0].size() + b.Bedeutung[1].size() &&
         MeaningSets::SameMeanings(MeaningsOf(a), MeaningsOf(b));
}

int RemoveDuplicates(TVocLib& library) {
  if (library.Count() < 2) return -1;
  NormalizeTrailing(library);
  const int count = lastIndex(library);

  // A record goes when it duplicates an earlier record that stays. Only
  // records with the same entry can be duplicates, so each is compared with
  // the kept records of its entry.
  QHash<QString, QList<int>> kept;  // by entry: positions in `result`
  QList<TVokabel> result;
  result.reserve(library.Items.size());
  int removed = 0;
  for (int i = 0; i < count; ++i) {
    const TVokabel& record = library.Items[i];
    QList<int>& group = kept[record.Vokabel];
    const bool duplicate =
        std::any_of(group.cbegin(), group.cend(), [&](int k) { return IsDuplicate(result[k], record); });
    if (duplicate) {
      ++removed;
      continue;
    }
    group.append(static_cast<int>(result.size()));
    result.append(record);
  }
  if (removed == 0) return 0;

  result.append(library.Items.last());
  library.Items = std::move(result);
  library.Modified = true;
  NormalizeTrailing(library);
  return removed;
}

bool InsertBefore(TVocLib& library, int index) {
  if (index < 0 || index > lastIndex(library)) return false;
  const bool atTrailing = index == lastIndex(library) && library.Items[index].IsEmpty();
  // The trailing record is where a new entry is typed already; a record goes
  // before it only to follow a complete one.
  if (atTrailing && index == 0) return false;
  if (!atTrailing && library.Items[index].IsEmpty()) return false;
  if (index > 0 && library.Items[index - 1].IsEmpty()) return false;

  TVokabel record = library.EmptyTemplate;
  record.Deutsch = library.Items[index].Deutsch;
  library.Items.insert(index, record);
  library.Current = index;
  library.Modified = true;
  return true;
}

void DeleteRecord(TVocLib& library, int index) {
  if (index < 0 || index > lastIndex(library)) return;
  const bool wasBlankTrailing = index == lastIndex(library) && library.Items[index].HasNoText();
  library.Items.removeAt(index);
  if (library.Items.isEmpty()) library.Items.append(library.EmptyTemplate);
  // Removing the blank trailing record only brings it back: nothing changed.
  if (!wasBlankTrailing) library.Modified = true;
  NormalizeTrailing(library);
  library.Current = std::min(index, lastIndex(library));
}

QString SearchField(const TVokabel& record, int field) {
  switch (field) {
    case 0: return record.Vokabel;
    case 1: return record.Bedeutung[0];
    case 2: return record.Bedeutung[1];
    case 3: return record.Kontext[0];
    case 4: return record.Kontext[1];
    default: return QString();
  }
}

std::optional<SearchHit> FindNext(const TVocLib& library, SearchState& state) {
  const int records = static_cast<int>(library.Items.size());
  if (state.text.isEmpty() || records == 0) return std::nullopt;
  const Qt::CaseSensitivity cs = state.caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;

  // The walk starts just after the last hit and goes once round the library.
  // It ends in the record it started in, before the start, so that a text
  // occurring only once is found again.
  int startRecord = 0;
  int startField = 0;
  int startPosition = 0;
  if (state.record >= 0 && state.record < records) {
    startRecord = state.record;
    startField = std::clamp(state.field, 0, kSearchFields - 1);
    startPosition = std::max(state.position + 1, 0);
  }

  for (int step = 0; step <= records; ++step) {
    const int r = (startRecord + step) % records;
    const TVokabel& record = library.Items[r];
    for (int field = 0; field < kSearchFields; ++field) {
      qsizetype from = 0;
      if (step == 0) {
        if (field < startField) continue;
        if (field == startField) from = startPosition;
      } else if (step == records && field > startField) {
        break;
      }
      const QString text = SearchField(record, field);
      if (from > text.size()) continue;
      const qsizetype at = text.indexOf(state.text, from, cs);
      if (at < 0) continue;
      if (step == records && field == startField && at >= startPosition) break;  // searched at the start
      state.record = r;
      state.field = field;
      state.position = static_cast<int>(at);
      return SearchHit{r, field, static_cast<int>(at), static_cast<int>(state.text.size())};
    }
  }
  return std::nullopt;
}

int GoToTarget(const TVocLib& library, const QString& text) {
  const QString target = text.trimmed();
  if (target.isEmpty()) return -1;
  bool isNumber = false;
  const int number = target.toInt(&isNumber);
  if (isNumber) return number >= 1 && number <= library.Count() ? number - 1 : -1;
  for (int i = 0; i < library.Items.size(); ++i) {
    if (library.Items[i].Vokabel.startsWith(target, Qt::CaseInsensitive)) return i;
  }
  return -1;
}

}  // namespace LibraryEditing
