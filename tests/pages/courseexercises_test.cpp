// The exercise pages of the bundled course can be played to the end.
#include <gtest/gtest.h>

#include <QTest>

#include "common/messagerecorder.h"
#include "common/random.h"
#include "pages/pagetestsupport.h"
#include "pages/txpage.h"
#include "pages/txrichedit.h"

namespace {

struct CoursePage {
  CoursePage() {
    Random::seed(11);
    page.GlideStepMs = 0;
    page.SwapPauseMs = 0;
    page.setXPath(QStringLiteral(ZVK_STAGE_DIR "/hzvk"));
    page.OnSolved = [this](TXPage*, bool& doReact) {
      solved << doReact;
      doReact = false;
    };
  }
  MessageRecorder messages;
  TXPage page;
  QList<bool> solved;
};

}  // namespace

TEST(CourseExercises, EveryPageCanBeSolved) {
  for (const char* name : {"uebung1.htx", "uebung2.htx", "uebung3.htx", "technik3.htx"}) {
    CoursePage p;
    ASSERT_TRUE(p.page.setXFile(QLatin1String(name))) << name;
    EXPECT_FALSE(p.page.Solved()) << name;
    p.page.ShowSolutions();
    EXPECT_TRUE(p.page.Solved()) << name;
    EXPECT_EQ(p.solved, QList<bool>{false}) << name;
    EXPECT_TRUE(p.messages.messages().isEmpty()) << name;
  }
}

TEST(CourseExercises, TypingTheAnswersOfTheFirstExercise) {
  CoursePage p;
  ASSERT_TRUE(p.page.setXFile(QStringLiteral("uebung1.htx")));
  const QStringList answers{QStringLiteral("soy"), QStringLiteral("eres"), QStringLiteral("somos"),
                            QStringLiteral("son"), QStringLiteral("el cafe")};
  ASSERT_EQ(p.page.GapEditors().size(), 5u);
  for (int i = 0; i < 5; ++i) {
    TXRichEdit* e = p.page.GapEditors()[static_cast<size_t>(i)];
    QTest::keyClicks(e, answers[i]);
    if (i == 4) QTest::keyClick(e, Qt::Key_F1);  // the accent on "café"
    QTest::keyClick(e, Qt::Key_Return);
    EXPECT_TRUE(e->Done()) << i;
  }
  EXPECT_EQ(p.solved, QList<bool>{true});

  // The question with a page of its own.
  ASSERT_TRUE(p.page.setXFile(QStringLiteral("uebung1b.htx")));
  TXRichEdit* e = p.page.GapEditors().at(0);
  QTest::keyClicks(e, QStringLiteral("buenos di"));
  QTest::keyClick(e, Qt::Key_F1);
  QTest::keyClicks(e, QStringLiteral("as"));
  QTest::keyClick(e, Qt::Key_Return);
  EXPECT_EQ(p.page.XFile(), QStringLiteral("uebung1c.htx"));
  EXPECT_TRUE(p.messages.messages().isEmpty());
}

TEST(CourseExercises, TheExerciseBookPosesFiveAndLeadsBack) {
  CoursePage p;
  ASSERT_TRUE(p.page.setXFile(QStringLiteral("uebung4.htx")));
  QTest::mouseClick(&p.page, Qt::LeftButton, Qt::NoModifier, LinkPoint(p.page, QStringLiteral("EX PICK=5"), true));
  EXPECT_EQ(p.page.Aufgaben(), 8);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(p.page.PageTitle(), QStringLiteral("Aufgabenheft"));
    QTest::mouseClick(&p.page, Qt::LeftButton, Qt::NoModifier, LinkPoint(p.page, QStringLiteral("#next"), true));
  }
  QTest::mouseClick(&p.page, Qt::LeftButton, Qt::NoModifier, LinkPoint(p.page, QStringLiteral("+"), true));
  EXPECT_EQ(p.page.XFile(), QStringLiteral("uebungen.htx"));
  EXPECT_EQ(p.page.state().Exercises.RecentlyPosed.size(), 5);
  QList<int> distinct = p.page.state().Exercises.RecentlyPosed;
  std::sort(distinct.begin(), distinct.end());
  EXPECT_EQ(std::unique(distinct.begin(), distinct.end()), distinct.end());
  EXPECT_TRUE(p.messages.messages().isEmpty());
}
