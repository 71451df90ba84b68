#pragma once

#include <QString>
#include <QStringList>

// Counts the files below directory (searched recursively) whose extension,
// with the dot and in lower case, equals extension or secondExtension (both
// given in lower case, e.g. ".wav"); their full paths are added to list when
// one is given.
int FindFiles(const QString& directory, QStringList* list, const QString& extension,
              const QString& secondExtension = {});

// The program's version as "major.minorreleasebuild", e.g. "5.006".
QString VersionText();
