#pragma once

#include <QString>

#include "common/meaningtext.h"

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

 private:
  int pageCount() const;

  TXDatabase& db_;
  TXPage& page_;
  QString folder_;
  RecordingLookup recordings_;
  bool searched_ = false;
};

// Rows 24 "suchen" and 25 "sr" + N of the page commands.
void RegisterDictionaryCommands(PageCommandTable& table, DictionarySearchPage& search);
