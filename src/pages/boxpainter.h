#pragma once

#include <QImage>

#include "pages/pagetables.h"

// Drawing of the page's boxes and checkboxes onto a 32-bit canvas
// (Format_RGB32 or Format_ARGB32; other formats are converted first).
//
// A box is drawn only when it is filled or has a border (BorderWidth above
// 0). Its outline runs from (Left - Offset, Top - Offset) to
// (Left + Width + Offset, Top + Height + Offset), both corners included, so
// a plain box covers Width + 2 * Offset + 1 pixels across. A border of width
// b is centred on that outline: b / 2 pixels lie outside it and the rest on
// and inside it. The shapes:
//
//   0  rectangle; with Alpha below 255 the area without the last column and
//      row is blended with FillColor at that opacity (mode 0) and has no
//      border; a box that is not filled then draws nothing
//   1  rounded rectangle with corner radius Radius, anti-aliased from a 4 x 4
//      sample grid; with Alpha below 255 or Mode not 0 the fill is blended in
//      blend mode Mode at opacity Alpha
//   2  ellipse in the outline, anti-aliased and blended like shape 1
//   3  the outline's width cut into a stack of rectangles of random height
//      (1 .. Radius - 1; 1 when Radius is below 2), each with fill and border,
//      from the top until the bottom of the outline is reached; the last one
//      is cut off at the outline's bottom
//   4  a raised block: the box rectangle swept Offset pixels down and to the
//      right (up and to the left for a negative Offset) in BorderColor, then
//      the face inside the border, from (Left + b, Top + b) up to but not
//      including (Left + Width - b, Top + Height - b), in FillColor when
//      filled
//
// Boxes are given in document coordinates; `scroll` is subtracted from every
// y, as for everything drawn into the page.
void PaintBox(QImage& canvas, const TBox& box, int scroll = 0);

// Draws a checkbox of width x height pixels with its top-left corner at
// (x, y): a black frame on its outermost pixels, a second black frame one
// pixel inside, and the rest filled black when checked, white when not.
void PaintCheckBox(QImage& canvas, int x, int y, int width, int height, bool checked);

// The same for a page checkbox at its position (X, Y).
void PaintCheckBox(QImage& canvas, const TCheckBox& box);
