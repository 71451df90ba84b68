#include "users/privatefiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr QFileDevice::Permissions kOwnerFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr QFileDevice::Permissions kOwnerDir = kOwnerFile | QFileDevice::ExeOwner;

}  // namespace

namespace PrivateFiles {

bool makeDirectory(const QString& path) {
  QFileInfo info(path);
  if (info.isDir()) return true;
  if (info.exists()) return false;
  if (!QDir().mkpath(path)) return false;
  QFile::setPermissions(path, kOwnerDir);
  return QFileInfo(path).isDir();
}

bool createEmpty(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return false;
  // A file system without Unix permissions keeps its own; the file is still made.
  f.setPermissions(kOwnerFile);
  f.unsetError();
  f.close();
  return true;
}

bool replace(const QString& path, const QByteArray& data) {
  QSaveFile f(path);
  if (!f.open(QIODevice::WriteOnly)) return false;
  // Applies to the temporary file before anything is written into it.
  f.setPermissions(kOwnerFile);
  if (f.write(data) != data.size()) {
    f.cancelWriting();
    return false;
  }
  return f.commit();
}

bool append(const QString& path, const QByteArray& data) {
  QFile f(path);
  const bool existed = f.exists();
  if (!f.open(QIODevice::WriteOnly | QIODevice::Append)) return false;
  if (!existed) {
    f.setPermissions(kOwnerFile);
    f.unsetError();
  }
  const bool ok = f.write(data) == data.size();
  f.close();
  return ok && f.error() == QFileDevice::NoError;
}

}  // namespace PrivateFiles
