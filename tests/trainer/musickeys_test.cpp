#include <gtest/gtest.h>

#include <QTest>

#include "common/messagerecorder.h"
#include "common/zstream.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "pages/txpage.h"
#include "sound/music.h"
#include "sound/soundtestsupport.h"
#include "testsupport.h"
#include "trainer/tmain.h"

namespace {

// While music plays, the arrow keys pressed on the page belong to the music;
// otherwise they stay with the page.
TEST(TrainerMusicKeys, UpDownChangeTheVolumeAndRightSkipsWhileMusicPlays) {
  REQUIRE_SOUND_SERVER();
  TestTree program;
  ScopedConfigHome home;
  SettingsStore store;
  MessageRecorder messages;
  program.write(QStringLiteral("hzvk/main.htx"), ZStream::compress("Start"));
  Environment env(program.path(), store);
  env.ReadDirectorySettings();
  WriteTrack(program.file("MP3/uno.mp3"), 3000);
  WriteTrack(program.file("MP3/dos.mp3"), 3000);
  TMusic music(program.file("MP3"));
  music.SetVolume(-12);

  TMain main(env, nullptr, nullptr);
  main.ShowStartPage();
  int changes = 0;
  main.OnMusicVolumeChanged = [&] { ++changes; };
  main.setMusic(&music);
  const QString caption = main.windowTitle();

  // No music playing: the keys change nothing.
  QTest::keyClick(main.XPage(), Qt::Key_Up);
  EXPECT_EQ(music.Volume(), -12);
  EXPECT_EQ(main.windowTitle(), caption);

  music.Start();
  ASSERT_TRUE(music.IsPlaying());
  QTest::keyClick(main.XPage(), Qt::Key_Up);
  EXPECT_EQ(music.Volume(), -10);
  EXPECT_EQ(main.windowTitle(), QStringLiteral("Volume: -10"));
  QTest::keyClick(main.XPage(), Qt::Key_Down);
  QTest::keyClick(main.XPage(), Qt::Key_Down);
  EXPECT_EQ(music.Volume(), -14);
  EXPECT_EQ(main.windowTitle(), QStringLiteral("Volume: -14"));
  EXPECT_EQ(changes, 3);

  const QString first = music.CurrentTrack();
  QTest::keyClick(main.XPage(), Qt::Key_Right);
  EXPECT_NE(music.CurrentTrack(), first);  // with two titles the other one comes
  EXPECT_EQ(main.windowTitle(), QDir::toNativeSeparators(music.CurrentTrack()));
  music.StopMusic();
  main.setMusic(nullptr);
}

}  // namespace
