#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>

#include "pages/pagetables.h"

struct BodyColors;
class PageState;

// Sentence building: the parts of a SATZ sentence stand shuffled in its
// rectangle and are dragged until they read the sentence. These functions
// keep the parts of one sentence; the page control does the mouse work.
namespace SentenceParts {

// Parts stand this far apart.
constexpr int kPartGap = 3;
// A part matches this many pixels beyond its edges.
constexpr int kSlack = 4;

// Cuts the sentence at "/" and makes the part images (as high as the
// rectangle, text width + 8 wide, KLOTZ colour, text centred in the font of
// the SATZ tag).
void Prepare(TSentence& sentence, const BodyColors& body);
// Each part swapped with a random one.
void Shuffle(TSentence& sentence);
// The parts side by side from the rectangle's left edge.
void LayoutParts(TSentence& sentence);
bool ReadsRight(const TSentence& sentence);

// The part under a document point, or -1.
int PartAt(const TSentence& sentence, const QPoint& point);

// Where the dragged part fits while the mouse is at point: the first part
// whose edge zone holds the mouse, and the left edge the dragged image snaps to.
struct Match {
  int part = -1;
  int left = 0;
};
Match MatchAt(const TSentence& sentence, int dragged, const QPoint& point);

// The row the sentence uses on the page (the whole buffer width, so that
// long parts that stick out are covered too).
QRect Row(const TSentence& sentence, const QImage& buffer);
// Draws the parts over the saved background; the dragged part's place is
// filled with emptyPlace.
void Draw(const TSentence& sentence, QImage& buffer, int dragged, const QColor& emptyPlace);
// Draws the solved sentence as plain words and adds them to the word list.
void DrawSolved(const TSentence& sentence, QImage& buffer, const BodyColors& body, TWordList* words);

// The colour of a dragged part's empty place: KBGR, or the page background
// when KBGR is #00FF00.
QColor EmptyPlaceColour(const BodyColors& body);

// Drawing the page: prepares and shuffles new sentences, lays out and draws
// every sentence (solved ones as words).
void DrawAll(PageState& page, QImage& buffer);

}  // namespace SentenceParts
