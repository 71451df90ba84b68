#pragma once

#include <QByteArray>
#include <QString>

// Files and directories of a learner, readable by their owner only: they hold
// the learner's password and history.
namespace PrivateFiles {

// Creates the directory (and missing parents); a directory created here is
// made accessible to its owner only. True when the directory exists afterwards.
bool makeDirectory(const QString& path);

// Creates a new empty file; false when it exists already or cannot be made.
bool createEmpty(const QString& path);

// Replaces the file with data through a temporary file; a crash or a full disk
// leaves the old file whole.
bool replace(const QString& path, const QByteArray& data);

// Appends data, creating the file when missing.
bool append(const QString& path, const QByteArray& data);

}  // namespace PrivateFiles
