#include "editor/printtext.h"

namespace PrintText {

namespace {

// The words of a paragraph, each with the blanks after it.
QStringList words(const QString& paragraph) {
  QStringList out;
  qsizetype start = 0;
  while (start < paragraph.size()) {
    qsizetype end = paragraph.indexOf(QLatin1Char(' '), start);
    if (end < 0) end = paragraph.size();
    while (end < paragraph.size() && paragraph[end] == QLatin1Char(' ')) ++end;
    out << paragraph.mid(start, end - start);
    start = end;
  }
  return out;
}

}  // namespace

QStringList Wrap(const QString& text, const QFontMetricsF& metrics, double width, int maxLines) {
  QStringList lines;
  const auto full = [&] { return maxLines > 0 && lines.size() >= maxLines; };
  for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
    if (full()) break;
    QString line;
    for (const QString& word : words(paragraph)) {
      if (line.isEmpty() || metrics.horizontalAdvance(line + word.trimmed()) <= width) {
        line += word;
        continue;
      }
      lines << line.trimmed();
      if (full()) return lines;
      line = word;
    }
    lines << line.trimmed();
  }
  if (maxLines > 0 && lines.size() > maxLines) lines = lines.mid(0, maxLines);
  return lines;
}

}  // namespace PrintText
