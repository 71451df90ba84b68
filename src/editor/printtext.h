#pragma once

#include <QFontMetricsF>
#include <QString>
#include <QStringList>

// Lines of text for the printed pages, cut to a width with the printer's font.
namespace PrintText {

// Fills lines word by word (a word with its following blank): a word that
// does not fit into the rest of a line starts the next one, and a word
// wider than the whole width stands on a line of its own (the drawing
// clips it). Line breaks of the text start new paragraphs. At most
// maxLines lines (0: no limit).
QStringList Wrap(const QString& text, const QFontMetricsF& metrics, double width, int maxLines = 0);

}  // namespace PrintText
