#include "editor/carddocument.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPen>
#include <QPrinter>

#include "editor/printtext.h"
#include "vocabulary/tvoclib.h"

namespace {

constexpr int kDefaultFontHeight = 40;  // 4 mm, about 11 points

// Fits count cards of size into the length: count or size may be 0.
void fitAxis(int& count, int& size, int length, QStringList* messages) {
  if (count <= 0) count = size > 0 ? length / size : 1;
  count = std::max(count, 1);
  if (size <= 0) size = length / count;
  if (count * size > length) {
    if (messages) *messages << QString::number(count) + QStringLiteral(" Karten passen nicht nebeneinander auf die Seite!");
    while (count > 1 && count * size > length) --count;
  }
}

}  // namespace

TDocument::Grid TDocument::Fit(QStringList* messages) const {
  Grid g;
  g.across = cards.CX;
  g.cardWidth = cards.CW;
  g.down = cards.CY;
  g.cardHeight = cards.CH;
  fitAxis(g.across, g.cardWidth, paper.width(), messages);
  fitAxis(g.down, g.cardHeight, paper.height(), messages);
  // Margins measured from the paper's top left corner; 0 centres the grid
  // on the template's page, or on the paper when the template names none.
  const int pageWidth = cards.PW > 0 ? cards.PW : paper.width();
  const int pageHeight = cards.PH > 0 ? cards.PH : paper.height();
  g.left = cards.LM > 0 ? cards.LM : std::max(0, (pageWidth - g.across * g.cardWidth) / 2);
  g.top = cards.TM > 0 ? cards.TM : std::max(0, (pageHeight - g.down * g.cardHeight) / 2);
  return g;
}

int TDocument::PageCount(const Grid& grid) const {
  const int n = static_cast<int>(selected.size());
  return std::max(1, (n + grid.PerPage() - 1) / grid.PerPage());
}

std::pair<int, int> TDocument::PrintedPages(int pages) const {
  const int first = std::clamp(firstPage, 1, pages);
  const int last = lastPage < 1 || lastPage > pages ? pages : std::max(lastPage, first);
  return {first, last};
}

QString TDocument::fontFamily(const TTextElement& element) const {
  const QStringList installed = QFontDatabase::families();
  for (const QString& name : {element.fontName, cards.SF})
    if (!name.isEmpty() && installed.contains(name, Qt::CaseInsensitive)) return name;
  return QStringLiteral("Arial");
}

void TDocument::DrawPage(QPainter& painter, const Grid& grid, int page, bool back, const TVocLib& library) const {
  const int shift = back ? backShift : 0;
  if (cutLines) {
    QPen pen(QColor(0x66, 0x66, 0x66));
    pen.setStyle(Qt::DashLine);
    pen.setWidthF(2);
    painter.setPen(pen);
    const int right = grid.left + grid.across * grid.cardWidth;
    const int bottom = grid.top + grid.down * grid.cardHeight;
    for (int c = 0; c <= grid.across; ++c) {
      const int x = grid.left + c * grid.cardWidth + shift;
      painter.drawLine(x, grid.top, x, bottom);
    }
    for (int r = 0; r <= grid.down; ++r) {
      const int y = grid.top + r * grid.cardHeight;
      painter.drawLine(grid.left + shift, y, right + shift, y);
    }
  }
  const int perPage = grid.PerPage();
  const int first = page * perPage;
  const int last = std::min(static_cast<int>(selected.size()), first + perPage);
  for (const TTextElement& element : cards.elements) {
    if (element.back != back) continue;
    for (int i = first; i < last; ++i) {
      const TVokabel* record = library.Item(selected.at(i));
      if (!record) continue;
      const int onPage = i - first;
      const int c = onPage % grid.across;
      const int r = onPage / grid.across;
      // The back is printed on the other side of the sheet: its columns run
      // the other way, and the author's shift evens out the printer's.
      const int column = back ? grid.across - c - 1 : c;
      const int x = grid.left + column * grid.cardWidth + shift + element.x;
      const int y = grid.top + r * grid.cardHeight + element.y;
      drawElement(painter, element, CardTemplates::Placeholder(element.text, *record, title), x, y, grid);
    }
  }
}

void TDocument::drawElement(QPainter& painter, const TTextElement& element, const QString& text, int x, int y,
                            const Grid& grid) const {
  QFont font(fontFamily(element));
  font.setPixelSize(element.fontHeight > 0 ? element.fontHeight : kDefaultFontHeight);
  font.setBold(element.bold);
  font.setItalic(element.italic);
  font.setUnderline(element.underline);
  painter.setFont(font);
  painter.setPen(element.colour);
  const QFontMetricsF metrics(font, painter.device());
  const int fontHeight = font.pixelSize();
  // Without a width of its own (and a card width the template left to the
  // paper) the text takes the rest of the card.
  const int width = element.width > 0 ? element.width : std::max(0, grid.cardWidth - element.x - 20);
  painter.save();
  if (element.height > 0) {
    const QRect box(x, y, width, element.height);
    painter.setClipRect(box);
    const double spacing = 1.2 * fontHeight;
    const QStringList lines = PrintText::Wrap(text, metrics, width);
    for (int n = 0; n < lines.size(); ++n) {
      // An empty line ends the text; a line below the box is not drawn.
      if (lines.at(n).isEmpty() || (n > 0 && n * spacing + fontHeight > element.height)) break;
      painter.drawText(QRectF(x, y + n * spacing, width, spacing), Qt::AlignLeft | Qt::AlignTop,
                       lines.at(n));
    }
  } else {
    // One line, clipped to the rest of the card.
    const QRect box(x, y, width, std::max(0, grid.cardHeight - element.y - 10));
    painter.setClipRect(box);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')));
  }
  painter.restore();
}

bool TDocument::Print(QPrinter& printer, bool back, const TVocLib& library) {
  printer.setFullPage(true);  // the origin is the paper's corner
  const QRectF sheet = printer.pageLayout().fullRect(QPageLayout::Millimeter);
  paper = QSize(qRound(sheet.width() * 10), qRound(sheet.height() * 10));
  const Grid grid = Fit();
  const auto [first, last] = PrintedPages(PageCount(grid));
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  painter.scale(printer.resolution() / 254.0, printer.resolution() / 254.0);
  for (int page = first; page <= last; ++page) {
    if (page > first) printer.newPage();
    DrawPage(painter, grid, page - 1, back, library);
  }
  return painter.end();
}

PageRange PageRange::From(const QString& from, const QString& to, int pages) {
  bool ok = false;
  int first = from.trimmed().toInt(&ok);
  if (!ok) first = 1;
  int last = to.trimmed().toInt(&ok);
  if (!ok) last = 1;
  if (first > last) std::swap(first, last);
  if (first < 1 || first > pages) first = 1;
  PageRange range;
  range.first = first;
  range.last = last < 1 || last > pages ? -1 : last;
  range.all = range.first == 1 && range.last == -1;
  return range;
}
