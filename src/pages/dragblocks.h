#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <vector>

#include "pages/pagetables.h"

struct BodyColors;
struct TXText;

// Drag exercises: word blocks in a tray below the text, dragged into the
// drop gaps of the text. These functions keep the blocks and gaps of one
// page; the page control does the mouse work and the page events.
namespace DragBlocks {

// A block snaps to a gap whose corner it comes this close to.
constexpr int kSnapDistance = 8;
// Rows of the tray lie this far apart.
constexpr int kRowStep = 30;
// Gliding back to the tray takes this many steps.
constexpr int kGlideSteps = 100;

// Layout: a drop gap's rectangle, expected text, element and font; the
// first gap laid out sets the gap size.
void RegisterGap(TDragExercise& drag, int number, const TXText& element, int index, const QRect& rect);
// Layout: a block for every open gap that has none yet, and the extra wrong
// blocks of KLOTZ FALSCH once.
void CreateBlocks(TDragExercise& drag);

// The tray's edges on a page of this width (-1 settings: centred).
int TrayLeft(const TDragExercise& drag, int pageWidth);
int TrayRight(const TDragExercise& drag, int pageWidth);
// The place of block i in the tray.
QPoint TrayPlace(const TDragExercise& drag, int i, int pageWidth);
QSize BlockSize(const TDragExercise& drag);

// Drawing: shuffles the blocks when some are new (later drawings keep the
// order), gives each its place in the tray and its image, keeps what it
// covers and draws it.
void Draw(TDragExercise& drag, QImage& buffer, const BodyColors& body);
QImage BlockImage(const tDragKlotz& block, const QSize& size, const BodyColors& body);

// The block under a document point (the last drawn first), or -1.
int BlockAt(const TDragExercise& drag, const QPoint& point);
// The open gap whose corner lies within kSnapDistance of corner, or -1.
int SnapGap(const TDragExercise& drag, const QPoint& corner);
// The open gap whose corner is exactly corner and that expects text, or -1.
int RightGap(const TDragExercise& drag, const QPoint& corner, const QString& text);
// The block that solves a gap: its own, else any block with its text; -1 when none.
int BlockFor(const TDragExercise& drag, int gap);
// No drop gap is open any more.
bool AllFilled(const TDragExercise& drag);

}  // namespace DragBlocks
