#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// Reading and writing whole files. Every rewrite goes to a temporary file that
// replaces the old one only when it is complete, so a crash or a full disk
// never leaves a half-written file behind.
namespace FileIO {

std::optional<QByteArray> readBytes(const QString& path);

// Who may read a rewritten file. Shared files keep the permissions of the
// file they replace (new ones get the usual ones); private files are readable
// by their owner only.
enum class FileAccess { Shared, Private };

// Writes data to path through a temporary file in the same directory that
// replaces the old file only after every byte was written and flushed to the
// disk; any failure (a full disk, a file size limit, a missing directory)
// removes the temporary file, leaves the old file whole and returns false.
// A shared file that is a symbolic link is written where the link points; a
// private file is never written through a link (false). The temporary name is
// short and fixed in length (".zvk-" and six characters), so every file name
// the file system takes can be rewritten.
bool writeAtomically(const QString& path, const QByteArray& data, FileAccess access = FileAccess::Shared);

// Appends data to a private file, creating it (owner only) when missing;
// false for a symbolic link and when any byte could not be written.
bool appendPrivately(const QString& path, const QByteArray& data);

// True when path is a symbolic link (whether or not its target exists).
bool isSymbolicLink(const QString& path);

// A Windows-1252 text file, decoded.
std::optional<QString> readText(const QString& path);

// Splits text at CR LF, LF or CR. A final line end does not add an empty line.
QStringList splitLines(const QString& text);

// Writes lines as Windows-1252 with CR LF after every line. Fails (and writes
// nothing) when a character has no Windows-1252 code and strict is set;
// otherwise such characters become '?'.
bool writeTextLines(const QString& path, const QStringList& lines, bool strict = false,
                    FileAccess access = FileAccess::Shared);

}  // namespace FileIO
