#pragma once

#include <QString>

// Spelling facts about Spanish words that the dictionary builders rely on.
namespace SpanishForms {

// "oscura" after "oscuro", "trabajadora" after "trabajador".
inline bool IsFeminineOf(const QString& word, const QString& masculine) {
  if (masculine.isEmpty() || !word.endsWith(QLatin1Char('a')) || word.contains(QLatin1Char(' '))) return false;
  if (masculine.endsWith(QLatin1Char('o'))) return word == masculine.chopped(1) + QLatin1Char('a');
  return word == masculine + QLatin1Char('a');
}

// An infinitive, also with a pronoun attached: "hablar", "reír", "irse", "ponerse".
inline bool IsInfinitive(const QString& word) {
  QString w = word.toLower();
  for (const char* pronoun : {"se", "lo", "la", "le", "los", "las", "les", "me", "te", "nos"})
    if (w.size() > 4 && w.endsWith(QLatin1String(pronoun))) {
      const QString stem = w.chopped(static_cast<qsizetype>(qstrlen(pronoun)));
      if (stem.endsWith(QLatin1String("ar")) || stem.endsWith(QLatin1String("er")) ||
          stem.endsWith(QLatin1String("ir")) || stem.endsWith(QStringLiteral("ír"))) {
        w = stem;
        break;
      }
    }
  return w.size() > 2 && (w.endsWith(QLatin1String("ar")) || w.endsWith(QLatin1String("er")) ||
                          w.endsWith(QLatin1String("ir")) || w.endsWith(QStringLiteral("ír")));
}

}  // namespace SpanishForms
