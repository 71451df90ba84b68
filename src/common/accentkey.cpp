#include "common/accentkey.h"

#include <QStringList>

namespace AccentKey {

namespace {

const QStringList& groups(bool withSharpS) {
  static const QStringList kGroups = {
      QStringLiteral("aáàâäæ"), QStringLiteral("AÁÀÂÄÆ"), QStringLiteral("eéèêë"), QStringLiteral("EÉÈÊË"),
      QStringLiteral("iíìîï"),  QStringLiteral("IÍÌÎÏ"),  QStringLiteral("oóòôöœ"), QStringLiteral("OÓÒÔÖŒ"),
      QStringLiteral("uúùûü"),  QStringLiteral("UÚÙÛÜ"),  QStringLiteral("nñ"),    QStringLiteral("NÑ"),
      QStringLiteral("cç"),     QStringLiteral("CÇ"),     QStringLiteral("?¿!¡"),
  };
  static const QStringList kWithSharpS = kGroups + QStringList{QStringLiteral("sß")};
  return withSharpS ? kWithSharpS : kGroups;
}

}  // namespace

QChar Next(QChar c, bool withSharpS) {
  for (const QString& g : groups(withSharpS)) {
    const qsizetype i = g.indexOf(c);
    if (i >= 0) return g[(i + 1) % g.size()];
  }
  return c;
}

bool SameGroup(QChar a, QChar b, bool withSharpS) {
  for (const QString& g : groups(withSharpS))
    if (g.contains(a) && g.contains(b)) return true;
  return false;
}

}  // namespace AccentKey
