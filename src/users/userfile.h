#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

#include "users/userhistory.h"

// The user file "<name>_S.tmb": one zlib stream (written at level 1) of
// NUL-terminated Windows-1252 texts:
//   name + ":" + password
//   "!" + learning time as hh:mm:ss (only the time of day is kept)
//   key, results, kinds   for every history record with a non-empty key
// Files without the "!" text are read as well; the three texts of each record
// are trimmed.
namespace UserFile {

inline constexpr qint64 kSecondsPerDay = 24 * 60 * 60;
// What a reader accepts, far above any real history (a thousand answered
// records take some 40 KB): larger content is a damaged file.
inline constexpr qsizetype kMaxInflatedBytes = qsizetype(64) * 1024 * 1024;
inline constexpr qsizetype kMaxRecords = 1000000;
inline constexpr qsizetype kMaxTextBytes = 4096;

struct Content {
  // The first text exactly as stored, "name:password" in Windows-1252.
  QByteArray credentials;
  // Learning time in seconds; whole days are not stored.
  qint64 learningSeconds = 0;
  QList<TXUserVoc> records;
};

enum class ReadStatus {
  Ok,       // content read (an empty file gives empty content)
  Missing,  // no such file
  Damaged,  // unreadable, not a zlib stream, truncated, or not a user file
};

struct ReadResult {
  ReadStatus status = ReadStatus::Missing;
  // An empty file: made for a new user, it has no password and no history.
  bool empty = false;
  Content content;
};

// The credentials text of a learner: name + ":" + password in Windows-1252.
// Comparing encoded bytes keeps a password with characters outside
// Windows-1252 usable: it is compared in the same form in which it is stored.
QByteArray credentials(const QString& name, const QString& password);

// "hh:mm:ss" of the time of day the seconds stand for (whole days dropped).
QString formatTimeOfDay(qint64 seconds);
// Reads "hh:mm:ss" (hours of one or two digits; "hh:mm" as well); nullopt otherwise.
std::optional<qint64> parseTimeOfDay(const QString& text);

// The decompressed content; the zlib stream around it is compress(…, 1).
QByteArray serialize(const QByteArray& credentials, qint64 learningSeconds, const std::deque<TXUserVoc>& records);
// Parses decompressed content; nullopt when it is not a user file (no first text).
std::optional<Content> parse(const QByteArray& decompressed);

// Reads and decompresses the file without ever changing it.
ReadResult read(const QString& path);

// Replaces the file through a temporary file that only its owner may read;
// the old file stays whole when writing fails.
bool write(const QString& path, const QByteArray& credentials, qint64 learningSeconds,
           const std::deque<TXUserVoc>& records);

}  // namespace UserFile
