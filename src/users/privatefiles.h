#pragma once

#include <QByteArray>
#include <QString>

// Files and directories of a learner, readable by their owner only: they hold
// the learner's password and history.
namespace PrivateFiles {

// Creates the directory (and missing parents) accessible to its owner only.
// An existing directory is taken when it is safe (see isSafe) and made
// owner-only when others may enter it. True when the directory can be used.
bool makeDirectory(const QString& path);

// False for a symbolic link and for a file or directory that belongs to
// another account: another account could plant either to make this program
// read or overwrite files outside the learner's directory. A missing path is safe.
bool isSafe(const QString& path);

// Replaces the file with data through a temporary file; a crash or a full disk
// leaves the old file whole. Never writes through a symbolic link.
bool replace(const QString& path, const QByteArray& data);

// Appends data, creating the file when missing; never through a symbolic link.
bool append(const QString& path, const QByteArray& data);

}  // namespace PrivateFiles
