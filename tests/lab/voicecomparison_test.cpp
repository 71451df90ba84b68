// Reading recordings, their loudness over time, and the picture that sets
// the learner's voice under the model.

#include <gtest/gtest.h>

#include <QtEndian>
#include <cmath>

#include "lab/voicecomparison.h"
#include "sound/wavefile.h"
#include "testsupport.h"

namespace {

using namespace Qt::StringLiterals;

// 16-bit mono samples: (milliseconds, amplitude 0..1) pieces of a 200 Hz tone.
QByteArray samples(const QList<std::pair<int, double>>& pieces, int rate = 22050) {
  QByteArray out;
  for (const auto& [ms, amplitude] : pieces) {
    const int n = rate * ms / 1000;
    for (int i = 0; i < n; ++i) {
      const auto v = static_cast<qint16>(std::lround(amplitude * 30000 * std::sin(2 * M_PI * 200 * i / rate)));
      char b[2];
      qToLittleEndian(v, b);
      out.append(b, 2);
    }
  }
  return out;
}

QByteArray waveFile(const QByteArray& data, int rate = 22050) {
  return WaveHeader(WaveFormat{16, 1, rate}, quint32(data.size())) + data;
}

int countColor(const QImage& image, const QRect& area, QRgb color) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) n += image.pixel(x, y) == color;
  return n;
}

const QRgb kModel = qRgb(0x6b, 0x4c, 0x93);
const QRgb kOwn = qRgb(0x8a, 0x24, 0x32);

}  // namespace

TEST(WaveFile, ParsesPcmAmongOtherChunksAndRefusesTheRest) {
  const QByteArray data = samples({{100, 0.5}});
  // Another chunk (odd-sized, padded) before the data, as recorders write them.
  QByteArray withList = waveFile(data);
  withList.insert(36, QByteArray("LIST\x03\x00\x00\x00" "abc\x00", 12));
  for (const QByteArray& bytes : {waveFile(data), withList}) {
    const auto wave = ParseWave(bytes);
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->format.samplesPerSecond, 22050);
    EXPECT_EQ(wave->samples, data);
    EXPECT_EQ(wave->durationMs(), 100);
  }
  // A data size that runs past the end: what is there, whole blocks only.
  QByteArray cut = waveFile(data).left(44 + 101);
  ASSERT_TRUE(ParseWave(cut));
  EXPECT_EQ(ParseWave(cut)->samples.size(), 100);
  // 8-bit stereo: the channels are averaged, 128 is silence.
  QByteArray stereo = WaveHeader(WaveFormat{8, 2, 8000}, 4) + QByteArray("\xff\x80\x80\x80", 4);
  const auto eight = ParseWave(stereo);
  ASSERT_TRUE(eight);
  const std::vector<float> mono = eight->mono();
  ASSERT_EQ(mono.size(), 2u);
  EXPECT_NEAR(mono[0], 127.0 / 256, 1e-3);
  EXPECT_EQ(mono[1], 0.0F);

  QByteArray compressed = waveFile(data);
  compressed[20] = 3;  // not PCM
  EXPECT_FALSE(ParseWave(compressed));
  EXPECT_FALSE(ParseWave("RIFF\x10\x00\x00\x00WAVEdata"));
  EXPECT_FALSE(ParseWave("ID3 an mp3 file"));
  EXPECT_FALSE(ReadWaveFile(u"/nicht/da.wav"_s));
}

TEST(LoudnessEnvelope, FindsTheVoiceBetweenTheSilencesAndLevelsItToItsLoudestFrame) {
  const auto wave = ParseWave(waveFile(samples({{300, 0}, {500, 0.8}, {200, 0.001}, {300, 0.2}, {100, 0}})));
  ASSERT_TRUE(wave);
  const LoudnessEnvelope e = LoudnessEnvelope::FromWave(*wave);
  EXPECT_NEAR(static_cast<double>(e.levels.size()), 140, 1);
  EXPECT_NEAR(e.firstVoiced, 30, 1);
  EXPECT_NEAR(e.lastVoiced, 129, 1) << "the quieter second part is voice too; the pause between is not cut";
  EXPECT_NEAR(e.VoicedSeconds(), 1.0, 0.02);
  EXPECT_NEAR(e.levels[50], 1.0, 0.01);
  EXPECT_EQ(e.levels[10], 0.0F);
  EXPECT_LT(e.levels[90], 0.1F) << "the pause";
  EXPECT_GT(e.levels[115], 0.5F);
  EXPECT_LT(e.levels[115], 0.9F) << "12 dB under the loudest frame";

  const auto silence = ParseWave(waveFile(samples({{500, 0.0005}})));
  EXPECT_TRUE(LoudnessEnvelope::FromWave(*silence).Silent());
  EXPECT_TRUE(LoudnessEnvelope::FromWave(WaveData{}).Silent());
}

TEST(VoiceComparison, ModelAboveTheLearnerBelowAndANoteWhereThereIsNothing) {
  TestTree tree;
  const QString model = tree.write(u"la0101b.wav"_s, waveFile(samples({{200, 0}, {800, 0.7}})));
  const QString quiet = tree.write(u"still.wav"_s, waveFile(samples({{800, 0}})));
  const QString own = tree.write(u"stimme.wav"_s, waveFile(samples({{400, 0}, {1200, 0.3}})));
  QImage picture(696, 112, QImage::Format_RGB32);
  // The lanes right of the speakers' names.
  const QRect top(100, 0, 596, 56);
  const QRect bottom(100, 56, 596, 56);

  VoiceComparison c;
  c.SetModel(model);
  ASSERT_TRUE(c.HasModel());
  c.Draw(picture);
  EXPECT_GT(countColor(picture, top, kModel), 2000) << "the model's envelope";
  EXPECT_EQ(countColor(picture, bottom, kOwn), 0) << "nothing recorded yet";

  c.SetOwn(own);
  c.Draw(picture);
  const int modelPixels = countColor(picture, top, kModel);
  EXPECT_GT(countColor(picture, bottom, kOwn), 1000);
  // One time scale: the learner took longer, so the model's envelope ends further left than theirs.
  auto lastColumn = [&](const QRect& lane, QRgb color) {
    for (int x = lane.right(); x >= lane.left(); --x)
      for (int y = lane.top(); y <= lane.bottom(); ++y)
        if (picture.pixel(x, y) == color) return x;
    return -1;
  };
  EXPECT_LT(lastColumn(top, kModel) + 100, lastColumn(bottom, kOwn));
  EXPECT_GT(modelPixels, 1000);

  // A silent recording is reported, not drawn; a new model drops the old recording.
  c.SetOwn(quiet);
  ASSERT_TRUE(c.HasOwn());
  EXPECT_TRUE(c.Own()->Silent());
  c.Draw(picture);
  EXPECT_EQ(countColor(picture, bottom, kOwn), 0);
  c.SetOwn(own);
  c.SetModel(u""_s);
  EXPECT_FALSE(c.HasOwn());
  EXPECT_FALSE(c.HasModel());
  c.Draw(picture);
  EXPECT_EQ(countColor(picture, top, kModel), 0) << "a note instead of the envelope";

  EXPECT_FALSE(c.OwnRecordingPath().isEmpty());
  EXPECT_EQ(c.OwnRecordingPath(), c.OwnRecordingPath()) << "one file for the run";
}
