#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>

#include "common/messagerecorder.h"
#include "sound/mcidevice.h"
#include "sound/soundtestsupport.h"
#include "testsupport.h"

namespace {

using Report = MciDevice::Report;

TEST(SoundMciDevice, FailuresAnswerErrorNumbersAndShowTheirTextUnlessSilent) {
  MessageRecorder messages;
  TestTree tree;
  const QString tone = WriteTone(tree.file("a.wav"), 100);
  MciDevice mci;

  EXPECT_EQ(mci.Send("dance welle"), "Error261");
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].kind, MessageKind::Stop);
  EXPECT_EQ(messages.messages()[0].text, MciError::ErrorText(261));
  messages.clear();

  EXPECT_EQ(mci.Send("open \"" + tree.file("missing.wav") + "\" alias welle", Report::Information), "Error275");
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].kind, MessageKind::Information);
  messages.clear();

  // Silent: the same kinds of failure, no message.
  EXPECT_EQ(mci.Send("close welle", Report::Silent), "Error263");
  EXPECT_EQ(mci.Send("play welle from 0", Report::Silent), "Error263");
  EXPECT_EQ(mci.Send("open \"" + tone + " alias welle", Report::Silent), "Error294");
  EXPECT_EQ(mci.Send("open new type waveaudio", Report::Silent), "Error299");
  EXPECT_EQ(mci.Send("   ", Report::Silent), "Error261");
  EXPECT_EQ(mci.Send("play", Report::Silent), "Error292");

  // A quoted name with blanks; the alias is taken once, in any case.
  const QString spaced = WriteTone(tree.file("mit Leerzeichen.wav"), 100);
  EXPECT_FALSE(mci.Send("open \"" + spaced + "\" alias Welle", Report::Silent).startsWith("Error"));
  EXPECT_TRUE(mci.IsOpen("WELLE"));
  EXPECT_EQ(mci.Send("open \"" + tone + "\" alias welle", Report::Silent), "Error289");
  EXPECT_EQ(mci.Send("play welle from soon", Report::Silent), "Error270");
  EXPECT_EQ(mci.Send("play welle backwards", Report::Silent), "Error259");
  EXPECT_EQ(mci.Send("close welle", Report::Silent), "");
  EXPECT_FALSE(mci.IsOpen("welle"));
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST(SoundMciDevice, NewRecordingTakesItsFormatAndSavesAnEmptyWave) {
  MessageRecorder messages;
  TestTree tree;
  MciDevice mci;
  EXPECT_GT(mci.Send("open new type waveaudio alias test").toInt(), 0);
  EXPECT_EQ(mci.Send("set test bitspersample 16 channels 1 alignment 2 samplespersec 44100 bytespersec 88200"), "");
  EXPECT_EQ(mci.Send("status test bytespersec"), "88200");
  EXPECT_EQ(mci.Send("status test mode"), "stopped");
  EXPECT_EQ(mci.Send("set test bitspersample 12", Report::Silent), "Error282");
  EXPECT_EQ(mci.Send("seek test", Report::Silent), "Error273");

  EXPECT_EQ(mci.Send("save test \"" + tree.file("leer.wav") + "\""), "");
  EXPECT_EQ(tree.read("leer.wav").size(), 44);
  EXPECT_EQ(mci.Send("save test \"" + tree.file("kein/ordner/x.wav") + "\"", Report::Silent), "Error286");
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST(SoundMciDevice, PlayWaitsOrNotifiesUntilTheSoundHasEnded) {
  REQUIRE_SOUND_SERVER();
  MessageRecorder messages;
  TestTree tree;
  const QString tone = WriteTone(tree.file("ton.wav"), 400);
  MciDevice mci;
  QList<QVariantList> notified;
  QObject::connect(&mci, &MciDevice::notify,
                   [&](const QString& alias, int id, int code) { notified << QVariantList{alias, id, code}; });

  const int id = mci.Send("open \"" + tone + "\" alias klang wait").toInt();
  ASSERT_GT(id, 0);
  EXPECT_NEAR(mci.Send("status klang length").toInt(), 400, 5);
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(mci.Send("play klang from 0 wait"), "");
  EXPECT_GE(clock.elapsed(), 350);
  EXPECT_EQ(mci.Send("status klang mode"), "stopped");

  EXPECT_EQ(mci.Send("play klang from 0 notify"), "");
  EXPECT_EQ(mci.Send("status klang mode"), "playing");
  ASSERT_TRUE(WaitUntil([&] { return notified.size() == 1; }, 10000));
  EXPECT_EQ(notified[0], (QVariantList{"klang", id, int(MciDevice::NotifySuccessful)}));

  // Closing a playing device aborts it; the notification comes afterwards.
  EXPECT_EQ(mci.Send("play klang from 0 notify"), "");
  EXPECT_EQ(mci.Send("close klang"), "");
  EXPECT_EQ(notified.size(), 1);
  ASSERT_TRUE(WaitUntil([&] { return notified.size() == 2; }, 2000));
  EXPECT_EQ(notified[1], (QVariantList{"klang", id, int(MciDevice::NotifyAborted)}));
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST(SoundMciDevice, OpenWaitRejectsAFileThatIsNoSound) {
  REQUIRE_SOUND_SERVER();
  TestTree tree;
  const QString junk = tree.write("kaputt.wav", QByteArray("RIFF\x10\0\0\0WAVEjunkjunkjunk", 20) + QByteArray(200, 'x'));
  MciDevice mci;
  EXPECT_EQ(mci.Send("open \"" + junk + "\" alias welle wait", Report::Silent), "Error296");
  EXPECT_FALSE(mci.IsOpen("welle"));
}

}  // namespace
