#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <optional>
#include <vector>

// The picture mosaic of a BOX with LOMO: the box (and its ZONE2) is cut into
// tiles, every tile shows a random picture, and a timer puts a new random
// picture into one random tile at a time.

// The tile grid of a mosaic.
struct MosaicLayout {
  int TileWidth = 0;
  int TileHeight = 0;
  std::vector<QRect> Tiles;  // document coordinates; area by area, column by column, top to bottom
};

// Pictures narrower than this still get tiles of this width.
inline constexpr int kMinMosaicTileWidth = 50;
// The shortest time between two changes of the mosaic, in milliseconds.
inline constexpr int kMinMosaicInterval = 50;
// A mosaic has at most this many tiles; areas beyond are left empty.
inline constexpr int kMaxMosaicTiles = 100000;

// The tile size and tiles for pictures of the given sizes (empty sizes do
// not count) over the box rectangle and the optional second zone:
// - the tile width is the widest picture, at least 50;
// - the tile height is the tallest picture, except that a height within 3
//   pixels of two thirds of the tile width becomes two thirds, rounded up;
// - an area is cut into columns of the tile width only when its width is a
//   multiple of it, otherwise it gets no tiles;
// - a column is cut into rows of the tile height when its height is a
//   multiple of it; otherwise, when it holds 1, 3, 7 or 15 whole rows, it is
//   halved again and again until every piece is at most the tile height;
//   with any other number of rows it gets no tiles.
MosaicLayout LayoutMosaic(const std::vector<QSize>& pictureSizes, const QRect& box,
                          const std::optional<QRect>& zone2 = std::nullopt);

// The same for the pictures themselves.
MosaicLayout LayoutMosaic(const std::vector<QImage>& pictures, const QRect& box,
                          const std::optional<QRect>& zone2 = std::nullopt);

// Fills `tile` (canvas coordinates) with a random picture among those not
// wider than it: a picture of exactly the tile's width is copied from its
// top-left corner (as far as it reaches down); a narrower one splits the tile
// into four quarters that are filled the same way. A part that no picture
// fits is left as it is. Parts are not split more than eight times.
void FillTile(QImage& canvas, const QRect& tile, const std::vector<QImage>& pictures);

// Fills every tile of the layout; document y is moved up by `scroll`.
void FillMosaic(QImage& canvas, const MosaicLayout& layout, const std::vector<QImage>& pictures, int scroll = 0);

// One timer step: fills one random tile anew. Gives the changed rectangle in
// canvas coordinates so that the caller can show it, or an empty rectangle
// when there is nothing to change (the timer should then stop).
QRect RefillRandomTile(QImage& canvas, const MosaicLayout& layout, const std::vector<QImage>& pictures,
                       int scroll = 0);

// The timer interval for a SPEED value in milliseconds: the value itself, but
// never below kMinMosaicInterval, so that SPEED 0 does not keep the page busy.
constexpr int MosaicInterval(int speed) { return speed < kMinMosaicInterval ? kMinMosaicInterval : speed; }
