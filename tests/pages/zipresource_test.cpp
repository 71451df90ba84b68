#include <gtest/gtest.h>

#include <QStringList>

#include "common/zstream.h"
#include "pages/zipresource.h"

TEST(ZipResource, LinesEndAtAnyControlByte) {
  auto r = TZIPResource::fromStream(ZStream::compress("a\tb\r\nc"));
  ASSERT_TRUE(r.hasStream());
  EXPECT_EQ(r.ReadLine(), QStringLiteral("a"));
  EXPECT_EQ(r.ReadLine(), QStringLiteral("b"));
  EXPECT_FALSE(r.AtEnd());
  EXPECT_EQ(r.ReadLine(), QStringLiteral("c"));
  EXPECT_TRUE(r.AtEnd());
  EXPECT_EQ(r.ReadLine(), QString());
}

TEST(ZipResource, ZeroBytesSeparateRecordsAndRunsGiveEmptyLines) {
  static const char kData[] = "eins\0zwei\0\0drei\r\r\n\x80";
  auto r = TZIPResource::fromStream(ZStream::compress(QByteArray(kData, sizeof kData - 1)));
  QStringList lines;
  while (!r.AtEnd()) lines.append(r.ReadLine());
  EXPECT_EQ(lines, (QStringList{QStringLiteral("eins"), QStringLiteral("zwei"), QString(), QStringLiteral("drei"),
                                QString(), QStringLiteral("€")}));
}

TEST(ZipResource, MissingOrDamagedResourcesAreEmpty) {
  TZIPResource missing(99);
  EXPECT_FALSE(missing.hasStream());
  EXPECT_TRUE(missing.AtEnd());
  EXPECT_EQ(missing.ReadLine(), QString());

  QByteArray z = ZStream::compress("Hola\r\nAdiós\r\n");
  auto damaged = TZIPResource::fromStream(z.left(z.size() - 3));
  EXPECT_FALSE(damaged.hasStream());
  EXPECT_TRUE(damaged.AtEnd());
}

TEST(ZipResource, BuiltInResourcesAreCompiledIn) {
  for (int n : {1, 2}) {
    TZIPResource r(n);
    EXPECT_TRUE(r.hasStream()) << "resource " << n;
    EXPECT_FALSE(r.AtEnd()) << "resource " << n;
    EXPECT_FALSE(r.ReadLine().isEmpty()) << "resource " << n;
  }
}
