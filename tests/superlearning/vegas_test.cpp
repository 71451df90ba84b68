// The Las Vegas game in the trainer's main window, played by a script on
// the loop clock: rounds, presses and their judging, energy and score, the
// answers recorded, the special pairs, the highscore table and the ways a
// game ends.

#include <gtest/gtest.h>

#include <QDate>
#include <QSet>
#include <QTest>
#include <algorithm>
#include <functional>
#include <memory>

#include "common/msclock.h"
#include "common/random.h"
#include "common/zstream.h"
#include "pages/txpage.h"
#include "superlearning/gamecommands.h"
#include "superlearning/presentationtexts.h"
#include "superlearning/thighscores.h"
#include "superlearning/tsuperoptions.h"
#include "superlearning/tvegas.h"
#include "superlearning/tvegaslist.h"
#include "trainer/tmain.h"
#include "vocabulary/vocabularyquery.h"
#include "vocabulary/vocabularytestsupport.h"
#include "gametestsupport.h"
#include "trainer/pageclick.h"

namespace {

using namespace Qt::StringLiterals;
using Phase = TVegas::Phase;

QList<TVokabel> vegasRecords() {
  const QStringList words{u"casa"_s, u"perro"_s, u"gato"_s,  u"mesa"_s,  u"libro"_s, u"árbol"_s,
                          u"coche"_s, u"calle"_s, u"playa"_s, u"nube"_s, u"cielo"_s, u"puerta"_s};
  const QStringList meanings{u"Haus"_s,   u"Hund"_s,   u"Katze"_s,  u"Tisch"_s,   u"Buch"_s,   u"Baum"_s,
                             u"Auto"_s, u"Straße"_s, u"Strand"_s, u"Wolke"_s, u"Himmel"_s, u"Tür"_s};
  QList<TVokabel> out;
  for (int i = 0; i < words.size(); ++i) out << record(words[i], meanings[i]);
  return out;
}

struct VegasGame : GameShell {
  explicit VegasGame(const QList<TVokabel>& records = vegasRecords())
      : GameShell(TVocEinstellungen::ModusVegas, u"vegas/"_s, {u"intro"_s, u"start"_s, u"highscore"_s, u"again"_s},
                  records) {
    // The script follows the game from its first frame on.
    QObject::connect(&window->Loops(), &LoopState::Started, [this] {
      if (auto* g = dynamic_cast<TVegas*>(window->Loops().Current())) g->OnFrame = [this, g] { script(*g); };
    });
  }

  void play() { run(u"vegas"_s); }
  int recordedVegasAnswers() const { return recordedAnswers(QLatin1Char('v')); }

  std::function<void(TVegas&)> script = [](TVegas&) {};
};

}  // namespace

