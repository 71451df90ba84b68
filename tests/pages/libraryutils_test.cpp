#include <gtest/gtest.h>

#include "pages/libraryutils.h"
#include "testsupport.h"

TEST(FindFiles, SearchesSubdirectoriesAndComparesExtensionsInLowerCase) {
  TestTree t;
  t.write(QStringLiteral("x.WAV"));
  t.write(QStringLiteral("LA/1/a.wav"));
  t.write(QStringLiteral("LA/1/b.mp3"));
  t.write(QStringLiteral("LA/c.wave"));
  t.write(QStringLiteral("LA/d.txt"));
  t.write(QStringLiteral("wav"));

  QStringList found;
  EXPECT_EQ(FindFiles(t.path().chopped(1), &found, QStringLiteral(".wav")), 2);
  found.sort();
  EXPECT_EQ(found, (QStringList{t.file(QStringLiteral("LA/1/a.wav")), t.file(QStringLiteral("x.WAV"))}));

  EXPECT_EQ(FindFiles(t.path(), nullptr, QStringLiteral(".wav"), QStringLiteral(".mp3")), 3);
  EXPECT_EQ(FindFiles(t.file(QStringLiteral("fehlt")), nullptr, QStringLiteral(".wav")), 0);
}

TEST(VersionText, FormatsMajorAndTheOtherThreeDigits) { EXPECT_EQ(VersionText(), QStringLiteral("5.006")); }
