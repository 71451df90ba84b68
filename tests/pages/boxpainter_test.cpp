#include <gtest/gtest.h>

#include <QImage>
#include <chrono>

#include "common/random.h"
#include "pages/blendmodes.h"
#include "pages/boxpainter.h"

namespace {

const QRgb kBackground = qRgb(255, 255, 255);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kBlue = qRgb(0, 0, 255);

QImage canvas(int width = 24, int height = 20, QRgb colour = kBackground) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

TBox box(int left, int top, int width, int height) {
  TBox b;
  b.Left = left;
  b.Top = top;
  b.Width = width;
  b.Height = height;
  b.FillColor = RGBColor(255, 0, 0);
  b.BorderColor = RGBColor(0, 0, 255);
  return b;
}

// The bounds of the pixels that differ from the background, and their number.
QRect changed(const QImage& image, int* count = nullptr, QRgb background = kBackground) {
  QRect bounds;
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != background) {
        bounds |= QRect(x, y, 1, 1);
        ++n;
      }
  if (count) *count = n;
  return bounds;
}

}  // namespace

TEST(BoxPainter, RectangleCoversItsOutlineWithTheExtraPixel) {
  TBox b = box(5, 4, 6, 3);
  b.Filled = true;
  QImage image = canvas();
  PaintBox(image, b);
  int count = 0;
  EXPECT_EQ(changed(image, &count), QRect(5, 4, 7, 4));
  EXPECT_EQ(count, 28);
  EXPECT_EQ(image.pixel(11, 7), kRed);

  // The offset grows every side; the scroll position moves the box up.
  b.Offset = 2;
  image = canvas();
  PaintBox(image, b, 1);
  EXPECT_EQ(changed(image, &count), QRect(3, 1, 11, 8));
  EXPECT_EQ(count, 88);

  // Neither filled nor bordered: nothing is drawn, whatever the shape.
  b.Filled = false;
  for (int shape = 0; shape <= 4; ++shape) {
    b.Shape = quint8(shape);
    image = canvas();
    PaintBox(image, b);
    EXPECT_TRUE(changed(image).isEmpty()) << shape;
  }
}

// A border of width 3 lies one pixel outside the outline (x 5..13), on it
// and one pixel inside; a border alone leaves the inside as it was.
TEST(BoxPainter, BorderIsCentredOnTheOutline) {
  TBox b = box(5, 5, 8, 6);
  b.Filled = true;
  b.BorderWidth = 3;
  QImage image = canvas();
  PaintBox(image, b);
  EXPECT_EQ(changed(image), QRect(4, 4, 11, 9));
  for (int x : {4, 5, 6, 12, 13, 14}) EXPECT_EQ(image.pixel(x, 8), kBlue) << x;
  for (int x : {7, 11}) EXPECT_EQ(image.pixel(x, 8), kRed) << x;

  b.Filled = false;
  b.BorderWidth = 1;
  image = canvas();
  PaintBox(image, b);
  EXPECT_EQ(image.pixel(5, 5), kBlue);
  EXPECT_EQ(image.pixel(13, 11), kBlue);
  EXPECT_EQ(image.pixel(6, 6), kBackground);
  EXPECT_EQ(changed(image), QRect(5, 5, 9, 7));
}

TEST(BoxPainter, TranslucentRectangleHasNoExtraPixelAndNoBorder) {
  TBox b = box(5, 4, 6, 3);
  b.Filled = true;
  b.Alpha = 128;
  b.BorderWidth = 2;
  QImage image = canvas();
  PaintBox(image, b);
  int count = 0;
  EXPECT_EQ(changed(image, &count), QRect(5, 4, 6, 3));
  EXPECT_EQ(count, 18);
  EXPECT_EQ(image.pixel(7, 5), qRgb(255, 128, 128));  // 255 + 128 * -255 / 256 = 128
}

TEST(BoxPainter, RoundedRectangleIsSmoothAndBlendsThroughTheSameMask) {
  TBox b = box(2, 2, 15, 15);  // outline 16 x 16 at (2, 2)
  b.Shape = 1;
  b.Radius = 4;
  b.Filled = true;
  QImage image = canvas();
  PaintBox(image, b);
  EXPECT_EQ(changed(image), QRect(2, 2, 16, 16));
  EXPECT_EQ(image.pixel(2, 2), kBackground);    // corners stay
  EXPECT_EQ(image.pixel(17, 17), kBackground);
  EXPECT_EQ(image.pixel(9, 9), kRed);           // the inside is the exact colour
  EXPECT_EQ(image.pixel(2, 9), kRed);           // straight edges are sharp
  const int edge = qGreen(image.pixel(3, 2));   // coverage 3 of 16: mostly background
  EXPECT_GT(edge, 128);
  EXPECT_LT(edge, 255);
  EXPECT_EQ(image.pixel(3, 2), image.pixel(16, 17));  // symmetric corners

  // Translucent or with a mode, the fill is blended as BlendFill does it.
  for (int mode : {0, 7}) {
    b.Alpha = 128;
    b.Mode = mode;
    image = canvas();
    PaintBox(image, b);
    QImage expected = canvas();
    BlendFill(expected, QRect(2, 2, 16, 16), b.FillColor, mode, 128, 4);
    EXPECT_EQ(image, expected) << mode;
  }

  // A border of 2: one pixel outside the outline and the outline itself.
  b.Alpha = 255;
  b.Mode = 0;
  b.BorderWidth = 2;
  image = canvas();
  PaintBox(image, b);
  EXPECT_EQ(image.pixel(0, 9), kBackground);
  EXPECT_EQ(image.pixel(1, 9), kBlue);
  EXPECT_EQ(image.pixel(2, 9), kBlue);
  EXPECT_EQ(image.pixel(3, 9), kRed);
}

