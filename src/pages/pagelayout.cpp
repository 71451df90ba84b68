#include "pages/pagelayout.h"

#include <QFontMetrics>
#include <QHash>
#include <QSet>

#include "pages/dragblocks.h"
#include "pages/textcache.h"
#include "pages/pagestate.h"

namespace {

bool isContent(ElementKind k) {
  return k == ElementKind::Word || k == ElementKind::Space || k == ElementKind::CheckMark ||
         k == ElementKind::ImageMark;
}

bool isBlankText(const QString& t) { return t.trimmed().isEmpty(); }

class Pass {
 public:
  Pass(PageState& page, TextCache& text, int clientWidth, int clientHeight)
      : page_(page), text_(text), e_(page.Layout.Elements), clientHeight_(clientHeight) {
    defaultColumn_ = clientWidth - PageLayout::kScrollBarWidth - 16;
  }

  void run() {
    measure();
    runWidths();
    breakLines();
    afterPass();
  }

 private:
  int column(const TXText& t) const { return t.Format.BoxWidth == -1 ? defaultColumn_ : t.Format.BoxWidth; }

  void measure() {
    const PageElements& el = page_.Elements;
    for (TXText& t : e_) {
      const tHTML_format& f = t.Format;
      switch (t.Kind) {
        case ElementKind::CheckMark:
          t.Height = t.Ascent = f.CheckSize;
          t.Width = f.CheckSize + f.CheckSpacing;
          t.Descent = 0;
          t.Format.Flash = false;
          continue;
        case ElementKind::ImageMark: {
          const QImage* img = picture(f.PictureIndex);
          const int w = img ? img->width() : 0, h = img ? img->height() : 0;
          t.Width = (w * f.ImgScale + 50) / 100;
          t.Height = (h * f.ImgScale + 50) / 100;
          t.Ascent = f.ImgBase != 0 ? f.ImgBase : f.ImgAlign == 4 ? t.Height / 2 : f.ImgAlign == 6 ? t.Height * 2 / 3 : t.Height;
          t.Descent = t.Height - t.Ascent;
          continue;
        }
        case ElementKind::LineBreak:
        case ElementKind::Paragraph:
        case ElementKind::BoxMark:
          if (t.Text.isEmpty()) continue;
          break;
        default:
          break;
      }
      TextCache& cache = text_;
      const TextCache::Extent x = cache.Measure(f.Font, f.Tracking, t.Text);
      t.Width = x.Width;
      t.Height = x.Height;
      t.Ascent = x.Ascent;
      t.Descent = x.Descent;
      if (!isBlankText(t.Text)) {
        if (f.GapIndex >= 0 && f.GapIndex < 255) {
          const int w = cache.Measure(f.Font, f.Tracking, QStringLiteral("abc")).Width + t.Width;
          t.Width = w + w / 10 + 8;
        } else if (f.GapIndex >= 255) {
          t.Width = el.Drag.BlockWidth;
        }
      }
    }
  }

  const QImage* picture(int index) const {
    const auto& pictures = page_.Elements.Pictures;
    if (index < 0 || index >= static_cast<int>(pictures.size())) return nullptr;
    return &pictures[static_cast<size_t>(index)].Image;
  }

  void runWidths() {
    int first = -1, sum = 0;
    for (size_t i = 0; i <= e_.size(); ++i) {
      const bool word = i < e_.size() && e_[i].Kind == ElementKind::Word;
      if (word) {
        if (first < 0) {
          first = static_cast<int>(i);
          sum = 0;
        }
        sum += e_[i].Width;
        e_[i].RunWidth = 0;
      } else if (first >= 0) {
        e_[static_cast<size_t>(first)].RunWidth = sum;
        first = -1;
      }
    }
  }

  static void loseJustification(TXText& t) {
    if (t.Format.Align == 3) t.Format.Align = 0;
  }

