#include "common/messagebox.h"

#include <QApplication>
#include <QAbstractButton>
#include <QMessageBox>
#include <cstdio>

namespace {

MessageBoxService::Handler& currentHandler() {
  static MessageBoxService::Handler handler;
  return handler;
}

MessageAnswer answerOf(QMessageBox::StandardButton b) {
  switch (b) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Cancel: return MessageAnswer::Cancel;
    default: return MessageAnswer::Ok;
  }
}

MessageAnswer showWithWidgets(const Message& m) {
  QMessageBox::Icon icon = QMessageBox::Warning;
  switch (m.kind) {
    case MessageKind::Stop: icon = QMessageBox::Critical; break;
    case MessageKind::Warning: icon = QMessageBox::Warning; break;
    case MessageKind::Information: icon = QMessageBox::Information; break;
    case MessageKind::Question: icon = QMessageBox::Question; break;
  }
  QMessageBox::StandardButtons buttons = QMessageBox::Ok;
  QMessageBox::StandardButton defaultButton = QMessageBox::Ok;
  switch (m.buttons) {
    case MessageButtons::Ok: break;
    case MessageButtons::YesNo:
      buttons = QMessageBox::Yes | QMessageBox::No;
      defaultButton = QMessageBox::Yes;
      break;
    case MessageButtons::OkCancel:
      buttons = QMessageBox::Ok | QMessageBox::Cancel;
      break;
    case MessageButtons::YesNoCancel:
      buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
      defaultButton = QMessageBox::Yes;
      break;
  }
  // Texts separate their lines with a carriage return; the box wants line feeds.
  QString text = m.text;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  QMessageBox box(icon, MessageBoxService::kCaption, text, buttons);
  box.setDefaultButton(defaultButton);
  // German whatever language the desktop speaks.
  for (const auto& [button, caption] : MessageBoxService::ButtonTexts())
    if (QAbstractButton* b = box.button(static_cast<QMessageBox::StandardButton>(button))) b->setText(caption);
  return answerOf(static_cast<QMessageBox::StandardButton>(box.exec()));
}

// Without a GUI the message goes to standard error and the first button
// (OK or Yes) is taken.
MessageAnswer showOnConsole(const Message& m) {
  std::fprintf(stderr, "%s [%s]: %s\n", qPrintable(MessageBoxService::kCaption),
               qPrintable(MessageBoxService::kindName(m.kind)), m.text.toLocal8Bit().constData());
  return (m.buttons == MessageButtons::Ok || m.buttons == MessageButtons::OkCancel) ? MessageAnswer::Ok
                                                                                    : MessageAnswer::Yes;
}

}  // namespace

MessageAnswer MessageBoxService::show(const Message& message) {
  if (currentHandler()) return currentHandler()(message);
  if (qobject_cast<QApplication*>(QCoreApplication::instance())) return showWithWidgets(message);
  return showOnConsole(message);
}

MessageBoxService::Handler MessageBoxService::setHandler(Handler handler) {
  Handler previous = std::move(currentHandler());
  currentHandler() = std::move(handler);
  return previous;
}

QString MessageBoxService::kindName(MessageKind kind) {
  switch (kind) {
    case MessageKind::Stop: return QStringLiteral("stop");
    case MessageKind::Warning: return QStringLiteral("warning");
    case MessageKind::Information: return QStringLiteral("information");
    case MessageKind::Question: return QStringLiteral("question");
  }
  return {};
}

MessageAnswer ShowMessage(const QString& text, MessageKind kind) {
  return MessageBoxService::show({kind, MessageButtons::Ok, text});
}

MessageAnswer AskQuestion(const QString& text, MessageButtons buttons) {
  return MessageBoxService::show({MessageKind::Question, buttons, text});
}

const std::vector<std::pair<int, QString>>& MessageBoxService::ButtonTexts() {
  static const std::vector<std::pair<int, QString>> kTexts = {
      {QMessageBox::Ok, QStringLiteral("OK")},
      {QMessageBox::Cancel, QStringLiteral("Abbrechen")},
      {QMessageBox::Yes, QStringLiteral("Ja")},
      {QMessageBox::No, QStringLiteral("Nein")},
  };
  return kTexts;
}
