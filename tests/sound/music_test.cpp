#include <gtest/gtest.h>


#include "common/messagerecorder.h"
#include "common/random.h"
#include "sound/music.h"
#include "sound/soundtestsupport.h"
#include "sound/txplayer.h"
#include "testsupport.h"

namespace {

QString musicTree(const TestTree& tree, int count) {
  for (int i = 0; i < count; ++i) tree.write(QStringLiteral("mp3/t%1.mp3").arg(i), "x");
  return tree.file("mp3");
}

TEST(SoundMusic, ListsEveryMp3FileBelowTheDirectory) {
  MessageRecorder messages;
  TestTree tree;
  tree.write("mp3/a.mp3", "x");
  tree.write("mp3/sub/b.MP3", "x");
  tree.write("mp3/sub/tiefer/c.mp3", "x");
  tree.write("mp3/notizen.txt", "x");
  tree.write("mp3/d.wav", "x");
  TMusic music(tree.file("mp3"));
  EXPECT_EQ(music.Directory(), tree.file("mp3/"));
  EXPECT_EQ(music.Tracks(), QStringList({tree.file("mp3/a.mp3"), tree.file("mp3/sub/b.MP3"),
                                         tree.file("mp3/sub/tiefer/c.mp3")}));
  EXPECT_TRUE(music.Available());

  // The same directory again keeps the list and what was chosen lately.
  music.ChooseTrack();
  music.ScanDirectory(tree.file("mp3/"));
  EXPECT_EQ(music.Recent().size(), 1);

  // A missing directory: stop message, no music.
  music.ScanDirectory(tree.file("fehlt"));
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].kind, MessageKind::Stop);
  EXPECT_EQ(messages.messages()[0].text, "Das MP3-Verzeichnis " + tree.file("fehlt") + " existiert nicht!");
  EXPECT_EQ(music.TrackCount(), 0);
  EXPECT_FALSE(music.Available());
  music.Start();
  EXPECT_FALSE(music.Toggle());
  EXPECT_TRUE(music.CurrentTrack().isEmpty());
}

TEST(SoundMusic, NeverChoosesOneOfTheLastHalfOfTheTracksAgain) {
  Random::seed(7);
  for (int n : {1, 2, 3, 5, 6}) {
    TestTree tree;
    TMusic music(musicTree(tree, n));
    ASSERT_EQ(music.TrackCount(), n);
    QList<int> chosen;
    for (int i = 0; i < 300; ++i) chosen << music.ChooseTrack();
    QSet<int> seen;
    for (int i = 0; i < chosen.size(); ++i) {
      seen.insert(chosen[i]);
      for (int back = 1; back <= n / 2 && back <= i; ++back)
        ASSERT_NE(chosen[i], chosen[i - back]) << "n=" << n << " draw " << i;
    }
    EXPECT_EQ(seen.size(), n) << "every track comes up, n=" << n;
    EXPECT_LE(music.Recent().size(), n / 2);
    if (n == 2) {
      EXPECT_EQ(chosen.mid(0, 4), QList<int>({chosen[0], 1 - chosen[0], chosen[0], 1 - chosen[0]}));
    }
  }
}

TEST(SoundMusic, VolumeStepsStayBetweenMinus24AndZero) {
  TestTree tree;
  TMusic music(musicTree(tree, 2));
  EXPECT_EQ(music.Volume(), -12);
  music.ChangeVolume(2);
  EXPECT_EQ(music.Volume(), -10);
  music.ChangeVolume(30);
  EXPECT_EQ(music.Volume(), 0);
  music.ChangeVolume(-100);
  EXPECT_EQ(music.Volume(), -24);
  music.SetVolume(3);  // above 0: ignored
  EXPECT_EQ(music.Volume(), -24);
  music.SetVolume(-6);
  EXPECT_EQ(music.Volume(), -6);
  EXPECT_EQ(music.Player().Volume(), -600);

  EXPECT_FLOAT_EQ(TXPlayer::LinearVolume(0), 1.0f);
  EXPECT_NEAR(TXPlayer::LinearVolume(-600), 0.501, 0.001);
  EXPECT_NEAR(TXPlayer::LinearVolume(-2400), 0.063, 0.001);
}

// Receives the player's notifications like a main window.
class NotifyWindow : public QObject {
 public:
  int received = 0;
  bool event(QEvent* e) override {
    if (e->type() == TXPlayer::kNotifyEvent) {
      ++received;
      return true;
    }
    return QObject::event(e);
  }
};

TEST(SoundMusic, PlayerReportsTheEndOfATitleToItsWindow) {
  TestTree tree;
  TXPlayer player;
  EXPECT_FALSE(player.Play(tree.file("fehlt.mp3")));
  EXPECT_FALSE(player.Playing());
  REQUIRE_SOUND_SERVER();

  NotifyWindow window;
  player.SetNotifyWindow(&window);
  ASSERT_TRUE(player.Play(WriteTrack(tree.file("kurz.mp3"), 400)));
  EXPECT_TRUE(player.Playing());
  ASSERT_TRUE(WaitUntil([&] { return window.received > 0; }, 10000));
  EXPECT_EQ(player.HandleEvents(), TXPlayer::Complete);
  EXPECT_FALSE(player.Playing());
  EXPECT_EQ(player.HandleEvents(), TXPlayer::NoEvent);

  // Stopping releases everything and reports nothing.
  ASSERT_TRUE(player.Play(WriteTrack(tree.file("lang.mp3"), 3000)));
  player.Stop();
  EXPECT_FALSE(player.Loaded());
  WaitUntil([] { return false; }, 200);
  EXPECT_EQ(player.HandleEvents(), TXPlayer::NoEvent);
}

TEST(SoundMusic, NextTitleStartsWhenOneEnds) {
  REQUIRE_SOUND_SERVER();
  MessageRecorder messages;
  TestTree tree;
  WriteTrack(tree.file("mp3/uno.mp3"), 400);
  WriteTrack(tree.file("mp3/dos.mp3"), 400);
  TMusic music(tree.file("mp3"));
  QObject window;
  music.SetNotifyWindow(&window);
  int events = 0;
  QObject::connect(&music, &TMusic::trackEvent, [&] { ++events; });

  music.Start();
  EXPECT_TRUE(music.IsPlaying());
  const QString first = music.CurrentTrack();
  ASSERT_TRUE(WaitUntil([&] { return events >= 1; }, 10000));
  // With two titles the other one follows.
  EXPECT_NE(music.CurrentTrack(), first);
  EXPECT_TRUE(music.IsPlaying());

  EXPECT_FALSE(music.Toggle());
  EXPECT_FALSE(music.IsPlaying());
  EXPECT_TRUE(music.Toggle());
  music.StopMusic();
  EXPECT_FALSE(music.IsPlaying());
  EXPECT_TRUE(messages.messages().isEmpty());
}

}  // namespace
