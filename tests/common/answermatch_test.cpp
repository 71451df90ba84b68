#include <gtest/gtest.h>

#include "common/random.h"
#include "common/answermatch.h"

using namespace AnswerMatch;

namespace {

// The indexes of the letters marked red.
std::vector<int> redIndexes(const QString& answer, const QString& common) {
  std::vector<int> out;
  const std::vector<bool> red = RedLetters(answer, common);
  for (size_t i = 0; i < red.size(); ++i)
    if (red[i]) out.push_back(static_cast<int>(i));
  return out;
}

}  // namespace

TEST(AnswerMatch, ChainsTakeLettersAtMostThreeAhead) {
  EXPECT_EQ(Chain(QStringLiteral("abc"), QStringLiteral("xaxbxc"), 1), QStringLiteral("abc"));
  EXPECT_EQ(Chain(QStringLiteral("ab"), QStringLiteral("axxxxb"), 1), QStringLiteral("a"));  // "b" lies 4 ahead
  EXPECT_EQ(Chain(QStringLiteral("xab"), QStringLiteral("ab"), 2), QStringLiteral("ab"));
  EXPECT_EQ(Chain(QStringLiteral("ab"), QStringLiteral("ab"), 3), QString());  // starts beyond the text
  // Start positions run to min(len(y) div 2, 5): a one-letter y has none.
  EXPECT_EQ(LongestChain(QStringLiteral("a"), QStringLiteral("a")), QString());
  EXPECT_EQ(LongestChain(QStringLiteral("xab"), QStringLiteral("ab")), QStringLiteral("ab"));
  // A letter found more than three ahead is passed over, the chain goes on.
  EXPECT_EQ(LongestChain(QStringLiteral("zabc"), QStringLiteral("abcdzz")), QStringLiteral("abc"));
}

TEST(AnswerMatch, CommonPartIsPrefixMiddleChainAndSuffix) {
  EXPECT_EQ(CommonPart(QStringLiteral("csa"), QStringLiteral("casa")), QStringLiteral("csa"));
  EXPECT_EQ(CommonPart(QStringLiteral("cassa"), QStringLiteral("casa")), QStringLiteral("casa"));
  EXPECT_EQ(CommonPart(QStringLiteral("Casa"), QStringLiteral("casa")), QStringLiteral("asa"));
  EXPECT_EQ(CommonPart(QStringLiteral("cafe"), QStringLiteral("café")), QStringLiteral("caf"));
  EXPECT_EQ(CommonPart(QStringLiteral("abcdefgh"), QStringLiteral("abXcdeYgh")), QStringLiteral("abcdegh"));
  EXPECT_EQ(CommonPart(QStringLiteral("casa"), QStringLiteral("casa")), QStringLiteral("casa"));
  EXPECT_EQ(CommonPart(QString(), QStringLiteral("casa")), QString());
  EXPECT_EQ(CommonPart(QStringLiteral("xyz"), QStringLiteral("casa")), QString());
}

TEST(AnswerMatch, NearestAnswerNeedsLengthAndCommonPart) {
  const QStringList casa{QStringLiteral("casa")};
  struct Case {
    const char* answer;
    int index;
  } const cases[] = {
      {"csa", 0},          // 2 x 3 <= 3 x 3
      {"cassa", 0},        // one letter too many
      {"Casa", 0},         // case counts, but the rest is near
      {"abcx", -1},        // common part "" is too short
      {"ca", 0},           // 0 < 2 < 10, common part "ca": 4 <= 6
      {"casaaaaaa", -1},   // 9 letters: inside the window, common part "casa" too short (18 > 12)
      {"casaaaaaaa", -1},  // 10 letters: outside the window (must be below len + 6)
  };
  for (const Case& c : cases)
    EXPECT_EQ(NearestAnswer(QString::fromUtf8(c.answer), casa).index, c.index) << c.answer;

  // The window: below len(s) - 4 nothing qualifies, however alike.
  const QStringList longWord{QStringLiteral("casadelcampo")};
  EXPECT_EQ(NearestAnswer(QStringLiteral("casad"), longWord).index, -1);     // 12 - 4 = 8 is not below 5
  EXPECT_EQ(NearestAnswer(QStringLiteral("casadelca"), longWord).index, 0);  // 8 < 9, common 9

  // The longest common part wins, the earlier answer on ties.
  EXPECT_EQ(NearestAnswer(QStringLiteral("casi"), {QStringLiteral("gato"), QStringLiteral("casa")}).index, 1);
  const Nearest tie = NearestAnswer(QStringLiteral("cxsa"), {QStringLiteral("casa"), QStringLiteral("cosa")});
  EXPECT_EQ(tie.index, 0);
  EXPECT_EQ(tie.common, QStringLiteral("csa"));
}