  void breakLines() {
    const int n = static_cast<int>(e_.size());
    for (int i = 0; i < n; ++i) {
      TXText& t = e_[static_cast<size_t>(i)];
      switch (t.Kind) {
        case ElementKind::LineBreak:
        case ElementKind::Paragraph:
          if (i > 0) loseJustification(e_[static_cast<size_t>(i - 1)]);
          finish(i);
          tabIndent_ = 0;
          continue;
        case ElementKind::BoxMark:
          if (i > 0) {
            loseJustification(e_[static_cast<size_t>(i - 1)]);
            finish(i);
          } else if (lineStart_ < 0) {
            lineStart_ = i;
          }
          tabIndent_ = 0;
          continue;
        default:
          break;
      }
      if (!isContent(t.Kind)) continue;
      if (lineStart_ < 0) lineStart_ = i;
      const tHTML_format& f = t.Format;
      if (f.TabPos != 0 && f.Align == 3 && i > lineStart_) {
        loseJustification(e_[static_cast<size_t>(i - 1)]);
        finish(i);
        t.Format.BoxTop = -2;
      }
      lineSpace_ = f.LineSpace >= 1001 ? f.LineSpace - 2000 : f.LineSpace;

      if (t.Kind == ElementKind::ImageMark) {
        lineWidth_ += pendingBlank_ + t.Width;
        pendingBlank_ = 0;
        if (f.ImgAlign != 6) raise(t);
        continue;
      }
      if (f.Pre) {
        lineWidth_ += pendingBlank_ + t.Width;
        pendingBlank_ = 0;
        raise(t);
        continue;
      }
      const bool blank = t.Text == QLatin1String(" ") || t.Text.isEmpty();
      if (column(t) < std::max(t.RunWidth, t.Width) + tabIndent_ + lineWidth_ + pendingBlank_ && !blank) {
        finish(i);
        pendingBlank_ = 0;
      }
      int p = lineWidth_;
      if (f.TabPos != 0) {
        p = PageLayout::TabPosition(f.TabPos, column(t));
        lineWidth_ = p;
      }
      if (!blank || t.Kind != ElementKind::Space) {
        lineWidth_ = p + pendingBlank_ + t.Width;
        pendingBlank_ = 0;
      } else {
        pendingBlank_ = t.Width;
      }
      raise(t);
    }
    if (n > 0) loseJustification(e_[static_cast<size_t>(n - 1)]);
    finish(n);
  }

  void raise(const TXText& t) {
    maxHeight_ = std::max(maxHeight_, t.Height);
    maxAscent_ = std::max(maxAscent_, t.Ascent);
    maxDescent_ = std::max(maxDescent_, t.Descent);
  }

  // Finishes the line from lineStart_ up to (not including) end.
  void finish(int end) {
    const int start = lineStart_ < 0 ? end : lineStart_;
    bool empty = true;
    for (int i = start; i < end; ++i)
      if (isContent(e_[static_cast<size_t>(i)].Kind)) empty = false;

    // 1. Vertical position.
    if (start < end) {
      const TXText& first = e_[static_cast<size_t>(start)];
      if (first.Kind == ElementKind::BoxMark) {
        if (first.Format.BoxTop == -2) running_ = saved_;
        else if (first.Format.BoxTop == -1) saved_ = running_;
        else running_ = first.Format.BoxTop;
      }
    }
    if (empty) {
      running_ += lastHeight_;
    } else {
      const int ascent = lineSpace_ < 0 ? -lineSpace_ * 2 / 3 : maxAscent_;
      running_ += ascent;
      const TXText& first = e_[static_cast<size_t>(start)];
      if (first.Format.BoxTop == -2 && first.Kind != ElementKind::BoxMark) running_ = saved_ + ascent;
      else saved_ = running_ - ascent;
      const int baseline = running_;
      docHeight_ = std::max(docHeight_, baseline);
      placeLine(start, end, baseline);
      // 5. Line advance.
      running_ += lineSpace_ < 0 ? -lineSpace_ / 3 : maxDescent_ + lineSpace_;
      lastHeight_ = maxHeight_;
    }
    if (end < static_cast<int>(e_.size()) && e_[static_cast<size_t>(end)].Kind == ElementKind::Paragraph) {
      tabIndent_ = 0;
      running_ += maxHeight_ > 0 ? maxHeight_ : lastHeight_;
      docHeight_ = std::max(docHeight_, running_);
    }
    maxHeight_ = maxAscent_ = maxDescent_ = 0;
    lineWidth_ = 0;
    page_.Layout.LineStarts.push_back(end);
    lineStart_ = end;
  }

