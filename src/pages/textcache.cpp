#include "pages/textcache.h"

#include "pages/pagefonts.h"

namespace {
// Beyond this many entries a cache starts afresh.
constexpr qsizetype kMaxEntries = 20000;
}  // namespace

TextCache::TextCache() : device_(1, 1, QImage::Format_RGB32) {}

TextCache::FontKey TextCache::key(const FontState& f, int tracking, bool underline) {
  return FontKey{f.FaceName, f.Size, f.Style | (underline ? StyleUnderline : 0), tracking};
}

const QFont& TextCache::Font(const FontState& state, int tracking, bool underline) {
  const FontKey k = key(state, tracking, underline);
  auto it = fonts_.find(k);
  if (it == fonts_.end()) {
    QFont font = PageFonts::FontFor(state);
    if (underline) font.setUnderline(true);
    if (tracking != 0) font.setLetterSpacing(QFont::AbsoluteSpacing, tracking);
    it = fonts_.insert(k, font);
  }
  return *it;
}

const QFontMetrics& TextCache::Metrics(const FontState& state, int tracking) {
  const FontKey k = key(state, tracking, false);
  auto it = metrics_.find(k);
  if (it == metrics_.end()) it = metrics_.insert(k, QFontMetrics(Font(state, tracking), &device_));
  return *it;
}

TextCache::Extent TextCache::Measure(const FontState& state, int tracking, const QString& text) {
  if (extents_.size() > kMaxEntries) extents_.clear();
  const TextKey k{key(state, tracking, false), text};
  auto it = extents_.find(k);
  if (it != extents_.end()) return *it;
  const QFontMetrics& m = Metrics(state, tracking);
  const Extent e{m.horizontalAdvance(text), m.height(), m.ascent(), m.descent()};
  extents_.insert(k, e);
  return e;
}

const QStaticText& TextCache::Shaped(const FontState& state, int tracking, bool underline, const QString& text) {
  if (shaped_.size() > kMaxEntries) shaped_.clear();
  const TextKey k{key(state, tracking, underline), text};
  auto it = shaped_.find(k);
  if (it == shaped_.end()) {
    QStaticText s(text);
    s.setTextFormat(Qt::PlainText);
    s.setPerformanceHint(QStaticText::AggressiveCaching);
    s.prepare(QTransform(), Font(state, tracking, underline));
    it = shaped_.insert(k, s);
  }
  return *it;
}

void TextCache::Clear() {
  fonts_.clear();
  metrics_.clear();
  extents_.clear();
  shaped_.clear();
}
