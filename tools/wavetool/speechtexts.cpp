#include "speechtexts.h"

#include <QSet>

#include "vocabulary/answers.h"

namespace SpeechTexts {

namespace {

// The meanings of a line as the programs cut it: at each ";", trailing
// blanks removed, the character after the ";" (the blank of "; ") skipped.
QStringList meanings(const QString& line) {
  QStringList pieces;
  qsizetype start = 0;
  for (;;) {
    const qsizetype semicolon = line.indexOf(QLatin1Char(';'), start);
    pieces.append(line.mid(start, semicolon < 0 ? -1 : semicolon - start).trimmed());
    if (semicolon < 0) break;
    start = semicolon + 2;
    if (start > line.size()) break;
  }
  return pieces;
}

}  // namespace

QString SpokenForm(const QString& text) {
  QStringList spoken;
  for (const QString& meaning : meanings(text)) {
    QString longest;
    for (const QString& form : ExpandAnswers(meaning))
      if (form.size() > longest.size()) longest = form;
    if (!longest.isEmpty()) spoken.append(longest);
  }
  return spoken.join(QStringLiteral(", "));
}

QStringList SpanishKeys(const TVokabel& record) {
  QStringList keys;
  const auto addKey = [&keys](const QString& key) {
    const QString k = key.trimmed();
    if (!k.isEmpty() && !keys.contains(k)) keys.append(k);
  };
  if (!record.Deutsch) {
    addKey(record.Vokabel);
    addKey(StripExplanations(record.Vokabel));
    // An entry of several meanings: each of them may be asked for on its own.
    if (record.Vokabel.contains(QLatin1Char(';')))
      for (const QString& meaning : meanings(record.Vokabel)) addKey(StripExplanations(meaning));
  } else {
    for (const QString& line : record.Bedeutung)
      for (const QString& meaning : meanings(line)) addKey(StripExplanations(meaning));
  }
  return keys;
}

void Collection::addRecords(const QList<TVokabel>& records) {
  for (const TVokabel& record : records) {
    if (record.IsEmpty()) continue;
    for (const QString& key : SpanishKeys(record)) add(key);
  }
}

void Collection::add(const QString& key) {
  const QString folded = key.trimmed().toCaseFolded();
  if (folded.isEmpty() || index_.contains(folded)) return;
  const QString spoken = SpokenForm(key);
  if (spoken.isEmpty()) return;
  index_.insert(folded, static_cast<int>(entries_.size()));
  entries_.append({key.trimmed(), spoken});
}

QStringList Collection::spokenForms() const {
  QStringList forms;
  QSet<QString> seen;
  for (const auto& [key, spoken] : entries_) {
    if (seen.contains(spoken)) continue;
    seen.insert(spoken);
    forms.append(spoken);
  }
  return forms;
}

}  // namespace SpeechTexts
