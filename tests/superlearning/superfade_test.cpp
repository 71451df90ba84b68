// The fading window of "klassisch" and "abgedreht", stepped by hand on a
// clock that moves only when the window waits.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>

#include "common/msclock.h"
#include "common/random.h"
#include "sound/mcidevice.h"
#include "sound/sampleplayer.h"
#include "sound/soundtestsupport.h"
#include "superlearning/presentationtexts.h"
#include "superlearning/tsuperfade.h"
#include "superlearning/tsuperoptions.h"
#include "vocabulary/vocabularytestsupport.h"

namespace {

using namespace Qt::StringLiterals;
using O = SuperOption;

struct Fade : VocabularyFixture {
  explicit Fade(TSuperFade::Mode mode = TSuperFade::Mode::Klassisch) : options(env), mode(mode) {
    Random::seed(5);
    library.Einstellungen.SetRichtung(TVocEinstellungen::Vor);
    library.Add(record(u"casa"_s, u"Haus"_s));
    library.Add(record(u"perro"_s, u"Hund"_s));
    sound = WriteTone(program.file(u"casa.wav"_s), 300);
    library.recordingPath = [this](const QString& text) { return text == u"casa"_s ? sound : QString(); };
    options.SetFlag(O::Sprachausgabe, true);
    options.SetValue(O::TextDelay, 0);
    library.ResetCursor();
  }
  // The window for a screen of 800 x 600, not shown.
  TSuperFade& window() {
    if (!fade) {
      texts = std::make_unique<PresentationTexts>(library, options);
      fade = std::make_unique<TSuperFade>(mode, options, *texts, &player);
      fade->Prepare(QSize(800, 600));
    }
    return *fade;
  }
  // The clock's time one step takes.
  qint64 timed() {
    const qint64 before = clock.Now();
    window().Step();
    return clock.Now() - before;
  }

  ManualClock clock;
  MsClock::Replace replace{clock};
  TSuperOptions options;
  TSuperFade::Mode mode;
  QString sound;
  MciDevice mci;
  TSamplePlayer player{&mci};
  std::unique_ptr<PresentationTexts> texts;
  std::unique_ptr<TSuperFade> fade;
};

}  // namespace

TEST(SuperFade, KlassischFadesForTheTimeItsSpeedFactorGivesWordThenMeaning) {
  for (const auto& [factor, ms] : {std::pair{100, 1500}, std::pair{200, 750}, std::pair{20, 7500}}) {
    Fade t;
    t.options.SetValue(O::KlassikFaktor, factor);
    EXPECT_EQ(t.window().FadeMs(), ms);
    EXPECT_EQ(t.timed(), ms) << "step 0 fades for " << ms << " ms";
    EXPECT_EQ(t.window().ShownText(), u"{ casa }"_s);
    EXPECT_TRUE(t.player.Prepared()) << "the word's recording waits for the word";
    EXPECT_GE(t.window().BandTop(), 0);
    EXPECT_LE(t.window().BandTop(), 600 - 150 - 1);
    t.timed();  // step 1: the recording starts as the word stands
    EXPECT_FALSE(t.player.Prepared());
    for (int step = 2; step <= 4; ++step) t.timed();
    EXPECT_EQ(t.window().ShownText(), u"Haus"_s);
    EXPECT_EQ(t.window().StepCounter(), 4);
  }
  // The whole round: after step 8 the next word.
  Fade t;
  for (int step = 0; step <= 8; ++step) t.timed();
  EXPECT_EQ(t.window().StepCounter(), -1);
  EXPECT_EQ(t.window().BackgroundColour(), QColor(Qt::black)) << "the round ends in black";
  for (int y = 0; y < 600; y += 7)
    for (int x = 0; x < 800; x += 7) ASSERT_EQ(t.window().Screen().pixel(x, y), qRgb(0, 0, 0)) << "nothing of the text stays";
  t.timed();
  EXPECT_EQ(t.window().ShownText(), u"{ perro }"_s);
}

TEST(SuperFade, ColourRulesWithoutBackgroundAndInGrey) {
  Fade plain;
  plain.options.SetFlag(O::OhneHintergrund, true);
  for (int step = 0; step < 6; ++step) {
    plain.timed();
    EXPECT_EQ(plain.window().BackgroundColour(), QColor(Qt::black)) << step;
  }
  Fade grey;
  grey.options.SetFlag(O::SchwarzWeiss, true);
  for (int step = 0; step < 3; ++step) {
    grey.timed();
    const QColor b = grey.window().BackgroundColour();
    EXPECT_EQ(grey.window().TextColour(), QColor(Qt::white));
    EXPECT_TRUE(b.red() == b.green() && b.green() == b.blue() && b.red() < 128) << b.name().toStdString();
  }
  Fade colour;
  colour.timed();
  const QColor text = colour.window().TextColour();
  EXPECT_GE(std::min({text.red(), text.green(), text.blue()}), 128);
}

