#include "pages/pagepaths.h"

#include <QFileInfo>

#include "common/filelookup.h"

namespace PagePaths {

namespace {

bool hasDrive(const QString& ref) { return ref.size() >= 2 && ref[0].isLetter() && ref[1] == QLatin1Char(':'); }

}  // namespace

QString ResolvePath(const QString& reference, const QString& xpath) {
  if (reference.isEmpty()) return {};
  QString ref = reference;
  QString star;
  if (ref.startsWith(QLatin1Char('*'))) {
    star = QStringLiteral("*");
    ref.remove(0, 1);
  }
  const qsizetype at = ref.indexOf(QLatin1Char('@'));
  if (at >= 0) ref.truncate(at);
  if (ref.startsWith(QLatin1String("ex"), Qt::CaseInsensitive)) {
    const qsizetype f = ref.indexOf(QLatin1String("file="), 0, Qt::CaseInsensitive);
    if (f < 0) return {};
    ref = ref.mid(f + 5);
    const qsizetype blank = ref.indexOf(QLatin1Char(' '));
    if (blank >= 0) ref.truncate(blank);
  }
  if (ref.isEmpty()) return star;

  // An absolute native path that exists plays the part of a drive letter; any
  // other leading separator means "below the page's directory".
  if (hasDrive(ref) || ref.startsWith(QLatin1String("\\\\")) ||
      (ref.startsWith(QLatin1Char('/')) && !FileLookup::locate(ref).isEmpty()))
    return star + FileLookup::nativePath(ref);

  ref = FileLookup::nativePath(ref);
  QString base = xpath;
  if (ref.startsWith(QLatin1Char('/'))) return star + (base.endsWith(QLatin1Char('/')) ? base.chopped(1) : base) + ref;
  while (ref.startsWith(QLatin1String("../"))) {
    ref.remove(0, 3);
    // Remove the last directory of base; at the root it stays the root.
    QString trimmed = base.endsWith(QLatin1Char('/')) ? base.chopped(1) : base;
    const qsizetype slash = trimmed.lastIndexOf(QLatin1Char('/'));
    if (slash >= 0) base = trimmed.left(slash + 1);
  }
  return star + base + ref;
}

NumberedPage PageNumberAlias(const QString& alias, const QString& currentFileName, const QString& xpath) {
  NumberedPage result;
  const bool forward = alias.startsWith(QLatin1String("!+"));
  result.condition = forward ? QStringLiteral("next") : QStringLiteral("prev");
  const qsizetype at = alias.indexOf(QLatin1Char('@'));
  const QString suffix = at >= 0 ? alias.mid(at) : QString();

  const QString name = FileLookup::fileNamePart(currentFileName);
  qsizetype dot = name.indexOf(QLatin1Char('.'));
  if (dot < 0) dot = name.size();
  int digits = 0;
  if (dot >= 2 && name[dot - 1].isDigit() && name[dot - 2].isDigit()) digits = 2;
  else if (dot >= 1 && name[dot - 1].isDigit()) digits = 1;
  const int number = digits ? name.mid(dot - digits, digits).toInt() : 0;
  const int next = forward ? number + 1 : number - 1;
  const QString numberText = digits == 2 && next >= 0 ? QStringLiteral("%1").arg(next, 2, 10, QLatin1Char('0'))
                                                      : QString::number(next);
  const QString file = name.left(dot - digits) + numberText + name.mid(dot);
  const QString path = FileLookup::locate(xpath + file);
  if (!path.isEmpty() && QFileInfo(path).isFile()) {
    result.path = path + suffix;
    result.exists = true;
  }
  return result;
}

}  // namespace PagePaths
