#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include "dictionary/txdbeintrag.h"

// Turns the articles of the free Spanish-German and German-Spanish
// dictionaries (dictd text, one article per head word line) into entries of
// the system's dictionary, written as the course writes its vocabulary:
// - the word class from the grammar tag ("<n, m>", "<v>", "<adj>", …); an
//   article without a tag is classed by the forms of its word and its
//   translations, an unknown tag gets the default class 1 (noun);
// - Spanish nouns with their gender mark, "casa (f)", as head words and as
//   the meanings of German nouns;
// - meanings separated by "; " (a comma inside a translation separates two
//   meanings too), notes in parentheses and usage labels as explanations in
//   square brackets, in German ("[umgangssprachlich]", "[Lateinamerika]");
//   pronunciations, German gender tags and the German definitions of the
//   German-Spanish articles are left out;
// - Windows-1252 only: a meaning with a character that Windows-1252 cannot
//   hold is left out and counted, never changed; so is a meaning whose
//   markup cannot be read, and a head word that cannot be written;
// - entries of the same word and class merged, sorted by the dictionary's order.
namespace Freedict {

struct Report {
  int articles = 0;        // articles read
  int entries = 0;         // entries written
  int meanings = 0;        // meanings written
  int droppedCharset = 0;  // meanings left out: a character outside Windows-1252
  int droppedDamaged = 0;  // meanings left out: markup that cannot be read
  int droppedWords = 0;    // head words left out: outside Windows-1252, or without any meaning left
  // One line for the build log.
  QString Line(const QString& directionName) const;
};

struct Direction {
  QList<TXDBEintrag> entries;
  Report report;
};

// The class of a grammar tag (the text between "<" and ">"); 0 for an empty tag.
int ClassOfTag(const QString& tag);

// The gender mark of a Spanish noun's tag: "n, m" "(m)", "n, f" "(f)",
// "n, m, pl" "(mpl)", "n, f, pl" "(fpl)", "n, m, f" "(mf)"; empty otherwise.
QString GenderMark(const QString& tag);

// The meanings of one translation text: markup removed, notes in brackets,
// split at the commas outside brackets. Items that cannot be read come back
// as they are, for the caller to count.
QStringList Meanings(const QString& translation);

// The German explanation for a usage label ("coloq." "umgangssprachlich");
// other labels as they stand.
QString Label(const QString& label);

// The classes of the German head words that carry a grammar tag in the
// German-Spanish articles, where all their tags agree: "unten" adverb.
QHash<QString, int> GermanClasses(const QStringList& germanSpanishArticles);

// An article without a tag takes the class that its German translations
// have in germanClasses, or else one from the form of its word.
Direction SpanishGerman(const QStringList& articles, const QHash<QString, int>& germanClasses = {});

// Spanish words whose noun entries in the Spanish-German direction all carry
// the same gender mark: "casa" "(f)".
QHash<QString, QString> SpanishGenders(const QList<TXDBEintrag>& spanishGerman);

Direction GermanSpanish(const QStringList& articles, const QHash<QString, QString>& spanishGenders);

}  // namespace Freedict
