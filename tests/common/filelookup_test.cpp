#include <gtest/gtest.h>

#include "common/filelookup.h"
#include "testsupport.h"

TEST(FileLookup, BackslashReferencesBecomeNativePaths) {
  EXPECT_EQ(FileLookup::nativePath(QStringLiteral("hzvk\\bilder\\a.jpg")), QStringLiteral("hzvk/bilder/a.jpg"));
  EXPECT_TRUE(FileLookup::hasDriveLetter(QStringLiteral("/opt/zvk/")));
  EXPECT_TRUE(FileLookup::hasDriveLetter(QStringLiteral("C:\\kurs\\")));
  EXPECT_FALSE(FileLookup::hasDriveLetter(QStringLiteral("hzvk\\main.htx")));
  EXPECT_EQ(FileLookup::withSeparator(QStringLiteral("/a/b")), QStringLiteral("/a/b/"));
  EXPECT_EQ(FileLookup::withSeparator(QStringLiteral("/a/b\\")), QStringLiteral("/a/b/"));
  EXPECT_EQ(FileLookup::withSeparator(QString()), QString());
  EXPECT_EQ(FileLookup::directoryPart(QStringLiteral("/a/b/c.wav")), QStringLiteral("/a/b/"));
  EXPECT_EQ(FileLookup::fileNamePart(QStringLiteral("a\\b\\c.wav")), QStringLiteral("c.wav"));
}

TEST(FileLookup, FindsFilesThatDifferOnlyInCase) {
  TestTree t;
  t.write(QStringLiteral("Hzvk/Bilder/Haus.JPG"), "x");
  const QString exact = t.file(QStringLiteral("Hzvk/Bilder/Haus.JPG"));
  EXPECT_EQ(FileLookup::locate(exact), exact);
  EXPECT_EQ(FileLookup::locate(t.file(QStringLiteral("hzvk/bilder/haus.jpg"))), exact);
  EXPECT_EQ(FileLookup::locate(t.file(QStringLiteral("HZVK\\BILDER\\HAUS.jpg"))), exact);
  EXPECT_TRUE(FileLookup::fileExists(t.file(QStringLiteral("hzvk/bilder/haus.jpg"))));
  EXPECT_FALSE(FileLookup::dirExists(t.file(QStringLiteral("hzvk/bilder/haus.jpg"))));
  EXPECT_TRUE(FileLookup::dirExists(t.file(QStringLiteral("hzvk/BILDER/"))));
  EXPECT_TRUE(FileLookup::locate(t.file(QStringLiteral("hzvk/bilder/maus.jpg"))).isEmpty());
  EXPECT_TRUE(FileLookup::locate(t.file(QStringLiteral("nix/haus.jpg"))).isEmpty());
  EXPECT_TRUE(FileLookup::locate(QString()).isEmpty());
}
