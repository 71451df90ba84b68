#pragma once

#include <QString>
#include <QStringList>

// Which library files a selection names. A selection is either a folder below
// the vocabulary directory (all ".asc" files in it and its subfolders) or the
// learner's own list file "S_Bibliotheken.txt", one path per line relative to
// the vocabulary directory. Names and lines that could reach outside the
// vocabulary directory (absolute paths, ".." components) are ignored.
namespace LibrarySelection {

inline const QString kListFileName = QStringLiteral("S_Bibliotheken.txt");

// True for a non-empty relative reference ("Grundwortschatz\Lektion 1.asc")
// without "..": one that stays below the directory it is joined to.
bool IsSafeRelativePath(const QString& reference);

// The library files of a folder selection: every file with the extension
// ".asc" (any case) in the folder and its subfolders, sorted by path. Empty
// when the name is not safe or no such folder exists.
QStringList FolderFiles(const QString& vocabularyDir, const QString& name);

// The library files named by a list file: each safe line joined to the
// vocabulary directory (found without regard to case where the exact name is
// missing). Empty when the file is missing or unreadable.
QStringList ListFiles(const QString& vocabularyDir, const QString& listFile);

}  // namespace LibrarySelection
