#include "common/messagerecorder.h"

MessageRecorder::MessageRecorder() {
  previous_ = MessageBoxService::setHandler([this](const Message& m) { return record(m); });
}

MessageRecorder::~MessageRecorder() { MessageBoxService::setHandler(std::move(previous_)); }

MessageAnswer MessageRecorder::record(const Message& m) {
  messages_.append(m);
  if (!answers_.empty()) {
    const MessageAnswer a = answers_.front();
    answers_.pop_front();
    return a;
  }
  return (m.buttons == MessageButtons::Ok || m.buttons == MessageButtons::OkCancel) ? MessageAnswer::Ok
                                                                                    : MessageAnswer::Yes;
}
