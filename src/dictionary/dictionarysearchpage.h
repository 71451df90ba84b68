#pragma once

#include <QString>

#include "common/meaningtext.h"
#include "dictionary/txdbeintrag.h"

class PageCommandTable;
class TXDatabase;
class TXPage;

// The trainer's dictionary page "wörterbuch.htx": the search with the page's
// input field "Suchen" and switch "ganze" across both directions, and the
// hits shown twelve to a result page in the page variables "sr" (the hits)
// and "srnav" (the page numbers), with "ergebnis" as condition and variable.
class DictionarySearchPage {
 public:
  static constexpr int kHitsPerPage = 12;
  // The card of the page holds this many lines of hits, with this many
  // characters in a line of the meaning column and of the word column.
  static constexpr int kResultLines = 15;
  static constexpr int kMeaningLineChars = 46;
  static constexpr int kWordLineChars = 34;
  static inline const QString kPageFile = QStringLiteral("wörterbuch.htx");

  // pageFolder ends with "/"; recordings give the words their sound links.
  DictionarySearchPage(TXDatabase& db, TXPage& page, QString pageFolder, RecordingLookup recordings = {});

  // Page command "suchen".
  void SearchFromPage();
  // Page command "sr" + N: result page n, counted from 0. Ignored before any
  // search and for a page the hits do not reach.
  void ShowResultPage(int n);

  // "Kein Eintrag gefunden!", "1 Eintrag gefunden." or "n Einträge gefunden.".
  static QString CountText(int hits);
  // The markup of result page n and of the page numbers (empty when all hits fit on one page).
  QString HitsMarkup(int n) const;
  static QString NavigationMarkup(int hits, int n);

  // The meanings of the hits of one result page as they are shown, so that
  // the page holds them: every hit gets a line, and a meaning longer than
  // its line is cut after the meanings that fit (the first one always
  // whole), marked by a final "…". The lines to spare show meanings in
  // full: first those of the searched word's own entries ("casa" and
  // "casa (f)" for "casa"), then those of the others in order.
  static QStringList ShownMeanings(const QList<TXDBEintrag>& hits, const QString& searched);

 private:
  int pageCount() const;

  TXDatabase& db_;
  TXPage& page_;
  QString folder_;
  RecordingLookup recordings_;
  bool searched_ = false;
  QString searchText_;
};

// Rows 24 "suchen" and 25 "sr" + N of the page commands.
void RegisterDictionaryCommands(PageCommandTable& table, DictionarySearchPage& search);
