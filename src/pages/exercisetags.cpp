// Exercises in markup: MULTIPLE (multiple choice), KLOTZ (drag blocks), SATZ.
#include <QStringList>

#include "common/random.h"
#include "pages/coordinates.h"
#include "pages/elementtags.h"
#include "common/markuptext.h"
#include "pages/pagebuilder.h"
#include "pages/pagestate.h"
#include "pages/tparser.h"

namespace ElementTags {

namespace {

// A grid larger than this is no exercise; it is cut down.
constexpr int kMaxGridSide = 20;
constexpr int kMaxCells = 100;

void shuffle(QStringList& answers) {
  const int swaps = 4 + Random::below(12);  // 4..15
  for (int i = 0; i < swaps; ++i) {
    const int a = Random::below(static_cast<int>(answers.size()));
    const int b = Random::below(static_cast<int>(answers.size()));
    answers.swapItemsAt(a, b);
  }
}

QString cellMarkup(int i, int x, int y, int w, int h, int rows, const TMultipleChoice& mc) {
  const int cx = x + (i / rows) * w;
  const int cy = y + (i % rows) * h;
  QString out = QStringLiteral("<box coords=%1,%2,%3,%4 align=m>").arg(cx).arg(cy).arg(w).arg(h);
  if (i >= mc.Answers.size()) return out;
  const QString& answer = mc.Answers[i];
  const QString text = MarkupText::EscapeText(answer);
  const bool right = answer == mc.Right;
  const int number = i + 1;
  if (!mc.Answered) {
    const QString result = right ? QStringLiteral("+@") : QStringLiteral("-[") + MarkupText::EscapeTarget(answer) +
                                                               QStringLiteral("]@");
    out += QStringLiteral("<a href=\"§mchx") + result + QString::number(number) + QStringLiteral("\" key=") +
           QString::number(number) + QLatin1Char('>') + text + QStringLiteral("</a>");
  } else if (!right) {
    out += QStringLiteral("<st>") + text + QStringLiteral("</st>");
  } else {
    const int middle = cy + h / 2;
    out += QStringLiteral("<u>") + text + QStringLiteral("</u>");
    out += QStringLiteral("<box coords=%1,%2,1,%3 color=#ff00ff> ").arg(cx).arg(y).arg(qMax(1, middle - y));
    out += QStringLiteral("<box coords=%1,%2,%3,1 color=#ff00ff> ").arg(cx).arg(middle).arg(200);
  }
  return out;
}

}  // namespace

void MultipleTag(TParser& p, BuildContext& ctx) {
  static const QStringList kKeywords = {QStringLiteral("COORDS"), QStringLiteral("DIM"), QStringLiteral("COLOR"),
                                        QStringLiteral("TXT"), QStringLiteral("REACTION")};
  PageState& page = ctx.page;
  TMultipleChoice& mc = page.Multiple;
  TCoords c;
  int rows = 1, columns = 1;
  for (int k; (k = p.MatchKeyword(kKeywords)) >= 0 && !p.Failed();) {
    switch (k) {
      case 0: c = ReadCoords(p.PlainValue(), page.Width, page.Height, &page.PageAliases); break;
      case 1: {
        const QStringList dim = p.PlainValue().split(QLatin1Char(','));
        bool okR = false, okC = false;
        const int r = dim.value(0).trimmed().toInt(&okR);
        const int col = dim.value(1).trimmed().toInt(&okC);
        if (!okR || !okC) return;  // a number that cannot be read: the tag is ignored
        rows = std::clamp(r, 1, kMaxGridSide);
        columns = std::clamp(col, 1, kMaxGridSide);
        while (rows * columns > kMaxCells) --columns;
        break;
      }
      case 2: p.PlainValue(); break;  // read and ignored
      case 3: {
        const QString txt = p.QuotedValue();
        if (!mc.Answered) {
          mc.Answers = txt.split(QLatin1Char('|'));
          mc.Right = mc.Answers.value(0);
          shuffle(mc.Answers);
        }
        break;
      }
      case 4: mc.Reaction = p.PlainValue(); break;
    }
  }
  const int x = OrZero(c.x), y = OrZero(c.y), w = OrZero(c.w), h = OrZero(c.h);
  QString markup;
  for (int i = 0; i < rows * columns; ++i) markup += cellMarkup(i, x, y, w, h, rows, mc);
  mc.Markup = markup;
  ctx.insertMarkup = markup;
}

void KlotzTag(TParser& p, BuildContext& ctx) {
  static const QStringList kKeywords = {QStringLiteral("FALSCH"), QStringLiteral("Y"),     QStringLiteral("NR"),
                                        QStringLiteral("LEFT"),   QStringLiteral("RIGHT"), QStringLiteral("WIDTH"),
                                        QStringLiteral("COORDS")};
  PageState& page = ctx.page;
  TDragExercise d = page.Elements.Drag;
  bool hasList = false;
  int left = d.TrayLeft;
  for (int k; (k = p.MatchKeyword(kKeywords)) >= 0 && !p.Failed();) {
    switch (k) {
      case 0:
        d.ExtraWrong = p.QuotedValue().split(QLatin1Char('/'), Qt::SkipEmptyParts);
        hasList = !p.Failed();
        break;
      case 1: d.TrayTop = p.NumberValue(0, 1000, 350); break;
      case 2: {
        // At least one block per row: the tray is divided by this number.
        d.PerRow = std::max(1, p.NumberValue(0, 100, 4));
        if (d.PerRow >= 4 && d.PerRow <= 6) d.BlockWidth = 120 - (d.PerRow - 4) * 20;
        break;
      }
      case 3: left = d.TrayLeft = p.NumberValue(0, 1000, 80); break;
      case 4: d.TrayRight = p.NumberValue(0, 1000, page.Width - std::max(0, left)); break;
      case 5: d.BlockWidth = std::max(1, p.NumberValue(0, 1000, page.Width - std::max(0, left))); break;
      case 6: {
        const TCoords c = ReadCoords(p.PlainValue(), page.Width, page.Height, &page.PageAliases);
        left = d.TrayLeft = OrZero(c.x);
        d.TrayTop = OrZero(c.y);
        d.TrayRight = OrZero(c.x) + OrZero(c.w);
        break;
      }
    }
  }
  if (!hasList) return;  // a KLOTZ without its list is ignored
  d.Configured = true;
  page.Elements.Drag = d;
}

void SatzTag(TParser& p, BuildContext& ctx) {
  static const QStringList kKeywords = {QStringLiteral("TEILE"), QStringLiteral("COORDS")};
  PageState& page = ctx.page;
  page.Slots.Emphasis = ctx.fmt.Font;
  TSentence sentence;
  sentence.Font = ctx.fmt.Font;
  TCoords c;
  for (int k; (k = p.MatchKeyword(kKeywords)) >= 0 && !p.Failed();) {
    switch (k) {
      case 0: sentence.Text = p.QuotedValue(); break;
      case 1: c = ReadCoords(p.PlainValue(), page.Width, page.Height, &page.PageAliases); break;
    }
  }
  sentence.Rect = QRect(OrZero(c.x), OrZero(c.y), OrZero(c.w), OrZero(c.h));
  if (!sentence.Text.isEmpty() && c.x != TCoords::kMissing && c.x > 0) page.Elements.Sentences.push_back(sentence);
}

}  // namespace ElementTags
