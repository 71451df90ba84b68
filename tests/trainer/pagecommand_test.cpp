#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>
#include <tuple>

#include "common/loopstate.h"
#include "common/messagerecorder.h"
#include "common/pagecommanddispatcher.h"
#include "common/pagecommandtable.h"
#include "vocabulary/tvoceinstellungen.h"

namespace {

using T = PageCommandTable;

// A command table with rows as the subsystems register them, each row
// writing what it was asked into calls. Rows are added out of order on
// purpose: the numbers decide.
struct Rows {
  PageCommandTable table;
  QStringList calls;
  bool verbs = true;
  bool loggedIn = false;
  int currentVerb = -1;
  std::function<void()> onStop;

  void add(const QString& c) { calls << c; }
  void row(int number, T::Matcher m, std::function<void(const QString&)> run,
           T::DuringLoop loop = T::DuringLoop::Queue) {
    table.Add(number, std::move(m), std::move(run), loop);
  }

  Rows() {
    // The vocabulary's rows.
    row(45, T::Exact(u"goabfrage"_qs), [this](const QString&) { add(u"abfrage"_qs); }, T::DuringLoop::Refuse);
    row(44, T::Exact(u"vstart"_qs), [this](const QString&) { add(u"vstart"_qs); });
    row(41, T::FirstChars(u"sm="_qs), [this](const QString& c) {
      add(QStringLiteral("modus %1").arg(TVocEinstellungen::ModeIndex(c.mid(3))));
      add(u"vstart"_qs);
    });
    row(39, T::FirstChars(u"dir="_qs), [this](const QString& c) {
      add(u"auswahl "_qs + c.mid(4));
      add(u"vstart"_qs);
    });
    row(35, T::StartsWith(u"vokabel"_qs), [this](const QString& c) { add(u"vokabel "_qs + c.mid(7)); });
    row(33, T::Exact(u"vokabelweiter"_qs), [this](const QString&) { add(u"weiter"_qs); });
    // The language lab's rows.
    row(2, T::Exact({u"+diktat"_qs, u"-diktat"_qs}),
        [this](const QString& c) { add(QStringLiteral("diktat %1").arg(c[0] == u'+')); });
    row(4, T::Exact(u"lab"_qs), [this](const QString&) { add(u"lab"_qs); });
    row(5, [](const QString& c) { return c.size() > 3 && c.startsWith(u"lab"_qs) && c.endsWith(u'+'); },
        [this](const QString&) { add(u"labresult 1"_qs); });
    row(6, T::Exact(u"lab-"_qs), [this](const QString&) { add(u"labresult 0"_qs); });
    row(9, T::FirstChars(u"thema"_qs), [this](const QString& c) {
      if (const auto n = T::NumberAt(c, 6, 7)) add(QStringLiteral("thema %1").arg(*n));
    });
    // The verb trainer's rows.
    row(10, [](const QString& c) { return c.size() > 3 && c.mid(1, 2) == u"vv"_qs; }, [this](const QString& c) {
      const auto n = T::NumberAt(c, 4, 6);
      if (verbs && n) add(QStringLiteral("verb %1 %2").arg(*n).arg(c[0] == u'+'));
    });
    row(11, [](const QString& c) { return c.size() > 3 && c.mid(1, 2) == u"vz"_qs; }, [this](const QString& c) {
      const auto n = T::NumberAt(c, 4, 6);
      if (verbs && n) add(QStringLiteral("zeit %1 %2").arg(*n).arg(c[0] == u'+'));
    });
    row(15, T::FirstChars(u"vman"_qs), [this](const QString& c) {
      if (verbs) add(QStringLiteral("vman %1").arg(c.size() > 4 ? T::NumberAt(c, 5, 7).value_or(0) : 0));
    });
    row(27, T::StartsWith(u"showverb"_qs), [this](const QString& c) {
      if (const auto n = T::NumberAt(c, 9)) add(QStringLiteral("tafel %1").arg(currentVerb = *n));
    });
    row(28, T::Exact(u"vtafel"_qs), [this](const QString&) {
      if (currentVerb >= 0) add(QStringLiteral("tafel %1").arg(currentVerb));
    });
    row(29, T::Exact(u"verb"_qs), [this](const QString&) { add(u"verbabfrage"_qs); }, T::DuringLoop::Refuse);
    row(32, T::StartsWith(u"verb"_qs), [this](const QString& c) { add(u"antwort "_qs + c.mid(4)); });
    row(37, T::Exact({u"vt1"_qs, u"vt2"_qs, u"vt3"_qs}),
        [this](const QString& c) { add(u"vt "_qs + c[2]); });
    // The games' and the dictionary's rows.
    row(18, T::Exact(u"hmfree"_qs), [this](const QString&) { add(u"hmfree"_qs); });
    row(19, T::FirstChars(u"hm"_qs), [this](const QString& c) {
      if (c.size() > 2) add(u"rate "_qs + c[2]);
    }, T::DuringLoop::Now);
    row(21, T::Exact(u"stop"_qs), [this](const QString&) {
      add(u"stop"_qs);
      if (onStop) onStop();
    }, T::DuringLoop::Now);
    row(25, T::StartsWith(u"sr"_qs), [this](const QString& c) {
      if (const auto n = T::NumberAt(c, 3)) add(QStringLiteral("sr %1").arg(*n - 1));
    });
    // The learners' rows and the shell's.
    row(52, T::Exact(u"chpw"_qs), [this](const QString&) {
      if (loggedIn) add(u"chpw"_qs);
    });
    row(54, T::Exact(u"login"_qs), [this](const QString&) { add(u"login"_qs), add(u"refresh"_qs); });
    row(49, T::FirstChars(u"www."_qs), [this](const QString& c) { add(u"web http://"_qs + c); });
    row(59, T::Exact(u"end"_qs), [this](const QString&) { add(u"end"_qs); });
  }
};

QStringList run(const QString& text, Rows& r) {
  PageCommandDispatcher d(r.table);
  d.Run(text);
  return r.calls;
}

}  // namespace

