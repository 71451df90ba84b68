#pragma once

#include <QList>

#include "lab/tsatz.h"

class TZIPResource;

// Reading the lab's sentences from the program's data resource "1": lines
// ended by one control character (NUL, or a CR LF pair). A line beginning
// with "****" starts a topic, its title the rest of the line, trimmed. The
// lines after it come in groups of five: sentence, alternatives, help,
// German, recording.
//
// Lines before the first topic belong to no topic and are skipped. An empty
// sentence line reads "FEHLER!"; an empty (or blank) help line becomes the
// dotted hint of the sentence. A group whose lines are all empty (trailing
// line ends, for example) is no sentence. A group cut short by the next
// topic or the end keeps what it has.
namespace LabSentences {

inline const QString kTopicMark = QStringLiteral("****");
inline const QString kMissingSentence = QStringLiteral("FEHLER!");

QList<TThema> Read(TZIPResource& resource);
// The trainer's own sentences; no topics when the resource is missing or damaged.
QList<TThema> ReadBuiltIn();

}  // namespace LabSentences
