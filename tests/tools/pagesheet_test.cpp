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
