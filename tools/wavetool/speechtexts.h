#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include "vocabulary/tvokabel.h"

// Which Spanish texts of the course are spoken, and how.
//
// The programs look recordings up by the texts as the libraries write them:
// a Spanish entry as a whole ("casa (f)", also without its bracketed
// explanations), and each Spanish meaning of a German entry on its own,
// without its explanations ("[Spielmarke] ficha (f)" is looked up as
// "ficha (f)"). These are the keys of the recording database.
//
// What is spoken for a key is what the learner hears as the answer: the
// longest of the accepted answer forms of each meaning (ExpandAnswers), so
// a gender mark brings its article ("casa (f)" is spoken
// "la casa", "(el/la) estudiante" as "el estudiante"), optional parts are
// spoken ("(muy) bien" as "muy bien"), of a choice the longer alternative
// (the first one when both are as long), and explanations in square
// brackets are never spoken. Several meanings of one key are spoken one
// after the other, separated by a comma (a short pause).
//
// Context sentences are not spoken: the programs never look them up.
namespace SpeechTexts {

// What is spoken for a Spanish text; empty when nothing is left to speak.
QString SpokenForm(const QString& text);

// The lookup keys of a record's Spanish side.
QStringList SpanishKeys(const TVokabel& record);

// The keys of all records with their spoken forms. The first record that
// brings a key (letter case ignored, as the database compares) decides how
// it is spoken.
class Collection {
 public:
  void addRecords(const QList<TVokabel>& records);
  void add(const QString& key);

  // key -> spoken form, in the order the keys were added.
  const QList<std::pair<QString, QString>>& entries() const { return entries_; }
  // The distinct spoken forms.
  QStringList spokenForms() const;

 private:
  QList<std::pair<QString, QString>> entries_;
  QMap<QString, int> index_;  // case-folded key -> position in entries_
};

}  // namespace SpeechTexts
