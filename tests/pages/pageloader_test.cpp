#include <gtest/gtest.h>

#include <QDir>

#include "pages/pagepaths.h"
#include "pages/pagetestsupport.h"

TEST(PageLoader, ReadsCompressedAndPlainPagesAndKeepsHistory) {
  PageFixture f;
  f.writePage(QStringLiteral("hzvk/main.htx"), "<title>Start</title>Hola");
  f.writePage(QStringLiteral("hzvk/info.htm"), "Adi\xF3s");  // Windows-1252, no final line end
  ASSERT_TRUE(f.loader.OpenFile(QStringLiteral("hzvk\\main.htx")));
  EXPECT_EQ(f.texts(), QStringList{QStringLiteral("Hola")});
  EXPECT_EQ(f.page.PageTitle, QStringLiteral("Start"));
  EXPECT_EQ(f.page.XPath, f.dir.file(QStringLiteral("hzvk/")));
  EXPECT_EQ(f.page.XFile, QStringLiteral("main.htx"));

  ASSERT_TRUE(f.loader.OpenFile(QStringLiteral("info.htm")));  // relative to the page's directory now
  EXPECT_EQ(f.texts(), QStringList{QStringLiteral("Adiós")});
  EXPECT_EQ(f.page.PageTitle, QStringLiteral("ohne Titel"));
  ASSERT_TRUE(f.loader.OpenFile(QStringLiteral("info.htm")));
  EXPECT_EQ(f.page.History, (QStringList{f.dir.file(QStringLiteral("hzvk/main.htx")),
                                         f.dir.file(QStringLiteral("hzvk/info.htm"))}));
  EXPECT_TRUE(f.messages.messages().isEmpty());
}

TEST(PageLoader, MissingAndDamagedFilesLeaveTheOldPage) {
  PageFixture f;
  f.writePage(QStringLiteral("a.htx"), "alt");
  f.dir.write(QStringLiteral("kaputt.htx"), "\x78\x01 kein zlib");
  ASSERT_TRUE(f.loader.OpenFile(QStringLiteral("a.htx")));

  EXPECT_FALSE(f.loader.OpenFile(QStringLiteral("fehlt.htx")));
  ASSERT_EQ(f.messages.messages().size(), 1);
  EXPECT_EQ(f.messages.messages()[0].kind, MessageKind::Stop);
  EXPECT_EQ(f.messages.messages()[0].text,
            QStringLiteral("Die Datei \"") + f.dir.file(QStringLiteral("fehlt.htx")) + QStringLiteral("\" wurde nicht gefunden!"));

  EXPECT_FALSE(f.loader.OpenFile(QStringLiteral("kaputt.htx")));
  ASSERT_EQ(f.messages.messages().size(), 2);
  EXPECT_EQ(f.messages.messages()[1].kind, MessageKind::Warning);
  EXPECT_TRUE(f.messages.messages()[1].text.contains(QStringLiteral("beschädigt")));
  EXPECT_EQ(f.texts(), QStringList{QStringLiteral("alt")});
  EXPECT_EQ(f.page.XFile, QStringLiteral("a.htx"));
  EXPECT_EQ(f.page.History.size(), 1);
}

TEST(PageLoader, FindsPagesWhoseNamesDifferInCase) {
  PageFixture f;
  f.writePage(QStringLiteral("Kurs/Lektion01.htx"), "uno");
  ASSERT_TRUE(f.loader.OpenFile(QStringLiteral("kurs\\lektion01.htx")));
  EXPECT_EQ(f.texts(), QStringList{QStringLiteral("uno")});
}

TEST(PageLoader, XPathFallsBackToTheProgramDirectory) {
  PageFixture f;
  f.loader.SetXPath(f.dir.file(QStringLiteral("gibtsnicht")));
  EXPECT_EQ(f.page.XPath, f.dir.path());
  f.dir.mkdir(QStringLiteral("sub"));
  f.loader.SetXPath(f.dir.file(QStringLiteral("sub")));
  EXPECT_EQ(f.page.XPath, f.dir.file(QStringLiteral("sub/")));
}

