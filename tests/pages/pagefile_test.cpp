#include <gtest/gtest.h>

#include "common/zstream.h"
#include "pages/pagefile.h"

TEST(PageFile, PacksUtf8MarkupAsWindows1252WithCrLf) {
  const auto c = PageFile::pack("\xEF\xBB\xBF<b>Espa\xC3\xB1ol</b>\nzur\xC3\xBC" "ck 5 \xE2\x82\xAC\n");
  ASSERT_TRUE(c.error.isEmpty());
  EXPECT_EQ(static_cast<unsigned char>(c.bytes[1]), 0x01);  // level 1
  EXPECT_EQ(*PageFile::unpack(c.bytes), QByteArray("<b>Espa\xF1ol</b>\r\nzur\xFC" "ck 5 \x80\r\n"));
}

TEST(PageFile, Windows1252InputIsKeptAsItIs) {
  const QByteArray stored("<i>Se\xF1or</i>\r\n");
  EXPECT_EQ(*PageFile::unpack(PageFile::pack(stored).bytes), stored);
}

TEST(PageFile, RefusesCharactersWithoutWindows1252Code) {
  const auto c = PageFile::toStoredText("ok\nauch ok\n\xE4\xB8\xAD\n");
  EXPECT_EQ(c.error, QStringLiteral("Zeile 3: Zeichen ohne Windows-1252-Code"));
}

TEST(PageFile, KnowsWhichExtensionsAreCompressed) {
  for (const char* name : {"main.htx", "A.HTX", "x.hzvk", "y.xtml", "z.xtm"})
    EXPECT_TRUE(PageFile::isCompressedName(QLatin1String(name))) << name;
  for (const char* name : {"a.htm", "b.html", "c.txt", "htx"})
    EXPECT_FALSE(PageFile::isCompressedName(QLatin1String(name))) << name;
  EXPECT_FALSE(PageFile::unpack("<html>").has_value());
}
