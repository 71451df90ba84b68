#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QProcess>
#include <QProcessEnvironment>

#include "common/messagerecorder.h"
#include "sound/baserec.h"
#include "sound/mcidevice.h"
#include "sound/music.h"
#include "sound/sampleplayer.h"
#include "sound/soundtestsupport.h"
#include "sound/txplayer.h"
#include "testsupport.h"

namespace {

const char* const kChildVariable = "ZVK_SOUND_NO_SERVER_CHILD";

// Runs inside a process whose sound server address leads nowhere.
void runWithoutServer() {
  ASSERT_TRUE(QMediaDevices::audioOutputs().isEmpty()) << "a sound device is still there";
  MessageRecorder messages;
  TestTree tree;
  const QString tone = WriteTone(tree.file("ton.wav"), 300);
  MciDevice& mci = MciDevice::shared();

  // Samples: silently nothing, and the player is free again.
  TSamplePlayer samples;
  samples.PlaySample(tone);
  EXPECT_FALSE(samples.Busy());
  samples.PlaySample(tone, false);
  samples.StartPrepared();
  EXPECT_FALSE(samples.Busy());
  mci.PlaySoundAsync(tone);
  EXPECT_TRUE(messages.messages().isEmpty());

  // A page's sound link: the file opens, playing it fails with an information box.
  EXPECT_EQ(mci.PageCommand("close welle", true), "Error263");
  EXPECT_FALSE(mci.PageCommand("open \"" + tone + "\" alias welle", false).startsWith("Error"));
  EXPECT_EQ(mci.PageCommand("play welle from 0", false), "Error326");
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].kind, MessageKind::Information);
  EXPECT_EQ(mci.PageCommand("close welle", true), "");
  messages.clear();

  // The recorder: one stop message per button, and it returns to stopped.
  {
    TBaseRec rec;
    EXPECT_TRUE(messages.messages().isEmpty());
    rec.Record();
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.messages()[0].kind, MessageKind::Stop);
    EXPECT_EQ(messages.messages()[0].text, MciError::ErrorText(MciError::NoInputDevice));
    EXPECT_TRUE(WaitUntil([&] { return rec.State() == TBaseRec::Stopped; }, 2000));
    rec.PlayBack();
    EXPECT_EQ(messages.messages().size(), 2);
    EXPECT_TRUE(WaitUntil([&] { return rec.State() == TBaseRec::Stopped; }, 2000));
    EXPECT_EQ(messages.messages().size(), 2);
  }
  messages.clear();

  // Music: no title plays, quietly.
  WriteTrack(tree.file("mp3/a.mp3"), 300);
  WriteTrack(tree.file("mp3/b.mp3"), 300);
  TMusic music(tree.file("mp3"));
  music.Start();
  EXPECT_FALSE(music.IsPlaying());
  EXPECT_FALSE(music.Toggle());
  TXPlayer player;
  EXPECT_FALSE(player.Play(tone));
  WaitUntil([] { return false; }, 200);
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST(SoundNoServer, EveryOperationFailsAsDescribedAndTheProgramCarriesOn) {
  if (qEnvironmentVariableIsSet(kChildVariable)) {
    runWithoutServer();
    return;
  }
  // The sound system connects once per process: run the case in a process of its own.
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(kChildVariable, "1");
  env.insert("PULSE_SERVER", "unix:/nonexistent/zvk-no-sound-server");
  env.insert("QT_QPA_PLATFORM", "offscreen");
  child.setProcessEnvironment(env);
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start(QCoreApplication::applicationFilePath(),
              {"--gtest_filter=SoundNoServer.EveryOperationFailsAsDescribedAndTheProgramCarriesOn"});
  ASSERT_TRUE(child.waitForFinished(60000));
  const QString output = QString::fromLocal8Bit(child.readAll());
  EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << qPrintable(output);
  EXPECT_EQ(child.exitCode(), 0) << qPrintable(output);
  EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << qPrintable(output);
}

}  // namespace
