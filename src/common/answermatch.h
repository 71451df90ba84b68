#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// Comparing a learner's answer in a typing gap with the accepted answers:
// the common part of two texts, the nearest accepted answer of an almost
// right answer, the letters to mark red, where the cursor goes, and the
// masked help text. Pure functions; only the masked help draws random numbers.
namespace AnswerMatch {

// The common part of an answer and an accepted answer: their common prefix,
// the longest letter chain the two middles share, and their common suffix.
QString CommonPart(const QString& answer, const QString& solution);

// The letter chain of x found in y from 1-based start position start: a
// letter of x whose next occurrence in y lies at most 3 letters beyond the
// search position is taken and the search moves past it.
QString Chain(const QString& x, const QString& y, int start);

// The longest chain over the start positions 1..min(len(y) div 2, 5); the
// earliest start wins ties.
QString LongestChain(const QString& x, const QString& y);

struct Nearest {
  int index = -1;  // the accepted answer that is nearest, -1 when none qualifies
  QString common;  // its common part with the answer
};

// The accepted answer an almost right answer comes nearest to: its length
// must lie within len(s) - 4 < len(answer) < len(s) + 6 and the common part
// must be long enough (2 x len(answer) <= 3 x len(common)). The longest
// common part wins, the earlier answer on ties.
Nearest NearestAnswer(const QString& answer, const QStringList& solutions);

// Which letters of the answer are not part of the common part: walking the
// answer, a letter equal to the next unused letter of the common part uses
// it up, any other is marked.
std::vector<bool> RedLetters(const QString& answer, const QString& common);

// Where the cursor goes after an almost right answer: just after the first
// letter where answer and solution differ when the two letters are accent
// variants of each other (F1 then corrects it), just before it otherwise.
int CursorAfterMismatch(const QString& answer, const QString& solution);

// The help "*": the first answer with its letters hidden behind "_" or another mask (the
// first and, from four letters on, the last stay; blanks and ! ' , - . ?
// stay; from the fifth letter on a letter stays with chance 1 in 5).
QString MaskedHelp(const QString& answer, QChar mask = QLatin1Char('_'));

}  // namespace AnswerMatch
