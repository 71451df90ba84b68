#include <gtest/gtest.h>

#include <QImage>
#include <chrono>

#include "common/random.h"
#include "pages/mosaic.h"

namespace {

const QRgb kGrey = qRgb(128, 128, 128);

QImage canvas(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(kGrey);
  return image;
}

// A picture whose every pixel tells its position.
QImage gradient(int width, int height, int blue) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x, y, blue));
  return image;
}

// True when `image` shows `picture` from its top-left corner at `at`.
bool shows(const QImage& image, QPoint at, const QImage& picture, QSize size) {
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < size.width(); ++x)
      if (image.pixel(at.x() + x, at.y() + y) != picture.pixel(x, y)) return false;
  return true;
}

std::vector<int> heights(const MosaicLayout& layout) {
  std::vector<int> h;
  for (const QRect& tile : layout.Tiles) h.push_back(tile.height());
  return h;
}

}  // namespace

TEST(Mosaic, TileSize) {
  // Widest picture, at least 50; tallest picture, or two thirds of the width
  // (rounded up) when within 3 pixels of it.
  const struct {
    std::vector<QSize> sizes;
    int width, height;
  } cases[] = {
      {{QSize(100, 66), QSize(80, 40)}, 100, 67},  // 66 is near 66.7: 67
      {{QSize(100, 70)}, 100, 70},                 // 3.3 away: kept
      {{QSize(100, 64)}, 100, 67},
      {{QSize(90, 57)}, 90, 60},                   // exactly two thirds
      {{QSize(30, 20)}, 50, 20},
      {{QSize(30, 31), QSize()}, 50, 34},          // empty pictures do not count
  };
  for (const auto& c : cases) {
    const MosaicLayout layout = LayoutMosaic(c.sizes, QRect(0, 0, 500, 500));
    EXPECT_EQ(layout.TileWidth, c.width);
    EXPECT_EQ(layout.TileHeight, c.height);
  }
  EXPECT_TRUE(LayoutMosaic(std::vector<QSize>{}, QRect(0, 0, 300, 67)).Tiles.empty());
}

TEST(Mosaic, ColumnsOnlyForMultiplesOfTheTileWidth) {
  const std::vector<QSize> sizes{QSize(100, 66)};
  MosaicLayout layout = LayoutMosaic(sizes, QRect(10, 20, 300, 67));
  ASSERT_EQ(layout.Tiles.size(), 3u);
  EXPECT_EQ(layout.Tiles[0], QRect(10, 20, 100, 67));
  EXPECT_EQ(layout.Tiles[2], QRect(210, 20, 100, 67));
  EXPECT_TRUE(LayoutMosaic(sizes, QRect(10, 20, 310, 67)).Tiles.empty());
  EXPECT_TRUE(LayoutMosaic(sizes, QRect(10, 20, 0, 67)).Tiles.empty());

  // The second zone is cut by the same rules and adds its tiles.
  layout = LayoutMosaic(sizes, QRect(10, 20, 300, 67), QRect(0, 200, 200, 134));
  ASSERT_EQ(layout.Tiles.size(), 7u);
  EXPECT_EQ(layout.Tiles[3], QRect(0, 200, 100, 67));
  EXPECT_EQ(layout.Tiles[6], QRect(100, 267, 100, 67));
}

TEST(Mosaic, RowsAreMultiplesOrHalvedFromOneThreeSevenOrFifteen) {
  const std::vector<QSize> sizes{QSize(100, 50)};  // tiles 100 x 50
  EXPECT_EQ(heights(LayoutMosaic(sizes, QRect(0, 0, 100, 150))), (std::vector<int>{50, 50, 50}));
  EXPECT_EQ(heights(LayoutMosaic(sizes, QRect(0, 0, 100, 80))), (std::vector<int>{40, 40}));  // 1 row
  const MosaicLayout three = LayoutMosaic(sizes, QRect(0, 10, 100, 170));  // 3 rows: 85, then 42 + 43
  EXPECT_EQ(heights(three), (std::vector<int>{42, 43, 42, 43}));
  EXPECT_EQ(three.Tiles[1].top(), 52);
  EXPECT_EQ(three.Tiles[3].bottom(), 179);
  EXPECT_TRUE(LayoutMosaic(sizes, QRect(0, 0, 100, 120)).Tiles.empty());  // 2 rows
  EXPECT_TRUE(LayoutMosaic(sizes, QRect(0, 0, 100, 40)).Tiles.empty());   // 0 rows
  EXPECT_EQ(LayoutMosaic(sizes, QRect(0, 0, 200, 80)).Tiles.size(), 4u);  // every column

  // 15 rows: 790 halves four times into 16 pieces that fill the column.
  const MosaicLayout fifteen = LayoutMosaic(sizes, QRect(0, 0, 100, 790));
  ASSERT_EQ(fifteen.Tiles.size(), 16u);
  int y = 0;
  for (const QRect& tile : fifteen.Tiles) {
    EXPECT_EQ(tile.top(), y);
    EXPECT_LE(tile.height(), 50);
    y += tile.height();
  }
  EXPECT_EQ(y, 790);
}

