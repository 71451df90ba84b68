#include "dictionary/dictionarysearchpage.h"

#include <algorithm>

#include "common/pagecommandtable.h"
#include "dictionary/txdatabase.h"
#include "pages/txpage.h"
#include "vocabulary/answers.h"

DictionarySearchPage::DictionarySearchPage(TXDatabase& db, TXPage& page, QString pageFolder,
                                           RecordingLookup recordings)
    : db_(db), page_(page), folder_(std::move(pageFolder)), recordings_(std::move(recordings)) {}

QString DictionarySearchPage::CountText(int hits) {
  if (hits == 0) return QStringLiteral("Kein Eintrag gefunden!");
  if (hits == 1) return QStringLiteral("1 Eintrag gefunden.");
  return QString::number(hits) + QStringLiteral(" Einträge gefunden.");
}

void DictionarySearchPage::SearchFromPage() {
  TXDatabase::SearchOptions options;
  options.WholeWords = page_.IsCondition(QStringLiteral("ganze"));
  options.BothDirections = true;
  searchText_ = page_.GetVariable(QStringLiteral("Suchen"));
  db_.SearchEntries(searchText_, options);
  searched_ = true;
  page_.SetCondition(QStringLiteral("ergebnis"), true);
  page_.SetVariable(QStringLiteral("ergebnis"), CountText(static_cast<int>(db_.Results().size())));
  ShowResultPage(0);
}

int DictionarySearchPage::pageCount() const {
  return static_cast<int>((db_.Results().size() + kHitsPerPage - 1) / kHitsPerPage);
}

namespace {

int linesOf(const QString& text, int lineChars) {
  return std::max(1, static_cast<int>((text.size() + lineChars - 1) / lineChars));
}

// The meanings that fit into one line, the first one always.
QString cutToLine(const QString& meaning, int lineChars) {
  const QStringList items = SplitMeanings(meaning);
  QString cut = items.value(0).trimmed();
  for (int i = 1; i < items.size(); ++i) {
    const QString next = cut + QStringLiteral("; ") + items[i].trimmed();
    if (next.size() + 2 > lineChars) break;
    cut = next;
  }
  return cut;
}

bool isSearchedWord(const QString& word, const QString& searched) {
  if (searched.isEmpty()) return false;
  return word == searched || (word.startsWith(searched + QStringLiteral(" (")) && word.endsWith(QLatin1Char(')')));
}

}  // namespace

QStringList DictionarySearchPage::ShownMeanings(const QList<TXDBEintrag>& hits, const QString& searched) {
  const int count = static_cast<int>(hits.size());
  QStringList shown;
  QList<int> fullLines;  // the lines each hit needs in full
  int spare = kResultLines;
  for (const TXDBEintrag& hit : hits) {
    const int wordLines = linesOf(hit.Word, kWordLineChars);
    fullLines << std::max(wordLines, linesOf(hit.Meaning, kMeaningLineChars));
    shown << cutToLine(hit.Meaning, kMeaningLineChars);
    spare -= std::max(wordLines, linesOf(shown.last(), kMeaningLineChars));
  }
  auto expand = [&](int i) {
    if (shown[i] == hits[i].Meaning) return;
    const int cutLines = std::max(linesOf(hits[i].Word, kWordLineChars), linesOf(shown[i], kMeaningLineChars));
    if (fullLines[i] - cutLines > spare) return;
    spare -= fullLines[i] - cutLines;
    shown[i] = hits[i].Meaning;
  };
  for (int i = 0; i < count; ++i)
    if (isSearchedWord(hits[i].Word, searched)) expand(i);
  for (int i = 0; i < count; ++i) expand(i);
  return shown;
}

QString DictionarySearchPage::HitsMarkup(int n) const {
  const int hits = static_cast<int>(db_.Results().size());
  QList<TXDBEintrag> entries;
  for (int i = kHitsPerPage * n; i >= 0 && i < std::min(kHitsPerPage * n + kHitsPerPage, hits); ++i) {
    const DictionaryHit& hit = db_.Results()[i];
    entries << db_.Entry(hit.Direction, hit.Index);
  }
  const QStringList meanings = ShownMeanings(entries, searchText_);
  QString markup;
  for (int i = 0; i < entries.size(); ++i) {
    const bool cut = meanings[i] != entries[i].Meaning;
    markup += QStringLiteral("<+vok>") + SoundLink(entries[i].Word, recordings_) + QStringLiteral(" <x4><+bed>") +
              FormatMeanings(meanings[i], true, false, recordings_) + (cut ? QStringLiteral(" …") : QString()) +
              QStringLiteral("<br>");
  }
  return markup;
}

QString DictionarySearchPage::NavigationMarkup(int hits, int n) {
  if (hits <= kHitsPerPage) return QString();
  const int pages = (hits + kHitsPerPage - 1) / kHitsPerPage;
  QStringList items;
  for (int i = 1; i <= pages; ++i)
    items << (i == n + 1 ? QStringLiteral("[%1]").arg(i)
                         : QStringLiteral("<a href=\"\u00a7sr%1\" >%1</a>").arg(i));
  return items.join(QLatin1Char(' '));
}

void DictionarySearchPage::ShowResultPage(int n) {
  // Before a search there are no pages, and a page the hits do not reach
  // would only show an empty list: the page stays as it is.
  if (!searched_ || n < 0 || (n > 0 && n >= pageCount())) return;
  page_.SetVariable(QStringLiteral("sr"), HitsMarkup(n));
  page_.SetVariable(QStringLiteral("srnav"), NavigationMarkup(static_cast<int>(db_.Results().size()), n));
  page_.setXFile(folder_ + kPageFile);
}

void RegisterDictionaryCommands(PageCommandTable& table, DictionarySearchPage& search) {
  using T = PageCommandTable;
  table.Add(24, T::Exact(QStringLiteral("suchen")), [&search](const QString&) { search.SearchFromPage(); });
  table.Add(25, T::StartsWith(QStringLiteral("sr")), [&search](const QString& command) {
    if (const std::optional<int> n = T::NumberAt(command, 3); n && *n >= 1) search.ShowResultPage(*n - 1);
  });
}
