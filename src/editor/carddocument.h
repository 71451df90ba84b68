#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include "editor/cardtemplate.h"

class QPainter;
class QPrinter;
class TVocLib;

// The index cards of a library: the template, the records chosen, the page
// range and the two sides. Everything is measured in 0.1 mm from the top
// left corner of the paper, downwards.
class TDocument {
 public:
  // The grid of cards on a page once it is fitted to the paper.
  struct Grid {
    int across = 1;
    int down = 1;
    int cardWidth = 0;
    int cardHeight = 0;
    int left = 0;
    int top = 0;
    int PerPage() const { return across * down; }
  };

  CardTemplate cards;
  QString templateName;
  QSize paper{2100, 2970};  // the paper in 0.1 mm (A4 until a printer says otherwise)
  QList<int> selected;      // the records to print, in library order
  QString title;            // "$TITEL"
  int backShift = 0;        // the back's shift to the right in 0.1 mm (-40..40)
  bool cutLines = true;
  int firstPage = 1;        // 1-based
  int lastPage = -1;        // -1: to the last page

  // The grid for the paper: missing counts fill the page (at least one
  // card), missing card sizes share it, cards that do not fit are fewer
  // (each such correction adds its message), missing margins centre the
  // grid on the template's page (or the paper, without one).
  Grid Fit(QStringList* messages = nullptr) const;
  // Pages for the selected records (at least one).
  int PageCount(const Grid& grid) const;
  // Draws one page (0-based) of the front or the back.
  void DrawPage(QPainter& painter, const Grid& grid, int page, bool back, const TVocLib& library) const;
  // Prints the chosen pages of one side as one job. False when the printer
  // cannot be used.
  bool Print(QPrinter& printer, bool back, const TVocLib& library);

  // The pages to print after the range correction: first..last, 1-based.
  std::pair<int, int> PrintedPages(int pages) const;

 private:
  void drawElement(QPainter& painter, const TTextElement& element, const QString& text, int x, int y,
                   const Grid& grid) const;
  QString fontFamily(const TTextElement& element) const;
};

// The page range fields of the dialog: "von" and "bis" as typed, corrected
// to the pages there are.
struct PageRange {
  int first = 1;
  int last = -1;  // -1: not set
  bool all = true;
  static PageRange From(const QString& from, const QString& to, int pages);
};
