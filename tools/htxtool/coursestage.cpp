#include "coursestage.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include "common/fileio.h"
#include "pages/pagefile.h"

CourseStage::CourseStage(const QString& sourceDir, const QString& targetDir)
    : source_(QDir(sourceDir).absolutePath()), target_(QDir(targetDir).absolutePath()) {}

CourseStage::Kind CourseStage::kindOf(const QString& relativePath) {
  const QString lower = relativePath.toLower();
  const QString name = QFileInfo(lower).fileName();
  // Build descriptions and notes of the sources are not part of the installation.
  // data/ holds the sources of the compiled-in data resources.
  if (lower.startsWith(QLatin1String("data/"))) return Kind::Skipped;
  // ".samples" files hold the authors' sample values of the pages (htxtool sheet).
  if (name == QLatin1String("cmakelists.txt") || name.endsWith(QLatin1String(".md")) ||
      name.endsWith(QLatin1String(".samples")) || name.startsWith(QLatin1Char('.')))
    return Kind::Skipped;
  if (PageFile::isCompressedName(name)) return Kind::Page;
  for (const char* ext : {".txt", ".asc", ".ini", ".inc", ".htm", ".html", ".xsl", ".ed", ".csv"})
    if (name.endsWith(QLatin1String(ext))) return Kind::Text;
  return Kind::Binary;
}

bool CourseStage::run() {
  QDirIterator it(source_, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  QStringList files;
  while (it.hasNext()) files.append(QDir(source_).relativeFilePath(it.next()));
  files.sort();
  for (const QString& rel : files)
    if (!stageFile(rel)) return false;
  return true;
}

bool CourseStage::stageFile(const QString& rel) {
  const Kind kind = kindOf(rel);
  if (kind == Kind::Skipped) return true;
  const QString from = source_ + QLatin1Char('/') + rel;
  const QString to = target_ + QLatin1Char('/') + rel;
  const QFileInfo src(from), dst(to);
  if (dst.exists() && dst.lastModified() >= src.lastModified()) return true;

  if (!QDir().mkpath(QFileInfo(to).absolutePath())) {
    errors_.append(to + QStringLiteral(": Verzeichnis kann nicht angelegt werden"));
    return false;
  }
  const auto bytes = FileIO::readBytes(from);
  if (!bytes) {
    errors_.append(from + QStringLiteral(": nicht lesbar"));
    return false;
  }
  QByteArray out = *bytes;
  // Exercise collections (".zvk" beginning with "ZVK!") are markup: text
  // like the pages. Other ".zvk" files (recording databases, dictionaries) stay as they are.
  const bool collection = rel.endsWith(QLatin1String(".zvk"), Qt::CaseInsensitive) && bytes->startsWith("ZVK!");
  if (kind != Kind::Binary || collection) {
    const PageFile::Conversion c = kind == Kind::Page ? PageFile::pack(*bytes) : PageFile::toStoredText(*bytes);
    if (!c.error.isEmpty()) {
      errors_.append(from + QStringLiteral(": ") + c.error);
      return false;
    }
    out = c.bytes;
  }
  if (!FileIO::writeAtomically(to, out)) {
    errors_.append(to + QStringLiteral(": nicht schreibbar"));
    return false;
  }
  ++written_;
  return true;
}
