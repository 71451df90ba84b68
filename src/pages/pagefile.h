#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Page files on disk: ".htx", ".hzvk", ".xtml" and ".xtm" are single zlib
// streams of Windows-1252 markup; other extensions hold the markup as is.
namespace PageFile {

bool isCompressedName(const QString& fileName);

// Windows-1252 markup from text as course authors write it: UTF-8 (a leading
// byte-order mark is dropped) is converted; bytes that are not valid UTF-8 are
// taken as Windows-1252 already. Line ends become CR LF. Fails, naming the
// first line that holds a character Windows-1252 cannot hold.
struct Conversion {
  QByteArray bytes;
  QString error;  // empty on success
};
Conversion toStoredText(const QByteArray& source);

// The stored form of a page: markup converted as above, compressed with level 1.
Conversion pack(const QByteArray& source);

// The markup bytes of a stored page file; no value for a damaged stream.
std::optional<QByteArray> unpack(const QByteArray& stored);

}  // namespace PageFile
