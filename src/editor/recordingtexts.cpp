#include "editor/recordingtexts.h"

namespace RecordingTexts {

namespace {

QString skipNote(QString segment) {
  segment = segment.trimmed();
  if (segment.startsWith(QLatin1Char('['))) {
    const qsizetype close = segment.indexOf(QLatin1Char(']'));
    segment = close < 0 ? QString() : segment.mid(close + 1);
  }
  return segment.trimmed();
}

QString bare(QString text) {
  while (!text.isEmpty() && (text.endsWith(QLatin1Char(' ')) || text.endsWith(QLatin1Char('.')))) text.chop(1);
  if (text.size() >= 2 && text.startsWith(QLatin1Char('(')) && text.endsWith(QLatin1Char(')')))
    text = text.mid(1, text.size() - 2);
  return text.trimmed();
}

void addOnce(QStringList& list, const QString& text) {
  if (!text.isEmpty() && !list.contains(text)) list.append(text);
}

}  // namespace

QString SegmentAt(const QString& text, int position) {
  const QString separator = QStringLiteral("; ");
  position = std::clamp(position, 0, static_cast<int>(text.size()));
  // The separator before the position (one that the position stands inside counts as before).
  qsizetype start = position == 0 ? -1 : text.lastIndexOf(separator, position - 1);
  start = start < 0 ? 0 : start + separator.size();
  if (start > position) start = position;
  qsizetype end = text.indexOf(separator, position);
  if (end < 0) end = text.size();
  return skipNote(text.mid(start, end - start));
}

QStringList AroundCursor(const QString& text, int position, const QString& selected) {
  QStringList texts;
  const QString segment = SegmentAt(text, position);
  addOnce(texts, segment);
  addOnce(texts, selected.trimmed());
  addOnce(texts, bare(segment));
  return texts;
}

QStringList Candidates(const QString& text) {
  QStringList texts;
  addOnce(texts, text.trimmed());
  addOnce(texts, bare(text.trimmed()));
  return texts;
}

}  // namespace RecordingTexts
