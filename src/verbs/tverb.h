#pragma once

#include <QString>
#include <QStringList>
#include <array>

// One verb of the verb trainer with its sixteen tenses of six forms each.
//
// A form may hold one "*": the text before it is regular, the text from it
// on irregular (a form that starts with "*" is wholly irregular). Forms are
// shown and asked without the "*"; the tables mark the irregular part.
namespace VerbTense {

constexpr int kCount = 16;
constexpr int kPersons = 6;

// The tenses read from the verb file and those built from the auxiliary.
enum : int {
  IndPresente = 0,
  IndImperfecto = 1,
  Indefinido = 2,
  Futuro = 3,
  SubPresente = 4,
  SubImperfecto = 5,
  Imperativo = 6,     // persons 1..5; person 0 stays empty
  Condicional = 7,
  Participios = 14,   // person 0 the gerund, person 1 the participle
};

// The names as shown ("IND Presente", ..., "Cond. perf.").
const QStringList& Names();
// "yo", "tú", "él", "nosotros", "vosotros", "ellos".
const QStringList& Pronouns();

// The compound tenses and the tense of the auxiliary each one is built from.
struct Compound {
  int tense;
  int auxiliaryTense;
};
const std::array<Compound, 7>& CompoundTenses();

}  // namespace VerbTense

using TVerbZeit = std::array<QString, VerbTense::kPersons>;

struct TVerb {
  QString Infinitiv;
  QString Bedeutung;
  // The header's third field is exactly "haber": the first verb of the file
  // lends its forms to the compound tenses (otherwise the second one does).
  bool HilfsverbHaber = false;
  std::array<TVerbZeit, VerbTense::kCount> Formen;
  QString Gerundio;
  QString Participio;
  // Selected for the verb queries.
  bool Aktiv = true;

  // A form without its "*".
  static QString Plain(const QString& form) { return QString(form).remove(QLatin1Char('*')); }
};
