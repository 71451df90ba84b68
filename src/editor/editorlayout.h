#pragma once

#include <QRect>

// Where the editor window's parts go. The window is laid out from its
// client area below the tool bar: the record list on the left, the library
// notes below it, the dictionary panel right of the notes and the record
// form filling the rest on the right. The figures follow the window's size
// so that a bigger window gives a wider list and taller panels.
struct EditorLayout {
  QRect list;        // the record list, and the preview that covers it
  QRect notes;       // the library's notes (empty when they are hidden)
  QRect dictionary;  // the dictionary panel
  QRect record;      // the record form
  int rowHeight = 20;     // of the list
  int fontSizeIndex = 0;  // which of the scheme's three font sizes applies
  bool secondContext = true;  // room for the second context sentence

  // area: the client area between tool bar and status bar (top-left is where
  // the parts start); clientHeight: the window's inner height; outerHeight:
  // its height with the frame.
  static EditorLayout Compute(const QRect& area, int clientHeight, int outerHeight, bool notesVisible);

  // The list is c = (W - 800) / 3 + 400 wide above 800 pixels, half the width below.
  static int ListWidth(int width);
  // The bottom panels are 120 high, and grow by a quarter of what the window
  // is taller than 534 pixels.
  static int BottomHeight(int height);
  static int RowHeight(int outerHeight);
  static int FontSizeIndex(int outerHeight);
  // The second context needs a record form of 400 pixels.
  static constexpr int kSecondContextHeight = 400;
};
