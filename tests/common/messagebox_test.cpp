#include <gtest/gtest.h>

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
