#include "verbs/tverb.h"

namespace VerbTense {

const QStringList& Names() {
  static const QStringList names = {
      QStringLiteral("IND Presente"),    QStringLiteral("IND Imperfecto"), QStringLiteral("Pret. indefinido"),
      QStringLiteral("Futuro"),          QStringLiteral("SUB Presente"),   QStringLiteral("SUB Imperfecto"),
      QStringLiteral("Imperativo"),      QStringLiteral("Condicional"),    QStringLiteral("IND Pret. perf."),
      QStringLiteral("IND Pluscuamp."),  QStringLiteral("Pret. anterior"), QStringLiteral("Fut. perf."),
      QStringLiteral("SUB Pret. perf."), QStringLiteral("SUB Pluscuamp."), QStringLiteral("Participios"),
      QStringLiteral("Cond. perf."),
  };
  return names;
}

const QStringList& Pronouns() {
  static const QStringList pronouns = {QStringLiteral("yo"),       QStringLiteral("tú"),
                                       QStringLiteral("él"),       QStringLiteral("nosotros"),
                                       QStringLiteral("vosotros"), QStringLiteral("ellos")};
  return pronouns;
}

const std::array<Compound, 7>& CompoundTenses() {
  static const std::array<Compound, 7> compounds = {{{8, 0}, {9, 1}, {10, 2}, {11, 3}, {12, 4}, {13, 5}, {15, 7}}};
  return compounds;
}

}  // namespace VerbTense
