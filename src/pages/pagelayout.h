#pragma once

class PageState;
class TextCache;

// Lays out the page document: measures every element with its font or
// picture, breaks lines within the text columns, aligns, justifies and places
// tabs, stacks the lines, lets boxes take the text that follows them and
// registers the rectangles of links, gaps, drop areas and image-map areas.
// Works on a fresh copy of the document, so it can run again after an
// exercise changed the page; the target names stay.
class PageLayout {
 public:
  static constexpr int kScrollBarWidth = 16;
  static constexpr int kTopMargin = 16;

  // text: the fonts and measures of the page control; they are those of the
  // device the page is drawn into, so measuring and drawing agree.
  PageLayout(PageState& page, TextCache& text) : page_(page), text_(text) {}

  // clientWidth and clientHeight: the page control's size.
  void Run(int clientWidth, int clientHeight);

  // The position of a tab request t in a column of width w.
  static int TabPosition(int t, int columnWidth);

 private:
  PageState& page_;
  TextCache& text_;
};
