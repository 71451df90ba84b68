#include <gtest/gtest.h>

#include <QFile>

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

TEST(FileIO, AFullDiskFailsEveryRewriteAndKeepsTheOldFile) {
  TestTree t;
  QByteArray old(20000, 'a');
  for (int i = 0; i < old.size(); ++i) old[i] = static_cast<char>('a' + i % 26);
  const QString p = t.write(QStringLiteral("user.tmb"), old);
  const QString log = t.write(QStringLiteral("log.txt"), "eine Zeile\r\n");
  const QByteArray bigger = old + old;
  for (long long limit : {0LL, 1LL, 4096LL, 8192LL, 16384LL, 20000LL}) {
    ScopedFileSizeLimit full(limit);
    EXPECT_FALSE(FileIO::writeAtomically(p, bigger)) << limit;
    EXPECT_FALSE(FileIO::writeAtomically(p, bigger, FileIO::FileAccess::Private)) << limit;
    EXPECT_FALSE(FileIO::writeTextLines(p, {QString::fromLatin1(bigger)})) << limit;
    EXPECT_FALSE(FileIO::appendPrivately(log, bigger)) << limit;
  }
  EXPECT_EQ(t.read(QStringLiteral("user.tmb")), old);
  EXPECT_EQ(QDir(t.path()).entryList(QDir::Files | QDir::Hidden),
            (QStringList{QStringLiteral("log.txt"), QStringLiteral("user.tmb")}));
  // With room again the same writes succeed.
  EXPECT_TRUE(FileIO::writeAtomically(p, bigger));
  EXPECT_EQ(t.read(QStringLiteral("user.tmb")), bigger);
}

TEST(FileIO, PermissionsAndLinks) {
  TestTree t;
  const QString shared = t.write(QStringLiteral("shared.ini"), "x");
  QFile::setPermissions(shared, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
  ASSERT_TRUE(FileIO::writeAtomically(shared, "y"));
  EXPECT_EQ(QFile::permissions(shared) & 0x0FFF & ~0x0F00,
            (QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup) & 0x0FFF & ~0x0F00);
  const QString own = t.file(QStringLiteral("own.ini"));
  ASSERT_TRUE(FileIO::writeAtomically(own, "z", FileIO::FileAccess::Private));
  EXPECT_EQ(QFile::permissions(own) & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
            QFile::Permissions());

  // A shared file reached through a link is written where the link points;
  // a private one is never written through a link.
  const QString target = t.write(QStringLiteral("ziel.txt"), "alt");
  const QString link = t.file(QStringLiteral("link.txt"));
  ASSERT_TRUE(QFile::link(target, link));
  EXPECT_FALSE(FileIO::writeAtomically(link, "privat", FileIO::FileAccess::Private));
  EXPECT_FALSE(FileIO::appendPrivately(link, "privat"));
  EXPECT_EQ(t.read(QStringLiteral("ziel.txt")), QByteArray("alt"));
  EXPECT_TRUE(FileIO::writeAtomically(link, "neu"));
  EXPECT_EQ(t.read(QStringLiteral("ziel.txt")), QByteArray("neu"));
  EXPECT_TRUE(FileIO::isSymbolicLink(link));
}
