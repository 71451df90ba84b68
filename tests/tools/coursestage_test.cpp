#include <gtest/gtest.h>

#include <QFileInfo>

#include "common/zstream.h"
#include "htxtool/coursestage.h"
#include "testsupport.h"

TEST(CourseStage, PacksPagesConvertsTextsAndCopiesTheRest) {
  TestTree src, dst;
  src.write(QStringLiteral("hzvk/main.htx"), "<b>\xC2\xA1Hola!</b>\n");
  src.write(QStringLiteral("Vokabeln (S)/Grundwortschatz/a.asc"), "casa (f)\nHaus\n");
  src.write(QStringLiteral("wave/ZVK_S"), "marker\n");
  src.write(QStringLiteral("README.md"), "notes");
  src.write(QStringLiteral("CMakeLists.txt"), "build");
  src.write(QStringLiteral("data/1.txt"), "compiled in");
  src.write(QStringLiteral("hzvk.samples"), "[main.htx]");

  CourseStage stage(src.path(), dst.path());
  ASSERT_TRUE(stage.run()) << stage.errors().join(QLatin1Char('\n')).toStdString();
  EXPECT_EQ(stage.written(), 3);
  EXPECT_EQ(*ZStream::decompress(dst.read(QStringLiteral("hzvk/main.htx"))), QByteArray("<b>\xA1Hola!</b>\r\n"));
  EXPECT_EQ(dst.read(QStringLiteral("Vokabeln (S)/Grundwortschatz/a.asc")), QByteArray("casa (f)\r\nHaus\r\n"));
  EXPECT_EQ(dst.read(QStringLiteral("wave/ZVK_S")), QByteArray("marker\n"));
  EXPECT_FALSE(QFileInfo::exists(dst.file(QStringLiteral("README.md"))));
  EXPECT_FALSE(QFileInfo::exists(dst.file(QStringLiteral("CMakeLists.txt"))));
  EXPECT_FALSE(QFileInfo::exists(dst.file(QStringLiteral("data/1.txt"))));
  EXPECT_FALSE(QFileInfo::exists(dst.file(QStringLiteral("hzvk.samples"))));

  CourseStage again(src.path(), dst.path());  // nothing changed: nothing written
  ASSERT_TRUE(again.run());
  EXPECT_EQ(again.written(), 0);
}

TEST(CourseStage, FailsOnACharacterWindows1252CannotHold) {
  TestTree src, dst;
  src.write(QStringLiteral("hzvk/x.htx"), "gut\n\xE2\x86\x92 Pfeil\n");
  CourseStage stage(src.path(), dst.path());
  EXPECT_FALSE(stage.run());
  ASSERT_EQ(stage.errors().size(), 1);
  EXPECT_TRUE(stage.errors()[0].endsWith(QStringLiteral("Zeile 2: Zeichen ohne Windows-1252-Code")));
  EXPECT_FALSE(QFileInfo::exists(dst.file(QStringLiteral("hzvk/x.htx"))));
}
