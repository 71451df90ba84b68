#pragma once

#include <QString>
#include <vector>

#include "pages/htmlformat.h"

// A named style defined by FONT ID and applied by "<+name>".
struct TXStyle {
  QString Name;
  FontState Font;
  int LineSpace = 1;
  int Tracking = 0;
};

// Styles are kept across pages; defining a name again adds another style,
// and the last one defined wins.
class TXStyleList {
 public:
  void Add(const TXStyle& style) { items_.push_back(style); }
  // Names are compared case-sensitively.
  const TXStyle* Find(const QString& name) const;
  void Clear() { items_.clear(); }
  const std::vector<TXStyle>& Items() const { return items_; }

 private:
  std::vector<TXStyle> items_;
};
