#include "vocabulary/tbibliothek.h"

namespace {

constexpr int kMaxLength = 80;

// Longer texts become their first n - 3 characters and "..." ("..." alone for n <= 3).
QString cut(const QString& text, qsizetype n) {
  if (text.size() <= n) return text;
  if (n <= 3) return QStringLiteral("...");
  return text.left(n - 3) + QStringLiteral("...");
}

}  // namespace

QString TBibliothek::DisplayPathOf(const QString& fileName) {
  if (fileName.isEmpty()) return QStringLiteral("(Unbenannte Bibliothek)");
  if (fileName.size() <= kMaxLength) return fileName;

  // Native paths use "/"; a path written the Windows way keeps its "\".
  const QChar sep = fileName.contains(QLatin1Char('/')) ? QLatin1Char('/') : QLatin1Char('\\');
  QString drive;
  bool network = false;
  if (fileName.size() >= 2 && fileName[1] == QLatin1Char(':')) {
    drive = fileName.left(2);
  } else if (fileName.startsWith(QString(2, sep))) {
    // "\\server\share": up to the separator after the share name.
    const qsizetype serverEnd = fileName.indexOf(sep, 2);
    const qsizetype shareEnd = serverEnd < 0 ? -1 : fileName.indexOf(sep, serverEnd + 1);
    drive = shareEnd < 0 ? fileName : fileName.left(shareEnd);
    network = true;
  }
  const qsizetype lastSep = fileName.lastIndexOf(sep);
  const QString dirPart = fileName.left(lastSep + 1);
  const QString name = fileName.mid(lastSep + 1);

  const QString d = cut(drive, 12) + sep;
  QString m = network ? dirPart.mid(drive.size() + 1) : dirPart.mid(dirPart.indexOf(sep) + 1);
  QString n = cut(name, 40);
  if (d.size() + m.size() + n.size() <= kMaxLength) return d + m + n;

  while (m.contains(sep) && d.size() + m.size() + n.size() + 4 > kMaxLength) m = m.mid(m.indexOf(sep) + 1);
  n = cut(name, kMaxLength - 4 - d.size() - m.size());
  return d + QStringLiteral("...") + sep + m + n;
}
