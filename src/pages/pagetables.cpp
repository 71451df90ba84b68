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