TEST(PageCommand, RowsAreTriedInTheOrderOfTheirNumbers) {
  Rows r;
  int previous = 0;
  for (const T::Row& row : r.table.Rows()) {
    EXPECT_LT(previous, row.Number);
    previous = row.Number;
  }
  // "verb" is taken by row 29 before the answer row 32; "hmfree" by 18 before "hm" + letter.
  EXPECT_EQ(r.table.Find(u"verb"_qs)->Number, 29);
  EXPECT_EQ(r.table.Find(u"verbhablo"_qs)->Number, 32);
  EXPECT_EQ(r.table.Find(u"hmfree"_qs)->Number, 18);
  EXPECT_EQ(r.table.Find(u"vokabelweiter"_qs)->Number, 33);
  EXPECT_EQ(r.table.Find(u"sr"_qs), nullptr);  // "starts with" needs more than the prefix
  EXPECT_EQ(r.table.Find(u"unbekannt"_qs), nullptr);
}

TEST(PageCommand, CommandsRunInOrderSkippingEmptyAndCommentedOnes) {
  Rows r;
  EXPECT_EQ(run(QStringLiteral("+diktat,,#nichts,LAB,VSTART"), r),
            (QStringList{QStringLiteral("diktat 1"), QStringLiteral("lab"), QStringLiteral("vstart")}));
}

TEST(PageCommand, LabAndTopicRows) {
  Rows r;
  run(QStringLiteral("thema 3,thema12x,lab+,labsehr gut+,lab-,labor"), r);
  EXPECT_EQ(r.calls, (QStringList{QStringLiteral("thema 3"), QStringLiteral("thema 12"), QStringLiteral("labresult 1"),
                                  QStringLiteral("labresult 1"), QStringLiteral("labresult 0")}));
}

TEST(PageCommand, NumbersFromFixedPositions) {
  Rows r;
  run(QStringLiteral("+vv12,-vv3,+vz 7,+vvx,vman,vman 40,vmanxx,sr,sr2,showverb5,vtafel"), r);
  EXPECT_EQ(r.calls, (QStringList{QStringLiteral("verb 12 1"), QStringLiteral("verb 3 0"), QStringLiteral("zeit 7 1"),
                                  QStringLiteral("vman 0"), QStringLiteral("vman 40"), QStringLiteral("vman 0"),
                                  QStringLiteral("sr 1"), QStringLiteral("tafel 5"), QStringLiteral("tafel 5")}));
  Rows noVerbs;
  noVerbs.verbs = false;
  EXPECT_TRUE(run(QStringLiteral("+vv1,vman"), noVerbs).isEmpty());  // ignored without the verb trainer
}

TEST(PageCommand, QueriesModesSelectionsAndTheWeb) {
  Rows r;
  run(QStringLiteral("verb,verbhablo,vokabel#2+,vokabelweiter,sm=vegas,sm=quatsch,dir=grundwortschatz\\a.asc,"
                     "vt2,www.example.org,hmx,end"),
      r);
  EXPECT_EQ(r.calls,
            (QStringList{QStringLiteral("verbabfrage"), QStringLiteral("antwort hablo"), QStringLiteral("vokabel #2+"),
                         QStringLiteral("weiter"), QStringLiteral("modus 7"), QStringLiteral("vstart"),
                         QStringLiteral("modus 0"), QStringLiteral("vstart"),
                         QStringLiteral("auswahl grundwortschatz\\a.asc"), QStringLiteral("vstart"), QStringLiteral("vt 2"),
                         QStringLiteral("web http://www.example.org"), QStringLiteral("rate x"), QStringLiteral("end")}));
  EXPECT_EQ(TVocEinstellungen::ModeNames().size(), 10);
}

TEST(PageCommand, UserRowsNeedALearnerAndRefreshAfterLogin) {
  Rows r;
  run(QStringLiteral("chpw,login"), r);
  EXPECT_EQ(r.calls, (QStringList{QStringLiteral("login"), QStringLiteral("refresh")}));
  Rows in;
  in.loggedIn = true;
  EXPECT_EQ(run(QStringLiteral("chpw"), in), QStringList{QStringLiteral("chpw")});
}