TEST(BoxPainter, EllipseStaysInItsOutline) {
  TBox b = box(4, 5, 19, 9);  // outline x 4..23, y 5..14
  b.Shape = 2;
  b.Filled = true;
  QImage image = canvas(30, 20);
  PaintBox(image, b);
  EXPECT_EQ(changed(image), QRect(4, 5, 20, 10));
  EXPECT_EQ(image.pixel(13, 9), kRed);
  for (QPoint corner : {QPoint(4, 5), QPoint(23, 5), QPoint(4, 14), QPoint(23, 14)})
    EXPECT_EQ(image.pixel(corner), kBackground);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x <= 27; ++x) {  // mirrored about x = 13.5 and y = 9.5
      EXPECT_EQ(image.pixel(x, y), image.pixel(27 - x, y)) << x << "," << y;
      EXPECT_EQ(image.pixel(x, y), image.pixel(x, 19 - y)) << x << "," << y;
    }
}

TEST(BoxPainter, RandomShapeAlwaysReachesTheBottom) {
  TBox b = box(3, 2, 10, 12);
  b.Filled = true;
  QImage plain = canvas();
  PaintBox(plain, b);

  b.Shape = 3;
  for (int radius : {0, 1, 6}) {
    Random::seed(7);
    b.Radius = radius;
    QImage image = canvas();
    PaintBox(image, b);
    EXPECT_EQ(image, plain) << radius;  // the bands fill the whole outline
  }

  // Taller bands: each row is a band's top or bottom (all border) or its
  // middle (border at the sides, fill between); the first row is a top.
  Random::seed(3);
  b.Radius = 5;
  b.BorderWidth = 1;
  QImage image = canvas();
  PaintBox(image, b);
  EXPECT_EQ(image.pixel(8, 2), kBlue);
  for (int y = 2; y <= 14; ++y) {
    EXPECT_EQ(image.pixel(3, y), kBlue);
    EXPECT_EQ(image.pixel(13, y), kBlue);
    const QRgb middle = image.pixel(8, y);
    EXPECT_TRUE(middle == kBlue || middle == kRed) << y;
  }

  // An absurd height ends at the canvas, at once.
  b.Top = -1000000000;
  b.Height = 2000000000;
  const auto start = std::chrono::steady_clock::now();
  image = canvas();
  PaintBox(image, b);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
  EXPECT_EQ(image.pixel(3, 19), kBlue);
}

TEST(BoxPainter, RaisedBlockIsASweptPolygonWithAFace) {
  TBox b = box(4, 4, 10, 6);
  b.Shape = 4;
  b.Offset = 4;
  b.BorderWidth = 2;
  b.Filled = true;
  QImage image = canvas();
  PaintBox(image, b);
  EXPECT_EQ(changed(image), QRect(4, 4, 15, 11));  // to (L + W + o, T + H + o)
  EXPECT_EQ(image.pixel(6, 6), kRed);               // face from (L + b, T + b) ...
  EXPECT_EQ(image.pixel(11, 7), kRed);              // ... to (L + W - b, T + H - b), exclusive
  EXPECT_EQ(image.pixel(12, 7), kBlue);
  EXPECT_EQ(image.pixel(4, 4), kBlue);
  EXPECT_EQ(image.pixel(14, 10), kBlue);
  EXPECT_EQ(image.pixel(18, 14), kBlue);
  EXPECT_EQ(image.pixel(15, 5), kBlue);             // the slanted right side ...
  EXPECT_EQ(image.pixel(17, 5), kBackground);       // ... above it, nothing
  EXPECT_EQ(image.pixel(7, 13), kBlue);             // the slanted bottom ...
  EXPECT_EQ(image.pixel(5, 13), kBackground);       // ... left of it, nothing
  EXPECT_EQ(image.pixel(18, 4), kBackground);

  // A negative offset raises the block up and to the left.
  b.Offset = -3;
  image = canvas();
  PaintBox(image, b);
  EXPECT_EQ(changed(image), QRect(1, 1, 14, 10));
  EXPECT_EQ(image.pixel(1, 1), kBlue);
  EXPECT_EQ(image.pixel(8, 6), kRed);
}

TEST(BoxPainter, CheckBoxHasTwoFramesAndAFilledOrWhiteInside) {
  const QRgb grey = qRgb(128, 128, 128);
  const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255);
  for (bool checked : {true, false}) {
    QImage image = canvas(12, 12, grey);
    PaintCheckBox(image, 2, 3, 7, 7, checked);
    EXPECT_EQ(changed(image, nullptr, grey), QRect(2, 3, 7, 7));
    for (int y = 3; y <= 9; ++y)
      for (int x = 2; x <= 8; ++x) {
        const bool inside = x >= 4 && x <= 6 && y >= 5 && y <= 7;
        EXPECT_EQ(image.pixel(x, y), inside && !checked ? white : black) << x << "," << y;
      }
  }
}
