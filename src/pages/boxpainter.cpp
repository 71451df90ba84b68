#include "pages/boxpainter.h"

#include <algorithm>
#include <cmath>

#include "common/random.h"
#include "pages/blendmodes.h"

namespace {

// Coordinates are computed in 64 bits and, where a QRect is needed, kept
// within this distance of the canvas: far enough out that nothing visible
// changes, near enough that sizes fit an int.
constexpr qint64 kFarOut = qint64(1) << 28;

// An area of pixels with both corners included, in canvas coordinates.
struct Span {
  qint64 x0, y0, x1, y1;
  bool empty() const { return x1 < x0 || y1 < y0; }
  Span grown(qint64 by) const { return {x0 - by, y0 - by, x1 + by, y1 + by}; }
};

QRgb toRgb(TColor c) { return qRgb(RedOf(c), GreenOf(c), BlueOf(c)); }

void ensure32Bit(QImage& canvas) {
  if (canvas.format() != QImage::Format_RGB32 && canvas.format() != QImage::Format_ARGB32)
    canvas.convertTo(QImage::Format_RGB32);
}

// The part of `s` on the canvas, or an empty rectangle.
QRect onCanvas(const QImage& canvas, const Span& s) {
  if (s.empty()) return {};
  const qint64 x0 = std::max<qint64>(s.x0, 0), y0 = std::max<qint64>(s.y0, 0);
  const qint64 x1 = std::min<qint64>(s.x1, canvas.width() - 1), y1 = std::min<qint64>(s.y1, canvas.height() - 1);
  if (x1 < x0 || y1 < y0) return {};
  return QRect(QPoint(int(x0), int(y0)), QPoint(int(x1), int(y1)));
}

// `s` as a QRect, its far sides pulled in to within kFarOut of the canvas.
QRect nearCanvas(const QImage& canvas, const Span& s) {
  const auto pull = [](qint64 v, qint64 size) { return std::clamp<qint64>(v, -kFarOut, size + kFarOut); };
  return QRect(QPoint(int(pull(s.x0, canvas.width())), int(pull(s.y0, canvas.height()))),
               QPoint(int(pull(s.x1, canvas.width())), int(pull(s.y1, canvas.height()))));
}

void fillSpan(QImage& canvas, const Span& s, QRgb colour) {
  const QRect r = onCanvas(canvas, s);
  if (r.isEmpty()) return;
  for (int y = r.top(); y <= r.bottom(); ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(canvas.scanLine(y));
    std::fill(row + r.left(), row + r.right() + 1, colour);
  }
}

// The pixels a border of width b centred on `outline` covers.
Span borderOuter(const Span& outline, int b) { return outline.grown(b / 2); }
Span borderInner(const Span& outline, int b) { return outline.grown(-((b + 1) / 2)); }

// A rectangle with both corners included: optional fill, optional border.
void drawRectangle(QImage& canvas, const Span& outline, bool filled, QRgb fill, int b, QRgb border) {
  if (outline.empty()) return;
  if (filled) fillSpan(canvas, outline, fill);
  if (b <= 0) return;
  const Span outer = borderOuter(outline, b);
  const Span inner = borderInner(outline, b);
  if (inner.empty()) {
    fillSpan(canvas, outer, border);
    return;
  }
  fillSpan(canvas, {outer.x0, outer.y0, outer.x1, inner.y0 - 1}, border);
  fillSpan(canvas, {outer.x0, inner.y1 + 1, outer.x1, outer.y1}, border);
  fillSpan(canvas, {outer.x0, inner.y0, inner.x0 - 1, inner.y1}, border);
  fillSpan(canvas, {inner.x1 + 1, inner.y0, outer.x1, inner.y1}, border);
}

// The ellipse inscribed in the outer edges of `shape`'s pixels, measured
// with the same 4 x 4 sample grid as rounded rectangles.
class EllipseMask {
 public:
  explicit EllipseMask(const QRect& shape)
      : shape_(shape), a_(shape.width() / 2.0), b_(shape.height() / 2.0) {}

  int Coverage(int x, int y) const {
    if (shape_.isEmpty()) return 0;
    const double px = double(x) - shape_.left() - a_;  // pixel's left edge, from the centre
    const double py = double(y) - shape_.top() - b_;
    int count = 0;
    for (int j = 0; j < 4; ++j)
      for (int i = 0; i < 4; ++i)
        if (inside(px + (2 * i + 1) / 8.0, py + (2 * j + 1) / 8.0)) ++count;
    return count;
  }

