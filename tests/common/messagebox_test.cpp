#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QTimer>

#include "common/messagebox.h"
#include "common/messagerecorder.h"

TEST(MessageBox, RecorderSeesKindButtonsAndTextAndAnswersFromItsQueue) {
  MessageRecorder recorder;
  recorder.queueAnswer(MessageAnswer::No);
  EXPECT_EQ(AskQuestion(QStringLiteral("Löschen?")), MessageAnswer::No);
  EXPECT_EQ(AskQuestion(QStringLiteral("Wirklich?"), MessageButtons::OkCancel), MessageAnswer::Ok);
  EXPECT_EQ(AskQuestion(QStringLiteral("Speichern?"), MessageButtons::YesNoCancel), MessageAnswer::Yes);
  ShowMessage(QStringLiteral("Fehler!"));
  ShowMessage(QStringLiteral("Halt"), MessageKind::Stop);

  const auto& m = recorder.messages();
  ASSERT_EQ(m.size(), 5);
  EXPECT_EQ(m[0].kind, MessageKind::Question);
  EXPECT_EQ(m[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(m[1].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(m[2].buttons, MessageButtons::YesNoCancel);
  EXPECT_EQ(m[3].kind, MessageKind::Warning);  // the default kind
  EXPECT_EQ(m[3].text, QStringLiteral("Fehler!"));
  EXPECT_EQ(m[4].kind, MessageKind::Stop);
  EXPECT_EQ(MessageBoxService::kCaption, QStringLiteral("*zvk"));
}

TEST(MessageBox, NestedRecordersRestoreTheOuterOne) {
  MessageRecorder outer;
  {
    MessageRecorder inner;
    ShowMessage(QStringLiteral("innen"));
    EXPECT_EQ(inner.messages().size(), 1);
  }
  ShowMessage(QStringLiteral("außen"));
  ASSERT_EQ(outer.messages().size(), 1);
  EXPECT_EQ(outer.messages()[0].text, QStringLiteral("außen"));
}

TEST(MessageBox, StandardButtonsSpeakGermanWhateverTheDesktopsLanguage) {
  const QLocale before;
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  // The real box, not a recorder.
  const MessageBoxService::Handler previous = MessageBoxService::setHandler({});
  // The box is modal: read its captions once it is up, then press one of its buttons.
  const auto captionsWhenAnswered = [](const Message& message, QMessageBox::StandardButton press,
                                       MessageAnswer expected) {
    QStringList captions;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      for (QAbstractButton* b : box->buttons()) captions << b->text();
      box->button(press)->click();
    });
    EXPECT_EQ(MessageBoxService::show(message), expected);
    captions.sort();
    return captions;
  };
  EXPECT_EQ(captionsWhenAnswered({MessageKind::Question, MessageButtons::YesNo, QStringLiteral("Wirklich?")},
                                 QMessageBox::No, MessageAnswer::No),
            (QStringList{QStringLiteral("Ja"), QStringLiteral("Nein")}));
  EXPECT_EQ(captionsWhenAnswered({MessageKind::Question, MessageButtons::OkCancel, QStringLiteral("Weiter?")},
                                 QMessageBox::Cancel, MessageAnswer::Cancel),
            (QStringList{QStringLiteral("Abbrechen"), QStringLiteral("OK")}));
  QLocale::setDefault(before);
  MessageBoxService::setHandler(previous);
}
