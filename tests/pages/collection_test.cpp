// Exercise collections: posing without repeats, the EX links, "#next" and
// "+", and the collection that comes with the course.
#include <gtest/gtest.h>

#include <QFile>
#include <QTest>

#include "common/messagerecorder.h"
#include "common/random.h"
#include "common/textcodec.h"
#include "htxtool/coursestage.h"
#include "pages/exercisecollection.h"
#include "pages/pagetestsupport.h"
#include "pages/txpage.h"
#include "testsupport.h"

namespace {

TExerciseCollection collectionOf(int exercises) {
  TExerciseCollection c;
  for (int i = 0; i < exercises; ++i) c.Exercises << QStringLiteral("Aufgabe %1").arg(i);
  c.ExercisePick = 1000;
  return c;
}

bool hasWord(const TXPage& page, const QString& word) {
  for (const TXText& t : page.Document())
    if (t.Text == word) return true;
  return false;
}

}  // namespace

TEST(ExerciseCollection, PosesNoExerciseTwiceAmongTheLastTwenty) {
  Random::seed(3);
  TExerciseCollection c = collectionOf(30);
  QList<int> posed;
  for (int i = 0; i < 300; ++i) {
    const int index = c.PoseNext();
    ASSERT_GE(index, 0);
    ASSERT_LT(index, 30);
    EXPECT_EQ(c.Current, index);
    EXPECT_FALSE(posed.mid(std::max<qsizetype>(0, posed.size() - 20)).contains(index)) << "pose " << i;
    posed << index;
  }
  EXPECT_EQ(c.ExercisePick, 700);
  EXPECT_EQ(c.RecentlyPosed, posed.mid(posed.size() - 20));
}

TEST(ExerciseCollection, FewerThanTwentyExercisesComeAgainInTurn) {
  Random::seed(4);
  TExerciseCollection c = collectionOf(5);
  QList<int> posed;
  for (int i = 0; i < 12; ++i) posed << c.PoseNext();
  QList<int> first = posed.mid(0, 5);
  std::sort(first.begin(), first.end());
  EXPECT_EQ(first, (QList<int>{0, 1, 2, 3, 4}));
  // Then always the one posed longest ago.
  for (int i = 5; i < 12; ++i) EXPECT_EQ(posed[i], posed[i - 5]) << i;
  EXPECT_EQ(c.RecentlyPosed.size(), 5);

  TExerciseCollection one = collectionOf(1);
  EXPECT_EQ(one.PoseNext(), 0);
  EXPECT_EQ(one.PoseNext(), 0);

  TExerciseCollection none;
  none.ExercisePick = 3;
  EXPECT_EQ(none.PoseNext(), -1);
  EXPECT_EQ(none.ExercisePick, 3);
}

TEST(ExerciseCollection, ExCallPosesNextAndWeiterLeadsOn) {
  TestTree dir;
  dir.write(QStringLiteral("uebungen.zvk"),
            "ZVK!05<title>Aufgaben</title><p><if #ex>\xDC" "bung</if> <EX>Alfa<EX>Bravo<EX>Charlie</EX>"
            "<p><if #next><a href=\"#next\">n\xE4" "chste</a><else><a href=\"+\">fertig</a></if>");
  dir.write(QStringLiteral("start.htm"), "Start");
  dir.write(QStringLiteral("ende.htm"), "Ende");
  MessageRecorder messages;
  TXPage page;
  page.setXPath(dir.path());
  ASSERT_TRUE(page.setXFile(QStringLiteral("start.htm")));
  page.FollowLink(QStringLiteral("EX PICK=2 FILE=uebungen.zvk WEITER=ende.htm"));
  EXPECT_TRUE(messages.messages().isEmpty());
  EXPECT_EQ(page.Aufgaben(), 3);
  EXPECT_EQ(page.PageTitle(), QStringLiteral("Aufgaben"));
  EXPECT_TRUE(hasWord(page, QStringLiteral("Übung")));  // IF #ex holds while an exercise is built
  QString first;
  for (const char* name : {"Alfa", "Bravo", "Charlie"})
    if (hasWord(page, QLatin1String(name))) first = QLatin1String(name);
  ASSERT_FALSE(first.isEmpty());
  EXPECT_EQ(page.state().PageAliases.Value(QStringLiteral("#next")), QStringLiteral("ex"));
  EXPECT_TRUE(hasWord(page, QStringLiteral("nächste")));

  QTest::mouseClick(&page, Qt::LeftButton, Qt::NoModifier, LinkPoint(page, QStringLiteral("ex")));
  EXPECT_FALSE(hasWord(page, first));  // not posed again so soon
  EXPECT_TRUE(hasWord(page, QStringLiteral("fertig")));  // the last one of PICK=2
  EXPECT_FALSE(hasWord(page, QStringLiteral("nächste")));

  QTest::mouseClick(&page, Qt::LeftButton, Qt::NoModifier, LinkPoint(page, QStringLiteral("+")));
  EXPECT_EQ(page.XFile(), QStringLiteral("ende.htm"));
  page.FollowLink(QStringLiteral("-"));
  EXPECT_EQ(page.XFile(), QStringLiteral("start.htm"));
  EXPECT_TRUE(messages.messages().isEmpty());

  // Without PICK the two digits of the file count.
  page.FollowLink(QStringLiteral("EX FILE=uebungen.zvk"));
  EXPECT_EQ(page.state().Exercises.ExercisePick, 4);
}

