#pragma once

#include <QPointF>
#include <QString>
#include <vector>

#include "verbs/tverb.h"

class QPainter;
class QPrinter;

// Verb tables on paper, two to a landscape page, laid out in units of
// 0.1 mm: a box of 1200 x 1800 units per verb with the infinitive, the
// meaning and the sixteen tenses in four columns and four rows.
namespace VerbTablePrinter {

constexpr double kBoxWidth = 1200;
constexpr double kBoxHeight = 1800;
constexpr double kBoxGap = 200;  // between the left and the right box

// A form as printed: the regular part in normal weight, directly followed by
// the irregular part in bold. A form with a "/" choice is shortened: in the
// imperfect subjunctive the second choice becomes "-" and its ending
// ("hablara/-se"), cut by as many characters as the first person's first
// choice has before its last two letters; in the other tenses only the
// second choice is printed.
struct PrintedForm {
  QString regular;
  QString irregular;
  QString Text() const { return regular + irregular; }
};
PrintedForm Printed(const TVerb& verb, int tense, int person);

// The font family of the tables: "Verdana" when the system has it, else "Arial".
QString FontFamily();

// Draws one verb's box with its top left corner at origin (in units).
void DrawBox(QPainter& painter, const TVerb& verb, QPointF origin);

// Prints verb n, or every verb when n < 0 (even numbers in the left box, the
// next verb in the right one), on a landscape page. A page too small for the
// two boxes gets them scaled down. False when the printer cannot be used or
// there is nothing to print.
bool Print(QPrinter& printer, const std::vector<TVerb>& verbs, int n);

}  // namespace VerbTablePrinter
