#include "dictionary/dictionarysearchpage.h"

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
  db_.SearchEntries(page_.GetVariable(QStringLiteral("Suchen")), options);
  searched_ = true;
  page_.SetCondition(QStringLiteral("ergebnis"), true);
  page_.SetVariable(QStringLiteral("ergebnis"), CountText(static_cast<int>(db_.Results().size())));
  ShowResultPage(0);
}

int DictionarySearchPage::pageCount() const {
  return static_cast<int>((db_.Results().size() + kHitsPerPage - 1) / kHitsPerPage);
}

QString DictionarySearchPage::HitsMarkup(int n) const {
  QString markup;
  const int hits = static_cast<int>(db_.Results().size());
  for (int i = kHitsPerPage * n; i >= 0 && i < std::min(kHitsPerPage * n + kHitsPerPage, hits); ++i) {
    const DictionaryHit& hit = db_.Results()[i];
    const TXDBEintrag& entry = db_.Entry(hit.Direction, hit.Index);
    markup += QStringLiteral("<+vok>") + SoundLink(entry.Word, recordings_) + QStringLiteral(" <x4><+bed>") +
              FormatMeanings(entry.Meaning, true, false, recordings_) + QStringLiteral("<br>");
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
