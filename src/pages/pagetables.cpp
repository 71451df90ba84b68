#include "pages/pagetables.h"

void PageElements::Clear() {
  std::vector<TPicture> kept;
  for (TPicture& p : Pictures)
    if (p.Keep) kept.push_back(std::move(p));
  *this = PageElements();
  Pictures = std::move(kept);
}

QString TWordList::WordAt(const QPoint& point, QRect* rect) const {
  for (const auto& [r, index] : Rects) {
    if (r.contains(point)) {
      if (rect) *rect = r;
      return Words.value(index);
    }
  }
  return {};
}

void TWordList::AddWord(QString text, const QRect& rect, bool newWord) {
  if (text.trimmed().isEmpty()) return;
  if (newWord) {
    static const QString kEnd = QStringLiteral(".,;:!?\")]");
    static const QString kStart = QStringLiteral("([\"");
    while (!text.isEmpty() && kEnd.contains(text.back())) text.chop(1);
    while (!text.isEmpty() && kStart.contains(text.front())) text.remove(0, 1);
    if (text.isEmpty()) return;
    if (!Rects.empty()) {
      QRect& last = Rects.back().first;
      if (last.right() + 1 == rect.left() && last.top() == rect.top() && last.bottom() == rect.bottom()) {
        Words[Rects.back().second] += text;
        last.setRight(rect.right());
        return;
      }
    }
    Words.append(text);
    Rects.emplace_back(rect, static_cast<int>(Words.size()) - 1);
  } else if (!Rects.empty()) {
    const int index = Rects.back().second;
    Words[index] += QLatin1Char(' ') + text;
    Rects.emplace_back(rect, index);
  }
}
