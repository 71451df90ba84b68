// The language lab's recordings made at build time: two speeds per
// sentence, spoken again only when a sentence changed, and the recordings
// of sentences that are gone removed.

#include <gtest/gtest.h>

#include <QFileInfo>

#include "labrecordings.h"
#include "sound/wavefile.h"
#include "testsupport.h"

namespace {

using namespace Qt::StringLiterals;

QByteArray sentences(const QString& second) {
  return (u"****Angaben zur Person\n"
          "¿Cómo te llamas?\nCómo te llamas?; Cómo te llamas\n\nWie heißt du?\nXS:\\LA\\01\\la0101a.wav\n"
          "****Kontakte\n"_s +
          second + u"\n\n\nHallo.\nXS:\\LA\\02\\la0201a.wav\n"_s)
      .toUtf8();
}

struct Build {
  Build() { source = stage.write(u"quelle/1.txt"_s, sentences(u"Hola."_s)); }
  LabRecordings run() {
    LabRecordings::Options o;
    o.stageDir = stage.path();
    o.sentences = source;
    o.stampFile = stamps.file(u"neu/lab-recordings.txt"_s);  // its folder is made when missing
    o.jobs = 2;
    LabRecordings r(o);
    ok = r.run();
    return r;
  }
  qint64 ms(const QString& relative) const {
    const auto wave = ReadWaveFile(stage.file(relative));
    return wave ? wave->durationMs() : -1;
  }
  TestTree stage, stamps;
  QString source;
  bool ok = false;
};

}  // namespace

TEST(LabRecordings, ReferencesNameTheSlowFileBelowTheLabFolder) {
  EXPECT_EQ(LabRecordings::RelativePath(u"XS:\\LA\\01\\la0101a.wav"_s), u"wave/LA/01/la0101a.wav"_s);
  EXPECT_EQ(LabRecordings::RelativePath(u"XS:\\LA\\la_1a.wav"_s), u"wave/LA/la_1a.wav"_s);
  EXPECT_EQ(LabRecordings::NormalSpeedPath(u"wave/LA/01/la0101a.wav"_s), u"wave/LA/01/la0101b.wav"_s);
  for (const QString& bad : {u""_s, u"XS:\\LA\\01\\la0101b.wav"_s, u"XS:\\LA\\01\\La0101a.wav"_s,
                             u"XS:\\espeak\\x_a.wav"_s, u"XS:\\LA\\..\\..\\a.wav"_s, u"XS:\\LA\\01\\"_s,
                             u"SK:\\LA\\01\\la0101a.wav"_s, u"XS:\\LA\\01\\la0101a.mp3"_s})
    EXPECT_EQ(LabRecordings::RelativePath(bad), QString()) << bad.toStdString();
}

TEST(LabRecordings, SpeaksEverySentenceTwiceAndOnlyWhatChanged) {
  REQUIRE_ESPEAK();
  Build b;
  LabRecordings first = b.run();
  ASSERT_TRUE(b.ok) << first.errors().join(u'\n').toStdString();
  EXPECT_EQ(first.sentences(), 2);
  EXPECT_EQ(first.generated(), 4);
  const qint64 slow = b.ms(u"wave/LA/01/la0101a.wav"_s);
  const qint64 normal = b.ms(u"wave/LA/01/la0101b.wav"_s);
  EXPECT_GT(normal, 400);
  EXPECT_GT(slow, normal + normal / 5) << "the slow recording takes clearly longer";
  EXPECT_GT(b.ms(u"wave/LA/02/la0201b.wav"_s), 200);

  LabRecordings second = b.run();
  ASSERT_TRUE(b.ok);
  EXPECT_EQ(second.generated(), 0);
  EXPECT_EQ(second.kept(), 4);

  // A changed sentence is spoken again; a stray file of the folder goes.
  b.stage.write(u"quelle/1.txt"_s, sentences(u"¡Hola, buenos días!"_s));
  b.stage.write(u"wave/LA/09/la0901a.wav"_s, "RIFF");
  const qint64 before = b.ms(u"wave/LA/02/la0201a.wav"_s);
  LabRecordings third = b.run();
  ASSERT_TRUE(b.ok) << third.errors().join(u'\n').toStdString();
  EXPECT_EQ(third.generated(), 2);
  EXPECT_EQ(third.kept(), 2);
  EXPECT_EQ(third.removed(), 1);
  EXPECT_GT(b.ms(u"wave/LA/02/la0201a.wav"_s), before);
  EXPECT_FALSE(QFileInfo::exists(b.stage.file(u"wave/LA/09/la0901a.wav"_s)));

  // A lost recording is made again even though its stamp is there.
  QFile::remove(b.stage.file(u"wave/LA/01/la0101b.wav"_s));
  EXPECT_EQ(b.run().generated(), 1);
}

TEST(LabRecordings, AReferenceOutOfFormOrTwiceStopsTheBuildWithTheSentence) {
  REQUIRE_ESPEAK();
  Build b;
  b.stage.write(u"quelle/1.txt"_s, u"****Kontakte\nHola.\n\n\nHallo.\nXS:\\espeak\\hola.wav\n"_s.toUtf8());
  LabRecordings wrong = b.run();
  EXPECT_FALSE(b.ok);
  ASSERT_EQ(wrong.errors().size(), 1);
  EXPECT_TRUE(wrong.errors()[0].contains(u"\"Hola.\""_s)) << wrong.errors()[0].toStdString();

  b.stage.write(u"quelle/1.txt"_s, u"****Kontakte\nHola.\n\n\nHallo.\nXS:\\LA\\02\\la0201a.wav\n"
                                   "Adiós.\n\n\nTschüss.\nXS:\\LA\\02\\la0201a.wav\n"_s.toUtf8());
  LabRecordings twice = b.run();
  EXPECT_FALSE(b.ok);
  ASSERT_EQ(twice.errors().size(), 1);
  EXPECT_TRUE(twice.errors()[0].contains(u"mehr als einem Satz"_s));
}