  void placeLine(int start, int end, int baseline) {
    TXText& last = e_[static_cast<size_t>(end - 1)];
    // 2. A trailing blank takes no room.
    if (last.Kind == ElementKind::Space) last.Text.clear();
    const int col = column(last);
    int x = last.Format.BoxLeft;
    int extra = 0, spaces = 0;
    switch (last.Format.Align) {
      case 1: x += (col - lineWidth_) / 2; break;
      case 2: x += col - lineWidth_; break;
      case 3:
        extra = col - lineWidth_ - tabIndent_;
        // The blanks between the first and the last element share the extra room.
        for (int i = start + 1; i < end - 1; ++i)
          if (e_[static_cast<size_t>(i)].Kind == ElementKind::Space && e_[static_cast<size_t>(i)].Format.TabPos == 0)
            ++spaces;
        break;
      default: break;
    }
    bool firstPlaced = true;
    for (int i = start; i < end; ++i) {
      TXText& t = e_[static_cast<size_t>(i)];
      if (!isContent(t.Kind)) continue;
      if (last.Format.Align == 3 && t.Kind == ElementKind::Space && i != start && i != end - 1 &&
          t.Format.TabPos == 0 && spaces > 0) {
        const int share = extra / spaces;
        x += share;
        extra -= share;
        --spaces;
      }
      if (t.Format.TabPos != 0) {
        tabIndent_ = PageLayout::TabPosition(t.Format.TabPos, column(t));
        x = std::max(x, t.Format.BoxLeft + tabIndent_);
      } else if (firstPlaced && tabIndent_ != 0) {
        x = t.Format.BoxLeft + tabIndent_;
      }
      firstPlaced = false;
      t.X = x;
      t.Y = baseline;
      if (t.Kind == ElementKind::ImageMark && t.Format.ImgAlign == 3 && t.Format.ImgBase != 0) {
        t.Ascent = maxAscent_;
        t.Descent = t.Height - t.Ascent;
      }
      // Image maps give their areas whether or not the picture lies in a link.
      if (t.Format.LinkIndex != -1 || (t.Kind == ElementKind::ImageMark && !t.Format.ImgUseMap.isEmpty()))
        linkRectangles(i, t);
      x += t.Width;
      if (t.Kind == ElementKind::Word) growAutoHeightBox(t);
    }
  }

  void growAutoHeightBox(const TXText& t) {
    auto& boxes = page_.Elements.Boxes;
    const int b = t.Format.BoxIndex;
    if (b < 0 || b >= static_cast<int>(boxes.size())) return;
    TBox& box = boxes[static_cast<size_t>(b)];
    if (box.AutoHeight) {
      box.Height = running_ - box.Top + 4;
      sizedBoxes_.insert(b);
    }
  }

  void linkRectangles(int index, const TXText& t) {
    PageElements& el = page_.Elements;
    const QRect r(QPoint(t.X, t.Y - t.Ascent), QPoint(t.X + t.Width - 1, t.Y + t.Descent - 1));
    const int gap = t.Format.GapIndex;
    if (t.Kind == ElementKind::Word && !isBlankText(t.Text) && gap >= 0) {
      if (gap < 255) {
        if (gap < static_cast<int>(el.Gaps.size())) {
          TGapSpec& settings = el.Gaps[static_cast<size_t>(gap)];
          settings.EditorRect = r;
          settings.Element = index;
        }
      } else {
        DragBlocks::RegisterGap(el.Drag, gap - 255, t, index, r);
      }
      return;
    }
    if (t.Kind == ElementKind::ImageMark) {
      const tHTML_format& f = t.Format;
      const bool second = f.ImgSecond >= 0;
      if (!f.ImgUseMap.isEmpty()) {
        for (const tMap& map : el.Maps) {
          if (map.Name != f.ImgUseMap) continue;
          for (const tArea& a : map.Areas) {
            const QRect ar(QPoint(t.X + a.Rect.left(), t.Y - t.Ascent + a.Rect.top()),
                           QPoint(t.X + a.Rect.right(), t.Y - t.Ascent + a.Rect.bottom()));
            el.Links.AddRect(nameIndex(a.Target), ar, second, index);
          }
          return;
        }
        return;  // the map does not exist: no rectangle
      }
      QRect pr = r;
      if (second && (f.ImgAlign == 1 || f.ImgAlign == 2)) pr.moveLeft(f.BoxLeft);
      el.Links.AddRect(f.LinkIndex, pr, second, index);
      if (second && (f.ImgAlign == 1 || f.ImgAlign == 2)) centredPictureRects_.push_back(el.Links.Rects.size() - 1);
      return;
    }
    el.Links.AddRect(t.Format.LinkIndex, r, t.Format.Flash, index);
  }

