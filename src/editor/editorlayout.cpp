#include "editor/editorlayout.h"

#include <algorithm>

int EditorLayout::ListWidth(int width) { return width > 800 ? (width - 800) / 3 + 400 : width / 2; }

int EditorLayout::BottomHeight(int height) { return height >= 535 ? 120 + (height - 534) / 4 : 120; }

int EditorLayout::RowHeight(int outerHeight) {
  if (outerHeight <= 500) return 20;
  if (outerHeight <= 600) return 22;
  if (outerHeight <= 800) return 25;
  return 28;  // taller windows: a little more air per line
}

int EditorLayout::FontSizeIndex(int outerHeight) {
  if (outerHeight <= 533) return 0;
  if (outerHeight <= 700) return 1;
  return 2;
}

EditorLayout EditorLayout::Compute(const QRect& area, int clientHeight, int outerHeight, bool notesVisible) {
  EditorLayout l;
  const int w = area.width();
  const int h = area.height();
  const int c = ListWidth(w);
  const int d = std::min(BottomHeight(clientHeight), h / 2);
  const int bottomTop = area.top() + h - d;
  l.list = QRect(area.left(), area.top(), c, notesVisible ? h - d : h);
  if (notesVisible) l.notes = QRect(area.left(), bottomTop, c, d);
  l.dictionary = QRect(area.left() + c, bottomTop, w - c, d);
  l.record = QRect(area.left() + c, area.top(), w - c, h - d);
  l.rowHeight = RowHeight(outerHeight);
  l.fontSizeIndex = FontSizeIndex(outerHeight);
  l.secondContext = l.record.height() >= kSecondContextHeight;
  return l;
}
