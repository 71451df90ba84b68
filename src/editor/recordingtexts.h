#pragma once

#include <QString>
#include <QStringList>

// Which texts the editor looks up in the recording databases when the
// author asks to hear a word: a double-click in a field plays the meaning
// under the mouse, and a meaning may carry a note in brackets, blanks,
// a full stop or parentheses around it that the recordings do not have.
namespace RecordingTexts {

// The meaning segment of text around position: between the separators
// ";" + blank, without a leading note in square brackets and blanks.
QString SegmentAt(const QString& text, int position);
// The texts to try for a double-click, in order: the segment, the selected
// text trimmed, and the segment without trailing blanks and full stops and
// without enclosing parentheses. Empty and repeated texts are left out.
QStringList AroundCursor(const QString& text, int position, const QString& selected);
// The texts to try for a whole entry: the entry and, when it differs, the
// entry without trailing full stops and enclosing parentheses.
QStringList Candidates(const QString& text);

}  // namespace RecordingTexts
