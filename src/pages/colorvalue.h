#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "pages/htmlformat.h"

// Colour names defined by COLORS: lower-cased names, looked up first match first.
class TColorNames {
 public:
  // A name already defined with a non-empty value is overwritten; otherwise
  // a new entry is added.
  void Define(const QString& name, const QString& value);
  std::optional<QString> Lookup(const QString& name) const;
  void Clear() { items_.clear(); }
  const std::vector<std::pair<QString, QString>>& Items() const { return items_; }

 private:
  std::vector<std::pair<QString, QString>> items_;
};

// What a colour value may refer to.
struct ColorContext {
  std::function<QString(const QString&)> variable;               // '$name'
  const TColorNames* names = nullptr;                             // colour names
  std::function<std::optional<TColor>(int)> paletteEntry;         // 'iN'
};

// Reads a colour attribute value: "", "random", "$name", colour names,
// "?rrggbb,rrggbb..." (one group at random), "#RRGGBB", "iN".
// Every value gives a defined colour.
TColor ReadColor(const QString& value, const ColorContext& context);

// "#RRGGBB" for a colour, or the marker words "text", "link", "none".
QString ColorText(TColor color);
