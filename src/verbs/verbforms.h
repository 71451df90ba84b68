#pragma once

#include <QString>

#include "verbs/tverb.h"

// The texts of a verb question: the main form and its alternative, the task,
// the accepted answers and the solution lines of the result page.
namespace VerbForms {

struct Split {
  QString A;  // the main form
  QString B;  // the alternative; empty when there is none
};

// "hablo (yo)" style: with "(" and a later ")" A is the form without the two
// brackets and B the form without what stood between them; with "/" A is the
// first choice and B the second, a common ending after a blank belonging to
// both ("hubiera/hubiese hablado": "hubiera hablado", "hubiese hablado").
// A form without either is A alone. The form carries no "*".
Split SplitForm(const QString& form);

// "2. Person Plural IND Presente<br>von<br>hablar"; for the participles
// "Gerundio<br>von<br>..." or "Participio<br>von<br>...".
QString TaskText(const TVerb& verb, int tense, int person);

// The answers a typed question accepts, separated by "; ": with and without
// the pronoun, both choices, and "ella"/"ellas" beside "él"/"ellos". No
// pronoun in the imperative and the participles.
QString SolutionText(int tense, int person, const Split& form);

// The six lines of the result page: the asked person in green when right,
// in red when wrong, the others in black, each with its pronoun where the
// tense has one.
QString SolutionLines(const TVerb& verb, int tense, int askedPerson, bool right);

}  // namespace VerbForms
