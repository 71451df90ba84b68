#include <gtest/gtest.h>

#include "common/textcodec.h"

TEST(Cp1252, DecodesTheWindowsTableNotLatin1) {
  EXPECT_EQ(Cp1252::decode(QByteArray("\x80")), QString(QChar(0x20AC)));  // €
  EXPECT_EQ(Cp1252::decode(QByteArray("\x9C")), QString(QChar(0x0153)));  // œ
  EXPECT_EQ(Cp1252::decode(QByteArray("\x8C")), QString(QChar(0x0152)));  // Œ
  EXPECT_EQ(Cp1252::decode(QByteArray("\x84\x93\x94")), QStringLiteral("„“”"));
  EXPECT_EQ(Cp1252::decode(QByteArray("\x96\x97\x85")), QStringLiteral("–—…"));
  EXPECT_EQ(Cp1252::decode(QByteArray("\x9F")), QStringLiteral("Ÿ"));
  EXPECT_EQ(Cp1252::decode(QByteArray("zur\xFC" "ck \xF1" "and\xFA")), QStringLiteral("zurück ñandú"));
  EXPECT_EQ(Cp1252::decode(QByteArray("\xBF\xA1\xDF")), QStringLiteral("¿¡ß"));
}

TEST(Cp1252, EveryByteSurvivesARoundTrip) {
  QByteArray all;
  for (int b = 0; b < 256; ++b) all.append(static_cast<char>(b));
  const QString text = Cp1252::decode(all);
  ASSERT_EQ(text.size(), 256);
  bool ok = false;
  EXPECT_EQ(Cp1252::encode(text, &ok), all);
  EXPECT_TRUE(ok);
}

TEST(Cp1252, CharactersWithoutCodeBecomeQuestionMarks) {
  bool ok = true;
  EXPECT_EQ(Cp1252::encode(QStringLiteral("a\u4E2Db€"), &ok), QByteArray("a?b\x80"));
  EXPECT_FALSE(ok);
  EXPECT_FALSE(Cp1252::canEncode(QStringLiteral("ő")));
  EXPECT_TRUE(Cp1252::canEncode(QStringLiteral("Señora Müller œuvre €")));
  EXPECT_EQ(Cp1252::codeOf(QChar(0x2122)), 0x99);  // ™
  EXPECT_EQ(Cp1252::codeOf(QChar(0x0100)), -1);
}
