#include <gtest/gtest.h>

#include <QImage>

#include "pages/blendmodes.h"

namespace {

QImage solid(int width, int height, QRgb colour) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

}  // namespace

// Two source pixels over two destination pixels at opacity 200, colouring
// colour (10, 250, 128); expected values worked out from the mode table with
// divisions truncated toward zero (mode 0's green: 200 + 200 * -159 / 256
// = 200 - 124).
TEST(BlendModes, EveryModeMatchesTheTable) {
  QImage src(2, 1, QImage::Format_RGB32);
  src.setPixel(0, 0, qRgb(200, 41, 90));   // brightness 110
  src.setPixel(1, 0, qRgb(250, 250, 20));  // brightness 173
  struct Case {
    int mode;
    QRgb first, second;
  };
  const Case cases[] = {
      {0, qRgb(178, 76, 81), qRgb(201, 223, 71)},    {1, qRgb(133, 148, 63), qRgb(146, 192, 129)},
      {2, qRgb(144, 130, 67), qRgb(85, 158, 193)},   {3, qRgb(151, 218, 118), qRgb(148, 194, 252)},
      {4, qRgb(56, 112, 28), qRgb(23, 96, 188)},     {5, qRgb(168, 224, 140), qRgb(86, 159, 251)},
      {6, qRgb(67, 134, 34), qRgb(15, 61, 119)},     {7, qRgb(61, 222, 84), qRgb(25, 158, 220)},
      {8, qRgb(71, 216, 75), qRgb(20, 192, 186)},    {9, qRgb(109, 106, 127), qRgb(32, 128, 75)},
      {10, qRgb(178, 76, 81), qRgb(201, 223, 71)},   {255, qRgb(178, 76, 81), qRgb(201, 223, 71)},
  };
  for (const Case& c : cases) {
    QImage dest(2, 1, QImage::Format_RGB32);
    dest.setPixel(0, 0, qRgb(100, 200, 50));
    dest.setPixel(1, 0, qRgb(30, 128, 250));
    BlendImage(dest, QPoint(0, 0), src, c.mode, 200, RGBColor(10, 250, 128));
    EXPECT_EQ(dest.pixel(0, 0), c.first) << "mode " << c.mode;
    EXPECT_EQ(dest.pixel(1, 0), c.second) << "mode " << c.mode;
    EXPECT_EQ(BlendPixel(qRgb(100, 200, 50), qRgb(200, 41, 90), c.mode, 200, RGBColor(10, 250, 128)), c.first)
        << "mode " << c.mode;
  }
}

TEST(BlendModes, PlainCopyOpacityClampAndClipping) {
  const QImage src = solid(3, 3, qRgb(255, 255, 255));
  // Mode 0 at full opacity (or above: clamped) copies; mode 10 follows the
  // formula (255 * 255 / 256); a negative opacity changes nothing.
  const struct {
    int mode, alpha, expected;
  } cases[] = {{0, 255, 255}, {0, 300, 255}, {10, 255, 254}, {1, -40, 0}};
  for (const auto& c : cases) {
    QImage dest = solid(3, 3, qRgb(0, 0, 0));
    BlendImage(dest, QPoint(0, 0), src, c.mode, c.alpha, 0);
    EXPECT_EQ(dest.pixel(1, 1), qRgb(c.expected, c.expected, c.expected)) << c.mode << " " << c.alpha;
  }

  // A picture reaching over the edges only changes what lies on the canvas.
  QImage dest = solid(4, 4, qRgb(0, 0, 0));
  BlendImage(dest, QPoint(-1, 2), src, 3, 255, 0);
  BlendImage(dest, QPoint(-10, -10), src, 3, 255, 0);  // wholly outside
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(dest.pixel(x, y) != qRgb(0, 0, 0), x <= 1 && y >= 2) << x << "," << y;
}