  // Row y: pixels first..last may be covered; full..fullLast are wholly
  // inside. Spans with first > last are empty.
  void Spans(int y, int& first, int& last, int& full, int& fullLast) const {
    first = full = 1;
    last = fullLast = 0;
    if (shape_.isEmpty() || y < shape_.top() || y > shape_.bottom()) return;
    const double top = double(y) - shape_.top() - b_, bottom = top + 1;
    const double nearest = (top < 0 && bottom > 0) ? 0 : std::min(std::abs(top), std::abs(bottom));
    const double farthest = std::max(std::abs(top), std::abs(bottom));
    const double centre = shape_.left() + a_;
    // Half widths of the ellipse at the row's nearest and farthest edge.
    const double reach = halfWidth(nearest), inner = halfWidth(farthest);
    first = std::max(shape_.left(), int(std::floor(centre - reach)));
    last = std::min(shape_.right(), int(std::ceil(centre + reach)) - 1);
    if (inner > 0) {
      full = int(std::ceil(centre - inner));
      fullLast = int(std::floor(centre + inner)) - 1;
    }
  }

 private:
  bool inside(double dx, double dy) const {
    const double u = dx / a_, v = dy / b_;
    return u * u + v * v <= 1.0;
  }
  double halfWidth(double dy) const {
    const double v = dy / b_;
    return v >= 1 ? 0 : a_ * std::sqrt(1 - v * v);
  }

  QRect shape_;
  double a_, b_;
};

// A rounded rectangle's mask with the same spans as EllipseMask.
class RoundedMask {
 public:
  RoundedMask(const QRect& shape, int radius) : shape_(shape), mask_(shape, radius) {}
  int Coverage(int x, int y) const { return mask_.Coverage(x, y); }
  void Spans(int y, int& first, int& last, int& full, int& fullLast) const {
    first = shape_.left();
    last = shape_.right();
    if (shape_.isEmpty() || y < shape_.top() || y > shape_.bottom()) first = 1, last = 0;
    mask_.FullSpan(y, full, fullLast);
  }

 private:
  QRect shape_;
  RoundRectMask mask_;
};

// Draws an anti-aliased shape within `bounds`: `outer` is the shape with its
// border, `inner` the part inside the border (the same as `outer` without a
// border).
template <typename Mask>
void drawSmooth(QImage& canvas, const TBox& box, const QRect& bounds, const Mask& outer, const Mask& inner) {
  const bool blend = box.Alpha < 255 || box.Mode != 0;
  const QRgb fill = toRgb(box.FillColor);
  const int br = RedOf(box.BorderColor), bg = GreenOf(box.BorderColor), bb = BlueOf(box.BorderColor);
  const bool hasBorder = box.BorderWidth > 0;
  const QRect rows = bounds.intersected(canvas.rect());
  if (rows.isEmpty()) return;
  for (int y = rows.top(); y <= rows.bottom(); ++y) {
    int first, last, full, fullLast;
    outer.Spans(y, first, last, full, fullLast);
    first = std::max(first, 0);
    last = std::min(last, canvas.width() - 1);
    if (first > last) continue;
    int innerFirst = 1, innerLast = 0, innerFull = 1, innerFullLast = 0;
    if (hasBorder) inner.Spans(y, innerFirst, innerLast, innerFull, innerFullLast);
    QRgb* row = reinterpret_cast<QRgb*>(canvas.scanLine(y));
    for (int x = first; x <= last; ++x) {
      const int co = (x >= full && x <= fullLast) ? kFullCoverage : outer.Coverage(x, y);
      if (co == 0) continue;
      int ci = co;
      if (hasBorder) {
        if (x >= innerFull && x <= innerFullLast) ci = kFullCoverage;
        else if (x >= innerFirst && x <= innerLast) ci = inner.Coverage(x, y);
        else ci = 0;
      }
      const QRgb d = row[x];
      // The fill covers ci of the 16 samples, the border the next co - ci.
      QRgb g = d;
      if (box.Filled && ci > 0) {
        if (blend) {
          g = BlendPixel(d, fill, box.Mode, box.Alpha, box.FillColor, ci);
        } else {
          const auto part = [ci](int dc, int fc) { return (dc * (kFullCoverage - ci) + fc * ci + 8) / kFullCoverage; };
          g = qRgba(part(qRed(d), qRed(fill)), part(qGreen(d), qGreen(fill)), part(qBlue(d), qBlue(fill)), qAlpha(d));
        }
      }
      const int ring = co - ci;
      if (ring > 0) {
        const auto add = [ring](int gc, int dc, int bc) {
          return std::clamp(gc + (bc - dc) * ring / kFullCoverage, 0, 255);
        };
        g = qRgba(add(qRed(g), qRed(d), br), add(qGreen(g), qGreen(d), bg), add(qBlue(g), qBlue(d), bb), qAlpha(d));
      }
      row[x] = g;
    }
  }
}

void drawRandom(QImage& canvas, const Span& outline, const TBox& box) {
  if (outline.empty()) return;
  // Bands of height 0 would draw nothing and never reach the bottom: every
  // band is at least one pixel high.
  const int longest = std::max(1, box.Radius - 1);
  const QRgb fill = toRgb(box.FillColor), border = toRgb(box.BorderColor);
  qint64 y = outline.y0;
  // Bands wholly above the canvas are invisible; skip them, all but one.
  if (y < -qint64(longest)) y = -qint64(longest);
  while (y <= outline.y1 && y < canvas.height()) {
    const int h = box.Radius >= 2 ? 1 + Random::below(box.Radius - 1) : 1;
    // The last band ends with the outline rather than below it.
    const qint64 last = std::min<qint64>(y + h - 1, outline.y1);
    drawRectangle(canvas, {outline.x0, y, outline.x1, last}, box.Filled, fill, box.BorderWidth, border);
    y += h;
  }
}

void draw3D(QImage& canvas, const TBox& box, int scroll) {
  if (box.Width < 0 || box.Height < 0) return;
  const qint64 left = box.Left, top = qint64(box.Top) - scroll;
  const qint64 right = left + box.Width, bottom = top + box.Height;
  const qint64 lo = std::min(0, box.Offset), hi = std::max(0, box.Offset);
  // The box rectangle (corners included) swept along the diagonal by 0..Offset:
  // on each row, the union of its shifted copies that reach it.
  const QRgb border = toRgb(box.BorderColor);
  const qint64 y0 = std::max<qint64>(top + lo, 0), y1 = std::min<qint64>(bottom + hi, canvas.height() - 1);
  for (qint64 y = y0; y <= y1; ++y) {
    const qint64 tFirst = std::max(lo, y - bottom), tLast = std::min(hi, y - top);
    if (tFirst > tLast) continue;
    fillSpan(canvas, {left + tFirst, y, right + tLast, y}, border);
  }
  if (!box.Filled) return;
  const int b = box.BorderWidth;
  fillSpan(canvas, {left + b, top + b, right - b - 1, bottom - b - 1}, toRgb(box.FillColor));
}

}  // namespace

