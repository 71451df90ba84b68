#pragma once

#include <QString>

class TXAliasList;

// A coordinate list "x,y,w,h" as BOX COORDS and similar attributes write it.
struct TCoords {
  static constexpr int kMissing = -1000000;
  int x = kMissing;
  int y = kMissing;
  int w = kMissing;
  int h = kMissing;
};

// Reads the list against a page of width by height pixels: "*n" centres
// (half the size plus n), values below -10000 are anchored to the far edge
// (-10050 is size - 50), a width or height below 1 stretches to the edge
// (0 reaches it, -20 ends 20 pixels before it). A value starting with "#" is
// first replaced by the page alias of that name, when there are page aliases.
// A coordinate that was missing counts as 0.
inline int OrZero(int v) { return v == TCoords::kMissing ? 0 : v; }

TCoords ReadCoords(const QString& value, int width, int height, const TXAliasList* pageAliases = nullptr);
