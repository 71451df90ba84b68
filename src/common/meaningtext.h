#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// The notation of meanings that every subsystem reads: explanations in square
// brackets ("[Spielmarke] ficha") and the blanks around the parts.

// The playable file of the speech recording of a text, or empty when there is
// none (the recording database's lookup with its fall-backs).
using RecordingLookup = std::function<QString(const QString& text)>;

// Cuts a text of several meanings at every ";": "a; b" and "a;b" both give
// "a" and "b" (the one blank after a ";" is skipped when it is there, so
// "a;  b" gives "a" and " b"). Trailing blanks of each meaning are removed;
// there is always one meaning more than there are semicolons, so "a;" gives
// "a" and an empty meaning. Every reader of meanings, solutions and
// recordings cuts with this.
QStringList SplitMeanings(const QString& text);

// The text without its bracketed explanations ("[Spielmarke] ficha" -> "ficha").
QString StripExplanations(const QString& text);

namespace Vocabulary {
// Removes blanks and control characters (codes up to 32) from both ends, the
// way every reader of the library files trims its lines.
QString TrimBlanks(const QString& text);
}  // namespace Vocabulary
