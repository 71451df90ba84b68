#pragma once

#include <QString>

// The ready-made selections of the verb trainer ("vt1" to "vt3"): one
// character per verb or tense in list order, "+" selected, "-" not.
namespace VerbPresets {

inline QString Verbs(int preset) {
  switch (preset) {
    case 1: return QStringLiteral("+++-------+-------------+-------+---------+-------+-------");
    case 2: return QStringLiteral("+++++-----+--+++--+---+++-+--+-++---------+---+---+--+--+-");
    case 3: return QStringLiteral("+++++---+-+--++++-++-++++-+-+++++--+-+---++---+---+--+-+++");
    default: return {};
  }
}

inline QString Tenses(int preset) {
  switch (preset) {
    case 1: return QStringLiteral("+---------------");
    case 2: return QStringLiteral("+--+----+-------");
    case 3: return QStringLiteral("+++++-+++-----+-");
    default: return {};
  }
}

}  // namespace VerbPresets