void PaintBox(QImage& canvas, const TBox& box, int scroll) {
  if (canvas.isNull()) return;
  if (!box.Filled && box.BorderWidth <= 0) return;
  ensure32Bit(canvas);
  const qint64 o = box.Offset;
  const qint64 top = qint64(box.Top) - scroll;
  const Span outline{box.Left - o, top - o, qint64(box.Left) + box.Width + o, top + box.Height + o};
  const int b = std::max(0, box.BorderWidth);

  switch (box.Shape) {
    case 1:
    case 2: {
      if (outline.empty()) return;
      const QRect outer = nearCanvas(canvas, borderOuter(outline, b));
      const Span innerSpan = b > 0 ? borderInner(outline, b) : outline;
      const QRect inner = innerSpan.empty() ? QRect() : nearCanvas(canvas, innerSpan);
      if (box.Shape == 1) {
        const int radius = std::max(0, box.Radius);
        drawSmooth(canvas, box, outer, RoundedMask(outer, radius + b / 2),
                   RoundedMask(inner, std::max(0, radius - (b + 1) / 2)));
      } else {
        drawSmooth(canvas, box, outer, EllipseMask(outer), EllipseMask(inner));
      }
      break;
    }
    case 3:
      drawRandom(canvas, outline, box);
      break;
    case 4:
      draw3D(canvas, box, scroll);
      break;
    default:
      if (box.Alpha < 255) {
        // The blended variant leaves out the last column and row.
        if (box.Filled && !outline.empty())
          BlendFill(canvas, nearCanvas(canvas, {outline.x0, outline.y0, outline.x1 - 1, outline.y1 - 1}),
                    box.FillColor, 0, box.Alpha);
      } else {
        drawRectangle(canvas, outline, box.Filled, toRgb(box.FillColor), b, toRgb(box.BorderColor));
      }
      break;
  }
}

void PaintCheckBox(QImage& canvas, int x, int y, int width, int height, bool checked) {
  if (canvas.isNull() || width <= 0 || height <= 0) return;
  ensure32Bit(canvas);
  const QRgb black = qRgb(0, 0, 0);
  const Span square{x, y, qint64(x) + width - 1, qint64(y) + height - 1};
  fillSpan(canvas, square, black);  // both frames
  fillSpan(canvas, square.grown(-2), checked ? black : qRgb(255, 255, 255));
}

void PaintCheckBox(QImage& canvas, const TCheckBox& box) {
  PaintCheckBox(canvas, box.X, box.Y, box.Width, box.Height, box.Checked);
}
