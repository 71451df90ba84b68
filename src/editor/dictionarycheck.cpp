#include "editor/dictionarycheck.h"

#include <QStringList>

#include "editor/meaningsets.h"

namespace DictionaryCheck {

QString RecordMeanings(const QString& first, const QString& second) {
  return second.isEmpty() ? first : first + QLatin1String("; ") + second;
}

QString Key(int wortart, const QString& word) { return QString::number(wortart) + word; }

Result CompareWithDictionary(const QString& recordKey, const QString& recordMeanings, const QString& entryKey,
                             const QString& entryMeanings) {
  if (recordKey.isEmpty()) return Result::Agree;
  if (recordMeanings.trimmed() == QLatin1String("?")) return Result::TakeFromEntry;
  if (recordKey == entryKey)
    return MeaningSets::SameMeanings(entryMeanings, recordMeanings) ? Result::Agree : Result::MeaningsDiffer;
  // The class is the key's first character: the rest names the word.
  if (recordMeanings == entryMeanings && recordKey.mid(1, 100) == entryKey.mid(1, 100)) return Result::ClassMismatch;
  return Result::MissingWord;
}

MeaningFields NextCopyLayout(const MeaningFields& shown, const QString& entryMeanings) {
  const QStringList items = MeaningSets::SplitItems(entryMeanings);
  const QString l0 = items.value(0);
  const QString a = items.mid(1).join(QLatin1String("; "));
  const QString b = items.mid(2).join(QLatin1String("; "));
  if (shown.first == l0) {
    if (shown.second != a || a.isEmpty()) return {l0, a};
    return {l0 + QLatin1String("; ") + items.value(1), b};
  }
  if (items.size() >= 2 && shown.first == l0 + QLatin1String("; ") + items.value(1)) {
    if (shown.second != b) return {shown.first, b};
    return {l0, a};
  }
  return {l0, a};
}

QString AlignedEntry(const QString& entry) {
  QString text = entry.trimmed();
  if (text.endsWith(QLatin1String(", e"))) text.insert(text.size() - 1, QLatin1Char('-'));
  return text;
}

namespace {

// Replaces the second "(" of text by ")".
void closeSecondParenthesis(QString& text) {
  const qsizetype first = text.indexOf(QLatin1Char('('));
  const qsizetype second = first < 0 ? -1 : text.indexOf(QLatin1Char('('), first + 1);
  if (second >= 0) text[second] = QLatin1Char(')');
}

}  // namespace

RepairedContext RepairContext(const QString& context) {
  if (context.isEmpty()) return {context, true};
  QString text = context;
  const QChar open = QLatin1Char('(');
  const QChar close = QLatin1Char(')');
  // The marked word was typed "(word(" or "((word(" instead of "(word)".
  if (!text.contains(close) && text.count(open) == 3 && text.startsWith(open)) {
    text.remove(0, 1);
    closeSecondParenthesis(text);
  }
  if (!text.contains(close) && text.count(open) == 2) closeSecondParenthesis(text);
  const bool inOrder =
      text.count(open) == 1 && text.count(close) == 1 && text.indexOf(close) > text.indexOf(open);
  return {text, inOrder};
}

QString DictionarySpelling(const QString& entry, const QString& dictionaryWord) {
  if (entry.size() < 2 || dictionaryWord.isEmpty()) return entry;
  const QChar w = entry.front();
  const QChar v = dictionaryWord.front();
  if (dictionaryWord.indexOf(entry.mid(1)) != 1 || w != v.toUpper() || v != w.toLower()) return entry;
  QString spelled = entry;
  spelled[0] = v;
  return spelled;
}

bool IsGenderVariant(const QString& entry, const QString& dictionaryWord) {
  if (!dictionaryWord.startsWith(entry)) return false;
  const QString note = dictionaryWord.mid(entry.size());
  for (const char* suffix : {" (m)", " (f)", " (mf)", " (mpl)", " (fpl)"})
    if (note == QLatin1String(suffix)) return true;
  return false;
}

}  // namespace DictionaryCheck
