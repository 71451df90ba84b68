#include <gtest/gtest.h>

#include "pages/pagetestsupport.h"

TEST(Builder, WordsSpacesAndLiteralAngles) {
  PageFixture f;
  EXPECT_EQ(f.show(QStringLiteral("a <<b> c")),
            (QStringList{QStringLiteral("a"), QStringLiteral(" "), QStringLiteral("<b>"), QStringLiteral(" "),
                         QStringLiteral("c")}));
  // Leading blanks, blanks after a line break and doubled blanks make no Space.
  EXPECT_EQ(f.show(QStringLiteral("  eins   zwei<br>  drei\r\n\tvier")),
            (QStringList{QStringLiteral("eins"), QStringLiteral(" "), QStringLiteral("zwei"), QString(),
                         QStringLiteral("drei"), QStringLiteral(" "), QStringLiteral("vier")}));
  EXPECT_EQ(f.page.Document[3].Kind, ElementKind::LineBreak);
  // An unknown tag is skipped; a comment too.
  EXPECT_EQ(f.show(QStringLiteral("x<blink>y<!-- nichts -->z")),
            (QStringList{QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")}));
}

TEST(Builder, AnUnclosedTagEndsTheBuild) {
  PageFixture f;
  EXPECT_EQ(f.show(QStringLiteral("gut <b fett")), QStringList{QStringLiteral("gut")});
}

TEST(Builder, VariablesInsertMarkupOnlyAtTheStartOfAToken) {
  PageFixture f;
  f.page.SetVariable(QStringLiteral("titel"), QStringLiteral("<b>Hola</b> $[wer]"));
  f.page.SetVariable(QStringLiteral("wer"), QStringLiteral("Ana"));
  EXPECT_EQ(f.show(QStringLiteral("$[TITEL]! US$[wer]")),
            (QStringList{QStringLiteral("Hola"), QStringLiteral(" "), QStringLiteral("Ana"), QStringLiteral("!"),
                         QStringLiteral(" "), QStringLiteral("US$[wer]")}));
  EXPECT_EQ(f.page.Document[0].Format.Font.Style, StyleBold);
  EXPECT_EQ(f.show(QStringLiteral("$[fehlt]")), QStringList{QStringLiteral("[undefined]")});
}

TEST(Builder, TheHostAnswersUnknownVariablesAndHashValues) {
  PageFixture f;
  QStringList asked;
  f.page.SpecialCode = [&](QString& code) {
    asked << code;
    code = code == QLatin1String("user") ? QStringLiteral("Ana") : QString();
  };
  f.page.SetVariable(QStringLiteral("frage"), QStringLiteral("#user"));
  EXPECT_EQ(f.show(QStringLiteral("$[user] $[frage] $[nix]x")),
            (QStringList{QStringLiteral("Ana"), QStringLiteral(" "), QStringLiteral("x")}));
  EXPECT_EQ(asked, (QStringList{QStringLiteral("user"), QStringLiteral("#user"), QStringLiteral("nix")}));
}

TEST(Builder, SelfInsertingVariablesStop) {
  PageFixture f;
  f.page.SetVariable(QStringLiteral("a"), QStringLiteral("x $[a]"));
  const QStringList direct = f.show(QStringLiteral("$[a]"));
  EXPECT_GT(direct.size(), 2);
  EXPECT_LT(direct.size(), 200);

  f.page.SetVariable(QStringLiteral("p"), QStringLiteral("$[q]$[q]"));
  f.page.SetVariable(QStringLiteral("q"), QStringLiteral("$[p] $[p]"));
  f.show(QStringLiteral("$[p]"));  // doubles at every level: must end all the same
  SUCCEED();
}

TEST(Builder, BlanksAtTheEdgeOfAHintLinkAreNotHot) {
  // The Space keeps the Hot flag only when the element before it has it too.
  PageFixture f;
  f.page.CurrentFormat.Font.Hot = false;
  f.show(QStringLiteral("a b"));
  ASSERT_EQ(f.page.Document.size(), 3u);
  EXPECT_FALSE(f.page.Document[1].Format.Font.Hot);
  EXPECT_EQ(f.page.Document[1].Format.LinkIndex, -1);
}

TEST(Builder, TabRequestsGoToTheNextWordOnly) {
  PageFixture f;
  f.show(QStringLiteral("<x4>eins zwei<x-40>drei<x!5> vier"));
  // Under justified alignment a pending tab swallows the blank before the word.
  EXPECT_EQ(f.texts(), (QStringList{QStringLiteral("eins"), QStringLiteral(" "), QStringLiteral("zwei"),
                                    QStringLiteral("drei"), QStringLiteral("vier")}));
  EXPECT_EQ(f.page.Document[0].Format.TabPos, 104);
  EXPECT_EQ(f.page.Document[2].Format.TabPos, 0);
  EXPECT_EQ(f.page.Document[3].Format.TabPos, -40);
  EXPECT_EQ(f.page.Document[4].Format.TabPos, 105);
  EXPECT_EQ(f.page.Document[4].Format.Align, 3);
}
