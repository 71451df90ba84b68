// Sample values of course pages, and what the page check finds on a page.
#include <gtest/gtest.h>

#include "common/zstream.h"
#include "htxtool/pagesheet.h"
#include "pages/pagefile.h"
#include "testsupport.h"

namespace {

// Writes plain markup as a packed page, as the course build does.
void writePage(TestTree& tree, const QString& name, const QByteArray& markup) {
  tree.write(name, PageFile::pack(markup).bytes);
}

PageSample plain(const QString& file) {
  PageSample s;
  s.file = file;
  return s;
}

}  // namespace

TEST(PageSamples, SectionsFollowTheCommonValuesAndAPageMayHaveSeveral) {
  TestTree tree;
  tree.write(QStringLiteral("s.samples"),
             "# Beispiele\n[*]\nvar user=Lucas\n\n[main.htx anonym]\n[main.htx angemeldet]\ncond login\n"
             "var nr=12\n[lang.htx]\nscroll\n");
  QString error;
  const auto samples = PageSamples::read(tree.file(QStringLiteral("s.samples")), &error);
  ASSERT_TRUE(samples) << error.toStdString();
  const QList<PageSample> list = samples->samplesFor({QStringLiteral("lang.htx"), QStringLiteral("main.htx"),
                                                      QStringLiteral("other.htx")});
  ASSERT_EQ(list.size(), 4);
  EXPECT_TRUE(list[0].scrolls);
  EXPECT_EQ(list[1].label, QStringLiteral("anonym"));
  EXPECT_TRUE(list[1].conditions.isEmpty());
  EXPECT_EQ(list[2].label, QStringLiteral("angemeldet"));
  EXPECT_EQ(list[2].conditions, QStringList{QStringLiteral("login")});
  ASSERT_EQ(list[2].variables.size(), 2);
  EXPECT_EQ(list[2].variables[0], (QPair<QString, QString>{QStringLiteral("user"), QStringLiteral("Lucas")}));
  EXPECT_EQ(list[2].variables[1].second, QStringLiteral("12"));
  // A page without a section is drawn once, with the common values only.
  EXPECT_EQ(list[3].file, QStringLiteral("other.htx"));
  EXPECT_EQ(list[3].variables.size(), 1);
  EXPECT_FALSE(list[3].scrolls);
}

TEST(PageSamples, ALineOfNoKnownFormIsRefusedWithItsNumber) {
  TestTree tree;
  tree.write(QStringLiteral("a.samples"), "[main.htx]\nvar user=Lucas\nfarbe rot\n");
  tree.write(QStringLiteral("b.samples"), "var user=Lucas\n");
  QString error;
  EXPECT_FALSE(PageSamples::read(tree.file(QStringLiteral("a.samples")), &error));
  EXPECT_TRUE(error.endsWith(QStringLiteral("Zeile 3: farbe rot"))) << error.toStdString();
  EXPECT_FALSE(PageSamples::read(tree.file(QStringLiteral("b.samples")), &error));  // outside a section
  EXPECT_FALSE(PageSamples::read(tree.file(QStringLiteral("missing.samples")), &error));
}

TEST(PageSamples, ASizeLineSetsTheWindowOfItsSectionOrOfEverySample) {
  TestTree tree;
  tree.write(QStringLiteral("s.samples"),
             "[*]\nsize 480x440\n[klein.htx]\nsize 320x290\n[gross.htx]\nvar a=b\n");
  QString error;
  const auto samples = PageSamples::read(tree.file(QStringLiteral("s.samples")), &error);
  ASSERT_TRUE(samples) << error.toStdString();
  const QList<PageSample> list = samples->samplesFor(
      {QStringLiteral("gross.htx"), QStringLiteral("klein.htx"), QStringLiteral("ohne.htx")});
  ASSERT_EQ(list.size(), 3);
  EXPECT_EQ(list[0].size, QSize(480, 440));  // from [*]
  EXPECT_EQ(list[1].size, QSize(320, 290));  // its own
  EXPECT_EQ(list[2].size, QSize(480, 440));  // a page without a section

  // Without any size line a sample keeps the trainer's window.
  tree.write(QStringLiteral("t.samples"), "[a.htx]\nvar a=b\n");
  const auto plainSamples = PageSamples::read(tree.file(QStringLiteral("t.samples")), &error);
  ASSERT_TRUE(plainSamples);
  EXPECT_TRUE(plainSamples->samplesFor({QStringLiteral("a.htx")})[0].size.isEmpty());
}

