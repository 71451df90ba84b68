// The Free Fall game in the trainer's main window, played by a script on
// the loop clock: words solved, lost and given up, the letter groups, the
// characters shown from the start, the score and the answers recorded, the
// highscore at the end, and what reaches a game that no longer runs.

#include <gtest/gtest.h>

#include <QTest>
#include <deque>
#include <functional>

#include "gametestsupport.h"
#include "pages/txpage.h"
#include "superlearning/presentationtexts.h"
#include "superlearning/tfreefall.h"
#include "superlearning/thighscores.h"

namespace {

using namespace Qt::StringLiterals;

struct FreeFallGame : GameShell {
  explicit FreeFallGame(const QList<TVokabel>& records)
      : GameShell(TVocEinstellungen::ModusFreeFall, u"freefall/"_s, {u"intro"_s, u"hm"_s, u"highscore"_s}, records) {
    library.Einstellungen.SetRichtung(0);  // the words in the library's order
    QObject::connect(&window->Loops(), &LoopState::Started, [this] {
      if (TFreeFall* g = games->FreeFall()) g->OnPass = [this, g] { pass(*g); };
    });
  }

  // The script: one step per pass of the game's loop, each run once; the
  // game is stopped after the last.
  void pass(TFreeFall& g) {
    if (steps.empty()) {
      run(u"stop"_s);
      return;
    }
    std::function<void(TFreeFall&)> step = std::move(steps.front());
    steps.pop_front();
    step(g);
  }
  void then(std::function<void(TFreeFall&)> step) { steps.push_back(std::move(step)); }
  void guess(const QString& letters) {
    for (QChar c : letters) then([this, c](TFreeFall&) { run(u"hm"_s + c); });
  }

  std::deque<std::function<void(TFreeFall&)>> steps;
};

const TXUserVoc* historyOf(const TXUserBase& users, const QString& word) {
  return users.History().findItem(word, false, 0);
}

}  // namespace

TEST(FreeFallGame, AWordSolvedInFourGuessesScoresByLevelAndTimeAndIsRecorded) {
  FreeFallGame t({record(u"123"_s, u"Zahl"_s), record(u"casa"_s, u"Haus"_s), record(u"perro"_s, u"Hund"_s)});
  ASSERT_TRUE(t.logIn());
  t.then([&](TFreeFall& g) {
    // The record without a letter to guess was passed over.
    EXPECT_EQ(g.Solution(), u"casa"_s);
    EXPECT_EQ(t.shownPage(), u"hm.htx"_s);
    EXPECT_EQ(t.var(u"bedeutung"_s), u"Haus"_s);
    EXPECT_EQ(t.var(u"FreeFall"_s), u"____"_s);
    EXPECT_EQ(t.var(u"bild"_s), u"<img src=\"s8.bmp\">"_s);
    EXPECT_TRUE(t.condition(u"giveup"_s));
  });
  t.guess(u"c"_s);  // a hit at level 6: 3 points
  t.guess(u"x"_s);  // a miss: level 5
  t.then([&](TFreeFall& g) {
    EXPECT_EQ(g.Level(), 5);
    EXPECT_EQ(t.var(u"cc"_s), u"#ff0000"_s);
    EXPECT_TRUE(t.condition(u"hm-"_s));
    EXPECT_TRUE(t.var(u"comment"_s).startsWith(u"<img src=\"n"_s));
    EXPECT_TRUE(t.var(u"chars"_s).contains(u" <a href=\"§hmA\">A</a>"_s));
    EXPECT_FALSE(t.var(u"chars"_s).contains(u"§hmC"_s));
    // A letter key guesses too.
    QTest::keyClick(t.window->XPage(), 'a');
    EXPECT_EQ(g.Display(), u"ca_a"_s);
    EXPECT_EQ(g.Score(), 3 + 2);
  });
  t.guess(u"s"_s);
  t.then([&](TFreeFall& g) {
    // Solved at level 5: 2 + the time bonus (30 - 0) / 6; level -2, picture s0.
    EXPECT_EQ(g.Score(), 3 + 2 + 2 + 5);
    EXPECT_EQ(t.var(u"bild"_s), u"<img src=\"s0.bmp\">"_s);
    EXPECT_TRUE(g.WordOver());
    EXPECT_TRUE(t.condition(u"cont"_s));
    EXPECT_FALSE(t.condition(u"giveup"_s));
    EXPECT_EQ(t.var(u"FreeFall"_s), u"casa"_s);
  });
  t.then([&](TFreeFall&) {});
  t.run(u"freefall"_s);
  // Stopped: the highscore page with the game's result, the table written.
  EXPECT_EQ(t.shownPage(), u"highscore.htx"_s);
  EXPECT_EQ(t.var(u"score"_s), u"12"_s);
  EXPECT_TRUE(t.condition(u"platz"_s));
  EXPECT_EQ(t.var(u"highn10"_s).isEmpty(), false);
  THighscores table(t.program.file(u"hzvk/freefall/FFS.x"_s));
  EXPECT_TRUE(table.Entries().first().startsWith(u"     12anna$"_s));
  // The solved word went into the history as a Free Fall answer of 2 x (5 + 2).
  const TXUserVoc* casa = historyOf(t.users, u"casa"_s);
  ASSERT_NE(casa, nullptr);
  EXPECT_EQ(casa->kinds, u"f"_s);
  EXPECT_EQ(casa->results, QString(QChar(65 + 14)));
  EXPECT_TRUE(t.messages.messages().isEmpty());
}

