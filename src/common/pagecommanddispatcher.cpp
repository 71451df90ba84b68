#include "common/pagecommanddispatcher.h"

#include <QCoreApplication>

#include "common/loopstate.h"

PageCommandDispatcher::PageCommandDispatcher(PageCommandTable& table, LoopState* loops)
    : table_(table), loops_(loops) {
  // Commands that waited for a loop that was not started by a command run
  // once the loop has returned, from the event loop: never inside the
  // presentation's own code, which may still be on the stack.
  if (loops_) connect(loops_, &LoopState::Ended, this, &PageCommandDispatcher::runQueue, Qt::QueuedConnection);
}

QStringList PageCommandDispatcher::split(const QString& lowerText) {
  QStringList commands;
  for (const QString& command : lowerText.split(QLatin1Char(',')))
    if (!command.isEmpty() && !command.startsWith(QLatin1Char('#'))) commands << command;
  return commands;
}

void PageCommandDispatcher::Run(const QString& commandText) {
  const QString text = commandText.toLower();
  if (loops_ && loops_->Running()) {
    duringLoop(text);
    return;
  }
  if (running_) {
    // Pending events processed inside a command may bring another one: it runs afterwards.
    waiting_ << split(text);
    return;
  }
  running_ = true;
  QCoreApplication::processEvents();
  runCommands(text);
  running_ = false;
  runQueue();
}

void PageCommandDispatcher::runCommands(const QString& lowerText) {
  for (const QString& command : split(lowerText)) {
    // A loop started by an earlier command of the same text has ended by now,
    // but one may have been started by this text's events: the rules hold.
    if (loops_ && loops_->Running()) {
      duringLoop(command);
      continue;
    }
    if (const PageCommandTable::Row* row = table_.Find(command)) row->Run(command);
  }
}

void PageCommandDispatcher::duringLoop(const QString& lowerText) {
  for (const QString& command : split(lowerText)) {
    const PageCommandTable::Row* row = table_.Find(command);
    if (!row) continue;
    switch (row->Loop) {
      case PageCommandTable::DuringLoop::Now: row->Run(command); break;
      case PageCommandTable::DuringLoop::Refuse: break;
      case PageCommandTable::DuringLoop::Queue: waiting_ << command; break;
    }
  }
}

void PageCommandDispatcher::runQueue() {
  if (running_ || (loops_ && loops_->Running())) return;
  running_ = true;
  while (!waiting_.isEmpty()) {
    if (loops_ && loops_->Running()) break;  // a waiting command started a loop: the rest waits for it
    QCoreApplication::processEvents();
    const QString command = waiting_.takeFirst();
    if (const PageCommandTable::Row* row = table_.Find(command)) row->Run(command);
  }
  running_ = false;
}