TEST(PageSamples, ASizeThatCannotBeReadIsRefusedWithItsLine) {
  for (const char* bad : {"size 320", "size 320x", "size x290", "size 0x290", "size 320x0", "size 320 x 290",
                          "size 5000x290", "size -320x290", "size 320x290px"}) {
    TestTree tree;
    tree.write(QStringLiteral("s.samples"), QByteArray("[a.htx]\n") + bad + "\n");
    QString error;
    EXPECT_FALSE(PageSamples::read(tree.file(QStringLiteral("s.samples")), &error)) << bad;
    EXPECT_TRUE(error.endsWith(QStringLiteral("Zeile 2: ") + QString::fromUtf8(bad))) << error.toStdString();
  }
  EXPECT_EQ(ReadPageSize(QStringLiteral(" 4000x1 ")), QSize(4000, 1));
}

TEST(PageCheck, FindsATallPageSmallTextTextPastTheEdgeUnsetVariablesAndMessages) {
  TestTree tree;
  writePage(tree, QStringLiteral("ok.htx"), "<font size=3>Hola <b>$[user]</b>");
  writePage(tree, QStringLiteral("undefined.htx"), "Hola $[nadie]");
  writePage(tree, QStringLiteral("tall.htx"), "<box coords=40,560,700>Ganz unten<p>und noch tiefer<p>und tiefer");
  writePage(tree, QStringLiteral("small.htx"), "<font size=1>Kleingedrucktes");
  writePage(tree, QStringLiteral("wide.htx"), "<box coords=700,100,400 align=l>Donaudampfschifffahrt");
  writePage(tree, QStringLiteral("include.htx"), "<include href=\"fehlt.inc\">Text");
  writePage(tree, QStringLiteral("entity.htx"), "Gelernt &nbsp;\xC2\xB7&nbsp; Statistik");

  PageSample ok = plain(QStringLiteral("ok.htx"));
  ok.variables.append({QStringLiteral("user"), QStringLiteral("Lucas")});
  const SampledPage drawn = DrawSample(tree.path(), ok);
  EXPECT_TRUE(drawn.problems.isEmpty()) << drawn.problems.join(QLatin1Char('\n')).toStdString();
  EXPECT_EQ(drawn.image.size(), QSize(800, 572));

  // Each faulty page yields exactly one problem, named by what is wrong.
  const std::pair<const char*, const char*> faulty[] = {
      {"tall.htx", "höher als das Fenster"}, {"small.htx", "nur 11 Pixel"},   {"wide.htx", "rechten Rand"},
      {"undefined.htx", "ohne Wert"},       {"entity.htx", "als Namen"},
      {"include.htx", "INCLUDE-Datei wurde nicht gefunden"}};
  for (const auto& [file, what] : faulty) {
    const QStringList problems = DrawSample(tree.path(), plain(QString::fromUtf8(file))).problems;
    ASSERT_EQ(problems.size(), 1) << file;
    EXPECT_TRUE(problems[0].contains(QString::fromUtf8(what))) << problems[0].toStdString();
  }
  // A page meant to scroll may be taller than the window.
  PageSample scrolling = plain(QStringLiteral("tall.htx"));
  scrolling.scrolls = true;
  EXPECT_TRUE(DrawSample(tree.path(), scrolling).problems.isEmpty());
}

