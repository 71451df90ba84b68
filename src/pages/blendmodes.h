#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>

#include "pages/htmlformat.h"

// The blend modes with which pictures, button boxes and boxes with MODE are
// drawn onto the page. Every mode works per pixel in integer arithmetic: for
// a source pixel s over a destination pixel d, with the source's brightness
// b = (red + green + blue) / 3 and the opacity A (0..255):
//
//   mode 0, 10 and above  w = A                  d += w * (s - d) / 256
//   mode 1                w = b * A / 256        d += w * (s - d) / 256
//   mode 2                w = A * (255 - b) / 256  d += w * (s - d) / 256
//   mode 3                w = b * A / 256        d += (255 - d) * w / 256   (lighten)
//   mode 4                w = A * (255 - b) / 256  d -= w * d / 256         (darken)
//   mode 5                w = A * (255 - b) / 256  d += (255 - d) * w / 256
//   mode 6                w = b * A / 256        d -= w * d / 256
//   mode 7                w = A * (255 - b) / 256  d += (c - d) * w / 256   (colour the dark parts)
//   mode 8                w = b * A / 256        d += (c - d) * w / 256     (colour the bright parts)
//   mode 9                w = A * (255 - s) / 256 per channel   d += (255 - 2d) * w / 256
//
// where c is the colouring colour. Divisions truncate toward zero; negative
// modes count as mode 0. A pixel covered only partly by a mask (coverage
// c of 16 samples) has its weight scaled to w * c * 16 / 256.

// Samples per pixel of a mask (a 4 x 4 grid).
inline constexpr int kFullCoverage = 16;

// The opacity as the blend functions use it: clamped to 0..255.
constexpr int ClampAlpha(int alpha) { return alpha < 0 ? 0 : (alpha > 255 ? 255 : alpha); }

// One pixel of `dest` after blending `source` over it in `mode` with the
// opacity `alpha` (clamped to 0..255) and the colouring colour `xcolor`
// (modes 7 and 8), at the mask coverage `coverage` (0..16). The alpha byte of
// `dest` is kept.
QRgb BlendPixel(QRgb dest, QRgb source, int mode, int alpha, TColor xcolor, int coverage = kFullCoverage);

// The mask of a rounded rectangle whose straight edges are the outer edges
// of `shape`'s pixels and whose corners are quarter circles of `radius`
// pixels (at most half the shorter side).
class RoundRectMask {
 public:
  RoundRectMask(const QRect& shape, int radius);
  // How many of the 4 x 4 samples of pixel (x, y) lie inside (samples sit at
  // the centres of the grid cells): 0..16.
  int Coverage(int x, int y) const;
  // The pixels first..last of row y are known to be wholly inside without
  // sampling them (first > last when there are none). Pixels outside the
  // shape's rectangle are never covered.
  void FullSpan(int y, int& first, int& last) const;

 private:
  QRect shape_;
  qint64 w8_ = 0, h8_ = 0, r8_ = 0;  // in eighths of a pixel
};

// The coverage of one pixel: RoundRectMask(shape, radius).Coverage(x, y).
int RoundRectCoverage(const QRect& shape, int radius, int x, int y);

// Draws `src` onto `dest` with its top-left corner at `at`, in blend `mode`
// with the opacity `alpha` (clamped to 0..255) and the colouring colour
// `xcolor`. With a `radius` above 0 the picture is drawn through a rounded
// rectangle of its own size with that corner radius: pixels outside it stay
// unchanged, edge pixels get their weight scaled by their coverage. Mode 0
// at full opacity without a radius copies the picture. Everything is clipped
// to `dest`. `dest` should be a 32-bit image (Format_RGB32 or Format_ARGB32);
// another format is converted to Format_RGB32 first. The alpha channels of
// both pictures play no part: `dest` keeps its own.
void BlendImage(QImage& dest, QPoint at, const QImage& src, int mode, int alpha, TColor xcolor, int radius = 0);

// Blends the colour `fill` into `area` of `dest` as BlendImage would draw a
// picture of that single colour: the weights come from the fill colour's
// brightness, and the colouring modes 7 and 8 colour with `fill` itself.
// `radius` rounds the area's corners as in BlendImage.
void BlendFill(QImage& dest, const QRect& area, TColor fill, int mode, int alpha, int radius = 0);
