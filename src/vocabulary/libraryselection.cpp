#include "vocabulary/libraryselection.h"

#include <QDirIterator>
#include <QFileInfo>

#include "common/fileio.h"
#include "common/filelookup.h"
#include "vocabulary/tvokabel.h"

namespace LibrarySelection {

bool IsSafeRelativePath(const QString& reference) {
  const QString native = FileLookup::nativePath(Vocabulary::TrimBlanks(reference));
  if (native.isEmpty() || native.startsWith(QLatin1Char('/')) || FileLookup::hasDriveLetter(native)) return false;
  for (const QString& part : native.split(QLatin1Char('/')))
    if (part == QLatin1String("..")) return false;
  return true;
}

QStringList FolderFiles(const QString& vocabularyDir, const QString& name) {
  if (vocabularyDir.isEmpty() || !IsSafeRelativePath(name)) return {};
  QString dir = FileLookup::locate(vocabularyDir + FileLookup::nativePath(Vocabulary::TrimBlanks(name)));
  if (dir.isEmpty() || !QFileInfo(dir).isDir()) return {};
  QStringList files;
  QDirIterator it(QDir::cleanPath(dir), QDir::Files | QDir::Readable, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    if (path.endsWith(QLatin1String(".asc"), Qt::CaseInsensitive)) files.append(path);
  }
  files.sort();
  return files;
}

QStringList ListFiles(const QString& vocabularyDir, const QString& listFile) {
  if (vocabularyDir.isEmpty()) return {};
  const auto text = FileIO::readText(listFile);
  if (!text) return {};
  QStringList files;
  for (const QString& line : FileIO::splitLines(*text)) {
    const QString reference = Vocabulary::TrimBlanks(line);
    if (!IsSafeRelativePath(reference)) continue;
    const QString path = vocabularyDir + FileLookup::nativePath(reference);
    const QString found = FileLookup::locate(path);
    files.append(found.isEmpty() ? path : found);
  }
  return files;
}

}  // namespace LibrarySelection