TEST(PageCommand, RowsWithTheSameNumberKeepTheOrderTheyWereAddedIn) {
  PageCommandTable table;
  QStringList calls;
  table.Add(7, T::FirstChars(u"a"_qs), [&](const QString&) { calls << u"first"_qs; });
  table.Add(7, T::FirstChars(u"a"_qs), [&](const QString&) { calls << u"second"_qs; });
  table.Add(3, T::Exact(u"ab"_qs), [&](const QString&) { calls << u"three"_qs; });
  PageCommandDispatcher d(table);
  d.Run(u"ab,ax"_qs);
  EXPECT_EQ(calls, (QStringList{u"three"_qs, u"first"_qs}));
}

TEST(PageCommand, ACommandArrivingDuringAnotherWaitsForIt) {
  Rows r;
  PageCommandDispatcher d(r.table);
  r.table.Add(3, T::Exact(u"lab"_qs), [&](const QString&) {
    r.add(QStringLiteral("lab begin"));
    d.Run(QStringLiteral("vstart"));  // as if a click came through while events were processed
    r.add(QStringLiteral("lab end"));
  });
  d.Run(QStringLiteral("lab"));
  EXPECT_EQ(r.calls, (QStringList{QStringLiteral("lab begin"), QStringLiteral("lab end"), QStringLiteral("vstart")}));
}

// --- commands while a presentation or game loop runs -----------------------

namespace {

// A presentation that runs until it is told to stop, letting events through;
// what arrives meanwhile comes from timers, as clicks on the page would.
class StandInLoop : public RunningLoop {
 public:
  explicit StandInLoop(LoopState& loops) : loops_(loops) {}
  void Run(const std::function<void()>& meanwhile) {
    LoopState::Scope scope(loops_, *this);
    stopped_ = false;
    QTimer::singleShot(0, meanwhile);
    while (!stopped_) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  void Stop() override { stopped_ = true; }
  bool KeyDown(QKeyEvent& event) override {
    keys << event.key();
    return true;
  }
  QList<int> keys;

 private:
  LoopState& loops_;
  bool stopped_ = true;
};

// The rows with the running flag, a dispatcher that knows it, and a stand-in
// loop that "stop" ends.
struct LoopRows : Rows {
  LoopRows() { onStop = [this] { loops.StopPresentation(); }; }
  LoopState loops;
  PageCommandDispatcher d{table, &loops};
  StandInLoop game{loops};
};

}  // namespace

TEST(PageCommandDuringLoop, StopAndTheGameRowsRunAtOnceStartsAreRefusedTheRestWaits) {
  LoopRows r;
  auto [loops, d, game] = std::tie(r.loops, r.d, r.game);
  QStringList seenInLoop;
  r.table.Add(43, T::Exact(u"freefall"_qs), [&](const QString&) {
    r.add(u"spiel beginnt"_qs);
    game.Run([&] {
      d.Run(u"hma,vstart,goabfrage,verb,hmfree"_qs);
      seenInLoop = r.calls;
      d.Run(u"STOP"_qs);
    });
    r.add(u"spiel endet"_qs);
  });
  d.Run(u"freefall"_qs);
  // "hm" + letter ran inside the loop; the starts never ran; the rest waited for the loop's end.
  EXPECT_EQ(seenInLoop, (QStringList{u"spiel beginnt"_qs, u"rate a"_qs}));
  EXPECT_EQ(r.calls, (QStringList{u"spiel beginnt"_qs, u"rate a"_qs, u"stop"_qs, u"spiel endet"_qs, u"vstart"_qs,
                                  u"hmfree"_qs}));
  EXPECT_FALSE(loops.Running());
  // After the loop, a start runs again.
  r.calls.clear();
  d.Run(u"goabfrage"_qs);
  EXPECT_EQ(r.calls, QStringList{u"abfrage"_qs});
}

TEST(PageCommandDuringLoop, CommandsWaitingForALoopThatNoCommandStartedRunWhenItEnds) {
  LoopRows r;
  auto [loops, d, show] = std::tie(r.loops, r.d, r.game);
  int ended = 0;
  QObject::connect(&loops, &LoopState::Ended, [&] { ++ended; });
  show.Run([&] {
    d.Run(u"vstart,stop"_qs);
  });
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(r.calls, QStringList{u"stop"_qs});
  // The waiting command runs from the event loop, not inside the presentation's own code.
  QCoreApplication::processEvents();
  EXPECT_EQ(r.calls, (QStringList{u"stop"_qs, u"vstart"_qs}));
}

TEST(PageCommandDuringLoop, StopReachesOnlyTheLoopThatRuns) {
  LoopState loops;
  StandInLoop show(loops);
  loops.StopPresentation();  // nothing runs: nothing happens
  RunningLoop* during = nullptr;
  show.Run([&] {
    during = loops.Current();
    loops.StopPresentation();
  });
  EXPECT_EQ(during, &show);
  EXPECT_EQ(loops.Current(), nullptr);
}
