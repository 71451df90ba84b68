#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>

#include "common/accentkeyfilter.h"

TEST(AccentKeyFilter, F1CyclesTheLetterBeforeTheCursorInSingleLineFields) {
  QLineEdit edit(QStringLiteral("cafe con leche"));
  AccentKeyFilter::Install(&edit);
  edit.setCursorPosition(4);
  QTest::keyClick(&edit, Qt::Key_F1);
  EXPECT_EQ(edit.text(), QStringLiteral("café con leche"));
  EXPECT_EQ(edit.cursorPosition(), 4);
  edit.setReadOnly(true);
  QTest::keyClick(&edit, Qt::Key_F1);
  EXPECT_EQ(edit.text(), QStringLiteral("café con leche"));
}

TEST(AccentKeyFilter, MultiLineFieldsCycleWithinTheLineOnly) {
  QPlainTextEdit plain(QStringLiteral("nino\nano"));
  AccentKeyFilter::Install(&plain);
  QTextCursor c = plain.textCursor();
  c.setPosition(3);  // after "nin"
  plain.setTextCursor(c);
  QTest::keyClick(&plain, Qt::Key_F1);
  EXPECT_EQ(plain.toPlainText(), QStringLiteral("niño\nano"));
  EXPECT_EQ(plain.textCursor().position(), 3);
  c.setPosition(5);  // the start of the second line: the line break stays
  plain.setTextCursor(c);
  QTest::keyClick(&plain, Qt::Key_F1);
  EXPECT_EQ(plain.toPlainText(), QStringLiteral("niño\nano"));

  QTextEdit rich;
  rich.setPlainText(QStringLiteral("que"));
  AccentKeyFilter::Install(&rich);
  rich.moveCursor(QTextCursor::End);
  QTest::keyClick(&rich, Qt::Key_F1);
  EXPECT_EQ(rich.toPlainText(), QStringLiteral("qué"));
}
