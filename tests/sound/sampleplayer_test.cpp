#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "common/messagerecorder.h"
#include "sound/mcidevice.h"
#include "sound/sampleplayer.h"
#include "sound/soundtestsupport.h"
#include "testsupport.h"

namespace {

TEST(SoundSamplePlayer, MissingFilesAreIgnored) {
  MessageRecorder messages;
  TestTree tree;
  MciDevice mci;
  TSamplePlayer player(&mci);
  player.PlaySample(tree.file("fehlt.wav"));
  player.PlaySample(tree.file("fehlt.wav"), false);
  EXPECT_FALSE(player.Busy());
  EXPECT_FALSE(player.Prepared());
  EXPECT_FALSE(mci.IsOpen("klang"));
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST(SoundSamplePlayer, PlayedSampleEndsAndFreesThePlayer) {
  REQUIRE_SOUND_SERVER();
  MessageRecorder messages;
  TestTree tree;
  const QString tone = WriteTone(tree.file("hola.wav"), 400);
  MciDevice mci;
  TSamplePlayer player(&mci);
  int finished = 0;
  QObject::connect(&player, &TSamplePlayer::finished, [&] { ++finished; });

  QElapsedTimer clock;
  clock.start();
  player.PlaySample(tone);
  EXPECT_EQ(player.BusyCount(), 1);
  EXPECT_TRUE(mci.IsOpen("klang"));
  ASSERT_TRUE(WaitUntil([&] { return !player.Busy(); }, 10000));
  EXPECT_GE(clock.elapsed(), 350);  // played to its end, not given up
  EXPECT_EQ(finished, 1);
  EXPECT_FALSE(mci.IsOpen("klang"));

  // Free again: the next request plays. The recording's name may differ in case.
  player.PlaySample(tree.file("HOLA.WAV"));
  EXPECT_TRUE(player.Busy());
  ASSERT_TRUE(WaitUntil([&] { return !player.Busy(); }, 10000));
  EXPECT_EQ(finished, 2);
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST(SoundSamplePlayer, SecondRequestWhilePlayingIsIgnored) {
  REQUIRE_SOUND_SERVER();
  TestTree tree;
  const QString first = WriteTone(tree.file("uno.wav"), 400);
  const QString second = WriteTone(tree.file("dos.wav"), 400, 660);
  MciDevice mci;
  TSamplePlayer player(&mci);
  int finished = 0;
  QObject::connect(&player, &TSamplePlayer::finished, [&] { ++finished; });

  player.PlaySample(first);
  player.PlaySample(second);
  EXPECT_EQ(player.LastPath(), first);
  EXPECT_EQ(player.BusyCount(), 1);
  ASSERT_TRUE(WaitUntil([&] { return !player.Busy(); }, 10000));
  // Nothing of the second request is left over to play afterwards.
  WaitUntil([] { return false; }, 300);
  EXPECT_EQ(finished, 1);
  EXPECT_FALSE(player.Busy());
  EXPECT_FALSE(mci.IsOpen("klang"));
}

TEST(SoundSamplePlayer, PreparedSampleWaitsForItsStart) {
  REQUIRE_SOUND_SERVER();
  TestTree tree;
  const QString tone = WriteTone(tree.file("palabra.wav"), 300);
  const QString other = WriteTone(tree.file("otra.wav"), 300);
  MciDevice mci;
  TSamplePlayer player(&mci);
  int finished = 0;
  QObject::connect(&player, &TSamplePlayer::finished, [&] { ++finished; });

  player.StartPrepared();  // nothing prepared: nothing happens
  player.PlaySample(tone, false);
  EXPECT_TRUE(player.Prepared());
  // Waiting longer than the sample lasts: it is opened but has not played.
  WaitUntil([] { return false; }, 800);
  EXPECT_TRUE(player.Busy());
  EXPECT_EQ(mci.Send("status klang mode"), "stopped");
  EXPECT_EQ(mci.Send("status klang position"), "0");
  player.PlaySample(other);  // busy while prepared
  EXPECT_EQ(player.LastPath(), tone);

  player.StartPrepared();
  EXPECT_FALSE(player.Prepared());
  EXPECT_EQ(mci.Send("status klang mode"), "playing");
  ASSERT_TRUE(WaitUntil([&] { return !player.Busy(); }, 10000));
  EXPECT_EQ(finished, 1);
}

TEST(SoundSamplePlayer, DestroyingThePlayerStopsItsSample) {
  REQUIRE_SOUND_SERVER();
  TestTree tree;
  const QString tone = WriteTone(tree.file("largo.wav"), 3000);
  MciDevice mci;
  {
    TSamplePlayer player(&mci);
    player.PlaySample(tone);
    EXPECT_TRUE(mci.IsOpen("klang"));
  }
  EXPECT_FALSE(mci.IsOpen("klang"));
  // A new player after it is not disturbed by the late notification of the old sample.
  TSamplePlayer player(&mci);
  player.PlaySample(tone);
  WaitUntil([] { return false; }, 300);
  EXPECT_TRUE(player.Busy());
}

}  // namespace

TEST(SoundSamplePlayer, APreparedSampleThatIsCancelledFreesThePlayer) {
  MessageRecorder messages;
  TestTree tree;
  const QString tone = WriteTone(tree.file("hola.wav"), 400);
  const QString other = WriteTone(tree.file("adios.wav"), 300);
  MciDevice mci;
  TSamplePlayer player(&mci);
  player.CancelPrepared();  // nothing prepared: nothing happens
  player.PlaySample(tone, false);
  ASSERT_TRUE(player.Prepared());
  player.CancelPrepared();
  EXPECT_FALSE(player.Busy());
  EXPECT_FALSE(player.Prepared());
  EXPECT_FALSE(mci.IsOpen("klang"));
  // The next word can be prepared at once.
  player.PlaySample(other, false);
  EXPECT_TRUE(player.Prepared());
  EXPECT_EQ(player.LastPath(), other);
  EXPECT_TRUE(messages.messages().isEmpty());
}
