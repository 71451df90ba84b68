#include "pages/pagetables.h"

void PageElements::Clear() {
  std::vector<TPicture> kept;
  for (TPicture& p : Pictures)
    if (p.Keep) kept.push_back(std::move(p));
  *this = PageElements();
  Pictures = std::move(kept);
}
