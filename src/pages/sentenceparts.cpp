#include "pages/sentenceparts.h"

#include <QFontMetrics>
#include <QPainter>

#include "common/random.h"
#include "pages/pagefonts.h"
#include "pages/pagestate.h"

namespace SentenceParts {

namespace {

QColor qcolor(TColor c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

QColor textColour(const FontState& font, const BodyColors& body) {
  if (font.TextColor == kPageTextColor) return qcolor(body.Text);
  if (font.TextColor == kPageLinkColor) return qcolor(body.Link);
  return qcolor(font.TextColor);
}

}  // namespace

void Prepare(TSentence& s, const BodyColors& body) {
  s.CorrectParts.clear();
  for (const QString& part : s.Text.split(QLatin1Char('/'))) {
    const QString t = part.trimmed();
    if (!t.isEmpty()) s.CorrectParts.append(t);
  }
  s.Correct = s.CorrectParts.join(QLatin1Char(' '));
  const QFont font = PageFonts::FontFor(s.Font);
  const QFontMetrics m(font);
  s.Parts.clear();
  for (const QString& text : s.CorrectParts) {
    tSatzteil part;
    part.Text = text;
    part.Image = QImage(m.horizontalAdvance(text) + 8, std::max(1, s.Rect.height()), QImage::Format_RGB32);
    part.Image.fill(qcolor(body.Klotz));
    QPainter p(&part.Image);
    p.setFont(font);
    p.setPen(textColour(s.Font, body));
    p.drawText(part.Image.rect(), Qt::AlignCenter, text);
    s.Parts.push_back(part);
  }
  s.Prepared = true;
}

void Shuffle(TSentence& s) {
  const int n = static_cast<int>(s.Parts.size());
  for (int i = 0; i < n; ++i) std::swap(s.Parts[static_cast<size_t>(i)], s.Parts[static_cast<size_t>(Random::below(n))]);
}

void LayoutParts(TSentence& s) {
  int x = s.Rect.left();
  for (tSatzteil& part : s.Parts) {
    part.Rect = QRect(QPoint(x, s.Rect.top()), part.Image.size());
    x += part.Image.width() + kPartGap;
  }
}

bool ReadsRight(const TSentence& s) {
  if (s.Parts.size() != static_cast<size_t>(s.CorrectParts.size())) return false;
  for (size_t i = 0; i < s.Parts.size(); ++i)
    if (s.Parts[i].Text != s.CorrectParts[static_cast<qsizetype>(i)]) return false;
  return true;
}

int PartAt(const TSentence& s, const QPoint& point) {
  if (s.Solved) return -1;
  for (size_t i = 0; i < s.Parts.size(); ++i)
    if (s.Parts[i].Rect.contains(point)) return static_cast<int>(i);
  return -1;
}

Match MatchAt(const TSentence& s, int dragged, const QPoint& point) {
  if (dragged < 0 || dragged >= static_cast<int>(s.Parts.size())) return {};
  if (point.y() < s.Rect.top() || point.y() >= s.Rect.top() + s.Rect.height()) return {};
  const int draggedWidth = s.Parts[static_cast<size_t>(dragged)].Rect.width();
  const int x = point.x();
  for (int i = 0; i < static_cast<int>(s.Parts.size()); ++i) {
    const QRect& r = s.Parts[static_cast<size_t>(i)].Rect;
    const int w = std::min(draggedWidth, r.width());
    const int left = r.left(), right = r.left() + r.width();
    if (i > dragged) {
      if (x >= right - w - kSlack && x <= right + kSlack) return Match{i, right - w};
    } else if (x >= left - kSlack && x <= left + w + kSlack) {
      return Match{i, left};
    }
  }
  return {};
}

QRect Row(const TSentence& s, const QImage& buffer) {
  return QRect(0, s.Rect.top(), buffer.width(), std::max(1, s.Rect.height())).intersected(buffer.rect());
}

void Draw(const TSentence& s, QImage& buffer, int dragged, const QColor& emptyPlace) {
  QPainter p(&buffer);
  if (!s.Background.isNull()) p.drawImage(Row(s, buffer).topLeft(), s.Background);
  for (int i = 0; i < static_cast<int>(s.Parts.size()); ++i) {
    const tSatzteil& part = s.Parts[static_cast<size_t>(i)];
    if (i == dragged) p.fillRect(part.Rect, emptyPlace);
    else p.drawImage(part.Rect.topLeft(), part.Image);
  }
}

void DrawSolved(const TSentence& s, QImage& buffer, const BodyColors& body, TWordList* words) {
  QPainter p(&buffer);
  if (!s.Background.isNull()) p.drawImage(Row(s, buffer).topLeft(), s.Background);
  QFont font = PageFonts::FontFor(s.Font);
  const QFontMetrics m(font);
  p.setFont(font);
  p.setPen(textColour(s.Font, body));
  const int top = s.Rect.top() + (s.Rect.height() - m.height()) / 2;
  int x = s.Rect.left();
  for (const QString& word : s.Correct.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    const QRect r(x, top, m.horizontalAdvance(word), m.height());
    p.drawText(x, top + m.ascent(), word);
    if (words) words->AddWord(word, r, true);
    x += r.width() + m.horizontalAdvance(QLatin1Char(' '));
  }
}

QColor EmptyPlaceColour(const BodyColors& body) {
  return qcolor(body.Kbgr == RGBColor(0x00, 0xFF, 0x00) ? body.Background : body.Kbgr);
}

void DrawAll(PageState& page, QImage& buffer) {
  for (TSentence& s : page.Elements.Sentences) {
    if (!s.Prepared) {
      // Shuffled once; later drawings of the page keep the learner's order.
      Prepare(s, page.Body);
      Shuffle(s);
    }
    LayoutParts(s);
    s.Background = buffer.copy(Row(s, buffer));
    if (s.Solved) DrawSolved(s, buffer, page.Body, &page.Layout.Words);
    else Draw(s, buffer, -1, QColor());
  }
}

}  // namespace SentenceParts
