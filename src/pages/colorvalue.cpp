#include "pages/colorvalue.h"

#include "common/random.h"
#include "pages/tparser.h"

void TColorNames::Define(const QString& name, const QString& value) {
  for (auto& [n, v] : items_) {
    if (n == name && !v.isEmpty()) {
      v = value;
      return;
    }
  }
  items_.emplace_back(name, value);
}

std::optional<QString> TColorNames::Lookup(const QString& name) const {
  for (const auto& [n, v] : items_)
    if (n == name) return v;
  return std::nullopt;
}

namespace {

// Longest chain of names followed before the value counts as undefined; a
// chain that leads back to itself is cut here.
constexpr int kMaxNameChain = 32;

TColor hexColor(const QString& digits) {
  bool ok = false;
  const qulonglong rgb = digits.toULongLong(&ok, 16);
  if (!ok || digits.isEmpty() || digits.startsWith(QLatin1Char('-')) || digits.startsWith(QLatin1Char('+')))
    return RGBColor(0, 0, 255);
  return RGBColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>(rgb & 0xFF));
}

bool startsColorForm(const QString& v) {
  return v.startsWith(QLatin1Char('#')) || v.startsWith(QLatin1Char('i')) || v.startsWith(QLatin1Char('?'));
}

}  // namespace

TColor ReadColor(const QString& raw, const ColorContext& context) {
  QString value = TParser::Unquote(raw.toLower());
  if (value.isEmpty()) return kWhite;
  if (value == QLatin1String("random")) {
    const auto step = [] { return Random::below(6) * 51; };
    const int r = step(), g = step(), b = step();
    return RGBColor(r, g, b);
  }
  if (value.startsWith(QLatin1Char('$'))) {
    value = context.variable ? context.variable(value.mid(1)).toLower() : QString();
    if (value.isEmpty()) return kWhite;
  }
  for (int depth = 0; !startsColorForm(value); ++depth) {
    if (depth >= kMaxNameChain || !context.names) return kWhite;
    value = context.names->Lookup(value).value_or(QString());
    if (value.isEmpty()) return kWhite;
  }
  if (value.startsWith(QLatin1Char('?'))) {
    const int groups = static_cast<int>(value.size() / 7);
    if (groups == 0) return kWhite;
    value = QLatin1Char('#') + value.mid(1 + 7 * Random::below(groups), 6);
  }
  if (value.startsWith(QLatin1Char('#'))) return hexColor(value.mid(1));
  // "iN": entry N of the background picture's palette.
  bool ok = false;
  int index = value.mid(1).toInt(&ok);
  if (!ok) index = 128;
  if (context.paletteEntry) {
    if (const auto c = context.paletteEntry(index)) return *c;
  }
  return kWhite;  // no palette, or an index outside it
}

QString ColorText(TColor color) {
  if (color == kPageTextColor) return QStringLiteral("text");
  if (color == kPageLinkColor) return QStringLiteral("link");
  if (color == kNoColor) return QStringLiteral("none");
  return QStringLiteral("#%1%2%3")
      .arg(RedOf(color), 2, 16, QLatin1Char('0'))
      .arg(GreenOf(color), 2, 16, QLatin1Char('0'))
      .arg(BlueOf(color), 2, 16, QLatin1Char('0'))
      .toUpper();
}
