#pragma once

#include <QString>
#include <functional>
#include <utility>
#include <vector>

// Every message of both programs is a modal box captioned "*zvk" of one of
// four kinds. The service shows it with QMessageBox when a GUI exists, or on
// standard error without one; tests install a handler that records and answers.

enum class MessageKind { Stop, Warning, Information, Question };
enum class MessageButtons { Ok, YesNo, OkCancel, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct Message {
  MessageKind kind = MessageKind::Warning;
  MessageButtons buttons = MessageButtons::Ok;
  QString text;
};

class MessageBoxService {
 public:
  using Handler = std::function<MessageAnswer(const Message&)>;

  static inline const QString kCaption = QStringLiteral("*zvk");

  static MessageAnswer show(const Message& message);

  // Replaces the way messages are shown; returns the previous handler.
  // An empty handler restores the default.
  static Handler setHandler(Handler handler);

  static QString kindName(MessageKind kind);  // "stop", "warning", ...

  // The captions of the standard buttons (QMessageBox::StandardButton values):
  // "OK", "Abbrechen", "Ja", "Nein".
  static const std::vector<std::pair<int, QString>>& ButtonTexts();
};

// A message with an OK button; warning unless another kind is named.
MessageAnswer ShowMessage(const QString& text, MessageKind kind = MessageKind::Warning);

// A question with the given buttons.
MessageAnswer AskQuestion(const QString& text, MessageButtons buttons = MessageButtons::YesNo);