TEST(SuperFade, AbgedrehtWaitsTenUnitsAndTheLengthBeyondSixThenClears) {
  Fade t(TSuperFade::Mode::Abgedreht);
  t.options.SetValue(O::Faktor, 100);
  t.window().Step();
  EXPECT_EQ(t.window().ShownText(), u"{ casa }"_s);
  EXPECT_EQ(t.window().WaitMs(), 1200) << "eight characters: 10 x 100 + 2 x 100";
  EXPECT_FALSE(t.player.Prepared()) << "the recording started with the word";
  int ticks = 0;
  while (t.window().StepCounter() == 0) {
    t.window().Step();
    ++ticks;
  }
  EXPECT_EQ(ticks, 12) << "twelve ticks of 100 ms";
  EXPECT_EQ(t.window().Screen().pixel(400, 300), qRgb(255, 255, 255)) << "step 1 clears the window";
  EXPECT_EQ(t.window().WaitMs(), 800);
}

TEST(SuperFade, AtTheLowestLevelTheCharactersStandInOneLine) {
  Fade t(TSuperFade::Mode::Abgedreht);
  t.options.SetValue(O::Madness, 1);
  t.window().Step();
  const QImage& s = t.window().Screen();
  int top = s.height(), bottom = -1;
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x)
      if (s.pixel(x, y) != qRgb(255, 255, 255)) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  ASSERT_GE(bottom, 0) << "something was typed";
  EXPECT_LE(bottom - top, 600 / 24 * 2) << "one line of at most the middle size";
}

TEST(SuperFade, AClickOrKeyStopsOnlyOnceStartedAndTheStopReachesEveryPhase) {
  // Before the first step a key does not stop the window.
  Fade t;
  QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, u"a"_s);
  QCoreApplication::sendEvent(&t.window(), &key);
  EXPECT_FALSE(t.window().Stopped());
  // The shell's volume keys are offered first and do not stop it.
  int offered = 0;
  t.window().VolumeKeys = [&](int k) { return ++offered, k == Qt::Key_Up; };
  t.timed();
  QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
  QCoreApplication::sendEvent(&t.window(), &up);
  EXPECT_FALSE(t.window().Stopped());
  QCoreApplication::sendEvent(&t.window(), &key);
  EXPECT_TRUE(t.window().Stopped());
  EXPECT_EQ(offered, 2);
  t.window().Step();
  EXPECT_TRUE(t.window().Closed());

  // "stop" in the middle of a fade: the fade ends early and the prepared recording is closed.
  Fade during;
  during.options.SetValue(O::KlassikFaktor, 20);
  QTimer::singleShot(0, [&] { during.window().Stop(); });
  EXPECT_LT(during.timed(), 100);
  EXPECT_TRUE(during.window().Ready());
  during.window().Step();
  EXPECT_TRUE(during.window().Closed());
  EXPECT_FALSE(during.player.Busy()) << "the prepared recording does not keep the player busy";

  // A stop while abgedreht types: the typing ends and the timer closes the window.
  Fade typing(TSuperFade::Mode::Abgedreht);
  typing.options.SetValue(O::TextDelay, 80);
  QTimer::singleShot(0, [&] { typing.window().Stop(); });
  EXPECT_LE(typing.timed(), 80) << "the first character, then the stop";
  EXPECT_TRUE(typing.window().Ready());
  typing.window().Step();
  EXPECT_TRUE(typing.window().Closed());
  EXPECT_FALSE(typing.player.Busy());
}

TEST(SuperFade, ClosedByTheWindowSystemItEndsLikeAfterAStop) {
  Fade t;
  t.timed();
  t.window().close();
  EXPECT_TRUE(t.window().Closed());
  EXPECT_FALSE(t.player.Busy());
}

TEST(SuperFade, NoActiveRecordEndsTheWindowForWantOfTexts) {
  Fade t;
  t.library.Clear(false);
  t.timed();
  EXPECT_TRUE(t.window().RanOutOfTexts());
  t.window().Step();
  EXPECT_TRUE(t.window().Closed());
}
