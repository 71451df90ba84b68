#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "vocabulary/tvokabel.h"

// The course's vocabulary as the build tools read it: every library below a
// vocabulary directory, in the order of their paths, and of each basic
// vocabulary source (a packed data resource or its plain text) the records
// the programs read.
namespace CourseRecords {

// Appends the records to records; false, with the reason appended to errors,
// when a file cannot be read or is no library.
bool Read(const QString& vocabularyDir, const QStringList& basicSources, QList<TVokabel>& records,
          QStringList& errors);

}  // namespace CourseRecords
