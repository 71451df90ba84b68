#include "pages/fontcatalog.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QSet>

namespace {

struct Substitute {
  const char* face;
  const char* family;
};
constexpr Substitute kSubstitutes[] = {
    {"times new roman", "Liberation Serif"},
    {"arial", "Liberation Sans"},
    {"courier new", "Liberation Mono"},
};

bool hasFamily(const QString& family) {
  // The font database needs a GUI application; without one nothing counts as installed.
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
  static const QSet<QString> families = [] {
    QSet<QString> set;
    for (const QString& f : QFontDatabase::families()) set.insert(f.toLower());
    return set;
  }();
  return families.contains(family.toLower());
}

}  // namespace

namespace FontCatalog {

QString FamilyFor(const QString& faceName) {
  const QString lower = faceName.trimmed().toLower();
  for (const Substitute& s : kSubstitutes)
    if (lower == QLatin1String(s.face) && !hasFamily(faceName) && hasFamily(QLatin1String(s.family)))
      return QLatin1String(s.family);
  return faceName.trimmed();
}

bool IsInstalled(const QString& faceName) {
  const QString name = faceName.trimmed();
  if (name.isEmpty()) return false;
  return hasFamily(name) || hasFamily(FamilyFor(name));
}

}  // namespace FontCatalog
