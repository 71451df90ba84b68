#include "pages/coordinates.h"

#include <QStringList>

#include "pages/tparser.h"
#include "pages/txaliaslist.h"

namespace {

// A position: "*n" is half the size plus n; below -10000 counts from the far edge.
int position(const QString& part, int size) {
  const QString p = part.trimmed();
  bool ok = false;
  if (p.startsWith(QLatin1Char('*'))) {
    const QString rest = p.mid(1).trimmed();
    const int n = rest.isEmpty() ? 0 : rest.toInt(&ok);
    if (!rest.isEmpty() && !ok) return TCoords::kMissing;
    return size / 2 + n;
  }
  const int n = p.toInt(&ok);
  if (!ok) return TCoords::kMissing;
  if (n < -10000) return n % 10000 + size;
  return n;
}

int extent(const QString& part, int size, int origin) {
  bool ok = false;
  const int n = part.trimmed().toInt(&ok);
  if (!ok) return TCoords::kMissing;
  if (n < 1) return size + n - (origin == TCoords::kMissing ? 0 : origin);
  return n;
}

}  // namespace

TCoords ReadCoords(const QString& raw, int width, int height, const TXAliasList* pageAliases) {
  QString value = raw;
  if (value.startsWith(QLatin1Char('#')) && pageAliases && !pageAliases->IsEmpty())
    value = pageAliases->Value(value);
  value = TParser::Unquote(value);
  const QStringList parts = value.split(QLatin1Char(','));
  TCoords c;
  if (parts.size() > 0) c.x = position(parts[0], width);
  if (parts.size() > 1) c.y = position(parts[1], height);
  if (parts.size() > 2) c.w = extent(parts[2], width, c.x);
  if (parts.size() > 3) c.h = extent(parts[3], height, c.y);
  return c;
}
