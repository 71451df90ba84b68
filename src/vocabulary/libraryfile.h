#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "vocabulary/tvokabel.h"

// The library file format (".asc"): Windows-1252 text with CR LF after every
// line; first any number of comment lines "// " + text, then ten lines per
// record (entry, two meanings, context, flag, context, flag, word class,
// direction, difficulty). No header, no count, no end marker.
namespace LibraryFile {

struct Content {
  QStringList comments;
  QList<TVokabel> records;
  // A number line was not a whole number: reading stopped there and the
  // records before it are kept.
  bool malformed = false;
};

// Reads the bytes of a library file. Lines end with CR LF (CR alone and LF
// alone are accepted too); the last byte is taken for the final line end
// when it is a LF. Every line is trimmed of blanks and control characters.
// At the start of a record, a line beginning with "// " is a comment, and a
// line that is exactly "//" is an empty comment (what "// " becomes after
// trimming). A flag is true unless its line is exactly "0". A record cut off
// by the end of the data is left out.
Content parse(const QByteArray& bytes);

// The bytes of a library with these comments and records; every record given
// is written. A comment holding line breaks becomes several comment lines.
QByteArray serialize(const QStringList& comments, const QList<TVokabel>& records);

// Why the records could not be read back as they are, as the message shown
// to the user; empty when they can be written. A field holding a line break
// or an entry that would read back as a comment would shift every later
// record, and a character without a Windows-1252 code would be lost.
QString problemText(const QStringList& comments, const QList<TVokabel>& records);

}  // namespace LibraryFile