TEST(PageCheck, ASampleWithASizeIsBuiltDrawnAndCheckedInAWindowOfThatSize) {
  TestTree tree;
  // A grey band anchored 50 pixels before the right edge, its text in the band.
  writePage(tree, QStringLiteral("anchored.htx"),
            "<body bgcolor=#ff0000><box coords=-10050,0,50,0 color=#808080><font size=2>ok");
  writePage(tree, QStringLiteral("wide.htx"), "<box coords=200,20,400 align=l><font size=3>Donaudampfschifffahrt");
  writePage(tree, QStringLiteral("tall.htx"), "<box coords=20,280,200><font size=3>unten");

  PageSample small = plain(QStringLiteral("anchored.htx"));
  small.size = QSize(320, 290);
  const SampledPage drawn = DrawSample(tree.path(), small);
  EXPECT_TRUE(drawn.problems.isEmpty()) << drawn.problems.join(QLatin1Char('\n')).toStdString();
  ASSERT_EQ(drawn.image.size(), QSize(320, 290));
  EXPECT_EQ(drawn.image.pixelColor(260, 200), QColor(255, 0, 0));
  EXPECT_EQ(drawn.image.pixelColor(280, 200), QColor(128, 128, 128));
  EXPECT_EQ(drawn.image.pixelColor(280, 289), QColor(128, 128, 128));  // the band reaches the bottom edge

  // What fits the trainer's window runs past the right edge or below the
  // bottom of the small one.
  for (const char* file : {"wide.htx", "tall.htx"}) {
    PageSample s = plain(QString::fromUtf8(file));
    EXPECT_TRUE(DrawSample(tree.path(), s).problems.isEmpty()) << file;
    s.size = QSize(320, 290);
    const QStringList problems = DrawSample(tree.path(), s).problems;
    ASSERT_EQ(problems.size(), 1) << file;
    EXPECT_TRUE(problems[0].contains(file == std::string("wide.htx") ? QStringLiteral("rechten Rand")
                                                                     : QStringLiteral("(290)")))
        << problems[0].toStdString();
  }
}

TEST(PageCheck, TheContactSheetHoldsEveryPageAtHalfSize) {
  TestTree tree;
  writePage(tree, QStringLiteral("a.htx"), "<body bgcolor=#ff0000>A");
  QList<SampledPage> pages;
  for (int i = 0; i < 5; ++i) pages.append(DrawSample(tree.path(), plain(QStringLiteral("a.htx"))));
  const QImage sheet = ContactSheet(pages, 4);
  // Two rows of four cells, 400 x 286 each, with gaps and a name line.
  EXPECT_EQ(sheet.width(), 12 + 4 * (400 + 12));
  EXPECT_EQ(sheet.height(), 12 + 2 * (286 + 22 + 12));
  EXPECT_EQ(sheet.pixelColor(12 + 200, 12 + 200), QColor(255, 0, 0));
  EXPECT_EQ(sheet.pixelColor(12 + 200, 12 + 320 + 200), QColor(255, 0, 0));
  EXPECT_NE(sheet.pixelColor(12 + 412 + 200, 12 + 320 + 200), QColor(255, 0, 0));  // no fifth cell in row two
}

TEST(PageCheck, OnTheContactSheetASmallPageStandsInTheCornerOfItsCellAndALargeOneIsScaledDown) {
  TestTree tree;
  writePage(tree, QStringLiteral("a.htx"), "<body bgcolor=#ff0000>A");
  PageSample small = plain(QStringLiteral("a.htx"));
  small.size = QSize(320, 290);
  PageSample large = small;
  large.size = QSize(1600, 572);
  const QImage sheet = ContactSheet({DrawSample(tree.path(), small), DrawSample(tree.path(), large)}, 2);
  EXPECT_EQ(sheet.width(), 12 + 2 * (400 + 12));
  EXPECT_EQ(sheet.height(), 12 + 286 + 22 + 12);
  // 160 x 145 at the top left of the first cell, the rest of it empty.
  EXPECT_EQ(sheet.pixelColor(12 + 150, 12 + 140), QColor(255, 0, 0));
  EXPECT_NE(sheet.pixelColor(12 + 170, 12 + 140), QColor(255, 0, 0));
  EXPECT_NE(sheet.pixelColor(12 + 150, 12 + 150), QColor(255, 0, 0));
  // Twice as wide as the window: the whole cell wide, half as high as at half size.
  EXPECT_EQ(sheet.pixelColor(12 + 412 + 395, 12 + 140), QColor(255, 0, 0));
  EXPECT_NE(sheet.pixelColor(12 + 412 + 200, 12 + 150), QColor(255, 0, 0));
}
