#include "pages/mosaic.h"

#include <algorithm>
#include <cstdlib>

#include "common/random.h"

namespace {

// Quarters of quarters: deep enough for any sensible set of pictures, and a
// bound on the work when a tile is huge and some picture tiny.
constexpr int kMaxSplits = 8;

// Halves a piece of a column until every part is at most `tileHeight` high.
void halve(int x, int y, int width, int height, int tileHeight, std::vector<QRect>& tiles) {
  if (height <= tileHeight) {
    if (height > 0 && int(tiles.size()) < kMaxMosaicTiles) tiles.emplace_back(x, y, width, height);
    return;
  }
  halve(x, y, width, height / 2, tileHeight, tiles);
  halve(x, y + height / 2, width, height - height / 2, tileHeight, tiles);
}

void cutArea(const QRect& area, int tileWidth, int tileHeight, std::vector<QRect>& tiles) {
  if (area.width() <= 0 || area.height() <= 0) return;
  if (area.width() % tileWidth != 0) return;
  const int rows = area.height() / tileHeight;
  const bool exact = area.height() % tileHeight == 0;
  if (!exact && rows != 1 && rows != 3 && rows != 7 && rows != 15) return;
  const int columns = area.width() / tileWidth;
  for (int c = 0; c < columns && int(tiles.size()) < kMaxMosaicTiles; ++c) {
    const int x = area.left() + c * tileWidth;
    if (exact) {
      for (int r = 0; r < rows && int(tiles.size()) < kMaxMosaicTiles; ++r)
        tiles.emplace_back(x, area.top() + r * tileHeight, tileWidth, tileHeight);
    } else {
      halve(x, area.top(), tileWidth, area.height(), tileHeight, tiles);
    }
  }
}

bool is32Bit(const QImage& image) {
  return image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
}

// Copies the top-left part of `picture` into `part` (canvas coordinates).
void copyTopLeft(QImage& canvas, const QRect& part, const QImage& picture) {
  const QRect target = QRect(part.topLeft(), part.size().boundedTo(picture.size())).intersected(canvas.rect());
  if (target.isEmpty()) return;
  const QPoint from = target.topLeft() - part.topLeft();
  const QImage source = is32Bit(picture) ? picture
                                         : picture.copy(QRect(from, target.size())).convertToFormat(QImage::Format_RGB32);
  const QPoint origin = is32Bit(picture) ? from : QPoint(0, 0);
  for (int y = 0; y < target.height(); ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(canvas.scanLine(target.top() + y)) + target.left();
    const QRgb* in = reinterpret_cast<const QRgb*>(source.constScanLine(origin.y() + y)) + origin.x();
    for (int x = 0; x < target.width(); ++x) row[x] = (in[x] & 0x00FFFFFFu) | (row[x] & 0xFF000000u);
  }
}

void fillPart(QImage& canvas, const QRect& part, const std::vector<QImage>& pictures, int splits) {
  if (part.width() <= 0 || part.height() <= 0 || !part.intersects(canvas.rect())) return;
  std::vector<const QImage*> fitting;
  for (const QImage& picture : pictures)
    if (!picture.isNull() && picture.width() <= part.width()) fitting.push_back(&picture);
  if (fitting.empty()) return;  // nothing fits: the part stays as it is
  const QImage& chosen = *fitting[Random::below(int(fitting.size()))];
  if (chosen.width() == part.width()) {
    copyTopLeft(canvas, part, chosen);
    return;
  }
  if (splits >= kMaxSplits) return;
  const int w = part.width() / 2, h = part.height() / 2;
  fillPart(canvas, QRect(part.left(), part.top(), w, h), pictures, splits + 1);
  fillPart(canvas, QRect(part.left() + w, part.top(), part.width() - w, h), pictures, splits + 1);
  fillPart(canvas, QRect(part.left(), part.top() + h, w, part.height() - h), pictures, splits + 1);
  fillPart(canvas, QRect(part.left() + w, part.top() + h, part.width() - w, part.height() - h), pictures,
           splits + 1);
}

void ensure32Bit(QImage& canvas) {
  if (!is32Bit(canvas)) canvas.convertTo(QImage::Format_RGB32);
}

}  // namespace

MosaicLayout LayoutMosaic(const std::vector<QSize>& pictureSizes, const QRect& box, const std::optional<QRect>& zone2) {
  MosaicLayout layout;
  int widest = 0, tallest = 0;
  for (const QSize& size : pictureSizes) {
    if (size.isEmpty()) continue;
    widest = std::max(widest, size.width());
    tallest = std::max(tallest, size.height());
  }
  if (widest == 0) return layout;
  layout.TileWidth = std::max(kMinMosaicTileWidth, widest);
  layout.TileHeight = tallest;
  // Within 3 pixels of two thirds of the width: exactly two thirds, rounded up.
  const qint64 twoThirds3 = 2LL * layout.TileWidth;  // two thirds of the width, times 3
  if (std::llabs(3LL * tallest - twoThirds3) <= 9) layout.TileHeight = int((twoThirds3 + 2) / 3);

  cutArea(box, layout.TileWidth, layout.TileHeight, layout.Tiles);
  if (zone2) cutArea(*zone2, layout.TileWidth, layout.TileHeight, layout.Tiles);
  return layout;
}

MosaicLayout LayoutMosaic(const std::vector<QImage>& pictures, const QRect& box, const std::optional<QRect>& zone2) {
  std::vector<QSize> sizes;
  sizes.reserve(pictures.size());
  for (const QImage& picture : pictures) sizes.push_back(picture.size());
  return LayoutMosaic(sizes, box, zone2);
}

void FillTile(QImage& canvas, const QRect& tile, const std::vector<QImage>& pictures) {
  if (canvas.isNull()) return;
  ensure32Bit(canvas);
  fillPart(canvas, tile, pictures, 0);
}

void FillMosaic(QImage& canvas, const MosaicLayout& layout, const std::vector<QImage>& pictures, int scroll) {
  for (const QRect& tile : layout.Tiles) FillTile(canvas, tile.translated(0, -scroll), pictures);
}

QRect RefillRandomTile(QImage& canvas, const MosaicLayout& layout, const std::vector<QImage>& pictures, int scroll) {
  if (canvas.isNull() || layout.Tiles.empty() || pictures.empty()) return {};
  const QRect tile = layout.Tiles[Random::below(int(layout.Tiles.size()))].translated(0, -scroll);
  FillTile(canvas, tile, pictures);
  return tile;
}