// An 8 x 8 picture with corner radius 4: the 4 x 4 samples of the corner
// pixels give coverages 0, 3, 11, 16 along the top row and 15 one pixel in,
// and each scales the weight by c / 16 (white over black in mode 0: 255 at
// coverage c gives 255 * c / 16, then 255 * w / 256).
TEST(BlendModes, RoundedMaskScalesTheWeightByCoverage) {
  EXPECT_EQ(RoundRectCoverage(QRect(0, 0, 8, 8), 4, 0, 0), 0);
  EXPECT_EQ(RoundRectCoverage(QRect(0, 0, 8, 8), 4, 1, 0), 3);
  EXPECT_EQ(RoundRectCoverage(QRect(0, 0, 8, 8), 4, 2, 0), 11);
  EXPECT_EQ(RoundRectCoverage(QRect(0, 0, 8, 8), 4, 1, 1), 15);
  EXPECT_EQ(RoundRectCoverage(QRect(0, 0, 8, 8), 4, 4, 0), 16);
  EXPECT_EQ(RoundRectCoverage(QRect(0, 0, 8, 8), 4, 8, 4), 0);  // outside

  const QImage white = solid(8, 8, qRgb(255, 255, 255));
  QImage dest = solid(12, 12, qRgb(0, 0, 0));
  BlendImage(dest, QPoint(2, 3), white, 0, 255, 0, 4);
  const auto grey = [](int v) { return qRgb(v, v, v); };
  EXPECT_EQ(dest.pixel(2, 3), grey(0));  // the corner stays as it was
  EXPECT_EQ(dest.pixel(3, 3), grey(46));
  EXPECT_EQ(dest.pixel(4, 3), grey(174));
  EXPECT_EQ(dest.pixel(5, 3), grey(254));
  EXPECT_EQ(dest.pixel(3, 4), grey(238));
  EXPECT_EQ(dest.pixel(9, 10), grey(0));    // the opposite corner
  EXPECT_EQ(dest.pixel(8, 10), grey(46));
  EXPECT_EQ(dest.pixel(6, 6), grey(254));
  EXPECT_EQ(dest.pixel(1, 6), grey(0));     // beside the picture

  // The coverage scales the weight of the other modes too: mode 1 with
  // brightness 110 at coverage 15 gives w = 109 * 15 / 16 = 102.
  QImage src = solid(8, 8, qRgb(200, 100, 30));
  dest = solid(8, 8, qRgb(10, 20, 30));
  BlendImage(dest, QPoint(0, 0), src, 1, 255, 0, 4);
  EXPECT_EQ(dest.pixel(1, 1), qRgb(85, 51, 30));
  EXPECT_EQ(dest.pixel(0, 0), qRgb(10, 20, 30));
}

// A fill works like a picture of one colour: the weights come from the
// fill's brightness (140 here) and modes 7 and 8 colour with the fill.
TEST(BlendModes, FillUsesTheFillColourAsSource) {
  const TColor fill = RGBColor(40, 160, 220);
  struct Case {
    int mode;
    QRgb expected;
  };
  const Case cases[] = {{0, qRgb(88, 142, 154)},  {3, qRgb(221, 159, 97)},  {7, qRgb(150, 118, 68)},
                        {8, qRgb(139, 122, 84)},  {9, qRgb(115, 114, 23)}};
  for (const Case& c : cases) {
    QImage dest = solid(4, 3, qRgb(200, 100, 0));
    BlendFill(dest, QRect(1, 1, 2, 1), fill, c.mode, 180);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 4; ++x) {
        const bool inside = y == 1 && (x == 1 || x == 2);
        EXPECT_EQ(dest.pixel(x, y), inside ? c.expected : qRgb(200, 100, 0)) << c.mode << " " << x << "," << y;
      }
  }

  // A rounded fill uses the same mask as a rounded picture.
  QImage filled = solid(10, 10, qRgb(0, 0, 0));
  QImage drawn = filled;
  BlendFill(filled, QRect(1, 1, 8, 8), RGBColor(255, 255, 255), 0, 255, 4);
  BlendImage(drawn, QPoint(1, 1), solid(8, 8, qRgb(255, 255, 255)), 0, 255, 0, 4);
  EXPECT_EQ(filled, drawn);
}