TEST(ExerciseCollection, MessagesForNoExercisesAndForeignFiles) {
  TestTree dir;
  dir.write(QStringLiteral("fremd.zvk"), "PK\x03\x04 kein Aufgabenheft");
  dir.write(QStringLiteral("leer.zvk"), "ZVK!03nur ein Kopf");
  MessageRecorder messages;
  TXPage page;
  page.setXPath(dir.path());
  page.ShowText(QStringLiteral("Seite"));
  page.FollowLink(QStringLiteral("EX"));
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].text, QStringLiteral("Keine Aufgaben vorhanden!"));
  EXPECT_EQ(messages.messages()[0].kind, MessageKind::Information);

  page.FollowLink(QStringLiteral("EX FILE=fremd.zvk"));
  ASSERT_EQ(messages.messages().size(), 2);
  EXPECT_EQ(messages.messages()[1].text, QStringLiteral("Falsches Format (ID)"));
  EXPECT_TRUE(hasWord(page, QStringLiteral("Seite")));  // the page stays

  page.FollowLink(QStringLiteral("EX FILE=leer.zvk"));
  ASSERT_EQ(messages.messages().size(), 3);
  EXPECT_EQ(messages.messages()[2].text, QStringLiteral("Keine Aufgaben vorhanden!"));
}

TEST(ExerciseCollection, AMultipleChoiceExerciseShowsItsAnswerInTheCollectionPage) {
  TestTree dir;
  dir.write(QStringLiteral("mc.zvk"),
            "ZVK!01<EX><if #ex>Frage:</if> perro <multiple coords=40,100,200,30 dim=2,1 txt=\"Hund|Katze\">"
            "</EX><p><if #next><a href=\"#next\">weiter</a><else><a href=\"+\">fertig</a></if>");
  MessageRecorder messages;
  TXPage page;
  page.setXPath(dir.path());
  page.FollowLink(QStringLiteral("EX FILE=mc.zvk"));
  const int right = static_cast<int>(page.state().Multiple.Answers.indexOf(QStringLiteral("Hund"))) + 1;
  ASSERT_GT(right, 0);
  QTest::mouseClick(&page, Qt::LeftButton, Qt::NoModifier, LinkPoint(page, QStringLiteral("§mchx+@") + QString::number(right)));
  EXPECT_TRUE(page.state().Multiple.Answered);
  // Built again from the collection: header, exercise and footer with its links.
  EXPECT_TRUE(hasWord(page, QStringLiteral("Frage:")));
  EXPECT_TRUE(hasWord(page, QStringLiteral("fertig")));
  EXPECT_TRUE(hasWord(page, QStringLiteral("Hund")));
  for (const QString& name : page.state().Elements.Links.Names) EXPECT_FALSE(name.startsWith(QStringLiteral("§mchx")));
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST(ExerciseCollection, CollectionsAreStagedAsTextOtherZvkFilesAsTheyAre) {
  TestTree src, dst;
  src.write(QStringLiteral("hzvk/uebung.zvk"), "ZVK!02<EX>\xC2\xBFQu\xC3\xA9?\n</EX>");
  const QByteArray database("\x78\x01\x01\x02\x00\xfd\xff\x0a\x0a", 9);
  src.write(QStringLiteral("S_wx.zvk"), database);
  CourseStage stage(src.path(), dst.path());
  ASSERT_TRUE(stage.run()) << stage.errors().join(QLatin1Char('\n')).toStdString();
  EXPECT_EQ(dst.read(QStringLiteral("hzvk/uebung.zvk")), QByteArray("ZVK!02<EX>\xBFQu\xE9?\r\n</EX>\r\n"));
  EXPECT_EQ(dst.read(QStringLiteral("S_wx.zvk")), database);
}

TEST(ExerciseCollection, TheCourseCollectionBuildsEveryExercise) {
  QFile file(QStringLiteral(ZVK_STAGE_DIR "/hzvk/uebung.zvk"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  TExerciseCollection c;
  ASSERT_EQ(c.Load(file.readAll()), TExerciseCollection::LoadResult::Loaded);
  ASSERT_GE(c.Count(), 6);
  for (int i = 0; i < c.Count(); ++i) {
    MessageRecorder messages;
    TXPage page;
    page.setXPath(QStringLiteral(ZVK_STAGE_DIR "/hzvk"));
    page.ShowText(c.ExercisePage(i));
    EXPECT_TRUE(messages.messages().isEmpty()) << i;
    // Every exercise asks something: a gap or answers to choose from.
    EXPECT_TRUE(!page.GapEditors().empty() || !page.state().Multiple.Answers.isEmpty()) << i;
    EXPECT_FALSE(page.Document().empty());
  }
}