TEST(FreeFallGame, AWordLostAtTheBottomAndOneGivenUpCostWhatTheRulesSay) {
  FreeFallGame t({record(u"casa"_s, u"Haus"_s), record(u"año"_s, u"Jahr"_s), record(u"ir de compras"_s, u"einkaufen"_s)});
  ASSERT_TRUE(t.logIn());
  t.options.SetFlag(SuperOption::Sprachausgabe, true);
  t.library.recordingPath = [](const QString& text) {
    return text == u"casa"_s ? u"/aufnahmen/casa.wav"_s : QString();
  };
  t.guess(u"bdefgh"_s);  // six misses
  t.then([&](TFreeFall& g) {
    EXPECT_TRUE(g.WordOver());
    EXPECT_TRUE(g.Revealed());
    EXPECT_EQ(g.Score(), 0);
    EXPECT_EQ(t.var(u"bild"_s), u"<img src=\"s2.bmp\">"_s);
    // The revealed word, its letters marked, is the link to its recording.
    EXPECT_EQ(t.var(u"FreeFall"_s), u"<a href=\"/aufnahmen/casa.wav\"><+good><+bad>casa<+good></a>"_s);
    EXPECT_EQ(t.var(u"wort"_s), u"<a href=\"/aufnahmen/casa.wav\"><+good><+bad>c\u2009a\u2009s\u2009a<+good></a>"_s);
    EXPECT_TRUE(t.condition(u"hoeren"_s));
    EXPECT_TRUE(t.condition(u"cont"_s));
    // Letters of a word that is over change nothing.
    t.run(u"hmc"_s);
    EXPECT_TRUE(g.Keyboard().contains(QLatin1Char('C')));
    t.run(u"cont"_s);
  });
  t.then([&](TFreeFall& g) {
    EXPECT_EQ(g.Solution(), u"año"_s);
    t.run(u"hmn"_s);  // N also uncovers ñ
    EXPECT_EQ(g.Display(), u"_ñ_"_s);
    t.run(u"hma"_s);
    EXPECT_EQ(g.Display(), u"añ_"_s);
    EXPECT_EQ(g.Score(), 6);
    // Given up with at most 20 points: the score is gone, nothing recorded.
    t.run(u"giveup"_s);
    EXPECT_EQ(g.Score(), 0);
    EXPECT_EQ(t.var(u"FreeFall"_s), u"añ<+bad>o<+good>"_s);
    EXPECT_FALSE(t.condition(u"hoeren"_s));  // no recording
    EXPECT_EQ(t.var(u"bild"_s), u"<img src=\"s8.bmp\">"_s);
    t.run(u"giveup"_s);  // no word in play: nothing happens
    EXPECT_EQ(g.Score(), 0);
    t.run(u"cont"_s);
  });
  t.then([&](TFreeFall& g) {
    // Blanks stand from the start; the spaced display keeps the words apart.
    EXPECT_EQ(g.Display(), u"__ __ _______"_s);
    EXPECT_EQ(t.var(u"wort"_s), u"_\u2009_ &nbsp; _\u2009_ &nbsp; _\u2009_\u2009_\u2009_\u2009_\u2009_\u2009_"_s);
    EXPECT_EQ(t.var(u"timer"_s), u"0"_s);
  });
  // A second later the page tells the time.
  for (int i = 0; i < 55; ++i) t.then([](TFreeFall&) {});
  t.then([&](TFreeFall&) { EXPECT_EQ(t.var(u"timer"_s), u"1"_s); });
  t.run(u"freefall"_s);
  const TXUserVoc* casa = historyOf(t.users, u"casa"_s);
  ASSERT_NE(casa, nullptr);
  EXPECT_EQ(casa->results, QString(QChar(65 - 8)));
  EXPECT_EQ(historyOf(t.users, u"año"_s), nullptr);
  EXPECT_EQ(t.recordedAnswers(QLatin1Char('f')), 1);
}

