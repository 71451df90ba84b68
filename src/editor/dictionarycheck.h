#pragma once

#include <QString>

// What the editor's checks against the dictionary decide, without a window:
// the comparison of a record with its dictionary entry, the two layouts the
// copy from the dictionary cycles through, and the repairs of the alignment
// of a record with its entry.
namespace DictionaryCheck {

// The outcome of comparing a record with the dictionary entry its lookup found.
enum class Result {
  Agree = 0,           // nothing to do (also: the record has no word)
  MissingWord = 1,     // the word is not in the dictionary
  TakeFromEntry = 2,   // the record's meanings are "?": take the entry's
  ClassMismatch = 3,   // same word and meanings, another word class
  MeaningsDiffer = 4,  // same word and class, other meanings
};

// The meanings of a record as one text: the first meaning field, then
// "; " and the second when that is not empty.
QString RecordMeanings(const QString& first, const QString& second);

// The key of a record or entry: the word class as a decimal number
// immediately followed by the word ("0casa").
QString Key(int wortart, const QString& word);

// Compares record key and meanings with entry key and meanings. A record
// whose meanings are "?" asks for the entry's meanings whatever the keys,
// so that "?" never goes into the dictionary as a meaning.
Result CompareWithDictionary(const QString& recordKey, const QString& recordMeanings, const QString& entryKey,
                             const QString& entryMeanings);

// The two meaning fields after a copy from the dictionary. The entry's
// meaning items L0, L1, L2... are laid out as (L0, L1; L2...) or as
// (L0; L1, L2...); a repeated copy switches from the one shown to the other.
struct MeaningFields {
  QString first;
  QString second;
  bool operator==(const MeaningFields&) const = default;
};
MeaningFields NextCopyLayout(const MeaningFields& shown, const QString& entryMeanings);

// The alignment's repair of an entry text: trimmed, and ", e" at its end
// written ", -e" (the notation of a feminine ending).
QString AlignedEntry(const QString& entry);

// A context repaired as far as the alignment can ("(a (b" -> "(a) b"), and
// whether it is then in order: empty, or exactly one "(" followed later by
// one ")".
struct RepairedContext {
  QString text;
  bool inOrder = false;
};
RepairedContext RepairContext(const QString& context);

// The entry text with its first letter in the dictionary's lower-case
// spelling: "Casa" against the dictionary's "casa" gives "casa". Any other
// pair gives the entry unchanged.
QString DictionarySpelling(const QString& entry, const QString& dictionaryWord);

// Whether the dictionary's word is the entry with its gender note: the
// entry followed by " (m)", " (f)", " (mf)", " (mpl)" or " (fpl)".
bool IsGenderVariant(const QString& entry, const QString& dictionaryWord);

}  // namespace DictionaryCheck
