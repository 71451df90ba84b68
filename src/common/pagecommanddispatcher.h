#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include "common/pagecommandtable.h"

class LoopState;

// Runs a page command text: pending events first, then lower-cased, split
// at commas, empty commands and those beginning with "#" skipped, each
// command run by the first row of the table that takes it; a command that
// no row takes does nothing.
//
// Commands run one after the other: a text that arrives while another runs
// (events are let through inside commands) waits until that one is done.
// While a presentation or game loop runs, a command of a row marked Now runs
// at once, one marked Refuse is dropped, and the others wait for the loop
// to end.
class PageCommandDispatcher : public QObject {
  Q_OBJECT

 public:
  // loops: the running flag of the presentations and games (none: no loop ever runs).
  explicit PageCommandDispatcher(PageCommandTable& table, LoopState* loops = nullptr);

  void Run(const QString& commandText);

  PageCommandTable& Table() { return table_; }

 private:
  void runQueue();
  void runCommands(const QString& lowerText);
  void duringLoop(const QString& lowerText);
  static QStringList split(const QString& lowerText);

  PageCommandTable& table_;
  LoopState* loops_;
  bool running_ = false;
  QStringList waiting_;  // lower-cased commands, one each
};
