#include <gtest/gtest.h>

#include "pages/tparser.h"

namespace {
const QStringList kKeys = {QStringLiteral("LINK"), QStringLiteral("LINESPACE"), QStringLiteral("SIZE"),
                           QStringLiteral("FACE")};
}

TEST(TParser, NameIsUpperCasedAndEndsAtBlankOrCarriageReturn) {
  TParser a(QStringLiteral("font size=3"));
  EXPECT_EQ(a.ReadName(), QStringLiteral("FONT"));
  TParser b(QStringLiteral("br\rx"));
  EXPECT_EQ(b.ReadName(), QStringLiteral("BR"));
  TParser c(QStringLiteral("/Font"));
  EXPECT_EQ(c.ReadName(), QStringLiteral("/FONT"));
}

TEST(TParser, KeywordsAreMatchedAsPrefixesInListOrder) {
  // "LINESPACE" begins with "LINK"? No: "LINE..." does not; but "LINKX" matches LINK.
  TParser p(QStringLiteral("linespace=5 linkx=#ff0000"));
  EXPECT_EQ(p.MatchKeyword(kKeys), 1);
  EXPECT_EQ(p.NumberValue(-500, 500, 0), 5);
  EXPECT_EQ(p.MatchKeyword(kKeys), 0);  // prefix "link" of "linkx"
  EXPECT_TRUE(p.Failed() == false);
  EXPECT_EQ(p.PlainValue(), QString());  // "x=..." is no "=" right after the keyword
  EXPECT_TRUE(p.Failed());
  EXPECT_EQ(p.MatchKeyword(kKeys), -1);  // a failed scanner matches nothing more
}

TEST(TParser, AnUnknownAttributeEndsTheLoop) {
  TParser p(QStringLiteral("size=4 align=center face=\"Arial\""));
  EXPECT_EQ(p.MatchKeyword(kKeys), 2);
  EXPECT_EQ(p.NumberValue(0, 720, 3), 4);
  EXPECT_EQ(p.MatchKeyword(kKeys), -1);
}

TEST(TParser, ValueForms) {
  TParser plain(QStringLiteral("size = \"12\" face=\"Times New Roman\""));
  plain.MatchKeyword(kKeys);
  EXPECT_EQ(plain.PlainValue(), QStringLiteral("12"));  // blanks around "=" skipped, quotes taken off
  plain.MatchKeyword(kKeys);
  EXPECT_EQ(plain.QuotedValue(), QStringLiteral("Times New Roman"));

  TParser open(QStringLiteral("face=\"Arial"));
  open.MatchKeyword(kKeys);
  EXPECT_EQ(open.QuotedValue(), QString());  // unterminated quote: empty value

  TParser noQuote(QStringLiteral("face=Arial"));
  noQuote.MatchKeyword(kKeys);
  EXPECT_EQ(noQuote.QuotedValue(), QString());
  EXPECT_TRUE(noQuote.Failed());

  TParser quotedBlank(QStringLiteral("size=\"1 2\""));
  quotedBlank.MatchKeyword(kKeys);
  EXPECT_EQ(quotedBlank.PlainValue(), QStringLiteral("1"));  // plain values end at a blank
}

TEST(TParser, NumbersAreClampedAndFallBack) {
  const auto number = [](const QString& text) {
    TParser p(text);
    p.MatchKeyword(kKeys);
    return p.NumberValue(0, 720, 3);
  };
  EXPECT_EQ(number(QStringLiteral("size=+1")), 1);
  EXPECT_EQ(number(QStringLiteral("size=-2")), 0);
  EXPECT_EQ(number(QStringLiteral("size=9999")), 720);
  EXPECT_EQ(number(QStringLiteral("size=gross")), 3);
  EXPECT_EQ(number(QStringLiteral("size=99999999999999999999")), 3);
}