TEST(VegasGame, ARoundIsFourteenJudgedPressesThatScoreRefillAndCostEnergy) {
  VegasGame t;
  ASSERT_TRUE(t.logIn());
  t.program.write(u"hzvk/vegas/vegas_S.txt"_s,
                  crlfLines({u"¡Ojo!\tPass auf!\tAuge!"_s, u"rojo\t#CC2222\t#2255CC"_s, u"caro\tteuer\t.cara"_s,
                             u"la casa\tdas Haus\t.la caza"_s, u"¡Qué va!\tAch was!"_s}));
  // A table of nothing but zeros: any score of the game comes first.
  QStringList zeros;
  for (int i = 0; i < 10; ++i) zeros << THighscores::Entry(0, u"*zvk"_s, QDate());
  t.program.write(u"hzvk/vegas/LVS.x"_s, THighscores::Encode(zeros));
  int lastPair = 0, judgedInRound1 = 0, vocabularyJudged = 0, specialJudged = 0, right = 0;
  int model = 100;  // the energy as the rules give it
  bool mismatch = false;
  int finalScore = -1;
  QStringList lastAnnouncement;
  t.script = [&](TVegas& g) {
    if (g.phase() == Phase::Announcement && finalScore >= 0) lastAnnouncement = {g.UpperText(), g.LowerText()};
    if (g.Round() >= 2) {
      if (finalScore < 0) {
        finalScore = g.Score();
        // The energy the pairs and presses of round 1 left.
        EXPECT_EQ(g.Energy(), model);
        g.Stop();
      }
      return;
    }
    if (g.phase() != Phase::Hold || g.PairsShown() == lastPair) return;
    lastPair = g.PairsShown();
    // The fade-in drained one point.
    if (g.Energy() != model - 1) mismatch = true;
    model -= 1;
    // Every right pair is taken, and every third wrong one by mistake.
    const bool press = g.PairRight() || lastPair % 3 == 0;
    model -= 1;  // the hold drains another
    if (press) {
      // Space and clicks on the page, as the learner gives them.
      if (lastPair % 2 == 0)
        QTest::keyClick(t.window->XPage(), Qt::Key_Space);
      else
        QTest::mouseClick(t.window->XPage(), Qt::LeftButton, {}, QPoint(400, 400));
      ++judgedInRound1;
      (g.PairFromVocabulary() ? vocabularyJudged : specialJudged)++;
      if (g.PairRight()) {
        ++right;
        model = std::min(100, model + 6);
      } else {
        model = std::max(0, model - 12);
      }
    }
  };
  t.play();
  EXPECT_FALSE(mismatch);
  EXPECT_EQ(judgedInRound1, 14);
  EXPECT_EQ(lastAnnouncement, (QStringList{u"BYE BYE"_s, u"SCORE "_s + QString::number(right)}));
  EXPECT_EQ(finalScore, right);
  EXPECT_GT(specialJudged, 0);
  // Answers to the library's records were kept; the special pairs kept none.
  EXPECT_EQ(t.recordedVegasAnswers(), vocabularyJudged);
  for (const TXUserVoc& r : t.users.History().records())
    for (QChar c : r.results) EXPECT_TRUE(c == QChar(65 + 8) || c == QChar(65 - 8)) << r.key.toStdString();
  // Stopped: the highscore page, with the learner's score in the table.
  EXPECT_EQ(t.shownPage(), u"highscore.htx"_s);
  EXPECT_EQ(t.window->XPage()->GetVariable(u"score"_s), QString::number(right));
  EXPECT_EQ(t.window->XPage()->GetVariable(u"platz"_s), u"1"_s);
  EXPECT_TRUE(t.window->XPage()->IsCondition(u"platz"_s));
  THighscores table(t.program.file(u"hzvk/vegas/LVS.x"_s));
  EXPECT_EQ(table.RankAt(1).name, u"anna"_s);
  EXPECT_EQ(table.RankAt(1).score.trimmed(), QString::number(right));
  EXPECT_EQ(table.RankAt(2).name, u"*zvk"_s);
  EXPECT_FALSE(t.window->Loops().Running());
  EXPECT_TRUE(t.messages.messages().isEmpty());
}

