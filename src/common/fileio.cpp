#include "common/fileio.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/textcodec.h"

namespace {

constexpr mode_t kPrivateMode = S_IRUSR | S_IWUSR;
constexpr mode_t kSharedMode = S_IRUSR | S_IWUSR | S_IRGRP | S_IWGRP | S_IROTH | S_IWOTH;  // less the umask
constexpr int kTemporaryTries = 20;

// Writes all of data, going on after interrupted or partial writes.
bool writeAll(int fd, const QByteArray& data) {
  const char* p = data.constData();
  qsizetype left = data.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return false;
    p += n;
    left -= n;
  }
  return true;
}

QByteArray temporaryName(const QByteArray& directory) {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  QByteArray name = directory + "/.zvk-";
  for (int i = 0; i < 6; ++i) name.append(kLetters[QRandomGenerator::global()->bounded(static_cast<int>(sizeof(kLetters)) - 1)]);
  return name;
}

// Makes the directory entry of a finished rename durable; a file system that
// cannot sync directories loses nothing by it.
void syncDirectory(const QByteArray& directory) {
  const int fd = ::open(directory.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

namespace FileIO {

bool isSymbolicLink(const QString& path) {
  struct stat st {};
  return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

std::optional<QByteArray> readBytes(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
  QByteArray data = f.readAll();
  if (f.error() != QFileDevice::NoError) return std::nullopt;
  return data;
}

bool writeAtomically(const QString& path, const QByteArray& data, FileAccess access) {
  if (path.isEmpty()) return false;
  QString target = path;
  if (isSymbolicLink(path)) {
    if (access == FileAccess::Private) return false;
    target = QFileInfo(path).symLinkTarget();
    if (target.isEmpty()) return false;
  }
  const QByteArray file = QFile::encodeName(target);
  struct stat old {};
  const bool exists = ::stat(file.constData(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode)) return false;
  const qsizetype slash = file.lastIndexOf('/');
  const QByteArray directory = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : file.left(slash);

  QByteArray temporary;
  int fd = -1;
  const mode_t mode = access == FileAccess::Private ? kPrivateMode : kSharedMode;
  for (int i = 0; i < kTemporaryTries && fd < 0; ++i) {
    temporary = temporaryName(directory);
    fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;
  bool ok = true;
  // A shared file keeps the permissions it had; a private one is owner-only
  // whatever it was before.
  if (access == FileAccess::Private) ok = ::fchmod(fd, kPrivateMode) == 0;
  else if (exists) ::fchmod(fd, old.st_mode & 07777);
  ok = ok && writeAll(fd, data) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  ok = ok && ::rename(temporary.constData(), file.constData()) == 0;
  if (!ok) {
    ::unlink(temporary.constData());
    return false;
  }
  syncDirectory(directory);
  return true;
}

bool appendPrivately(const QString& path, const QByteArray& data) {
  const QByteArray file = QFile::encodeName(path);
  const int fd = ::open(file.constData(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, kPrivateMode);
  if (fd < 0) return false;
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  ok = ok && writeAll(fd, data) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  return ok;
}

std::optional<QString> readText(const QString& path) {
  const auto bytes = readBytes(path);
  if (!bytes) return std::nullopt;
  return Cp1252::decode(*bytes);
}

QStringList splitLines(const QString& text) {
  QStringList lines;
  qsizetype start = 0;
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = text[i];
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
      lines.append(text.mid(start, i - start));
      if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n')) ++i;
      start = i + 1;
    }
  }
  if (start < n) lines.append(text.mid(start));
  return lines;
}

bool writeTextLines(const QString& path, const QStringList& lines, bool strict, FileAccess access) {
  QString text;
  for (const QString& line : lines) {
    text += line;
    text += QStringLiteral("\r\n");
  }
  bool ok = true;
  const QByteArray bytes = Cp1252::encode(text, &ok);
  if (!ok && strict) return false;
  return writeAtomically(path, bytes, access);
}

}  // namespace FileIO