TEST(AnswerMatch, RedLettersAndTheCursor) {
  EXPECT_EQ(redIndexes(QStringLiteral("csa"), QStringLiteral("csa")), std::vector<int>{});
  EXPECT_EQ(redIndexes(QStringLiteral("cassa"), QStringLiteral("casa")), std::vector<int>{3});
  EXPECT_EQ(redIndexes(QStringLiteral("Casa"), QStringLiteral("asa")), std::vector<int>{0});
  EXPECT_EQ(redIndexes(QStringLiteral("cafe"), QStringLiteral("caf")), std::vector<int>{3});

  // Before the first difference, or after it when F1 can correct it.
  EXPECT_EQ(CursorAfterMismatch(QStringLiteral("csa"), QStringLiteral("casa")), 1);
  EXPECT_EQ(CursorAfterMismatch(QStringLiteral("cassa"), QStringLiteral("casa")), 3);
  EXPECT_EQ(CursorAfterMismatch(QStringLiteral("Casa"), QStringLiteral("casa")), 0);  // case is no accent
  EXPECT_EQ(CursorAfterMismatch(QStringLiteral("cafe"), QStringLiteral("café")), 4);
  EXPECT_EQ(CursorAfterMismatch(QStringLiteral("nino"), QStringLiteral("niño")), 3);
  EXPECT_EQ(CursorAfterMismatch(QStringLiteral("Strase"), QStringLiteral("Straße")), 5);  // "sß" counts in gaps
  EXPECT_EQ(CursorAfterMismatch(QStringLiteral("cas"), QStringLiteral("casa")), 3);     // a prefix: at its end
}

TEST(AnswerMatch, MaskedHelpKeepsEndsAndPunctuation) {
  Random::seed(1);
  EXPECT_EQ(MaskedHelp(QStringLiteral("Haus")), QStringLiteral("H__s"));
  EXPECT_EQ(MaskedHelp(QStringLiteral("Tür")), QStringLiteral("T__"));
  EXPECT_EQ(MaskedHelp(QString()), QString());
  EXPECT_EQ(MaskedHelp(QStringLiteral("y")), QStringLiteral("_"));
  EXPECT_EQ(MaskedHelp(QStringLiteral("yo")), QStringLiteral("__"));
  EXPECT_EQ(MaskedHelp(QStringLiteral("d'un")), QStringLiteral("d'_n"));
  // Before the fifth letter nothing is left to chance.
  EXPECT_EQ(MaskedHelp(QStringLiteral("la casa")).left(4), QStringLiteral("l_ _"));

  // From the fifth letter on, about one letter in five stays.
  int kept = 0, total = 0;
  for (int i = 0; i < 200; ++i) {
    const QString help = MaskedHelp(QStringLiteral("abcdefghij"));
    ASSERT_EQ(help.size(), 10);
    EXPECT_EQ(help.left(4), QStringLiteral("a___"));
    EXPECT_EQ(help.back(), QLatin1Char('j'));
    for (int pos = 4; pos < 9; ++pos) {
      ++total;
      if (help[pos] != QLatin1Char('_')) {
        EXPECT_EQ(help[pos], QChar(QLatin1Char('a' + pos)));
        ++kept;
      }
    }
  }
  EXPECT_GT(kept, total / 10);
  EXPECT_LT(kept, total * 3 / 10);

  const QString question = MaskedHelp(QStringLiteral("¿Qué tal?"));
  EXPECT_EQ(question.left(5), QStringLiteral("¿___ "));
  EXPECT_EQ(question.back(), QLatin1Char('?'));
}
