#pragma once

#include <QList>
#include <QStringList>

#include "dictionary/txdbeintrag.h"
#include "vocabulary/tvokabel.h"

// The dictionary the course brings along, made from its own vocabulary: every
// record gives the entry of its direction (the word as the record writes it,
// its meanings, its word class), and each of its meanings the entry of the
// other direction that leads back to it, so that both halves cover the
// course (a German meaning with its optional parts written out, "sich
// duschen"; the feminine of an adjective under its masculine only). Entries
// of the same word and class are merged, their meanings
// joined without repeats, and each half is sorted by the dictionary's order.
namespace CourseDictionary {

struct Halves {
  QList<TXDBEintrag> spanishGerman;
  QList<TXDBEintrag> germanSpanish;
  // Meanings left out because a dictionary meaning cannot hold them (a
  // comma outside brackets, "die Rechnung, bitte"); an entry left without
  // meanings is left out with them.
  int dropped = 0;
};

Halves FromRecords(const QList<TVokabel>& records);

// Entries whose meanings the dictionary's check would refuse, one line each.
QStringList Faults(const QList<TXDBEintrag>& entries);

}  // namespace CourseDictionary
