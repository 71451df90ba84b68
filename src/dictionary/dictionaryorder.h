#pragma once

#include <QString>

// The order of the dictionary's head words, the one the files are sorted by
// and the lookups rely on. It ignores letter case and, first of all, accents
// and umlauts ("árbol" beside "arbol", "Übung" among the "u"), with "ñ"
// after "n" and "ß" as "ss"; words that differ only in accents are ordered
// by their letters' codes. Two words compare equal exactly when they are
// equal ignoring case, so the order is total and a sorted list keeps every
// spelling of a word together.
namespace DictionaryOrder {

// < 0, 0 or > 0 as a sorts before, with or after b.
int Compare(const QString& a, const QString& b);
inline bool Less(const QString& a, const QString& b) { return Compare(a, b) < 0; }
// Equal ignoring letter case (and nothing else).
bool SameWord(const QString& a, const QString& b);

}  // namespace DictionaryOrder
