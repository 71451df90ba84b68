#include "pages/blendmodes.h"

#include <algorithm>
#include <cstring>

namespace {

// Radii beyond this are as good as "half the shorter side" for any picture
// or box, and keep the squared sample distances well inside 64 bits.
constexpr int kMaxRadius = 1 << 24;

struct BlendParams {
  int alpha = 255;
  int xr = 0, xg = 0, xb = 0;  // colouring colour
};

inline int clampByte(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

inline int brightness(QRgb s) { return (qRed(s) + qGreen(s) + qBlue(s)) / 3; }

// The weight of a pixel scaled by its mask coverage.
inline int covered(int w, int coverage) { return w * coverage * 16 / 256; }

inline int mix(int d, int s, int w) { return d + w * (s - d) / 256; }
inline int lighten(int d, int w) { return d + (255 - d) * w / 256; }
inline int darken(int d, int w) { return d - w * d / 256; }
inline int invert(int d, int s, int alpha, int coverage) {
  const int w = covered(alpha * (255 - s) / 256, coverage);
  return d + (255 - 2 * d) * w / 256;
}

// Mode numbers folded onto the ten distinct rows of the table.
inline int normalMode(int mode) { return (mode < 0 || mode >= 10) ? 0 : mode; }

template <int Mode>
inline QRgb blendOne(QRgb d, QRgb s, const BlendParams& p, int coverage) {
  const int dr = qRed(d), dg = qGreen(d), db = qBlue(d);
  int r = dr, g = dg, b = db;
  if constexpr (Mode == 9) {
    r = invert(dr, qRed(s), p.alpha, coverage);
    g = invert(dg, qGreen(s), p.alpha, coverage);
    b = invert(db, qBlue(s), p.alpha, coverage);
  } else {
    int w;
    if constexpr (Mode == 0) w = p.alpha;
    else if constexpr (Mode == 1 || Mode == 3 || Mode == 6 || Mode == 8) w = brightness(s) * p.alpha / 256;
    else w = p.alpha * (255 - brightness(s)) / 256;
    w = covered(w, coverage);
    if constexpr (Mode <= 2) {
      r = mix(dr, qRed(s), w);
      g = mix(dg, qGreen(s), w);
      b = mix(db, qBlue(s), w);
    } else if constexpr (Mode == 3 || Mode == 5) {
      r = lighten(dr, w);
      g = lighten(dg, w);
      b = lighten(db, w);
    } else if constexpr (Mode == 4 || Mode == 6) {
      r = darken(dr, w);
      g = darken(dg, w);
      b = darken(db, w);
    } else {  // 7, 8
      r = mix(dr, p.xr, w);
      g = mix(dg, p.xg, w);
      b = mix(db, p.xb, w);
    }
  }
  return qRgba(clampByte(r), clampByte(g), clampByte(b), qAlpha(d));
}

BlendParams makeParams(int alpha, TColor xcolor) {
  return {ClampAlpha(alpha), RedOf(xcolor), GreenOf(xcolor), BlueOf(xcolor)};
}

bool is32Bit(const QImage& image) {
  return image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
}

void ensure32Bit(QImage& image) {
  if (!is32Bit(image)) image.convertTo(QImage::Format_RGB32);
}

// The area of `dest` that a rectangle at `shape` touches.
QRect clippedTo(const QImage& dest, const QRect& shape) { return shape.intersected(dest.rect()); }

// Blends every pixel of `area` (clipped already) with the pixel of `src`
// whose top-left corner lies at `at`, or with `uniform` when there is no
// source picture; `shape` is the rectangle the rounded mask belongs to.
template <int Mode>
void blendArea(QImage& dest, const QRect& area, const QRect& shape, int radius, const BlendParams& p,
               const QImage* src, QPoint at, QRgb uniform) {
  const RoundRectMask mask(shape, radius);
  for (int y = area.top(); y <= area.bottom(); ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(dest.scanLine(y));
    const QRgb* from = src ? reinterpret_cast<const QRgb*>(src->constScanLine(y - at.y())) : nullptr;
    int first = area.left(), last = area.right();
    if (radius > 0) mask.FullSpan(y, first, last);
    for (int x = area.left(); x <= area.right(); ++x) {
      const int coverage = (x >= first && x <= last) ? kFullCoverage : mask.Coverage(x, y);
      if (coverage == 0) continue;
      row[x] = blendOne<Mode>(row[x], from ? from[x - at.x()] : uniform, p, coverage);
    }
  }
}

void blendAreaInMode(QImage& dest, const QRect& area, const QRect& shape, int radius, int mode, const BlendParams& p,
                     const QImage* src, QPoint at, QRgb uniform) {
  switch (normalMode(mode)) {
    case 0: blendArea<0>(dest, area, shape, radius, p, src, at, uniform); break;
    case 1: blendArea<1>(dest, area, shape, radius, p, src, at, uniform); break;
    case 2: blendArea<2>(dest, area, shape, radius, p, src, at, uniform); break;
    case 3: blendArea<3>(dest, area, shape, radius, p, src, at, uniform); break;
    case 4: blendArea<4>(dest, area, shape, radius, p, src, at, uniform); break;
    case 5: blendArea<5>(dest, area, shape, radius, p, src, at, uniform); break;
    case 6: blendArea<6>(dest, area, shape, radius, p, src, at, uniform); break;
    case 7: blendArea<7>(dest, area, shape, radius, p, src, at, uniform); break;
    case 8: blendArea<8>(dest, area, shape, radius, p, src, at, uniform); break;
    default: blendArea<9>(dest, area, shape, radius, p, src, at, uniform); break;
  }
}

}  // namespace

QRgb BlendPixel(QRgb dest, QRgb source, int mode, int alpha, TColor xcolor, int coverage) {
  const BlendParams p = makeParams(alpha, xcolor);
  coverage = std::clamp(coverage, 0, kFullCoverage);
  switch (normalMode(mode)) {
    case 0: return blendOne<0>(dest, source, p, coverage);
    case 1: return blendOne<1>(dest, source, p, coverage);
    case 2: return blendOne<2>(dest, source, p, coverage);
    case 3: return blendOne<3>(dest, source, p, coverage);
    case 4: return blendOne<4>(dest, source, p, coverage);
    case 5: return blendOne<5>(dest, source, p, coverage);
    case 6: return blendOne<6>(dest, source, p, coverage);
    case 7: return blendOne<7>(dest, source, p, coverage);
    case 8: return blendOne<8>(dest, source, p, coverage);
    default: return blendOne<9>(dest, source, p, coverage);
  }
}

RoundRectMask::RoundRectMask(const QRect& shape, int radius) : shape_(shape) {
  if (shape.isEmpty()) return;
  // All lengths in eighths of a pixel, so that the sample centres
  // (1/8, 3/8, 5/8, 7/8 of a pixel) are odd integers.
  w8_ = 8LL * shape.width();
  h8_ = 8LL * shape.height();
  r8_ = std::min({8LL * std::clamp(radius, 0, kMaxRadius), w8_ / 2, h8_ / 2});
}

int RoundRectMask::Coverage(int x, int y) const {
  if (w8_ == 0) return 0;
  const qint64 px = 8LL * (qint64(x) - shape_.left());
  const qint64 py = 8LL * (qint64(y) - shape_.top());
  if (px < 0 || px >= w8_ || py < 0 || py >= h8_) return 0;
  // Away from the corners a pixel of the rectangle is wholly inside.
  if ((px >= r8_ && px + 8 <= w8_ - r8_) || (py >= r8_ && py + 8 <= h8_ - r8_)) return kFullCoverage;
  const qint64 rr = r8_ * r8_;
  int count = 0;
  for (int j = 0; j < 4; ++j) {
    const qint64 sy = py + 2 * j + 1;
    const qint64 dy = sy - std::clamp(sy, r8_, h8_ - r8_);
    for (int i = 0; i < 4; ++i) {
      const qint64 sx = px + 2 * i + 1;
      const qint64 dx = sx - std::clamp(sx, r8_, w8_ - r8_);
      if (dx * dx + dy * dy <= rr) ++count;
    }
  }
  return count;
}

void RoundRectMask::FullSpan(int y, int& first, int& last) const {
  first = 1;
  last = 0;
  if (w8_ == 0 || y < shape_.top() || y > shape_.bottom()) return;
  const qint64 py = 8LL * (qint64(y) - shape_.top());
  if (py >= r8_ && py + 8 <= h8_ - r8_) {
    first = shape_.left();
    last = shape_.right();
    return;
  }
  // A corner row: the pixels between the two corner squares.
  const qint64 corner = (r8_ + 7) / 8;  // whole pixels touched by a corner
  first = int(shape_.left() + corner);
  last = int(shape_.right() - corner);
}

int RoundRectCoverage(const QRect& shape, int radius, int x, int y) {
  return RoundRectMask(shape, radius).Coverage(x, y);
}

void BlendImage(QImage& dest, QPoint at, const QImage& src, int mode, int alpha, TColor xcolor, int radius) {
  if (dest.isNull() || src.isNull()) return;
  ensure32Bit(dest);
  const QImage source = is32Bit(src) ? src : src.convertToFormat(QImage::Format_RGB32);
  const QRect shape(at, source.size());
  const QRect area = clippedTo(dest, shape);
  if (area.isEmpty()) return;
  alpha = ClampAlpha(alpha);

  if (mode == 0 && alpha == 255 && radius <= 0) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
      QRgb* row = reinterpret_cast<QRgb*>(dest.scanLine(y));
      const QRgb* from = reinterpret_cast<const QRgb*>(source.constScanLine(y - at.y()));
      for (int x = area.left(); x <= area.right(); ++x)
        row[x] = (from[x - at.x()] & 0x00FFFFFFu) | (row[x] & 0xFF000000u);
    }
    return;
  }

  const BlendParams p = makeParams(alpha, xcolor);
  blendAreaInMode(dest, area, shape, radius, mode, p, &source, at, 0);
}

void BlendFill(QImage& dest, const QRect& area, TColor fill, int mode, int alpha, int radius) {
  if (dest.isNull()) return;
  ensure32Bit(dest);
  const QRect clipped = clippedTo(dest, area);
  if (clipped.isEmpty()) return;
  const QRgb colour = qRgb(RedOf(fill), GreenOf(fill), BlueOf(fill));
  const BlendParams p = makeParams(alpha, fill);
  blendAreaInMode(dest, clipped, area, radius, mode, p, nullptr, area.topLeft(), colour);
}