TEST(PageLoader, ExerciseCollections) {
  PageFixture f;
  f.dir.write(QStringLiteral("ueb.zvk"), "ZVK!03<h1>Kopf</h1><EX>uno<EX>dos<EX>tres</EX><p>Fuss");
  ASSERT_TRUE(f.loader.OpenFile(QStringLiteral("ueb.zvk")));
  const TExerciseCollection& c = f.page.Exercises;
  EXPECT_EQ(c.Count(), 3);
  EXPECT_EQ(c.FilePick, 3);
  EXPECT_EQ(c.Header, QStringLiteral("<h1>Kopf</h1>"));
  EXPECT_EQ(c.Exercises, (QStringList{QStringLiteral("uno"), QStringLiteral("dos"), QStringLiteral("tres")}));
  EXPECT_EQ(c.Footer, QStringLiteral("<p>Fuss\r"));
  EXPECT_EQ(c.ExercisePage(1), QStringLiteral("<h1>Kopf</h1>dos<p>Fuss\r"));

  TExerciseCollection copy;
  ASSERT_EQ(copy.Load(c.ToFileBytes()), TExerciseCollection::LoadResult::Loaded);
  EXPECT_EQ(copy.Exercises, c.Exercises);
  EXPECT_EQ(copy.Footer, c.Footer);

  // Without "</EX>" the exercises run to the end; a short file gives what is there.
  TExerciseCollection open;
  open.Load("ZVK!05Kopf<EX>eins<EX>zwei");
  EXPECT_EQ(open.Exercises, (QStringList{QStringLiteral("eins"), QStringLiteral("zwei")}));
  EXPECT_TRUE(open.Footer.isEmpty());
  TExerciseCollection tiny;
  EXPECT_EQ(tiny.Load("ZVK!"), TExerciseCollection::LoadResult::Loaded);
  EXPECT_EQ(tiny.Count(), 0);

  f.dir.write(QStringLiteral("falsch.zvk"), "ZVK?03<EX>x</EX>");
  EXPECT_FALSE(f.loader.OpenFile(QStringLiteral("falsch.zvk")));
  ASSERT_FALSE(f.messages.messages().isEmpty());
  EXPECT_EQ(f.messages.messages().last().text, QStringLiteral("Falsches Format (ID)"));
  EXPECT_EQ(f.page.Exercises.Count(), 3);  // the loaded collection stays
}

TEST(PagePaths, ResolvesReferencesAgainstThePageDirectory) {
  const QString x = QStringLiteral("/kurs/hzvk/lektion/");
  EXPECT_EQ(PagePaths::ResolvePath(QString(), x), QString());
  EXPECT_EQ(PagePaths::ResolvePath(QStringLiteral("bilder\\a.jpg"), x), QStringLiteral("/kurs/hzvk/lektion/bilder/a.jpg"));
  EXPECT_EQ(PagePaths::ResolvePath(QStringLiteral("bilder/a.jpg@Ein Haus"), x), QStringLiteral("/kurs/hzvk/lektion/bilder/a.jpg"));
  EXPECT_EQ(PagePaths::ResolvePath(QStringLiteral("*logo.jpg"), x), QStringLiteral("*/kurs/hzvk/lektion/logo.jpg"));
  EXPECT_EQ(PagePaths::ResolvePath(QStringLiteral("..\\main.htx"), x), QStringLiteral("/kurs/hzvk/main.htx"));
  EXPECT_EQ(PagePaths::ResolvePath(QStringLiteral("..\\..\\..\\..\\..\\x.htx"), x), QStringLiteral("/x.htx"));
  EXPECT_EQ(PagePaths::ResolvePath(QStringLiteral("\\start.htx"), x), QStringLiteral("/kurs/hzvk/lektion/start.htx"));
  EXPECT_EQ(PagePaths::ResolvePath(QStringLiteral("EX PICK=3 FILE=ueb.zvk WEITER=x"), x),
            QStringLiteral("/kurs/hzvk/lektion/ueb.zvk"));
  EXPECT_EQ(PagePaths::ResolvePath(QStringLiteral("ex pick=3"), x), QString());
  EXPECT_EQ(PagePaths::ResolvePath(QStringLiteral("C:\\kurs\\a.htx"), x), QStringLiteral("C:/kurs/a.htx"));
  // An existing absolute native path stands as it is.
  EXPECT_EQ(PagePaths::ResolvePath(QDir::tempPath(), x), QDir::tempPath());
}

TEST(PagePaths, PageNumberAliasesFindTheNeighbours) {
  TestTree t;
  t.write(QStringLiteral("vok09.htx"));
  t.write(QStringLiteral("vok10.htx"));
  t.write(QStringLiteral("s8.htx"));
  const auto next = PagePaths::PageNumberAlias(QStringLiteral("!+@Weiter"), QStringLiteral("vok09.htx"), t.path());
  EXPECT_TRUE(next.exists);
  EXPECT_EQ(next.condition, QStringLiteral("next"));
  EXPECT_EQ(next.path, t.file(QStringLiteral("vok10.htx")) + QStringLiteral("@Weiter"));
  const auto prev = PagePaths::PageNumberAlias(QStringLiteral("!-"), QStringLiteral("s9.htx"), t.path());
  EXPECT_EQ(prev.path, t.file(QStringLiteral("s8.htx")));
  EXPECT_EQ(prev.condition, QStringLiteral("prev"));
  const auto none = PagePaths::PageNumberAlias(QStringLiteral("!+"), QStringLiteral("vok10.htx"), t.path());
  EXPECT_FALSE(none.exists);
  EXPECT_TRUE(none.path.isEmpty());
}
