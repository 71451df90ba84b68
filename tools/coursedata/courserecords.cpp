#include "courserecords.h"

#include <QDirIterator>
#include <QFileInfo>

#include "common/fileio.h"
#include "common/zstream.h"
#include "lab/labsentences.h"
#include "pages/pagefile.h"
#include "pages/zipresource.h"
#include "vocabulary/libraryfile.h"
#include "vocabulary/tres.h"

namespace CourseRecords {

namespace {

bool readLibraries(const QString& root, QList<TVokabel>& records, QStringList& errors) {
  QStringList libraries;
  if (QFileInfo(root).isDir()) {
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
      const QString path = it.next();
      if (path.endsWith(QLatin1String(".asc"), Qt::CaseInsensitive)) libraries.append(path);
    }
  }
  libraries.sort();  // the same order on every machine
  for (const QString& path : libraries) {
    const auto bytes = FileIO::readBytes(path);
    if (!bytes) {
      errors.append(path + QStringLiteral(": nicht lesbar"));
      return false;
    }
    const LibraryFile::Content content = LibraryFile::parse(*bytes);
    if (content.malformed) {
      errors.append(path + QStringLiteral(": keine gültige Vokabelbibliothek (Zahlenzeile fehlerhaft)"));
      return false;
    }
    records += content.records;
  }
  return true;
}

bool readBasicSource(const QString& path, QList<TVokabel>& records, QStringList& errors) {
  std::optional<TZIPResource> reader = OpenResource(path, errors);
  if (!reader) return false;
  // The records the programs read from the built-in resource, read the same way.
  const TRes basic(*reader);
  records += basic.Items();
  return true;
}

}  // namespace

bool Read(const QString& vocabularyDir, const QStringList& basicSources, QList<TVokabel>& records,
          QStringList& errors) {
  if (!readLibraries(vocabularyDir, records, errors)) return false;
  for (const QString& path : basicSources)
    if (!readBasicSource(path, records, errors)) return false;
  return true;
}

std::optional<TZIPResource> OpenResource(const QString& path, QStringList& errors) {
  const auto bytes = FileIO::readBytes(path);
  if (!bytes) {
    errors.append(path + QStringLiteral(": nicht lesbar"));
    return std::nullopt;
  }
  QByteArray stream = *bytes;
  if (!ZStream::looksCompressed(stream)) {
    const PageFile::Conversion packed = PageFile::pack(stream);
    if (!packed.error.isEmpty()) {
      errors.append(path + QStringLiteral(": ") + packed.error);
      return std::nullopt;
    }
    stream = packed.bytes;
  }
  return TZIPResource::fromStream(stream);
}

bool ReadLabTopics(const QString& path, QList<TThema>& topics, QStringList& errors) {
  std::optional<TZIPResource> reader = OpenResource(path, errors);
  if (!reader) return false;
  topics = LabSentences::Read(*reader);
  return true;
}

}  // namespace CourseRecords
