#pragma once

class PageState;
class QPaintDevice;

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

  // metrics: the paint device text is measured for (the page buffer), so
  // measuring and drawing agree.
  PageLayout(PageState& page, QPaintDevice* metrics) : page_(page), metrics_(metrics) {}

  // clientWidth and clientHeight: the page control's size.
  void Run(int clientWidth, int clientHeight);

  // The position of a tab request t in a column of width w.
  static int TabPosition(int t, int columnWidth);

 private:
  PageState& page_;
  QPaintDevice* metrics_;
};
