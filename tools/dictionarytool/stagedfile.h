#pragma once

#include <QByteArray>
#include <QString>

// A file that the build writes into the staged installation and that a
// program may change there afterwards (the editor saves the dictionary in
// place). Beside every such file the build keeps a stamp, in a directory of
// its own, with the checksum of what it wrote last. A staged file that
// differs from its stamp and is newer than it was changed after the build:
// it stays as it is, until it is deleted.
namespace StagedFile {

enum class Outcome {
  Written,    // new or changed content written
  Unchanged,  // the file already held this content
  KeptNewer,  // changed since the last build: left alone
  Failed      // could not be written
};

Outcome Write(const QString& path, const QByteArray& bytes, const QString& stampDir);

}  // namespace StagedFile
