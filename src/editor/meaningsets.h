#pragma once

#include <QString>
#include <QStringList>

// The comparison of meaning texts that the editor's duplicate test and its
// checks against the dictionary share. A meaning text is a list of meanings
// separated by ";" and a blank ("Haus; Heim").
namespace MeaningSets {

// Splits a meaning text into its items: repeatedly the text before the
// first ";" is an item and the text goes on two characters after it (the
// blank after the ";" is skipped). An empty text has no items.
QStringList SplitItems(const QString& text);

// Whether a and b hold the same meanings: each item without its bracketed
// explanations, compared ignoring letter case, every item of a matched with
// one of b. With writeBack, a and b keep only their unmatched items, joined
// with "; ".
bool CompareMeaningSets(QString& a, QString& b, bool writeBack);

// The same without writing back.
bool SameMeanings(QString a, QString b);

}  // namespace MeaningSets
