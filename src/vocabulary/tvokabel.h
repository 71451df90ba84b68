#pragma once

#include <QString>
#include <array>

#include "common/meaningtext.h"

// One vocabulary record: an entry with its meanings, up to two context
// sentences, its word class, direction and difficulty, and the learner's
// score (not stored in library files). Copied by value.
struct TVokabel {
  QString Vokabel;                       // the entry: a word or phrase
  std::array<QString, 2> Bedeutung;      // meanings, separated by "; "
  std::array<QString, 2> Kontext;        // context sentences with the part to ask marked
  std::array<bool, 2> KontextBedeutung{};  // show Bedeutung[0] as a tip with that context
  // Word class 0..7 and difficulty 0..4. Library files may hold other numbers;
  // they are kept as read (and written back unchanged) but never index a table.
  int Wortart = 0;
  bool Deutsch = false;                  // the entry is German, its meanings Spanish
  int Schwierigkeit = 0;
  int Score = 0;                         // -100..100, from the learner's history

  // A record without entry or without first meaning counts as empty.
  bool IsEmpty() const { return Vokabel.isEmpty() || Bedeutung[0].isEmpty(); }
  // No text in any field (numbers and flags are not looked at).
  bool HasNoText() const {
    return Vokabel.isEmpty() && Bedeutung[0].isEmpty() && Bedeutung[1].isEmpty() && Kontext[0].isEmpty() &&
           Kontext[1].isEmpty();
  }

  bool operator==(const TVokabel&) const = default;
};

namespace Vocabulary {

inline constexpr int kWortarten = 8;
inline constexpr int kSchwierigkeiten = 5;

bool IsValidWortart(int wortart);
bool IsValidSchwierigkeit(int schwierigkeit);

// "Nomen", "Verb", "Adjektiv", "Kleines Wort", ... as the editor lists them;
// empty for a number outside 0..7.
QString WortartEditorName(int wortart);
// "Nomen", "Verb", "Adjektiv", "kl. Wort", "Rw. m. V.", ... as the trainer's
// pages and settings show them; empty outside 0..7.
QString WortartTrainerName(int wortart);
// "Baby", "Leicht", "Mittel", "Schwierig", "Tödlich"; empty outside 0..4.
QString SchwierigkeitName(int schwierigkeit);


}  // namespace Vocabulary
