#include "pages/libraryutils.h"

#include <QDir>
#include <QFileInfo>

#include "version.h"

int FindFiles(const QString& directory, QStringList* list, const QString& extension,
              const QString& secondExtension) {
  QString dir = directory;
  if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
  int count = 0;
  const QFileInfoList entries = QDir(dir).entryInfoList(
      QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
  for (const QFileInfo& e : entries) {
    if (e.isDir()) {
      // Linked directories are not followed: a link cycle would never end.
      if (!e.isSymLink()) count += FindFiles(dir + e.fileName(), list, extension, secondExtension);
      continue;
    }
    const QString name = e.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString ext = dot < 0 ? QString() : name.mid(dot).toLower();
    if (ext.isEmpty()) continue;
    if (ext == extension || (!secondExtension.isEmpty() && ext == secondExtension)) {
      ++count;
      if (list) list->append(dir + name);
    }
  }
  return count;
}

QString VersionText() {
  return QString::asprintf("%d.%d%d%d", ZVK_VERSION_MAJOR, ZVK_VERSION_MINOR, ZVK_VERSION_RELEASE,
                           ZVK_VERSION_BUILD);
}
