#include "verbs/verbtableprinter.h"

#include <QFontDatabase>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

namespace VerbTablePrinter {

namespace {

constexpr double kHeaderLine = 180;   // below the box top
constexpr double kMiddleLine = 990;   // 90 units below the middle of the box
constexpr double kColumnWidth = 300;
constexpr double kRowHeight = 405;
constexpr double kTenseNameTop = 235;
constexpr double kFormTop = 280;
constexpr double kPersonStep = 45;

// Splits a form at its "*" (a leading one makes the whole form irregular).
PrintedForm split(const QString& text, qsizetype star) {
  if (star < 0) return {text, {}};
  return {text.left(star), text.mid(star)};
}

QFont font(int unitsHigh, bool bold, bool italic) {
  QFont f(FontFamily());
  f.setPixelSize(unitsHigh);
  f.setBold(bold);
  f.setItalic(italic);
  f.setKerning(true);
  return f;
}

// Draws text with its top at y, starting at x; a text wider than the room
// is narrowed so that it stays in its column.
void drawLeft(QPainter& painter, double x, double y, const PrintedForm& form, double room) {
  const QFont regular = font(30, false, false);
  const QFont bold = font(30, true, false);
  const double wRegular = QFontMetricsF(regular, painter.device()).horizontalAdvance(form.regular);
  const double wBold = QFontMetricsF(bold, painter.device()).horizontalAdvance(form.irregular);
  const double width = wRegular + wBold;
  painter.save();
  painter.translate(x, y);
  if (width > room && width > 0) painter.scale(room / width, 1.0);
  painter.setFont(regular);
  const double ascent = QFontMetricsF(regular, painter.device()).ascent();
  painter.drawText(QPointF(0, ascent), form.regular);
  painter.setFont(bold);
  painter.drawText(QPointF(wRegular, ascent), form.irregular);
  painter.restore();
}

void drawCentred(QPainter& painter, const QFont& f, double left, double width, double top, const QString& text) {
  painter.setFont(f);
  const QFontMetricsF metrics(f, painter.device());
  const double w = metrics.horizontalAdvance(text);
  const double room = width - 40;
  painter.save();
  painter.translate(left + width / 2, top);
  if (w > room && w > 0) painter.scale(room / w, 1.0);
  painter.drawText(QPointF(-w / 2, metrics.ascent()), text);
  painter.restore();
}

}  // namespace

PrintedForm Printed(const TVerb& verb, int tense, int person) {
  const QString& form = verb.Formen[static_cast<size_t>(tense)][static_cast<size_t>(person)];
  const QString plain = TVerb::Plain(form);
  const qsizetype star = form.indexOf(QLatin1Char('*'));
  const qsizetype slash = plain.indexOf(QLatin1Char('/'));
  if (slash < 0) return split(plain, star);
  const QString second = plain.mid(slash + 1);
  if (tense != VerbTense::SubImperfecto) {
    // Only the second choice; it is irregular from where the mark was, or
    // wholly when the mark stood in the first choice.
    const qsizetype s = star < 0 ? -1 : std::max<qsizetype>(0, star - slash - 1);
    return split(second, s);
  }
  // The first person's first choice gives the length of the common part.
  const QString firstPerson = TVerb::Plain(verb.Formen[static_cast<size_t>(tense)][0]);
  const qsizetype firstChoice = firstPerson.indexOf(QLatin1Char('/'));
  const QString reference = firstChoice < 0 ? firstPerson : firstPerson.left(firstChoice);
  const qsizetype cut = std::clamp<qsizetype>(reference.size() - 2, 0, second.size());
  const QString text = plain.left(slash) + QStringLiteral("/-") + second.mid(cut);
  qsizetype s = star;
  if (star > slash) s = slash + 2 + std::max<qsizetype>(0, star - slash - 1 - cut);
  return split(text, s);
}

QString FontFamily() {
  static const QString family = QFontDatabase::hasFamily(QStringLiteral("Verdana")) ? QStringLiteral("Verdana")
                                                                                     : QStringLiteral("Arial");
  return family;
}

void DrawBox(QPainter& painter, const TVerb& verb, QPointF origin) {
  const double x = origin.x();
  const double y = origin.y();
  painter.save();
  painter.setBackgroundMode(Qt::TransparentMode);
  QPen pen(Qt::black);
  pen.setWidthF(3);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(x, y, kBoxWidth, kBoxHeight));
  painter.drawLine(QPointF(x, y + kHeaderLine), QPointF(x + kBoxWidth, y + kHeaderLine));
  painter.drawLine(QPointF(x, y + kMiddleLine), QPointF(x + kBoxWidth, y + kMiddleLine));

  drawCentred(painter, font(60, true, false), x, kBoxWidth, y + 40, verb.Infinitiv);
  drawCentred(painter, font(40, false, true), x, kBoxWidth, y + 110, verb.Bedeutung);

  const QFont tenseFont = font(25, false, true);
  for (int t = 0; t < VerbTense::kCount; ++t) {
    const int column = t % 4;
    const int row = t / 4;
    const double left = x + column * kColumnWidth;
    const double indent = (t == VerbTense::Imperativo || t == VerbTense::Participios) ? 70 : 20;
    painter.setFont(tenseFont);
    const QFontMetricsF metrics(tenseFont, painter.device());
    painter.drawText(QPointF(left + 20, y + kTenseNameTop + kRowHeight * row + metrics.ascent()),
                     VerbTense::Names().at(t));
    for (int p = 0; p < VerbTense::kPersons; ++p) {
      const PrintedForm form = Printed(verb, t, p);
      if (form.Text().isEmpty()) continue;
      drawLeft(painter, left + indent, y + kFormTop + kRowHeight * row + kPersonStep * p, form,
               kColumnWidth - indent - 10);
    }
  }
  painter.restore();
}

bool Print(QPrinter& printer, const std::vector<TVerb>& verbs, int n) {
  const int count = static_cast<int>(verbs.size());
  if (count == 0 || n >= count) return false;
  printer.setPageOrientation(QPageLayout::Landscape);
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  // One unit is 0.1 mm; a page smaller than the two boxes scales them down.
  const QRectF paper = printer.pageLayout().paintRect(QPageLayout::Millimeter);
  const double deviceUnit = printer.resolution() / 254.0;
  const double width = paper.width() * 10;
  const double height = paper.height() * 10;
  const double needed = 2 * kBoxWidth + kBoxGap;
  const double fit = std::min({1.0, width / needed, height / kBoxHeight});
  painter.scale(deviceUnit * fit, deviceUnit * fit);
  const double x0 = (width / fit - needed) / 2;
  const double y0 = (height / fit - kBoxHeight) / 2;

  const int first = n < 0 ? 0 : n;
  const int last = n < 0 ? count - 1 : n;
  for (int v = first; v <= last; ++v) {
    const bool right = n < 0 && v % 2 == 1;
    if (v > first && !right) printer.newPage();
    DrawBox(painter, verbs[static_cast<size_t>(v)], QPointF(right ? x0 + kBoxWidth + kBoxGap : x0, y0));
  }
  return painter.end();
}

}  // namespace VerbTablePrinter
