#include "vocabulary/answers.h"

#include <array>
#include <utility>

#include "common/answermatch.h"
#include "common/markuptext.h"
#include "vocabulary/tvokabel.h"

namespace {

// Gender marks and the article each one implies, written as an optional part.
const std::array<std::pair<QString, QString>, 5> kGenderMarks = {{
    {QStringLiteral("m"), QStringLiteral("(el) ")},
    {QStringLiteral("f"), QStringLiteral("(la) ")},
    {QStringLiteral("mpl"), QStringLiteral("(los) ")},
    {QStringLiteral("fpl"), QStringLiteral("(las) ")},
    {QStringLiteral("mf"), QStringLiteral("(el/la) ")},
}};

bool startsWithArticle(const QString& item) {
  for (const char* article : {"el ", "la ", "los ", "las ", "(el) "})
    if (item.startsWith(QLatin1String(article))) return true;
  return false;
}

void addAnswer(const QString& text, QStringList& list) {
  QString form = Vocabulary::TrimBlanks(text);
  while (form.contains(QLatin1String("  "))) form.replace(QLatin1String("  "), QLatin1String(" "));
  if (list.contains(form)) return;
  list.append(form);
  if (form.contains(QChar(0x00DF))) {
    QString ss = form;
    ss.replace(QChar(0x00DF), QLatin1String("ss"));
    if (!list.contains(ss)) list.append(ss);
  }
}

void expandOptional(const QString& text, QStringList& list) {
  const QString item = StripExplanations(text);
  const qsizetype p1 = item.indexOf(QLatin1Char('('));
  const qsizetype q1 = item.indexOf(QLatin1Char(')'));
  if (p1 < 0 || q1 < p1 + 2) {
    addAnswer(item, list);
    return;
  }
  const QString a = item.left(p1);
  const QString b = item.mid(p1 + 1, q1 - p1 - 1);
  const QString r = item.mid(q1 + 1);

  const qsizetype p2 = r.indexOf(QLatin1Char('('));
  const qsizetype q2 = p2 < 0 ? -1 : r.indexOf(QLatin1Char(')'), p2);
  if (p2 >= 0 && q2 >= p2 + 2) {
    // Two optional parts; a choice is expanded in the second one only.
    const QString c = r.left(p2);
    const QString d = r.mid(p2 + 1, q2 - p2 - 1);
    const QString e = r.mid(q2 + 1);
    const qsizetype slash = d.indexOf(QLatin1Char('/'));
    if (slash >= 0) {
      const QString d1 = d.left(slash);
      const QString d2 = d.mid(slash + 1);
      for (const QString& form : {a + b + c + d1 + e, a + b + c + d2 + e, a + c + d1 + e, a + c + d2 + e,
                                  a + b + c + e, a + c + e})
        addAnswer(form, list);
    } else {
      for (const QString& form : {a + b + c + d + e, a + c + d + e, a + b + c + e, a + c + e}) addAnswer(form, list);
    }
    return;
  }
  const qsizetype slash = b.indexOf(QLatin1Char('/'));
  if (slash >= 0) {
    for (const QString& form : {a + b.left(slash) + r, a + b.mid(slash + 1) + r, a + r}) addAnswer(form, list);
  } else {
    addAnswer(a + r, list);
    addAnswer(a + b + r, list);
  }
}

}  // namespace

void ExpandAnswers(const QString& line, QStringList& list) {
  if (line.isEmpty()) return;
  for (QString item : SplitMeanings(line)) {
    // A gender mark is taken out with the blank before it (or, at the very
    // start, the character after it) and becomes an optional article.
    QString article;
    const qsizetype open = item.indexOf(QLatin1Char('('));
    const qsizetype close = item.indexOf(QLatin1Char(')'));
    if (open >= 0 && close > open) {
      const QString mark = item.mid(open + 1, close - open - 1);
      for (const auto& [name, prefix] : kGenderMarks) {
        if (mark != name) continue;
        article = prefix;
        if (open > 0) item.remove(open - 1, close - open + 2);
        else item.remove(0, close + 2);  // remove() stops at the end of the text
        break;
      }
    }
    if (!article.isEmpty() && !startsWithArticle(item)) item.prepend(article);
    expandOptional(item, list);
  }
}

QStringList ExpandAnswers(const QString& line) {
  QStringList list;
  ExpandAnswers(line, list);
  return list;
}

QString HintText(const QString& answer) {
  // The same masking as a gap's masked help, with dots.
  return AnswerMatch::MaskedHelp(answer, QLatin1Char('.'));
}

QString SoundLink(const QString& text, const RecordingLookup& recording) {
  const QString path = recording ? recording(text) : QString();
  if (path.isEmpty()) return MarkupText::EscapeText(text);
  return QStringLiteral("<a href=\"") + MarkupText::EscapeTarget(path) + QStringLiteral("\" >") +
         MarkupText::EscapeText(text) + QStringLiteral("</a>");
}

QString FormatMeanings(const QString& text, bool split, bool styled, const RecordingLookup& recording) {
  if (!split) return MarkupText::EscapeText(text);
  QString out;
  bool first = true;
  for (QString meaning : SplitMeanings(text)) {
    QString explanation;
    const qsizetype open = meaning.indexOf(QLatin1Char('['));
    if (open == 0 && meaning.indexOf(QLatin1Char(']'), 1) > 0) {
      const qsizetype close = meaning.indexOf(QLatin1Char(']'), 1);
      explanation = meaning.left(close + 1);
      meaning = Vocabulary::TrimBlanks(meaning.mid(close + 1));
    } else if (open > 0 && meaning.endsWith(QLatin1Char(']'))) {
      explanation = meaning.mid(open);
      meaning = Vocabulary::TrimBlanks(meaning.left(open));
    }
    if (!first) out += QStringLiteral("; ");
    first = false;
    if (!explanation.isEmpty()) {
      const QString escaped = MarkupText::EscapeText(explanation);
      out += styled ? QStringLiteral("<+kommentar>") + escaped + QStringLiteral("<+normal> ")
                    : QLatin1Char(' ') + escaped + QLatin1Char(' ');
    }
    out += SoundLink(meaning, recording);
  }
  return out;
}
