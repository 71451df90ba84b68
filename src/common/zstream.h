#pragma once

#include <QByteArray>
#include <optional>

// zlib streams (RFC 1950) as used by page files, user files, recording
// databases, compressed dictionaries and the built-in data.
namespace ZStream {

// Upper bound for inflated data; a stream that would grow beyond it is
// treated as damaged instead of exhausting memory.
inline constexpr qsizetype kDefaultLimit = qsizetype(512) * 1024 * 1024;

// Deflates data into one zlib stream; the system writes with level 1.
QByteArray compress(const QByteArray& data, int level = 1);

// Inflates one complete zlib stream. A damaged, truncated or oversized stream
// yields no value. Bytes after the end of the stream are ignored.
std::optional<QByteArray> decompress(const QByteArray& stream, qsizetype limit = kDefaultLimit);

// Inflates as much of a stream as can be read: everything before the first
// damage (or the limit). complete (when given) tells whether the stream
// ended properly. Readers that keep what they read up to a damage use it.
QByteArray decompressPrefix(const QByteArray& stream, bool* complete = nullptr, qsizetype limit = kDefaultLimit);

// True when the data begins like a zlib stream header (deflate, valid check bits).
bool looksCompressed(const QByteArray& data);

}  // namespace ZStream