TEST(FreeFallGame, WhatNoGuessCanRevealStandsFromTheStartAndAccentsGoWithTheirLetter) {
  EXPECT_EQ(TFreeFall::Hidden(u"ir de compras"_s), u"__ __ _______"_s);
  EXPECT_EQ(TFreeFall::Hidden(u"3 en raya"_s), u"3 __ ____"_s);
  EXPECT_EQ(TFreeFall::Hidden(u"¿Qué tal?"_s), u"¿___ ___?"_s);
  EXPECT_EQ(TFreeFall::Hidden(u"Straße: (f)"_s), u"____ß_: (_)"_s);
  EXPECT_EQ(TFreeFall::Hidden(u"œuvre ç ý"_s), u"_____ _ ý"_s);

  FreeFallGame t({record(u"Ábaco"_s, u"Abakus"_s)});
  t.then([&](TFreeFall& g) {
    t.run(u"hma"_s);
    EXPECT_EQ(g.Display(), u"Á_a__"_s);
    t.run(u"hma"_s);  // used already: not offered, nothing changes
    EXPECT_EQ(g.Level(), 6);
    t.run(u"hm1"_s);  // not a letter of the keyboard
    EXPECT_EQ(g.Level(), 6);
  });
  t.run(u"freefall"_s);
}

TEST(FreeFallGame, StopsAndKeysReachOnlyAGameWhoseLoopRuns) {
  FreeFallGame t({record(u"casa"_s, u"Haus"_s)});
  // Closing the window on the game's page stops the game; its table page stays.
  t.then([&](TFreeFall&) { t.window->close(); });
  t.steps.push_back([](TFreeFall& g) { ADD_FAILURE() << "still running with " << g.Solution().toStdString(); });
  t.run(u"freefall"_s);
  EXPECT_EQ(t.shownPage(), u"highscore.htx"_s);
  ASSERT_NE(t.games->FreeFall(), nullptr);
  // The game is over: letters typed and its commands change nothing.
  const QString keyboard = t.games->FreeFall()->Keyboard();
  QTest::keyClick(t.window->XPage(), 'a');
  t.run(u"hme"_s);
  t.run(u"giveup"_s);
  EXPECT_EQ(t.games->FreeFall()->Keyboard(), keyboard);
  EXPECT_EQ(t.shownPage(), u"highscore.htx"_s);
  t.run(u"hmfree"_s);
  EXPECT_EQ(t.games->FreeFall(), nullptr);
  t.run(u"cont"_s);
  // The farewell comes with the next close.
  t.window->close();
  EXPECT_EQ(t.shownPage(), u"bye.htx"_s);
}

TEST(FreeFallGame, TheGameNeedsItsModeAndActiveRecordsAndSaysSo) {
  FreeFallGame t({record(u"casa"_s, u"Haus"_s)});
  t.library.Einstellungen.SetModus(TVocEinstellungen::ModusVegas);
  t.run(u"freefall"_s);
  ASSERT_EQ(t.messages.messages().size(), 1);
  EXPECT_EQ(t.messages.messages()[0].text, TFreeFall::kNotChosen);
  t.library.Einstellungen.SetModus(TVocEinstellungen::ModusFreeFall);
  t.library.Einstellungen.SetSprache(0);  // German entries only: none here
  t.run(u"freefall"_s);
  ASSERT_EQ(t.messages.messages().size(), 2);
  EXPECT_EQ(t.messages.messages()[1].text, PresentationTexts::kNoneActive);
  EXPECT_EQ(t.shownPage(), u"main.htx"_s);
}

