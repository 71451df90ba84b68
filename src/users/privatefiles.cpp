#include "users/privatefiles.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#include "common/fileio.h"

namespace {

constexpr mode_t kOwnerDirectory = S_IRWXU;

}  // namespace

namespace PrivateFiles {

bool isSafe(const QString& path) {
  struct stat st {};
  if (::lstat(QFile::encodeName(path).constData(), &st) != 0) return errno == ENOENT;
  return !S_ISLNK(st.st_mode) && st.st_uid == ::geteuid();
}

bool makeDirectory(const QString& path) {
  const QByteArray name = QFile::encodeName(path);
  struct stat st {};
  if (::lstat(name.constData(), &st) != 0) {
    if (!QDir().mkpath(path)) return false;
    if (::chmod(name.constData(), kOwnerDirectory) != 0) return false;
    return ::lstat(name.constData(), &st) == 0 && S_ISDIR(st.st_mode);
  }
  if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) return false;
  if ((st.st_mode & (S_IRWXG | S_IRWXO)) != 0 && ::chmod(name.constData(), kOwnerDirectory) != 0) return false;
  return true;
}

bool replace(const QString& path, const QByteArray& data) {
  return FileIO::writeAtomically(path, data, FileIO::FileAccess::Private);
}

bool append(const QString& path, const QByteArray& data) { return FileIO::appendPrivately(path, data); }

}  // namespace PrivateFiles
