#include "pages/dragblocks.h"

#include <QPainter>

#include "common/random.h"
#include "pages/pagefonts.h"
#include "pages/pagestate.h"

namespace DragBlocks {

namespace {

QColor qcolor(TColor c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

TColor resolve(TColor c, const BodyColors& body) {
  if (c == kPageTextColor) return body.Text;
  if (c == kPageLinkColor) return body.Link;
  return c;
}

}  // namespace

void RegisterGap(TDragExercise& drag, int number, const TXText& element, int index, const QRect& rect) {
  if (number < 0 || number >= static_cast<int>(drag.Gaps.size())) return;
  TDropGap& gap = drag.Gaps[static_cast<size_t>(number)];
  gap.Rect = rect;
  gap.Expected = element.Text;
  gap.Element = index;
  gap.Font = element.Format.Font;
  if (!drag.GapSize.isValid()) drag.GapSize = rect.size();
}

void CreateBlocks(TDragExercise& drag) {
  for (const TDropGap& gap : drag.Gaps) {
    if (!gap.Open()) continue;
    const bool exists = std::any_of(drag.Blocks.begin(), drag.Blocks.end(),
                                    [&](const tDragKlotz& b) { return b.Element == gap.Element; });
    if (exists) continue;
    tDragKlotz block;
    block.Text = gap.Expected;
    block.Element = gap.Element;
    block.Font = gap.Font;
    drag.Blocks.push_back(block);
    drag.Shuffled = false;
  }
  if (drag.ExtrasCreated) return;
  drag.ExtrasCreated = true;
  drag.Shuffled = false;
  // Extra wrong blocks look like the others: in the font of the first gap.
  FontState font;
  for (const TDropGap& gap : drag.Gaps) {
    if (gap.Element >= 0) {
      font = gap.Font;
      break;
    }
  }
  for (const QString& text : drag.ExtraWrong) {
    tDragKlotz block;
    block.Text = text.trimmed();
    block.Font = font;
    if (!block.Text.isEmpty()) drag.Blocks.push_back(block);
  }
}

int TrayLeft(const TDragExercise& drag, int pageWidth) {
  if (drag.TrayLeft != -1) return drag.TrayLeft;
  return (pageWidth - drag.PerRow * (drag.BlockWidth + 20) + 20) / 2;
}

int TrayRight(const TDragExercise& drag, int pageWidth) {
  if (drag.TrayRight != -1) return drag.TrayRight;
  return pageWidth - TrayLeft(drag, pageWidth);
}

QPoint TrayPlace(const TDragExercise& drag, int i, int pageWidth) {
  const int perRow = std::max(1, drag.PerRow);
  const int left = TrayLeft(drag, pageWidth);
  const int y = drag.TrayTop + (i / perRow) * kRowStep;
  if (perRow == 1) return QPoint(left, y);
  const int step = (TrayRight(drag, pageWidth) - left - drag.BlockWidth) / (perRow - 1);
  return QPoint(left + step * (i % perRow), y);
}

QSize BlockSize(const TDragExercise& drag) {
  int height = drag.GapSize.isValid() ? drag.GapSize.height() : 0;
  if (height <= 0) {
    // Extra blocks on a page without gaps: as high as their text.
    FontState font;
    if (!drag.Blocks.empty()) font = drag.Blocks.front().Font;
    height = QFontMetrics(PageFonts::FontFor(font)).height() + 4;
  }
  return QSize(std::max(1, drag.BlockWidth), height);
}

QImage BlockImage(const tDragKlotz& block, const QSize& size, const BodyColors& body) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(qcolor(body.Klotz));
  QPainter p(&image);
  QFont font = PageFonts::FontFor(block.Font);
  font.setUnderline(false);
  p.setFont(font);
  p.setPen(qcolor(resolve(block.Font.TextColor, body)));
  p.drawText(image.rect(), Qt::AlignCenter, block.Text);
  return image;
}

void Draw(TDragExercise& drag, QImage& buffer, const BodyColors& body) {
  auto& blocks = drag.Blocks;
  if (blocks.empty()) return;
  const int n = static_cast<int>(blocks.size());
  // Shuffled when blocks are new; after a drop the page is drawn again and
  // the remaining blocks keep their order, closing up in the tray.
  if (!drag.Shuffled)
    for (int i = 0; i < n; ++i) std::swap(blocks[static_cast<size_t>(i)], blocks[static_cast<size_t>(Random::below(n))]);
  drag.Shuffled = true;
  const QSize size = BlockSize(drag);
  QPainter p(&buffer);
  for (int i = 0; i < n; ++i) {
    tDragKlotz& b = blocks[static_cast<size_t>(i)];
    b.Home = TrayPlace(drag, i, buffer.width());
    b.Rect = QRect(b.Home, size);
    b.Image = BlockImage(b, size, body);
    b.Background = buffer.copy(b.Rect);
    p.drawImage(b.Home, b.Image);
  }
}

int BlockAt(const TDragExercise& drag, const QPoint& point) {
  for (int i = static_cast<int>(drag.Blocks.size()) - 1; i >= 0; --i)
    if (drag.Blocks[static_cast<size_t>(i)].Rect.contains(point)) return i;
  return -1;
}

int SnapGap(const TDragExercise& drag, const QPoint& corner) {
  for (size_t i = 0; i < drag.Gaps.size(); ++i) {
    const TDropGap& gap = drag.Gaps[i];
    if (!gap.Open()) continue;
    const QPoint d = corner - gap.Rect.topLeft();
    if (std::abs(d.x()) <= kSnapDistance && std::abs(d.y()) <= kSnapDistance) return static_cast<int>(i);
  }
  return -1;
}

int RightGap(const TDragExercise& drag, const QPoint& corner, const QString& text) {
  for (size_t i = 0; i < drag.Gaps.size(); ++i) {
    const TDropGap& gap = drag.Gaps[i];
    if (gap.Open() && gap.Rect.topLeft() == corner && gap.Expected == text) return static_cast<int>(i);
  }
  return -1;
}

int BlockFor(const TDragExercise& drag, int gap) {
  if (gap < 0 || gap >= static_cast<int>(drag.Gaps.size())) return -1;
  const TDropGap& g = drag.Gaps[static_cast<size_t>(gap)];
  int any = -1;
  for (size_t i = 0; i < drag.Blocks.size(); ++i) {
    const tDragKlotz& b = drag.Blocks[i];
    if (b.Text != g.Expected) continue;
    if (b.Element == g.Element) return static_cast<int>(i);
    if (any < 0) any = static_cast<int>(i);
  }
  return any;
}

bool AllFilled(const TDragExercise& drag) {
  return std::none_of(drag.Gaps.begin(), drag.Gaps.end(), [](const TDropGap& g) { return g.Open(); });
}

}  // namespace DragBlocks
