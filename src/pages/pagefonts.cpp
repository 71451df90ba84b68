#include "pages/pagefonts.h"

#include <QFontMetricsF>
#include <QHash>

#include "pages/fontcatalog.h"

namespace PageFonts {

int CharacterHeight(int size) {
  static const int kHeights[] = {11, 13, 16, 19, 24, 32, 48};
  return kHeights[std::clamp(size, 1, 7) - 1];
}

namespace {

// Cell height per pixel of character height for a family, measured once.
double cellRatio(const QFont& font) {
  static QHash<QString, double> ratios;
  const QString key = font.family() + QString::number(font.bold()) + QString::number(font.italic());
  auto it = ratios.find(key);
  if (it != ratios.end()) return *it;
  QFont probe = font;
  probe.setPixelSize(100);
  const QFontMetricsF m(probe);
  const double ratio = m.height() > 0 ? m.height() / 100.0 : 1.15;
  ratios.insert(key, ratio);
  return ratio;
}

}  // namespace

QFont FontFor(const FontState& state) {
  QFont font(FontCatalog::FamilyFor(state.FaceName));
  font.setBold(state.Style & StyleBold);
  font.setItalic(state.Style & StyleItalic);
  font.setUnderline(state.Style & StyleUnderline);
  font.setStyleStrategy(QFont::PreferAntialias);
  const int size = state.Size <= 0 ? 1 : state.Size;
  if (size <= 7) {
    font.setPixelSize(CharacterHeight(size));
  } else {
    font.setPixelSize(std::max(1, static_cast<int>(size / cellRatio(font) + 0.5)));
  }
  return font;
}

}  // namespace PageFonts

namespace PageFonts {

QFont EditorFontFor(const FontState& state) {
  QFont font = FontFor(state);
  const int h = state.Size;
  if (h <= 7) return font;
  int points = 0;
  if (h >= 16 && h <= 17) points = 9;
  else if (h <= 19 && h >= 18) points = 10;
  else if (h >= 20 && h <= 23) points = 13;
  else if (h >= 24 && h <= 29) points = 15;
  else if (h >= 30 && h <= 31) points = 17;
  else if (h >= 32 && h <= 36) points = 19;
  else points = std::max(1, static_cast<int>(font.pixelSize() * 72 / 96) - 7);
  font.setPointSize(points);
  return font;
}

}  // namespace PageFonts
