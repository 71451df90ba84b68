#include "verbs/verbforms.h"

#include "common/markuptext.h"

namespace VerbForms {

namespace {

bool hasPronoun(int tense) { return tense != VerbTense::Imperativo && tense != VerbTense::Participios; }

}  // namespace

Split SplitForm(const QString& form) {
  const qsizetype open = form.indexOf(QLatin1Char('('));
  const qsizetype close = open < 0 ? -1 : form.indexOf(QLatin1Char(')'), open + 1);
  if (close > open && open >= 0) {
    const QString a = form.left(open) + form.mid(open + 1, close - open - 1) + form.mid(close + 1);
    const QString b = form.left(open) + form.mid(close + 1);
    return {a, b};
  }
  const qsizetype slash = form.indexOf(QLatin1Char('/'));
  if (slash >= 0) {
    QString a = form.left(slash);
    const QString b = form.mid(slash + 1);
    const qsizetype blank = b.indexOf(QLatin1Char(' '));
    if (blank >= 0) a += b.mid(blank);
    return {a, b};
  }
  return {form, {}};
}

QString TaskText(const TVerb& verb, int tense, int person) {
  QString text;
  if (tense == VerbTense::Participios) {
    text = person == 0 ? QStringLiteral("Gerundio") : QStringLiteral("Participio");
  } else {
    text = QString::number(person % 3 + 1) + QStringLiteral(". Person ") +
           (person < 3 ? QStringLiteral("Singular ") : QStringLiteral("Plural ")) + VerbTense::Names().value(tense);
  }
  return text + QStringLiteral("<br>von<br>") + MarkupText::EscapeText(verb.Infinitiv);
}

QString SolutionText(int tense, int person, const Split& form) {
  const QString pronoun = hasPronoun(tense) && !form.A.isEmpty()
                              ? VerbTense::Pronouns().value(person) + QLatin1Char(' ')
                              : QString();
  const QString sep = QStringLiteral("; ");
  QString text = pronoun + form.A + sep + form.A;
  if (!form.B.isEmpty()) text += sep + form.B + sep + pronoun + form.B;
  QString other;
  if (pronoun == QStringLiteral("él ")) other = QStringLiteral("ella ");
  else if (pronoun == QStringLiteral("ellos ")) other = QStringLiteral("ellas ");
  if (!other.isEmpty()) {
    text += sep + other + form.A;
    if (!form.B.isEmpty()) text += sep + other + form.B;
  }
  return text;
}

QString SolutionLines(const TVerb& verb, int tense, int askedPerson, bool right) {
  QStringList lines;
  for (int p = 0; p < VerbTense::kPersons; ++p) {
    const QString form = TVerb::Plain(verb.Formen[static_cast<size_t>(tense)][static_cast<size_t>(p)]);
    QString line = p != askedPerson ? QStringLiteral("<font size=4 color=#0>")
                   : right          ? QStringLiteral("<font size=4 color=#009900>")
                                    : QStringLiteral("<font size=4 color=#993300>");
    if (hasPronoun(tense) && !form.isEmpty()) line += VerbTense::Pronouns().value(p) + QLatin1Char(' ');
    lines << line + MarkupText::EscapeText(form);
  }
  return lines.join(QStringLiteral("<br>"));
}

}  // namespace VerbForms
