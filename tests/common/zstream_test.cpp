#include <gtest/gtest.h>

#include <random>

#include "common/zstream.h"

TEST(ZStream, WritesLevelOneZlibStreamsAndReadsThemBack) {
  const QByteArray text = QByteArray("Hola, ¿qué tal?\r\n").repeated(500);
  const QByteArray z = ZStream::compress(text);
  ASSERT_GE(z.size(), 2);
  EXPECT_EQ(static_cast<unsigned char>(z[0]), 0x78);
  EXPECT_EQ(static_cast<unsigned char>(z[1]), 0x01);  // RFC 1950 header of level 1
  EXPECT_TRUE(ZStream::looksCompressed(z));
  const auto back = ZStream::decompress(z);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, text);
}

TEST(ZStream, EmptyDataMakesAValidStream) {
  const auto back = ZStream::decompress(ZStream::compress({}));
  ASSERT_TRUE(back.has_value());
  EXPECT_TRUE(back->isEmpty());
}

TEST(ZStream, DamagedStreamsAreReportedNotTrusted) {
  const QByteArray z = ZStream::compress(QByteArray(10000, 'x') + QByteArray("end"));
  for (qsizetype cut : {qsizetype(0), qsizetype(1), qsizetype(2), z.size() / 2, z.size() - 1})
    EXPECT_FALSE(ZStream::decompress(z.left(cut)).has_value()) << "cut at " << cut;

  QByteArray flipped = z;
  flipped[flipped.size() - 2] = static_cast<char>(flipped[flipped.size() - 2] ^ 0x55);  // checksum
  EXPECT_FALSE(ZStream::decompress(flipped).has_value());

  EXPECT_FALSE(ZStream::decompress(QByteArray("plain text, not a stream")).has_value());
  EXPECT_FALSE(ZStream::looksCompressed(QByteArray("<html>")));
}

TEST(ZStream, RandomBytesNeverCrash) {
  std::mt19937 gen(42);
  for (int round = 0; round < 500; ++round) {
    QByteArray junk(static_cast<qsizetype>(gen() % 300), Qt::Uninitialized);
    for (auto& c : junk) c = static_cast<char>(gen());
    if (round % 2 == 0 && junk.size() >= 2) {  // give half of them a valid header
      junk[0] = 0x78;
      junk[1] = 0x01;
    }
    (void)ZStream::decompress(junk);
  }
  SUCCEED();
}

TEST(ZStream, OversizedOutputCountsAsDamage) {
  const QByteArray z = ZStream::compress(QByteArray(1 << 20, '\0'));
  EXPECT_FALSE(ZStream::decompress(z, 4096).has_value());
  EXPECT_TRUE(ZStream::decompress(z, 2 << 20).has_value());
}
