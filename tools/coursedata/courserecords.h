#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

#include "lab/tsatz.h"
#include "pages/zipresource.h"
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

// A data resource's reader over its packed form or its plain text (UTF-8
// or Windows-1252, packed here as the build packs it); none, with the
// reason appended to errors, when the file cannot be read.
std::optional<TZIPResource> OpenResource(const QString& path, QStringList& errors);

// The language lab's topics from its data resource (packed or plain), read
// as the trainer reads them.
bool ReadLabTopics(const QString& path, QList<TThema>& topics, QStringList& errors);

}  // namespace CourseRecords