  // Area targets are registered once; a later pass finds them again.
  int nameIndex(const QString& target) {
    PageElements& el = page_.Elements;
    const qsizetype i = el.Links.Names.indexOf(target);
    return i >= 0 ? static_cast<int>(i) : el.Links.AddName(target);
  }

  void afterPass() {
    PageElements& el = page_.Elements;
    // Every open drop gap has its block.
    DragBlocks::CreateBlocks(el.Drag);
    // A box without its own height reaches down to the baseline of its first element.
    for (size_t b = 0; b < el.Boxes.size(); ++b) {
      TBox& box = el.Boxes[b];
      if (!box.AutoHeight || sizedBoxes_.contains(static_cast<int>(b))) continue;
      for (const TXText& t : e_) {
        if (t.Format.BoxIndex == static_cast<int>(b) && isContent(t.Kind)) {
          box.Height = std::max(1, t.Y - box.Top);
          break;
        }
      }
    }
    // Highlighting rectangles of centred and right-aligned pictures follow the picture.
    for (size_t r : centredPictureRects_) {
      tNamedRect& rect = el.Links.Rects[r];
      const TXText& t = e_[static_cast<size_t>(rect.Element)];
      const int col = column(t);
      rect.Rect.translate(t.Format.ImgAlign == 1 ? (col - t.Width) / 2 : col - t.Width, 0);
    }
    TPageLayout& l = page_.Layout;
    l.DocumentHeight = std::max(docHeight_, PageLayout::kTopMargin);
    l.ScrollBarVisible = l.DocumentHeight > clientHeight_;
    l.ScrollMax = l.ScrollBarVisible ? l.DocumentHeight - clientHeight_ + 16 : 0;
    l.ScrollPosition = std::clamp(l.ScrollPosition, 0, l.ScrollMax);
  }

  PageState& page_;
  TextCache& text_;
  tFormatted_text_list& e_;
  int clientHeight_;
  int defaultColumn_ = 768;
  int lineStart_ = -1;
  int lineWidth_ = 0;
  int pendingBlank_ = 0;
  int tabIndent_ = 0;
  int maxHeight_ = 0, maxAscent_ = 0, maxDescent_ = 0;
  int lineSpace_ = 1;
  int running_ = PageLayout::kTopMargin;
  int saved_ = PageLayout::kTopMargin;
  int lastHeight_ = 0;
  int docHeight_ = PageLayout::kTopMargin;
  QSet<int> sizedBoxes_;
  std::vector<size_t> centredPictureRects_;
};

}  // namespace

int PageLayout::TabPosition(int t, int columnWidth) {
  if (t >= 101 && t <= 109) return columnWidth * (t - 100) / 10;
  if (t > 0) return t * columnWidth / 100;
  if (t < 0) return -t;
  return 0;
}

void PageLayout::Run(int clientWidth, int clientHeight) {
  TPageLayout& l = page_.Layout;
  const int scroll = l.ScrollPosition;
  l.Clear();
  l.ScrollPosition = scroll;
  l.Elements = page_.Document;
  // Rectangles of an earlier pass go; those of the build (boxes, recorder) and the names stay.
  auto& rects = page_.Elements.Links.Rects;
  rects.resize(static_cast<size_t>(std::min<int>(page_.Elements.Links.BuildRects, static_cast<int>(rects.size()))));
  Pass(page_, text_, clientWidth, clientHeight).run();
}
