#pragma once

#include <QImage>

class PageState;
class TextCache;

// Draws a laid-out page into the page buffer: background, boxes, mosaic,
// pictures, text, checkboxes, the two images of every highlighting link and
// of every button box, and the word list. The screen only ever receives
// copies of buffer rectangles.
class PageRenderer {
 public:
  // The tallest buffer made; longer documents are cut off there rather than
  // exhausting memory.
  static constexpr int kMaxBufferHeight = 32000;

  // text: the page control's fonts and measures (those the layout used).
  PageRenderer(PageState& page, TextCache& text) : page_(page), text_(text) {}

  // Sizes buffer (page width; the larger of the page height and the document
  // height + 16) and draws the page into it.
  void Draw(QImage& buffer, int clientWidth, int clientHeight);

 private:
  PageState& page_;
  TextCache& text_;
};
