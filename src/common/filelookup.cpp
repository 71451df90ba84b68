#include "common/filelookup.h"

#include <QDir>
#include <QFileInfo>

namespace FileLookup {

QString nativePath(const QString& reference) {
  QString p = reference;
  p.replace(QLatin1Char('\\'), QLatin1Char('/'));
  return p;
}

bool hasDriveLetter(const QString& path) {
  if (path.startsWith(QLatin1Char('/')) || path.startsWith(QLatin1Char('\\'))) return true;
  return path.size() >= 2 && path[0].isLetter() && path[1] == QLatin1Char(':');
}

namespace {

// Finds the entry of dir whose name equals name without regard to case.
QString matchInDirectory(const QString& dir, const QString& name) {
  QDir d(dir.isEmpty() ? QStringLiteral(".") : dir);
  const QStringList entries =
      d.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
  for (const QString& entry : entries)
    if (entry.compare(name, Qt::CaseInsensitive) == 0) return entry;
  return {};
}

}  // namespace

QString locate(const QString& path) {
  if (path.isEmpty()) return {};
  const QString native = nativePath(path);
  if (QFileInfo::exists(native)) return native;

  const bool absolute = native.startsWith(QLatin1Char('/'));
  const bool trailing = native.endsWith(QLatin1Char('/'));
  const QStringList parts = native.split(QLatin1Char('/'), Qt::SkipEmptyParts);
  QString current = absolute ? QStringLiteral("/") : QString();
  for (int i = 0; i < parts.size(); ++i) {
    const QString& part = parts[i];
    QString candidate = current + part;
    if (part != QLatin1String(".") && part != QLatin1String("..") && !QFileInfo::exists(candidate)) {
      const QString match = matchInDirectory(current, part);
      if (match.isEmpty()) return {};
      candidate = current + match;
    }
    current = candidate;
    if (i + 1 < parts.size()) current += QLatin1Char('/');
  }
  if (trailing && !current.endsWith(QLatin1Char('/'))) current += QLatin1Char('/');
  return current;
}

bool fileExists(const QString& path) {
  const QString p = locate(path);
  return !p.isEmpty() && QFileInfo(p).isFile();
}

bool dirExists(const QString& path) {
  const QString p = locate(path);
  return !p.isEmpty() && QFileInfo(p).isDir();
}

QString withSeparator(const QString& dir) {
  if (dir.isEmpty()) return dir;
  QString d = nativePath(dir);
  if (!d.endsWith(QLatin1Char('/'))) d += QLatin1Char('/');
  return d;
}

QString directoryPart(const QString& path) {
  const QString p = nativePath(path);
  const qsizetype i = p.lastIndexOf(QLatin1Char('/'));
  return i < 0 ? QString() : p.left(i + 1);
}

QString fileNamePart(const QString& path) {
  const QString p = nativePath(path);
  return p.mid(p.lastIndexOf(QLatin1Char('/')) + 1);
}

}  // namespace FileLookup
