// Starting and stopping a presentation: the mode of the vocabulary
// settings, the check for active records, the music, the page command
// "stop", and what the shell refuses while a presentation runs.

#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include "common/loopstate.h"
#include "common/msclock.h"
#include "common/pagecommanddispatcher.h"
#include "common/pagecommandtable.h"
#include "common/zstream.h"
#include "sound/music.h"
#include "superlearning/presentationtexts.h"
#include "superlearning/supercommands.h"
#include "superlearning/tsuperoptions.h"
#include "superlearning/tsuperpresentation.h"
#include "pages/txpage.h"
#include "trainer/tmain.h"
#include "vocabulary/vocabularytestsupport.h"

namespace {

using namespace Qt::StringLiterals;
using O = SuperOption;

struct Presentation : VocabularyFixture {
  Presentation() : options(env), presentation(options, library, nullptr, loops) {
    library.Add(record(u"casa"_s, u"Haus"_s));
    options.SetValue(O::KlassikFaktor, 500);
    options.SetFlag(O::Musik, false);
    presentation.ShowVocabularyPage = [this] { ++vocabularyPages; };
    RegisterSuperCommands(table, presentation, options, nullptr, [this] { ++vocabularyPages; });
    table.Add(21, PageCommandTable::Exact(u"stop"_s), [this](const QString&) { loops.StopPresentation(); },
              PageCommandTable::DuringLoop::Now);
  }
  void mode(const QString& name) { library.Einstellungen.SetModus(TVocEinstellungen::ModeIndex(name)); }

  ManualClock clock;  // the fades take no real time; the window's 100 ms timer does
  MsClock::Replace replace{clock};
  LoopState loops;
  TSuperOptions options;
  TSuperPresentation presentation;
  PageCommandTable table;
  PageCommandDispatcher dispatcher{table, &loops};
  int vocabularyPages = 0;
};

}  // namespace

TEST(SuperPresentation, BothFadingModesRunUntilStoppedThenTheVocabularyPageReturns) {
  for (const QString& name : {u"klassisch"_s, u"abgedreht"_s}) {
    SCOPED_TRACE(name.toStdString());
    Presentation t;
    t.mode(name);
    t.options.SetValue(O::TextDelay, 0);
    bool ranDuring = false;
    int shownSteps = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      ranDuring = ranDuring || t.loops.Running();
      ++shownSteps;
      // The page command, as a page of the shell would send it, after a few ticks.
      if (shownSteps == 6) t.dispatcher.Run(u"stop"_s);
    });
    poll.start(50);
    t.dispatcher.Run(u"gosuper"_s);
    poll.stop();
    EXPECT_TRUE(ranDuring);
    EXPECT_FALSE(t.loops.Running());
    EXPECT_EQ(t.vocabularyPages, 1);
    EXPECT_TRUE(t.messages.messages().isEmpty());
  }
}

TEST(SuperPresentation, NothingActiveOrAModeStillToComeIsSaidBeforeAnythingStarts) {
  Presentation t;
  t.mode(u"klassisch"_s);
  t.library.Clear(false);
  t.presentation.StartPresentation();
  ASSERT_EQ(t.messages.messages().size(), 1);
  EXPECT_EQ(t.messages.messages()[0].text, PresentationTexts::kNoneActive);
  EXPECT_EQ(t.vocabularyPages, 0);

  Presentation later;
  later.mode(u"techno"_s);
  later.presentation.StartPresentation();
  ASSERT_EQ(later.messages.messages().size(), 1);
  EXPECT_EQ(later.messages.messages()[0].text, TSuperPresentation::NotYetText(u"techno"_s));

  Presentation query;
  query.mode(u"abfragen"_s);
  query.presentation.StartPresentation();
  EXPECT_EQ(query.vocabularyPages, 1);
  EXPECT_TRUE(query.messages.messages().isEmpty());

  // A game begins on its introduction page, and the vocabulary page waits.
  Presentation game;
  QStringList pages;
  game.presentation.ShowCoursePage = [&pages](const QString& page) { pages << page; };
  game.mode(u"vegas"_s);
  game.presentation.StartPresentation();
  EXPECT_EQ(pages, QStringList{u"vegas/intro.htx"_s});
  EXPECT_EQ(game.vocabularyPages, 0);
  EXPECT_TRUE(game.messages.messages().isEmpty());
}

TEST(SuperPresentation, TheShellKeepsItsWindowModeWhileAPresentationRuns) {
  TestTree program;
  ScopedConfigHome home;
  SettingsStore store;
  MessageRecorder messages;
  program.write(u"hzvk/main.htx"_s, ZStream::compress("Start"));
  Environment env(program.path(), store);
  env.ReadDirectorySettings();
  TMain main(env, nullptr, nullptr);
  main.ShowStartPage();
  const bool framed = env.WindowMode;

  struct Idle : RunningLoop {
    void Stop() override { stopped = true; }
    bool stopped = false;
  } loop;
  {
    const LoopState::Scope running(main.Loops(), loop);
    QTest::keyClick(main.XPage(), Qt::Key_F5);
    EXPECT_EQ(env.WindowMode, framed) << "F5 is refused";
    main.close();  // closing stops the presentation first
    EXPECT_TRUE(loop.stopped);
  }
  QTest::keyClick(main.XPage(), Qt::Key_F5);
  EXPECT_NE(env.WindowMode, framed);
}
