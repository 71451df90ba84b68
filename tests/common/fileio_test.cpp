#include <gtest/gtest.h>

#include "common/fileio.h"
#include "testsupport.h"

TEST(FileIO, RewritesReplaceTheWholeFileOrNothing) {
  TestTree t;
  const QString p = t.write(QStringLiteral("user.tmb"), "old content");
  ASSERT_TRUE(FileIO::writeAtomically(p, "new"));
  EXPECT_EQ(t.read(QStringLiteral("user.tmb")), QByteArray("new"));
  // A directory that does not exist: the write fails and reports it.
  EXPECT_FALSE(FileIO::writeAtomically(t.file(QStringLiteral("fehlt/user.tmb")), "x"));
  // No temporary files are left behind.
  EXPECT_EQ(QDir(t.path()).entryList(QDir::Files), QStringList{QStringLiteral("user.tmb")});
}

TEST(FileIO, TextLinesAreWindows1252WithCrLf) {
  TestTree t;
  const QString p = t.file(QStringLiteral("a.txt"));
  ASSERT_TRUE(FileIO::writeTextLines(p, {QStringLiteral("Richtung=zurück"), QStringLiteral("€")}));
  EXPECT_EQ(t.read(QStringLiteral("a.txt")), QByteArray("Richtung=zur\xFC" "ck\r\n\x80\r\n"));
  EXPECT_FALSE(FileIO::writeTextLines(p, {QStringLiteral("\u4E2D")}, /*strict=*/true));
  EXPECT_EQ(t.read(QStringLiteral("a.txt")), QByteArray("Richtung=zur\xFC" "ck\r\n\x80\r\n"));
  EXPECT_EQ(*FileIO::readText(p), QStringLiteral("Richtung=zurück\r\n€\r\n"));
  EXPECT_FALSE(FileIO::readText(t.file(QStringLiteral("nix.txt"))).has_value());
}

TEST(FileIO, SplitLinesKnowsEveryLineEnd) {
  EXPECT_EQ(FileIO::splitLines(QStringLiteral("a\r\nb\nc\rd")),
            (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")}));
  EXPECT_EQ(FileIO::splitLines(QStringLiteral("a\r\n\r\n")), (QStringList{QStringLiteral("a"), QString()}));
  EXPECT_TRUE(FileIO::splitLines(QString()).isEmpty());
}
