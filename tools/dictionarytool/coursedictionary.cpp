#include "coursedictionary.h"

#include <QRegularExpression>

#include "common/meaningtext.h"
#include "dictionary/dictionarymaintenance.h"
#include "dictionarybuilder.h"
#include "spanishforms.h"

namespace CourseDictionary {

namespace {

// The explanations of a meaning item, each in its brackets: "[mit Stiel]".
QString explanationsOf(const QString& item) {
  static const QRegularExpression re(QStringLiteral("\\[[^\\]]*\\]"));
  QStringList parts;
  for (auto it = re.globalMatch(item); it.hasNext();) parts << it.next().captured(0);
  return parts.join(QLatin1Char(' '));
}

// A meaning as the head word of its own entry. German words are written with
// their optional parts ("(sich) duschen" as "sich duschen"); Spanish ones
// keep the notation, under which their recordings are found.
QString headWord(const QString& meaning, bool german) {
  if (!german || meaning.contains(QLatin1Char('/'))) return meaning;
  QString word = meaning;
  word.remove(QLatin1Char('(')).remove(QLatin1Char(')'));
  return word.simplified();
}

}  // namespace

Halves FromRecords(const QList<TVokabel>& records) {
  DictionaryBuilder spanish, german;
  for (const TVokabel& v : records) {
    if (v.IsEmpty()) continue;
    const int wortart = v.Wortart + 1;
    QStringList lines;
    for (const QString& line : v.Bedeutung)
      if (!line.trimmed().isEmpty()) lines << line.trimmed();
    const QString meanings = lines.join(QStringLiteral("; "));
    DictionaryBuilder& own = v.Deutsch ? german : spanish;
    DictionaryBuilder& other = v.Deutsch ? spanish : german;
    own.Add(v.Vokabel, wortart, meanings);
    // Each meaning leads back to the record's word, with its explanation;
    // the feminine of an adjective right after its masculine ("oscuro;
    // oscura") is looked up under the masculine.
    QString previous;
    for (const QString& item : SplitMeanings(meanings)) {
      const QString word = headWord(StripExplanations(item).trimmed(), !v.Deutsch);
      const QString explanation = explanationsOf(item);
      if (!SpanishForms::IsFeminineOf(word, previous))
        other.Add(word, wortart, explanation.isEmpty() ? v.Vokabel : v.Vokabel + QLatin1Char(' ') + explanation);
      previous = word;
    }
  }
  return {spanish.Entries(), german.Entries(), spanish.Dropped() + german.Dropped()};
}

QStringList Faults(const QList<TXDBEintrag>& entries) {
  QStringList faults;
  for (const TXDBEintrag& e : entries)
    if (const auto fault = DictionaryMaintenance::MeaningFault(e.Meaning)) faults << e.Word + QStringLiteral(": ") + *fault;
  return faults;
}

}  // namespace CourseDictionary
