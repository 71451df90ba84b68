#include "stagedfile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

#include "common/fileio.h"

namespace StagedFile {

namespace {

QByteArray checksum(const QByteArray& bytes) {
  return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

}  // namespace

Outcome Write(const QString& path, const QByteArray& bytes, const QString& stampDir) {
  const QString stamp = QDir(stampDir).filePath(QFileInfo(path).fileName() + QStringLiteral(".stamp"));
  const QFileInfo staged(path);
  const std::optional<QByteArray> present = staged.exists() ? FileIO::readBytes(path) : std::nullopt;
  const std::optional<QByteArray> written = FileIO::readBytes(stamp);
  if (present && written && checksum(*present) != written->trimmed() &&
      staged.lastModified() > QFileInfo(stamp).lastModified())
    return Outcome::KeptNewer;

  Outcome outcome = Outcome::Unchanged;
  if (!present || *present != bytes) {
    if (!FileIO::writeAtomically(path, bytes)) return Outcome::Failed;
    outcome = Outcome::Written;
  }
  if (!QDir().mkpath(stampDir) || !FileIO::writeAtomically(stamp, checksum(bytes) + '\n')) return Outcome::Failed;
  return outcome;
}

}  // namespace StagedFile
