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

// Writes data to path through a temporary file in the same directory.
bool writeAtomically(const QString& path, const QByteArray& data);

// A Windows-1252 text file, decoded.
std::optional<QString> readText(const QString& path);

// Splits text at CR LF, LF or CR. A final line end does not add an empty line.
QStringList splitLines(const QString& text);

// Writes lines as Windows-1252 with CR LF after every line. Fails (and writes
// nothing) when a character has no Windows-1252 code and strict is set;
// otherwise such characters become '?'.
bool writeTextLines(const QString& path, const QStringList& lines, bool strict = false);

}  // namespace FileIO
