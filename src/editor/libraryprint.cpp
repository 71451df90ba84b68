#include "editor/libraryprint.h"

#include <QFileInfo>
#include <QPainter>
#include <QPrinter>

#include "common/messagebox.h"
#include "editor/printtext.h"
#include "vocabulary/tvoclib.h"

namespace LibraryPrint {

namespace {

QFont listFont(bool bold, bool italic) {
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(kFontHeight);
  f.setBold(bold);
  f.setItalic(italic);
  return f;
}

// The number of records to print: the trailing empty record is not one.
int printedCount(const TVocLib& library) { return library.Count(); }

}  // namespace

bool HasRecords(const TVocLib& library) { return printedCount(library) > 0; }

QString Abbreviation(int wortart) {
  static const char* const kNames[] = {"N.", "V.", "Adj.", "kl. W.", "Rw. m. V.", "Rw. o. V."};
  return wortart >= 0 && wortart < 6 ? QString::fromUtf8(kNames[wortart]) : QString();
}

QList<RecordLines> Layout(const TVocLib& library, const QFontMetricsF& metrics, int pageWidth) {
  QList<RecordLines> out;
  for (int i = 0; i < printedCount(library); ++i) {
    const TVokabel& r = library.Items.at(i);
    RecordLines lines;
    lines.record = i;
    lines.entry = PrintText::Wrap(r.Vokabel, metrics, 860, 3);
    const QString meanings =
        r.Bedeutung[1].isEmpty() ? r.Bedeutung[0] : r.Bedeutung[0] + QLatin1String("; ") + r.Bedeutung[1];
    lines.meanings = PrintText::Wrap(meanings, metrics, std::max(100, pageWidth - 1350), 5);
    for (const QString& k : r.Kontext)
      if (!k.isEmpty()) lines.contexts += PrintText::Wrap(k, metrics, 810, 5);
    out << lines;
  }
  return out;
}

QList<QList<RecordLines>> Pages(const QList<RecordLines>& records, int pageHeight) {
  const int perPage = std::max(1, (pageHeight - 210) / kLineHeight);
  QList<QList<RecordLines>> pages;
  QList<RecordLines> page;
  int used = 0;
  for (const RecordLines& r : records) {
    // A record taller than a page gets a page of its own, cut at its foot.
    if (!page.isEmpty() && used + r.Height() > perPage) {
      pages << page;
      page.clear();
      used = 0;
    }
    page << r;
    used += r.Height();
  }
  if (!page.isEmpty()) pages << page;
  return pages;
}

bool Print(QPrinter& printer, const TVocLib& library) {
  if (printedCount(library) == 0) {
    ShowMessage(QStringLiteral("Welche Vokabeln soll ich drucken?!"), MessageKind::Stop);
    return false;
  }
  printer.setFullPage(false);
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const double unit = printer.resolution() / 254.0;
  painter.scale(unit, unit);
  const QRectF area = printer.pageLayout().paintRect(QPageLayout::Millimeter);
  const int width = qRound(area.width() * 10);
  const int height = qRound(area.height() * 10);
  const bool fine = printer.resolution() > 300;
  const QFont regular = listFont(false, false);
  const QFont bold = listFont(true, false);
  const QFont italic = listFont(false, true);
  const QFontMetricsF boldMetrics(bold, &printer);
  const QList<QList<RecordLines>> pages = Pages(Layout(library, boldMetrics, width), height);
  const int perPage = std::max(1, (height - 210) / kLineHeight);
  const QString name = QFileInfo(library.FileName).fileName();

  for (int p = 0; p < pages.size(); ++p) {
    if (p > 0) printer.newPage();
    // The header band: black with white text where the printer is fine
    // enough, an outline otherwise.
    const QRect band(20, 20, width - 40, 100);
    painter.setPen(Qt::black);
    if (fine) painter.fillRect(band, Qt::black);
    else painter.drawRect(band);
    painter.setPen(fine ? Qt::white : Qt::black);
    painter.setFont(bold);
    painter.drawText(QRect(20, 55, width - 40, kLineHeight), Qt::AlignHCenter | Qt::AlignTop, name);
    painter.setFont(regular);
    painter.drawText(QRect(20, 55, width - 120, kLineHeight), Qt::AlignRight | Qt::AlignTop,
                     QStringLiteral("S. ") + QString::number(p + 1));
    painter.setPen(Qt::black);

    int line = 0;
    for (const RecordLines& r : pages.at(p)) {
      const int lines = std::min(r.Height(), perPage - line);
      const int top = 160 + kLineHeight * line;
      if (fine && r.record % 2 == 0)
        painter.fillRect(QRect(270, top, width - 290, lines * kLineHeight), QColor(0xEE, 0xEE, 0xEE));
      const auto lineRect = [&](int x, int n, int right) { return QRect(x, top + n * kLineHeight, right - x, kLineHeight); };
      painter.setFont(regular);
      painter.drawText(QRect(0, top, 250, kLineHeight), Qt::AlignRight | Qt::AlignTop, QString::number(r.record + 1));
      painter.setFont(bold);
      for (int n = 0; n < r.entry.size() && n < lines; ++n)
        painter.drawText(lineRect(290, n, 1200), Qt::AlignLeft | Qt::AlignTop, r.entry.at(n));
      for (int n = 0; n < r.meanings.size() && n < lines; ++n)
        painter.drawText(lineRect(1250, n, width - 20), Qt::AlignLeft | Qt::AlignTop, r.meanings.at(n));
      // The word class after the entry's last line, where there is room.
      const QString abbreviation = Abbreviation(library.Items.at(r.record).Wortart);
      if (!abbreviation.isEmpty() && !r.entry.isEmpty()) {
        const int x = 290 + qRound(boldMetrics.horizontalAdvance(r.entry.last())) + 30;
        const QFontMetricsF italicMetrics(italic, &printer);
        if (x + italicMetrics.horizontalAdvance(abbreviation) < 1200 && r.entry.size() <= lines) {
          painter.setFont(italic);
          painter.drawText(lineRect(x, static_cast<int>(r.entry.size()) - 1, 1200), Qt::AlignLeft | Qt::AlignTop,
                           abbreviation);
        }
      }
      painter.setFont(regular);
      for (int n = 0; n < r.contexts.size(); ++n) {
        const int at = static_cast<int>(r.entry.size()) + n;
        if (at >= lines) break;
        painter.drawText(lineRect(340, at, 1200), Qt::AlignLeft | Qt::AlignTop, r.contexts.at(n));
      }
      line += lines;
    }
  }
  return painter.end();
}

}  // namespace LibraryPrint
