#pragma once

#include <QString>
#include <vector>

// The special pairs of the Las Vegas game ("vegas_S.txt" in the game's
// folder): one pair per line, word TAB meaning, optionally TAB extra. The
// extra is "." + a wrong word, "#RRGGBB" (a colour: the meaning shows as a
// block of that colour), or a wrong meaning. They give the game its surprises:
// sayings, colours, false friends.
class TVegasList {
 public:
  struct Pair {
    QString Word;
    QString Meaning;
    QString Extra;
  };

  // Reads the file; a missing or unreadable file leaves the list empty. Lines
  // without a TAB, or with an empty word or meaning, are skipped.
  void Load(const QString& path);
  void Add(Pair pair) { pairs_.push_back(std::move(pair)); }

  int Count() const { return static_cast<int>(pairs_.size()); }
  bool IsEmpty() const { return pairs_.empty(); }
  const Pair& At(int i) const { return pairs_[static_cast<size_t>(i)]; }

  // A drawn special pair as the game shows it: right as it stands, or made
  // wrong (with an even chance) by its extra or by a neighbour's meaning.
  struct Shown {
    QString Upper;
    QString Lower;
    bool Right = true;
  };
  Shown Draw() const;

 private:
  std::vector<Pair> pairs_;
};
