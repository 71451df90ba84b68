#pragma once

#include <QString>

// Turns the backslash references that data files and markup keep ("hzvk\bild.jpg",
// "C:\kurs\") into native paths, and finds files whose name differs only in
// case from the reference: course data copied from other systems often does.
namespace FileLookup {

// "\" becomes "/"; nothing else changes.
QString nativePath(const QString& reference);

// True for an absolute path: a native one ("/...") or one with a drive letter
// ("C:\..."); such references are not joined to a base directory.
bool hasDriveLetter(const QString& path);

// The path of an existing file or directory: the path itself when it exists,
// else the path whose components match case-insensitively (first match in
// name order wins). Empty when nothing matches.
QString locate(const QString& path);

bool fileExists(const QString& path);
bool dirExists(const QString& path);

// Directory values end with "/"; an empty value stays empty.
QString withSeparator(const QString& dir);

// The part of a path up to and including its last separator ("" if none).
QString directoryPart(const QString& path);

// The file name after the last separator.
QString fileNamePart(const QString& path);

}  // namespace FileLookup
