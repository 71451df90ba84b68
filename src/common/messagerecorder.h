#pragma once

#include <QList>
#include <deque>

#include "common/messagebox.h"

// Installs itself as the message handler while it lives: records every
// message and answers questions from a queue (OK or Yes when the queue is
// empty). Used by tests and by tools that collect messages instead of showing them.
class MessageRecorder {
 public:
  MessageRecorder();
  ~MessageRecorder();
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  void queueAnswer(MessageAnswer answer) { answers_.push_back(answer); }
  const QList<Message>& messages() const { return messages_; }
  void clear() { messages_.clear(); }

 private:
  MessageAnswer record(const Message& m);

  QList<Message> messages_;
  std::deque<MessageAnswer> answers_;
  MessageBoxService::Handler previous_;
};