TEST(VegasGame, NeverPressingEndsAfterFiftyPairsWithGameOverAndRecordsNothing) {
  VegasGame t;
  ASSERT_TRUE(t.logIn());
  t.options.SetValue(SuperOption::VegasFaktor, 200);
  int lastPair = 0, wrongInRow = 0, longestWrongRun = 0;
  qint64 firstPairAt = -1, fadeStart = -1;
  QStringList lastAnnouncement;
  bool earlyAllowed = false, lateRefused = false;
  t.script = [&](TVegas& g) {
    if (g.phase() == Phase::Announcement && lastPair == 50) lastAnnouncement = {g.UpperText(), g.LowerText()};
    if (g.phase() != Phase::FadeIn) return;
    if (g.PairsShown() != lastPair) {
      lastPair = g.PairsShown();
      fadeStart = t.clock.Now();
      if (firstPairAt < 0) firstPairAt = fadeStart;
      wrongInRow = g.PairRight() ? 0 : wrongInRow + 1;
      longestWrongRun = std::max(longestWrongRun, wrongInRow);
    }
    // At double speed a fade-in lasts 250 ms; presses count once it is half done.
    const qint64 into = t.clock.Now() - fadeStart;
    if (into <= 120 && g.PressAllowed()) earlyAllowed = true;
    if (into >= 130 && !g.PressAllowed()) lateRefused = true;
  };
  t.play();
  EXPECT_EQ(lastPair, 50);
  EXPECT_EQ(lastAnnouncement, (QStringList{u"TIME UP"_s, u"GAME OVER"_s}));
  EXPECT_FALSE(earlyAllowed);
  EXPECT_FALSE(lateRefused);
  EXPECT_EQ(t.shownPage(), u"again.htx"_s);
  EXPECT_EQ(t.window->XPage()->GetVariable(u"score"_s), u"0"_s);
  EXPECT_FALSE(t.window->XPage()->IsCondition(u"platz"_s));
  EXPECT_EQ(t.recordedVegasAnswers(), 0);
  // After four wrong pairs in a row the next one is right.
  EXPECT_GE(longestWrongRun, 2);
  EXPECT_LE(longestWrongRun, 4);
  // At double speed the announcement takes 250 + 1500 + 250 ms.
  EXPECT_GE(firstPairAt, 2000);
  EXPECT_LE(firstPairAt, 2000 + 2 * TVegas::kFrameMs);
  // A score of 0 does not reach the default table, which is written all the same.
  THighscores table(t.program.file(u"hzvk/vegas/LVS.x"_s));
  EXPECT_EQ(table.RankAt(10).score, u"     10"_s);
}

TEST(VegasGame, PressesCountOnlyOnceATextIsHalfVisibleButSkipTheFirstAnnouncement) {
  VegasGame t;
  qint64 firstPairAt = -1;
  int lastPair = 0;
  bool pressedEarly = false, reachedHold = false;
  int scoreAtHold = -1;
  t.script = [&](TVegas& g) {
    if (g.phase() == Phase::Announcement && g.Round() == 1 && t.clock.Now() == 0) g.Press();
    if (g.phase() == Phase::FadeIn && g.PairsShown() != lastPair) {
      lastPair = g.PairsShown();
      if (firstPairAt < 0) firstPairAt = t.clock.Now();
      if (lastPair == 2) {
        // The text has only begun to appear: this press does not count.
        EXPECT_FALSE(g.PressAllowed());
        g.Press();
        pressedEarly = true;
      }
    }
    if (pressedEarly && g.PairsShown() == 2 && g.phase() == Phase::Hold && !reachedHold) {
      reachedHold = true;
      scoreAtHold = g.Score();
    }
    if (g.PairsShown() == 3) g.Stop();
  };
  t.play();
  // The press at the start skipped the rest of the first announcement.
  EXPECT_GE(firstPairAt, 0);
  EXPECT_LT(firstPairAt, 500);
  EXPECT_TRUE(reachedHold);
  EXPECT_EQ(scoreAtHold, 0);
  EXPECT_EQ(t.shownPage(), u"highscore.htx"_s);
}

TEST(VegasGame, EscapeAndClosingTheWindowStopTheGameWhichShowsItsOwnLastPage) {
  {
    SCOPED_TRACE("Escape");
    VegasGame t;
    bool sent = false;
    t.script = [&](TVegas& g) {
      if (!sent && g.PairsShown() == 2) {
        sent = true;
        QTest::keyClick(t.window->XPage(), Qt::Key_Escape);
      }
    };
    t.play();
    EXPECT_EQ(t.shownPage(), u"highscore.htx"_s);
  }
  {
    SCOPED_TRACE("closing");
    VegasGame t;
    bool sent = false;
    t.script = [&](TVegas& g) {
      if (!sent && g.PairsShown() == 2) {
        sent = true;
        t.window->close();
      }
    };
    t.play();
    // The close stopped the game: its page stays, the farewell waits for the next close.
    EXPECT_EQ(t.shownPage(), u"highscore.htx"_s);
    t.window->close();
    EXPECT_EQ(t.shownPage(), u"bye.htx"_s);
  }
}

