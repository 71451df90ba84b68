#include "common/meaningtext.h"

namespace Vocabulary {

QString TrimBlanks(const QString& text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && text[begin].unicode() <= 32) ++begin;
  while (end > begin && text[end - 1].unicode() <= 32) --end;
  if (begin == 0 && end == text.size()) return text;
  return text.mid(begin, end - begin);
}

}  // namespace Vocabulary

QStringList SplitMeanings(const QString& text) {
  QStringList meanings;
  qsizetype start = 0;
  for (;;) {
    const qsizetype semicolon = text.indexOf(QLatin1Char(';'), start);
    qsizetype end = semicolon < 0 ? text.size() : semicolon;
    while (end > start && text[end - 1].unicode() <= 32) --end;
    meanings.append(text.mid(start, end - start));
    if (semicolon < 0) return meanings;
    start = semicolon + 1;
    if (start < text.size() && text[start] == QLatin1Char(' ')) ++start;
  }
}

QString StripExplanations(const QString& text) {
  QString t = text;
  for (;;) {
    const qsizetype open = t.indexOf(QLatin1Char('['));
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    if (open < 0 || close < open + 2) break;
    t.remove(open, close - open + 1);
    const qsizetype doubleBlank = t.indexOf(QLatin1String("  "));
    if (doubleBlank >= 0) t.remove(doubleBlank, 1);
    const qsizetype blankSemicolon = t.indexOf(QLatin1String(" ;"));
    if (blankSemicolon >= 0) t.remove(blankSemicolon, 1);
  }
  return Vocabulary::TrimBlanks(t);
}
