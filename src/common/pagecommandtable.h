#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

// The table of page commands: numbered rows, each a matcher and a handler.
// Every subsystem adds its own rows; a command runs the row with the lowest
// number that takes it. Commands arrive lower-cased and without commas.
class PageCommandTable {
 public:
  using Matcher = std::function<bool(const QString& command)>;
  using Handler = std::function<void(const QString& command)>;

  // What a command of the row does while a presentation or game loop runs.
  enum class DuringLoop {
    Queue,   // waits until the loop has ended (and the command that started it)
    Now,     // runs at once, inside the loop (stop, the game's letters)
    Refuse,  // is dropped: it would start something of its own
  };

  struct Row {
    int Number = 0;  // the row's place in the table
    Matcher Matches;
    Handler Run;
    DuringLoop Loop = DuringLoop::Queue;
  };

  // Adds a row; rows with the same number keep the order they were added in.
  void Add(int number, Matcher matches, Handler run, DuringLoop loop = DuringLoop::Queue);
  // The row that takes a command, null when none does.
  const Row* Find(const QString& command) const;
  const std::vector<Row>& Rows() const { return rows_; }

  // Matchers.
  // Equal to one of the texts.
  static Matcher Exact(QStringList texts);
  static Matcher Exact(const QString& text) { return Exact(QStringList{text}); }
  // Longer than the prefix and beginning with it.
  static Matcher StartsWith(const QString& prefix);
  // Its first characters are the prefix (the prefix alone counts too).
  static Matcher FirstChars(const QString& prefix);

  // A decimal number from the 1-based character positions first..last
  // (last < 0: to the end), leading and trailing blanks allowed; none when
  // the part is empty or no number.
  static std::optional<int> NumberAt(const QString& command, int first, int last = -1);

 private:
  std::vector<Row> rows_;
};