TEST(VegasGame, TheGameNeedsItsModeAndActiveRecordsAndSaysSo) {
  VegasGame t;
  t.library.Einstellungen.SetModus(TVocEinstellungen::ModeIndex(u"klassisch"_s));
  t.play();
  ASSERT_EQ(t.messages.messages().size(), 1);
  EXPECT_EQ(t.messages.messages()[0].text, TVegas::kNotChosen);
  t.library.Einstellungen.SetModus(TVocEinstellungen::ModusVegas);
  t.library.Einstellungen.SetSprache(0);  // German entries only: none in this library
  t.play();
  ASSERT_EQ(t.messages.messages().size(), 2);
  EXPECT_EQ(t.messages.messages()[1].text, PresentationTexts::kNoneActive);
  EXPECT_EQ(t.shownPage(), u"main.htx"_s);
}

TEST(VegasPairs, SpecialPairsAreMadeWrongOnlyByTheirExtraOrANeighbour) {
  Random::seed(3);
  TVegasList three;
  for (const char* w : {"uno", "dos", "tres"}) three.Add({QString::fromUtf8(w), u"Zahl "_s + QString::fromUtf8(w), {}});
  for (int i = 0; i < 200; ++i) EXPECT_TRUE(three.Draw().Right);

  TVegasList list;
  list.Add({u"caro"_s, u"teuer"_s, u".cara"_s});
  list.Add({u"rojo"_s, u"#CC2222"_s, u"#2255CC"_s});
  list.Add({u"¡Ojo!"_s, u"Pass auf!"_s, u"Auge!"_s});
  list.Add({u"uno"_s, u"eins"_s, {}});
  list.Add({u"dos"_s, u"zwei"_s, {}});
  QSet<QString> wrongShown;
  for (int i = 0; i < 2000; ++i) {
    const TVegasList::Shown s = list.Draw();
    if (!s.Right) wrongShown.insert(s.Upper + u"|"_s + s.Lower);
  }
  EXPECT_TRUE(wrongShown.contains(u"cara|teuer"_s));
  EXPECT_TRUE(wrongShown.contains(u"rojo|#2255CC"_s));
  EXPECT_TRUE(wrongShown.contains(u"¡Ojo!|Auge!"_s));
  // The fourth and fifth pairs take the meaning of a pair one or two lines up.
  EXPECT_TRUE(wrongShown.contains(u"uno|Pass auf!"_s));
  EXPECT_TRUE(wrongShown.contains(u"dos|eins"_s));
  EXPECT_TRUE(wrongShown.contains(u"dos|Pass auf!"_s));
  for (const QString& w : wrongShown) EXPECT_FALSE(w.startsWith(u"dos|zwei"_s));

  TestTree dir;
  dir.write(u"vegas_S.txt"_s, crlfLines({u"Kopfzeile ohne Tabulator"_s, u"casa\tHaus"_s, u"\tleer"_s, u"leer\t"_s,
                                         u"perro\tHund\t.pero"_s}));
  TVegasList read;
  read.Load(dir.file(u"vegas_S.txt"_s));
  ASSERT_EQ(read.Count(), 2);
  EXPECT_EQ(read.At(1).Extra, u".pero"_s);
  TVegasList missing;
  missing.Load(dir.file(u"fehlt.txt"_s));
  EXPECT_TRUE(missing.IsEmpty());
}

TEST(VegasPairs, AMeaningShowsOneOfItsAlternativesWithoutExplanations) {
  Random::seed(5);
  QSet<QString> shown;
  for (int i = 0; i < 100; ++i) shown.insert(TVegas::OneAlternative(u"marca (f); [Spielmarke] ficha (f)"_s));
  EXPECT_EQ(shown, (QSet<QString>{u"marca (f)"_s, u"ficha (f)"_s}));
  EXPECT_EQ(TVegas::OneAlternative(u"Haus; "_s), u"Haus"_s);
  EXPECT_EQ(TVegas::OneAlternative(u"[offen ohne Ende"_s), u"[offen ohne Ende"_s);
}