TEST(Mosaic, TileShowsATopLeftCopyOrQuarters) {
  // A picture of the tile's width: its top-left part, as far as it reaches.
  const QRect tile(10, 5, 100, 67);
  for (QSize size : {QSize(100, 90), QSize(100, 30)}) {
    const QImage picture = gradient(size.width(), size.height(), 7);
    QImage image = canvas(120, 80);
    FillTile(image, tile, {picture});
    const int rows = std::min(67, size.height());
    EXPECT_TRUE(shows(image, tile.topLeft(), picture, QSize(100, rows))) << size.height();
    QImage expected = canvas(120, 80);
    for (int y = 0; y < rows; ++y)
      for (int x = 0; x < 100; ++x) expected.setPixel(10 + x, 5 + y, image.pixel(10 + x, 5 + y));
    EXPECT_EQ(image, expected) << size.height();  // nothing else changed
  }

  // A narrower picture: four quarters, each filled the same way.
  const QImage quarter = gradient(50, 30, 9);
  QImage image = canvas(120, 80);
  FillTile(image, QRect(10, 5, 100, 60), {quarter});
  for (QPoint at : {QPoint(10, 5), QPoint(60, 5), QPoint(10, 35), QPoint(60, 35)})
    EXPECT_TRUE(shows(image, at, quarter, QSize(50, 30))) << at.x() << "," << at.y();

  // With a wide and a narrow picture the tile is wholly the wide one or in
  // quarters of the narrow one: the wide picture never fits a quarter.
  const QImage wide = gradient(100, 60, 200);
  for (unsigned seed = 1; seed <= 6; ++seed) {
    Random::seed(seed);
    image = canvas(120, 80);
    FillTile(image, QRect(10, 5, 100, 60), {wide, quarter});
    const bool whole = shows(image, QPoint(10, 5), wide, QSize(100, 60));
    const bool quarters = qBlue(image.pixel(10, 5)) == 9 && qBlue(image.pixel(109, 64)) == 9;
    EXPECT_TRUE(whole || quarters) << seed;
  }
}

TEST(Mosaic, PartsNoPictureFitsAreLeftAndNothingLoops) {
  QImage image = canvas(120, 80);
  FillTile(image, QRect(0, 0, 40, 40), {gradient(100, 60, 1)});
  EXPECT_EQ(image, canvas(120, 80));

  // 30-wide pictures fit no quarter of a quarter of 100 (25): such parts stay.
  Random::seed(5);
  image = canvas(120, 80);
  FillTile(image, QRect(0, 0, 100, 60), {gradient(30, 20, 1)});
  EXPECT_EQ(image, canvas(120, 80));

  // A huge tile with a one-pixel picture is done at once.
  const auto start = std::chrono::steady_clock::now();
  image = canvas(600, 600);
  FillTile(image, QRect(0, 0, 4000, 4000), {gradient(1, 1, 3)});
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(Mosaic, TimerRefillsOneTile) {
  EXPECT_EQ(MosaicInterval(0), kMinMosaicInterval);
  EXPECT_EQ(MosaicInterval(20), kMinMosaicInterval);
  EXPECT_EQ(MosaicInterval(500), 500);

  const QImage picture = gradient(100, 50, 4);
  const MosaicLayout layout = LayoutMosaic(std::vector<QImage>{picture}, QRect(0, 40, 300, 100));
  ASSERT_EQ(layout.Tiles.size(), 6u);
  QImage image = canvas(300, 120);
  const QRect changed = RefillRandomTile(image, layout, {picture}, 20);
  ASSERT_FALSE(changed.isEmpty());
  EXPECT_EQ(changed.size(), QSize(100, 50));
  EXPECT_TRUE(changed.top() == 20 || changed.top() == 70);  // moved up by the scroll position
  EXPECT_TRUE(shows(image, changed.topLeft(), picture, changed.size()));

  FillMosaic(image, layout, {picture}, 20);
  EXPECT_TRUE(shows(image, QPoint(200, 70), picture, QSize(100, 50)));

  // Nothing to change: the caller stops its timer.
  QImage untouched = canvas(300, 120);
  EXPECT_TRUE(RefillRandomTile(untouched, MosaicLayout{}, {picture}).isEmpty());
  EXPECT_TRUE(RefillRandomTile(untouched, layout, {}).isEmpty());
  EXPECT_EQ(untouched, canvas(300, 120));
}
