#include "pages/pagerenderer.h"

#include <QHash>
#include <QPainter>

#include "common/filelookup.h"
#include "pages/blendmodes.h"
#include "pages/boxpainter.h"
#include "pages/dragblocks.h"
#include "pages/sentenceparts.h"
#include "pages/mosaic.h"
#include "pages/textcache.h"
#include "pages/pagelayout.h"
#include "pages/pagestate.h"

namespace {

QColor qcolor(TColor c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

class Drawing {
 public:
  Drawing(PageState& page, TextCache& text, QImage& buffer, int clientWidth)
      : page_(page), text_(text), buffer_(buffer), layout_(page.Layout), defaultColumn_(clientWidth - PageLayout::kScrollBarWidth - 16) {
    for (size_t i = 0; i < page.Elements.Links.Rects.size(); ++i) {
      const int element = page.Elements.Links.Rects[i].Element;
      if (element >= 0 && !rectOfElement_.contains(element)) rectOfElement_.insert(element, static_cast<int>(i));
    }
  }

  // Everything under the text goes straight into the buffer: the result is
  // the same as drawing it on a separate effects layer and copying that over.
  void run() {
    background(buffer_);
    boxes(false);
    mosaic();
    pictures();
    boxes(true);
    elements();
    buttonBoxes();
    // Drag blocks, then the parts of sentences to be put together.
    DragBlocks::Draw(page_.Elements.Drag, buffer_, page_.Body);
    SentenceParts::DrawAll(page_, buffer_);
  }

 private:
  int column(const TXText& t) const { return t.Format.BoxWidth == -1 ? defaultColumn_ : t.Format.BoxWidth; }

  TColor resolve(TColor c) const {
    if (c == kPageTextColor) return page_.Body.Text;
    if (c == kPageLinkColor) return page_.Body.Link;
    return c;
  }

  void background(QImage& canvas) {
    canvas.fill(qcolor(page_.Body.Background));
    if (page_.BackgroundPicture.isEmpty()) return;
    PageState::LoadedPicture& loaded = page_.BackgroundTile;
    if (loaded.Path != page_.BackgroundPicture) {
      loaded.Path = page_.BackgroundPicture;
      loaded.Image = QImage(FileLookup::locate(page_.BackgroundPicture));
    }
    const QImage& tile = loaded.Image;
    if (tile.isNull() || tile.width() <= 0 || tile.height() <= 0) return;
    QPainter p(&canvas);
    if (tile.width() >= canvas.width() && tile.height() >= canvas.height()) {
      p.drawImage(0, 0, tile);
      return;
    }
    for (int y = 0; y < canvas.height(); y += tile.height())
      for (int x = 0; x < canvas.width(); x += tile.width()) p.drawImage(x, y, tile);
  }

  void boxes(bool onTop) {
    for (const TBox& box : page_.Elements.Boxes)
      if (box.OnTop == onTop) PaintBox(buffer_, box);
  }

  void mosaic() {
    auto& lomo = page_.Elements.Lomo;
    if (!lomo || lomo->BoxIndex < 0 || lomo->BoxIndex >= static_cast<int>(page_.Elements.Boxes.size())) return;
    std::vector<QImage> pictures;
    for (const QString& name : lomo->Pictures) {
      QImage img(name);
      if (!img.isNull()) pictures.push_back(img.convertToFormat(QImage::Format_RGB32));
    }
    if (pictures.empty()) return;
    const MosaicLayout layout = LayoutMosaic(pictures, page_.Elements.Boxes[static_cast<size_t>(lomo->BoxIndex)].rect(), lomo->Zone2);
    FillMosaic(buffer_, layout, pictures);
    page_.Elements.MosaicTiles = layout;
    page_.Elements.MosaicPictures = std::move(pictures);
  }

  // Button boxes: the normal and the highlighted image of their rectangle,
  // coloured from what was drawn there; the normal one stays on the page.
  void buttonBoxes() {
    auto& rects = page_.Elements.Links.Rects;
    for (const TBox& box : page_.Elements.Boxes) {
      if (box.OnColor == kNoColor || box.LinkRect < 0 || box.LinkRect >= static_cast<int>(rects.size())) continue;
      tNamedRect& r = rects[static_cast<size_t>(box.LinkRect)];
      const QRect area = r.Rect.intersected(buffer_.rect());
      if (area.isEmpty()) continue;
      const QImage drawn = buffer_.copy(area);
      const auto coloured = [&](TColor colour, TColor base) {
        QImage img(area.size(), QImage::Format_RGB32);
        img.fill(qcolor(base));
        BlendImage(img, QPoint(0, 0), drawn, 7, 255, colour);
        return img;
      };
      r.Highlighted = coloured(box.OnColor, box.OnColor2);
      r.Normal = box.OffColor != kNoColor ? coloured(box.OffColor, box.OffColor2) : drawn;
      QPainter(&buffer_).drawImage(area.topLeft(), r.Normal);
    }
  }

  const QImage* picture(int index) const {
    const auto& pics = page_.Elements.Pictures;
    if (index < 0 || index >= static_cast<int>(pics.size())) return nullptr;
    return &pics[static_cast<size_t>(index)].Image;
  }

  QPoint pictureOrigin(const TXText& t) const {
    const int align = t.Format.ImgAlign;
    int x = t.X;
    if (align == 0) x = t.Format.BoxLeft;
    else if (align == 1) x = t.Format.BoxLeft + (column(t) - t.Width) / 2;
    else if (align == 2) x = t.Format.BoxLeft + column(t) - t.Width;
    return QPoint(x, t.Y - t.Ascent);
  }

  void pictures() {
    QPainter p(&buffer_);
    for (size_t i = 0; i < layout_.Elements.size(); ++i) {
      const TXText& t = layout_.Elements[i];
      if (t.Kind != ElementKind::ImageMark) continue;
      const QImage* img = picture(t.Format.PictureIndex);
      if (!img || img->isNull()) continue;
      const QPoint at = pictureOrigin(t);
      const QRect target(at, QSize(t.Width, t.Height));
      const tHTML_format& f = t.Format;
      const bool effect = f.ImgRadius > 0 || f.ImgAlpha != 255 || f.ImgMode != 0;
      if (f.ImgScale != 100 || !effect) {
        p.drawImage(target, *img);  // a scaled picture is drawn without its effect
      } else {
        BlendImage(buffer_, at, img->convertToFormat(QImage::Format_RGB32), f.ImgMode, f.ImgAlpha, f.ImgColor, f.ImgRadius);
      }
      pictureImages(static_cast<int>(i), t, *img, target);
      if (!t.Format.ImgAlt.isEmpty()) addWord(t.Format.ImgAlt, target, true);
    }
  }

  // The two images of a picture's highlighting rectangles: its first and
  // second picture, or for an FCOLOR picture the picture coloured in that colour.
  void pictureImages(int element, const TXText& t, const QImage& first, const QRect& drawn) {
    const int secondRef = t.Format.ImgSecond;
    const bool fcolor = secondRef >= 0xA000000;
    const QImage* second = fcolor ? nullptr : picture(secondRef);
    for (tNamedRect& r : page_.Elements.Links.Rects) {
      if (r.Element != element || !r.Highlight) continue;
      const QRect part = r.Rect.translated(-drawn.topLeft());
      r.Normal = buffer_.copy(r.Rect);
      if (fcolor) {
        QImage coloured = r.Normal;
        BlendImage(coloured, -part.topLeft(), first.scaled(drawn.size()).convertToFormat(QImage::Format_RGB32), 7, 255,
                   secondRef - 0xA000000);
        r.Highlighted = coloured;
      } else {
        r.Highlighted = second ? second->scaled(drawn.size()).copy(part) : r.Normal;
      }
    }
  }

  void drawText(QPainter& p, const TXText& t, TColor color) {
    const FontState& fs = t.Format.Font;
    if (!fs.NoBack) p.fillRect(QRect(t.X, t.Y - t.Ascent, t.Width, t.Height), qcolor(resolve(fs.BackColor)));
    if (t.Text == QString(QChar(0xFF))) return;  // keeps its room, draws nothing
    TextCache& cache = text_;
    p.setFont(cache.Font(fs, t.Format.Tracking, fs.Hot));
    p.setPen(qcolor(resolve(color)));
    // Shaped once per font and text; placed by its top-left corner.
    p.drawStaticText(t.X, t.Y - cache.Metrics(fs, t.Format.Tracking).ascent(),
                     cache.Shaped(fs, t.Format.Tracking, fs.Hot, t.Text));
  }

  bool drawable(const TXText& t) const {
    if (t.Kind == ElementKind::Word) return !t.Text.isEmpty();
    if (t.Kind == ElementKind::Space)
      return (t.Format.Font.Style & StyleUnderline) || t.Format.Font.Hot || !t.Format.Font.NoBack;
    return false;
  }

  void elements() {
    QPainter p(&buffer_);
    auto& els = layout_.Elements;
    int lastGroup = -1;
    for (size_t i = 0; i < els.size(); ++i) {
      TXText& t = els[i];
      if (t.Kind == ElementKind::CheckMark) {
        checkbox(p, t);
        continue;
      }
      if (!drawable(t)) continue;
      const int gap = t.Format.GapIndex;
      if (gap >= 255 && !t.Text.trimmed().isEmpty()) {
        p.fillRect(QRect(t.X, t.Y - t.Ascent, t.Width, t.Height), qcolor(page_.Body.Klotz));
        continue;
      }
      if (gap >= 0 && gap < 255 && !t.Text.trimmed().isEmpty()) {
        // The gap's word is drawn once for its placeholder image, then the background returns.
        const QRect area(t.X, t.Y - t.Ascent, t.Width, t.Height + 1);
        const QImage under = buffer_.copy(area);
        drawText(p, t, t.Format.Font.TextColor);
        placeholders_[gap] = buffer_.copy(area);
        p.drawImage(area.topLeft(), under);
        continue;
      }
      if (startsHighlightRun(static_cast<int>(i))) {
        i = static_cast<size_t>(highlightRun(p, static_cast<int>(i)));
        continue;
      }
      drawText(p, t, t.Format.Font.TextColor);
      const bool continues = t.Format.WordGroup >= 0 && t.Format.WordGroup == lastGroup;
      addWord(t.Text, QRect(t.X, t.Y - t.Ascent, t.Width, t.Height), !continues);
      lastGroup = t.Format.WordGroup;
    }
    page_.Elements.Placeholders = placeholders_;
  }

  bool startsHighlightRun(int i) const {
    const TXText& t = layout_.Elements[static_cast<size_t>(i)];
    return t.Format.LinkIndex >= 0 && t.Format.Flash && t.Format.Font.FlashColor != kNoColor &&
           rectOfElement_.contains(i) && page_.Elements.Links.Rects[static_cast<size_t>(rectOfElement_[i])].Highlight;
  }

  // Draws the run of link elements starting at first; returns its last index.
  int highlightRun(QPainter& p, int first) {
    auto& els = layout_.Elements;
    const int link = els[static_cast<size_t>(first)].Format.LinkIndex;
    int last = first;
    while (last + 1 < static_cast<int>(els.size()) && els[static_cast<size_t>(last + 1)].Format.LinkIndex == link &&
           rectOfElement_.contains(last + 1))
      ++last;
    auto& rects = page_.Elements.Links.Rects;
    for (int i = first; i <= last; ++i) {
      tNamedRect& r = rects[static_cast<size_t>(rectOfElement_[i])];
      r.Normal = buffer_.copy(r.Rect);
      const TXText& t = els[static_cast<size_t>(i)];
      if (drawable(t)) drawText(p, t, t.Format.Font.FlashColor);
      r.Highlighted = buffer_.copy(r.Rect);
      p.drawImage(r.Rect.topLeft(), r.Normal);
    }
    for (int i = first; i <= last; ++i) {
      TXText& t = els[static_cast<size_t>(i)];
      if (drawable(t)) {
        drawText(p, t, t.Format.Font.TextColor);
        addWord(t.Text, QRect(t.X, t.Y - t.Ascent, t.Width, t.Height), true);
      }
      tNamedRect& r = rects[static_cast<size_t>(rectOfElement_[i])];
      r.Normal = buffer_.copy(r.Rect);
    }
    return last;
  }

  void checkbox(QPainter& p, const TXText& t) {
    auto& boxes = page_.Elements.CheckBoxes;
    const int index = t.Format.CheckIndex;
    if (index < 0 || index >= static_cast<int>(boxes.size())) return;
    TCheckBox& box = boxes[static_cast<size_t>(index)];
    box.X = t.X;
    box.Y = t.Y - t.Ascent;
    p.end();
    PaintCheckBox(buffer_, box);
    p.begin(&buffer_);
  }

  // Word list entries (document coordinates).
  void addWord(const QString& text, const QRect& rect, bool newWord) { layout_.Words.AddWord(text, rect, newWord); }

  PageState& page_;
  TextCache& text_;
  QImage& buffer_;
  TPageLayout& layout_;
  int defaultColumn_;
  QHash<int, int> rectOfElement_;
  QHash<int, QImage> placeholders_;
};

}  // namespace

void PageRenderer::Draw(QImage& buffer, int clientWidth, int clientHeight) {
  const int height = std::min(kMaxBufferHeight, std::max(clientHeight, page_.Layout.DocumentHeight + 16));
  if (buffer.width() != clientWidth || buffer.height() != height || buffer.format() != QImage::Format_RGB32)
    buffer = QImage(clientWidth, height, QImage::Format_RGB32);
  page_.Layout.Words.Clear();
  Drawing(page_, text_, buffer, clientWidth).run();
}