TEST(VegasPairs, AfterFourWrongPairsInARowTheNextIsRightAndAfterThreeMostly) {
  Random::seed(9);
  int rightAfter[5] = {};
  for (int i = 0; i < 4000; ++i)
    for (int run = 0; run <= 4; ++run) rightAfter[run] += TVegas::DrawRight(run) ? 1 : 0;
  EXPECT_EQ(rightAfter[4], 4000);
  EXPECT_NEAR(rightAfter[3], 3000, 150);  // one in two, and half of the rest
  for (int run = 0; run <= 2; ++run) EXPECT_NEAR(rightAfter[run], 2000, 150) << run;
}

TEST(VegasGame, ARecordComesBackOnlyAfterTheOthersAndASingleOneStillPlays) {
  {
    VegasGame t({record(u"uno"_s, u"eins"_s), record(u"dos"_s, u"zwei"_s), record(u"tres"_s, u"drei"_s)});
    t.options.SetValue(SuperOption::VegasFaktor, 200);
    QStringList words;
    int lastPair = 0;
    t.script = [&](TVegas& g) {
      if (g.phase() != Phase::FadeIn || g.PairsShown() == lastPair) return;
      lastPair = g.PairsShown();
      words << g.UpperText();
      if (lastPair == 30) g.Stop();
    };
    t.play();
    ASSERT_EQ(words.size(), 30);
    // Three records: each comes back only after the two others were shown.
    for (int i = 2; i < words.size(); ++i) {
      EXPECT_NE(words[i], words[i - 1]) << i;
      EXPECT_NE(words[i], words[i - 2]) << i;
    }
  }
  {
    VegasGame t({record(u"uno"_s, u"eins"_s)});
    t.options.SetValue(SuperOption::VegasFaktor, 200);
    int lastPair = 0;
    t.script = [&](TVegas& g) {
      if (g.phase() != Phase::FadeIn || g.PairsShown() == lastPair) return;
      lastPair = g.PairsShown();
      EXPECT_EQ(g.UpperText(), u"uno"_s);
      if (lastPair == 5) g.Stop();
    };
    t.play();
    EXPECT_EQ(lastPair, 5);
  }
}

TEST(VegasGame, TheClickThatEndsTheGameNeverFollowsALinkOfItsLastPage) {
  VegasGame t;
  // The last page holds a link where the game's meaning stood.
  t.program.write(u"hzvk/vegas/highscore.htx"_s,
                  ZStream::compress("<title>Tabelle</title><box coords=300,400,200 align=l><a href=\"again.htx\">Noch einmal</a>"));
  const QPoint onLink(330, 410);
  bool stopped = false, pressed = false;
  t.script = [&](TVegas& g) {
    if (g.PairsShown() == 1 && !stopped) {
      g.Stop();
      stopped = true;
    }
    // The press skips the farewell; its release comes after the game.
    if (stopped && !pressed && g.phase() == Phase::Announcement && g.UpperText() == u"BYE BYE"_s) {
      QTest::mousePress(t.window->XPage(), Qt::LeftButton, {}, onLink);
      pressed = true;
    }
  };
  t.play();
  ASSERT_TRUE(pressed);
  ASSERT_EQ(t.shownPage(), u"highscore.htx"_s);
  QTest::mouseRelease(t.window->XPage(), Qt::LeftButton, {}, onLink);
  EXPECT_EQ(t.shownPage(), u"highscore.htx"_s);
  // The next click is the page's own again.
  ASSERT_TRUE(ClickLink(t.window->XPage(), u"again.htx"_s));
  EXPECT_EQ(t.shownPage(), u"again.htx"_s);
}