TEST(FreeFallGame, TheScoreRulesHoldFromWordToWord) {
  FreeFallGame t({record(u"casa"_s, u"Haus"_s), record(u"perro"_s, u"Hund"_s), record(u"gato"_s, u"Katze"_s),
                  record(u"mesa"_s, u"Tisch"_s), record(u"libro"_s, u"Buch"_s), record(u"nube"_s, u"Wolke"_s)});
  ASSERT_TRUE(t.logIn());
  int beforeGiveUp = 0, afterGiveUp = 0;
  t.then([&](TFreeFall&) { t.clock.Advance(10 * 1000); });
  t.then([&](TFreeFall& g) {
    EXPECT_EQ(g.Elapsed(), 10);
    for (const char* c : {"hmc", "hma", "hms"}) t.run(QString::fromLatin1(c));
    // Three hits at level 6, solved without a miss in 10 seconds: 9 + 3.
    EXPECT_EQ(g.Score(), 12);
    EXPECT_EQ(g.Level(), -2);
    // A letter typed before the word has ended changes nothing.
    t.run(u"hmz"_s);
    t.run(u"giveup"_s);
    EXPECT_EQ(g.Score(), 12);
    EXPECT_EQ(g.Level(), -2);
    EXPECT_EQ(t.var(u"bild"_s), u"<img src=\"s0.bmp\">"_s);
  });
  t.then([&](TFreeFall&) {
    t.run(u"cont"_s);
    // The game's object goes only once its loop has returned.
    t.run(u"hmfree"_s);
    EXPECT_NE(t.games->FreeFall(), nullptr);
  });
  t.then([&](TFreeFall& g) {
    EXPECT_EQ(g.Solution(), u"perro"_s);
    for (const char* c : {"hmx", "hmy", "hmp", "hme", "hmr", "hmo"}) t.run(QString::fromLatin1(c));
    // Two misses, then four hits at level 4 (2 each); solved at level 4: level -1, picture s1, bonus 5.
    EXPECT_EQ(g.Score(), 12 + 8 + 5);
    EXPECT_EQ(g.Level(), -1);
    EXPECT_EQ(t.var(u"bild"_s), u"<img src=\"s1.bmp\">"_s);
  });
  t.then([&](TFreeFall&) { t.run(u"cont"_s); });
  t.then([&](TFreeFall& g) {
    for (const char* c : {"hmb", "hmd", "hmf", "hmh", "hmi", "hmj"}) t.run(QString::fromLatin1(c));
    EXPECT_EQ(g.Score(), 25 - 20);  // lost with more than 20 points
    t.run(u"cont"_s);
  });
  t.then([&](TFreeFall& g) {
    for (const char* c : {"hmm", "hme", "hms", "hma"}) t.run(QString::fromLatin1(c));
    EXPECT_EQ(g.Score(), 5 + 12 + 5);
  });
  t.then([&](TFreeFall&) { t.run(u"cont"_s); });
  t.then([&](TFreeFall& g) {
    beforeGiveUp = g.Score();
    t.run(u"giveup"_s);  // more than 20 points: 10 to 20 of them go
    afterGiveUp = g.Score();
    t.run(u"cont"_s);
  });
  t.then([&](TFreeFall& g) {
    const int kept = g.Score();
    for (const char* c : {"hmc", "hmd", "hmf", "hmg", "hmh", "hmi"}) t.run(QString::fromLatin1(c));
    EXPECT_EQ(g.Score(), kept);  // lost with at most 20 points: the score stays
  });
  t.run(u"freefall"_s);
  EXPECT_EQ(t.games->FreeFall(), nullptr);
  EXPECT_EQ(beforeGiveUp, 22);
  EXPECT_GE(beforeGiveUp - afterGiveUp, 10);
  EXPECT_LE(beforeGiveUp - afterGiveUp, 20);
  // The history: 2 x (level + 2) for the solved words, -8 for the lost ones, nothing for the one given up.
  EXPECT_EQ(historyOf(t.users, u"casa"_s)->results, QString(QChar(65 + 16)));
  EXPECT_EQ(historyOf(t.users, u"perro"_s)->results, QString(QChar(65 + 12)));
  EXPECT_EQ(historyOf(t.users, u"gato"_s)->results, QString(QChar(65 - 8)));
  EXPECT_EQ(historyOf(t.users, u"libro"_s), nullptr);
  EXPECT_EQ(t.recordedAnswers(QLatin1Char('f')), 5);
}

TEST(FreeFallGame, AWordsOwnUnderscoreStandsFromTheStartAndTheWordCanBeSolved) {
  FreeFallGame t({record(u"a_b"_s, u"Zeichen"_s)});
  ASSERT_TRUE(t.logIn());
  t.then([&](TFreeFall& g) {
    EXPECT_EQ(g.Display(), u"___"_s);
    t.run(u"hma"_s);
    t.run(u"hmb"_s);
    EXPECT_EQ(g.Level(), -2);  // solved
    EXPECT_EQ(g.Score(), 3 + 3 + 5);
  });
  t.run(u"freefall"_s);
  EXPECT_EQ(t.recordedAnswers(QLatin1Char('f')), 1);
}

TEST(FreeFallGame, AFarewellShownByAClosePastTheGamesPageStays) {
  FreeFallGame t({record(u"casa"_s, u"Haus"_s)});
  t.then([&](TFreeFall&) {
    // The game's page is gone (a page that could not be shown, say): a close shows the farewell.
    t.window->XPage()->setXFile(t.window->PageFolder() + u"main.htx"_s);
    t.window->close();
  });
  t.run(u"freefall"_s);
  EXPECT_EQ(t.shownPage(), u"bye.htx"_s);
}
