#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QtEndian>

#include "common/messagerecorder.h"
#include "pages/pagetables.h"
#include "sound/baserec.h"
#include "sound/mcidevice.h"
#include "sound/soundtestsupport.h"
#include "sound/txrecorder.h"
#include "testsupport.h"

namespace {

quint32 u32(const QByteArray& b, int at) { return qFromLittleEndian<quint32>(b.constData() + at); }
quint16 u16(const QByteArray& b, int at) { return qFromLittleEndian<quint16>(b.constData() + at); }

TEST(SoundRecorder, MaximumLengthOutsideOneToNineteenSecondsBecomesFour) {
  MessageRecorder messages;
  MciDevice mci;
  TBaseRec rec(&mci);
  EXPECT_EQ(rec.MaxSeconds(), 4);
  EXPECT_EQ(rec.State(), TBaseRec::Initial);
  const std::pair<int, int> cases[] = {{25, 4}, {10, 10}, {0, 4}, {-3, 4}, {20, 4}, {19, 19}, {1, 1}};
  for (auto [given, expected] : cases) {
    rec.SetMaxSeconds(given);
    EXPECT_EQ(rec.MaxSeconds(), expected) << given;
  }
  EXPECT_TRUE(mci.IsOpen("test"));
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST(SoundRecorder, TwoRecordersLiveSideBySideUnderTheirOwnNames) {
  MessageRecorder messages;
  MciDevice mci;
  auto first = std::make_unique<TBaseRec>(&mci);
  {
    TBaseRec second(&mci, nullptr, QStringLiteral("aufnahme"));
    EXPECT_TRUE(mci.IsOpen("aufnahme"));
  }
  // The second one going closes its own device, not the first one's.
  EXPECT_TRUE(mci.IsOpen("test"));
  EXPECT_FALSE(mci.IsOpen("aufnahme"));
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST(SoundRecorder, RecordingStopsByItselfAtItsMaximumLengthAndSavesA16BitMonoWave) {
  REQUIRE_SOUND_SERVER();
  MessageRecorder messages;
  TestTree tree;
  MciDevice mci;
  TBaseRec rec(&mci);
  rec.SetMaxSeconds(1);
  QList<int> states;
  rec.OnChange = [&] { states << rec.State(); };

  rec.Record();
  EXPECT_EQ(rec.State(), TBaseRec::Recording);
  ASSERT_TRUE(WaitUntil([&] { return rec.State() == TBaseRec::Stopped; }, 5000));
  EXPECT_EQ(states, QList<int>({TBaseRec::Recording, TBaseRec::Stopped}));
  EXPECT_EQ(mci.Send("status test mode"), "stopped");
  const qint64 length = rec.Length();
  EXPECT_GE(length, 1000);
  EXPECT_LE(length, 1400);

  ASSERT_TRUE(rec.Save(tree.file("stimme.wav")));
  const QByteArray wav = tree.read("stimme.wav");
  ASSERT_GE(wav.size(), 44);
  EXPECT_EQ(wav.left(4), "RIFF");
  EXPECT_EQ(u32(wav, 4), quint32(wav.size() - 8));
  EXPECT_EQ(wav.mid(8, 8), "WAVEfmt ");
  EXPECT_EQ(u32(wav, 16), 16u);
  EXPECT_EQ(u16(wav, 20), 1);      // PCM
  EXPECT_EQ(u16(wav, 22), 1);      // mono
  EXPECT_EQ(u32(wav, 24), 44100u);
  EXPECT_EQ(u32(wav, 28), 88200u);
  EXPECT_EQ(u16(wav, 32), 2);
  EXPECT_EQ(u16(wav, 34), 16);
  EXPECT_EQ(wav.mid(36, 4), "data");
  EXPECT_EQ(u32(wav, 40), quint32(wav.size() - 44));
  EXPECT_NEAR((wav.size() - 44) / 88.2, double(length), 2.0);
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST(SoundRecorder, ButtonsStopEarlyAndPlaybackReturnsToStopped) {
  REQUIRE_SOUND_SERVER();
  MessageRecorder messages;
  MciDevice mci;
  TBaseRec rec(&mci);
  QList<int> states;
  rec.OnChange = [&] { states << rec.State(); };

  rec.ToggleRecord();
  WaitUntil([] { return false; }, 600);
  rec.ToggleRecord();  // stops the running recording
  EXPECT_EQ(rec.State(), TBaseRec::Stopped);
  const qint64 length = rec.Length();
  EXPECT_GT(length, 300);
  EXPECT_LT(length, 2000);

  rec.TogglePlay();
  EXPECT_EQ(rec.State(), TBaseRec::Playing);
  EXPECT_EQ(mci.Send("status test mode"), "playing");
  ASSERT_TRUE(WaitUntil([&] { return rec.State() == TBaseRec::Stopped; }, length + 5000));

  rec.TogglePlay();
  EXPECT_EQ(rec.State(), TBaseRec::Playing);
  rec.TogglePlay();  // stops the playback
  EXPECT_EQ(rec.State(), TBaseRec::Stopped);
  EXPECT_EQ(states, QList<int>({1, 0, 2, 0, 2, 0}));
  EXPECT_EQ(rec.Length(), length);  // playing leaves the recording as it was
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST(SoundRecorder, ButtonsShowThePictureOfTheirStateCentredOnTheBackground) {
  MessageRecorder messages;  // without a sound server recording fails with a message
  TestTree tree;
  MciDevice mci;
  TRecorderSpec settings;
  settings.RecRect = QRect(10, 10, 30, 30);
  settings.PlayRect = QRect(50, 10, 30, 30);
  settings.Pictures = WriteRecorderPictures(tree.path() + QStringLiteral("/knopf_"));
  settings.Color = RGBColor(0, 0, 128);
  settings.Max = 3;
  std::unique_ptr<TXRecorder> rec = TXRecorder::FromSpec(settings, &mci);
  EXPECT_EQ(rec->MaxSeconds(), 3);

  QImage page(100, 50, QImage::Format_RGB32);
  page.fill(Qt::black);
  QList<QRect> updates;
  rec->SetCanvas(&page, [&](const QRect& r) { updates << r; });
  rec->Draw(true);
  EXPECT_EQ(page.pixelColor(25, 25), QColor(Qt::black));  // not visible yet: nothing drawn
  EXPECT_TRUE(updates.isEmpty());

  rec->SetVisible(true);
  EXPECT_EQ(updates, QList<QRect>({settings.RecRect, settings.PlayRect}));
  EXPECT_EQ(page.pixelColor(25, 25), QColor(Qt::red));
  EXPECT_EQ(page.pixelColor(65, 25), QColor(Qt::blue));
  EXPECT_EQ(page.pixelColor(11, 11), QColor(0, 0, 128));   // background around the picture
  EXPECT_EQ(page.pixelColor(19, 19), QColor(0, 0, 128));
  EXPECT_EQ(page.pixelColor(20, 20), QColor(Qt::red));     // picture at (20,20)..(29,29)
  EXPECT_EQ(page.pixelColor(29, 29), QColor(Qt::red));
  EXPECT_EQ(page.pixelColor(30, 30), QColor(0, 0, 128));
  EXPECT_EQ(page.pixelColor(5, 5), QColor(Qt::black));     // outside the buttons

  updates.clear();
  EXPECT_TRUE(rec->HandleLink("rec"));
  EXPECT_EQ(rec->State(), TBaseRec::Recording);
  EXPECT_EQ(page.pixelColor(25, 25), QColor(Qt::green));
  EXPECT_EQ(updates.size(), 2);
  EXPECT_TRUE(rec->HandleLink("rec"));
  EXPECT_EQ(page.pixelColor(25, 25), QColor(Qt::red));
  EXPECT_FALSE(rec->HandleLink("rewind"));

  // Hidden: state changes no longer draw.
  rec->SetVisible(false);
  page.fill(Qt::black);
  rec->HandleLink("rec");
  EXPECT_EQ(page.pixelColor(25, 25), QColor(Qt::black));
  rec->StopRec();
}

}  // namespace
