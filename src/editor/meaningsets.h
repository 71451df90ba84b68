#pragma once

#include <QString>
#include <QStringList>

// The comparison of meaning texts that the editor's duplicate test and its
// checks against the dictionary share. A meaning text is a list of meanings
// separated by ";" and a blank ("Haus; Heim").
namespace MeaningSets {

// Splits a meaning text into its items at every ";", as every reader of
// meanings does (SplitMeanings: the one blank after a ";" is skipped when it
// is there). An empty text has no items.
QStringList SplitItems(const QString& text);

// Whether a and b hold the same meanings: each item without its bracketed
// explanations, compared ignoring letter case, every item of a matched with
// one of b. With writeBack, a and b keep only their unmatched items, joined
// with "; ".
bool CompareMeaningSets(QString& a, QString& b, bool writeBack);

// The same without writing back.
bool SameMeanings(QString a, QString b);

}  // namespace MeaningSets
