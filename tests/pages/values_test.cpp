#include <gtest/gtest.h>

#include "common/random.h"
#include "pages/colorvalue.h"
#include "pages/coordinates.h"
#include "pages/entities.h"
#include "pages/pagestate.h"
#include "pages/txaliaslist.h"

TEST(ColorValue, HexNamesAndMarkers) {
  PageState page;
  EXPECT_EQ(page.ReadColor(QStringLiteral("#FF0000")), RGBColor(255, 0, 0));
  EXPECT_EQ(page.ReadColor(QStringLiteral("\"#00ff80\"")), RGBColor(0, 255, 0x80));
  EXPECT_EQ(page.ReadColor(QStringLiteral("#fff")), RGBColor(0, 0x0F, 0xFF));  // no short forms
  EXPECT_EQ(page.ReadColor(QStringLiteral("#zzzzzz")), RGBColor(0, 0, 255));  // not hexadecimal: blue
  EXPECT_EQ(page.ReadColor(QString()), kWhite);
  EXPECT_EQ(page.ReadColor(QStringLiteral("purpur")), kWhite);  // unknown name
  EXPECT_EQ(ColorText(RGBColor(0x12, 0xAB, 0x00)), QStringLiteral("#12AB00"));
  EXPECT_EQ(ColorText(kPageTextColor), QStringLiteral("text"));
  EXPECT_EQ(ColorText(kPageLinkColor), QStringLiteral("link"));
}

TEST(ColorValue, NameChainsVariablesAndLoops) {
  PageState page;
  page.ColorNames.Define(QStringLiteral("titel"), QStringLiteral("rot"));
  page.ColorNames.Define(QStringLiteral("rot"), QStringLiteral("#c00000"));
  page.ColorNames.Define(QStringLiteral("a"), QStringLiteral("b"));
  page.ColorNames.Define(QStringLiteral("b"), QStringLiteral("a"));
  EXPECT_EQ(page.ReadColor(QStringLiteral("TITEL")), RGBColor(0xC0, 0, 0));
  EXPECT_EQ(page.ReadColor(QStringLiteral("a")), kWhite);  // a loop is cut, not followed forever

  page.SetVariable(QStringLiteral("farbe"), QStringLiteral("Titel"));
  EXPECT_EQ(page.ReadColor(QStringLiteral("$farbe")), RGBColor(0xC0, 0, 0));

  // A child page reads colour variables from its parent.
  PageState child;
  child.HTMLChild = true;
  child.Parent = &page;
  child.ColorNames.Define(QStringLiteral("titel"), QStringLiteral("#000080"));
  EXPECT_EQ(child.ReadColor(QStringLiteral("$farbe")), RGBColor(0, 0, 0x80));
}

TEST(ColorValue, RandomChoicesStayInTheirSets) {
  PageState page;
  Random::seed(7);
  for (int i = 0; i < 50; ++i) {
    const TColor c = page.ReadColor(QStringLiteral("random"));
    for (int part : {RedOf(c), GreenOf(c), BlueOf(c)}) EXPECT_EQ(part % 51, 0);
    const TColor g = page.ReadColor(QStringLiteral("?ff0000,00ff00,0000ff"));
    EXPECT_TRUE(g == RGBColor(255, 0, 0) || g == RGBColor(0, 255, 0) || g == RGBColor(0, 0, 255));
  }
  EXPECT_EQ(page.ReadColor(QStringLiteral("?ff00")), kWhite);  // shorter than one group
}

TEST(ColorValue, PaletteIndexNeedsAPalette) {
  PageState page;
  EXPECT_EQ(page.ReadColor(QStringLiteral("i3")), kWhite);
  page.PaletteEntry = [](int i) -> std::optional<TColor> {
    if (i < 0 || i > 15) return std::nullopt;
    return RGBColor(i, i, i);
  };
  EXPECT_EQ(page.ReadColor(QStringLiteral("i3")), RGBColor(3, 3, 3));
  EXPECT_EQ(page.ReadColor(QStringLiteral("i99")), kWhite);
  EXPECT_EQ(page.ReadColor(QStringLiteral("ix")), kWhite);  // 128, outside this palette
}

TEST(Coordinates, CentredAnchoredAndStretched) {
  const TCoords c = ReadCoords(QStringLiteral("*-50,-10020,0,40"), 800, 572);
  EXPECT_EQ(c.x, 350);
  EXPECT_EQ(c.y, 552);
  EXPECT_EQ(c.w, 450);
  EXPECT_EQ(c.h, 40);

  const TCoords d = ReadCoords(QStringLiteral("\"10, 20 ,-20,0\""), 800, 572);
  EXPECT_EQ(d.x, 10);
  EXPECT_EQ(d.y, 20);
  EXPECT_EQ(d.w, 770);
  EXPECT_EQ(d.h, 552);

  const TCoords e = ReadCoords(QStringLiteral("5,x"), 800, 572);
  EXPECT_EQ(e.y, TCoords::kMissing);
  EXPECT_EQ(e.w, TCoords::kMissing);

  TXAliasList aliases;
  aliases.SetValue(QStringLiteral("#box"), QStringLiteral("1,2,3,4"));
  const TCoords f = ReadCoords(QStringLiteral("#box"), 800, 572, &aliases);
  EXPECT_EQ(f.h, 4);
}

TEST(Entities, OnlyTheFirstEntityOfAWordIsReplaced) {
  EXPECT_EQ(ReplaceFirstEntity(QStringLiteral("M&uuml;ller")), QStringLiteral("Müller"));
  EXPECT_EQ(ReplaceFirstEntity(QStringLiteral("&lt;a&gt;")), QStringLiteral("<a&gt;"));
  EXPECT_EQ(ReplaceFirstEntity(QStringLiteral("A&B")), QStringLiteral("A"));
  EXPECT_EQ(ReplaceFirstEntity(QStringLiteral("x&nil;y")), QStringLiteral("xy"));
  EXPECT_EQ(ReplaceFirstEntity(QStringLiteral("&nbsp;")), QString(QChar(0xA0)));
  EXPECT_EQ(ReplaceFirstEntity(QStringLiteral("&yuml;&iquest;")), QStringLiteral("ÿ&iquest;"));
  EXPECT_EQ(ReplaceFirstEntity(QStringLiteral("&Ntilde;and&uacute;")), QStringLiteral("Ñand&uacute;"));
  EXPECT_EQ(ReplaceFirstEntity(QStringLiteral("&AUML;")), QString());  // names are case-sensitive
  EXPECT_EQ(ReplaceFirstEntity(QStringLiteral("&quot;Hola&quot;")), QStringLiteral("\"Hola&quot;"));
}

TEST(AliasList, NamesIgnoreCaseAndStarPrefixes) {
  TXAliasList list;
  list.SetValue(QStringLiteral("Aufgabe"), QStringLiteral("casa"));
  EXPECT_EQ(list.Value(QStringLiteral("AUFGABE")), QStringLiteral("casa"));
  EXPECT_EQ(list.Items()[0].Name, QStringLiteral("AUFGABE"));
  list.SetValue(QStringLiteral("aufgabe"), QStringLiteral("*"));
  EXPECT_EQ(list.Value(QStringLiteral("Aufgabe")), QStringLiteral("*casa"));
  EXPECT_EQ(list.Value(QStringLiteral("fehlt"), QStringLiteral("dflt")), QStringLiteral("dflt"));
  EXPECT_EQ(list.Count(), 1);
}
