#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "common/messagerecorder.h"
#include "common/textcodec.h"
#include "common/zstream.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "sound/soundtestsupport.h"
#include "testsupport.h"
#include "trainer/startup.h"

namespace {

QByteArray database(const QList<std::pair<const char*, const char*>>& entries) {
  QByteArray data;
  for (const auto& [text, reference] : entries) data += QByteArray(text) + '\0' + QByteArray(reference) + '\0';
  return ZStream::compress(data);
}

class RecordingStartupTest : public ::testing::Test {
 protected:
  RecordingStartupTest() {
    program.write(QStringLiteral("hzvk/main.htx"), "x");
    program.mkdir(QStringLiteral("Vokabeln (S)/Grundwortschatz"));
    program.write(QStringLiteral("wave/ZVK_S"));
    program.write(QStringLiteral("zvk.ini"), "[zvk spanisch]\r\nWave-Verzeichnis=wave/\r\n");
  }
  bool start() {
    startup = std::make_unique<TrainerStartup>(program.path(),
                                               std::make_unique<SettingsStore>(config.file(QStringLiteral("s.conf"))));
    return startup->run({}, {1024, 768, 32});
  }

  TestTree program;
  TestTree config;
  MessageRecorder messages;
  std::unique_ptr<TrainerStartup> startup;
};

}  // namespace

TEST_F(RecordingStartupTest, AMissingMainDatabaseIsCreatedEmpty) {
  ASSERT_TRUE(start());
  startup->CreateMainRecordingDatabase();
  const QString file = program.file(QStringLiteral("S_wx.zvk"));
  EXPECT_EQ(startup->MainRecordings().FileName(), file);
  EXPECT_EQ(startup->MainRecordings().Count(), 0);
  EXPECT_FALSE(startup->MainRecordings().Modified());
  ASSERT_TRUE(QFile::exists(file));
  EXPECT_EQ(ZStream::decompress(program.read(QStringLiteral("S_wx.zvk"))), QByteArray());
  EXPECT_TRUE(messages.messages().isEmpty());

  // The next start loads it; adding works on it as on any database.
  ASSERT_TRUE(start());
  startup->CreateMainRecordingDatabase();
  EXPECT_TRUE(messages.messages().isEmpty());
  EXPECT_EQ(startup->MainRecordings().FileName(), file);
}

TEST_F(RecordingStartupTest, AnExistingMainDatabaseIsLoadedWithDuplicatesIgnored) {
  program.write(QStringLiteral("S_wx.zvk"), database({{"hola", "XS:\\hola.wav"}, {"Hola", "XS:\\otra.wav"}}));
  ASSERT_TRUE(start());
  startup->CreateMainRecordingDatabase();
  EXPECT_EQ(startup->MainRecordings().Count(), 1);
  EXPECT_EQ(startup->MainRecordings().Lookup(QStringLiteral("HOLA")), "XS:\\hola.wav");
  EXPECT_EQ(startup->MainRecordings().DuplicatesMode(), TXWaveBase::IgnoreDuplicates);
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(RecordingStartupTest, AFailedCreationIsReportedAndTheStartGoesOn) {
  // Something else in the way of the file: it cannot be written.
  program.mkdir(QStringLiteral("S_wx.zvk"));
  ASSERT_TRUE(start());
  startup->CreateMainRecordingDatabase();
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].kind, MessageKind::Stop);
  EXPECT_EQ(messages.messages()[0].text, "Verzeichnis der Sprachaufnahmen konnte nicht erzeugt werden");
  EXPECT_EQ(startup->MainRecordings().Count(), 0);
  startup->MainRecordings().Add(QStringLiteral("hola"), QStringLiteral("XU:\\hola.wav"));
  EXPECT_EQ(startup->MainRecordings().Lookup(QStringLiteral("hola")), "XU:\\hola.wav");
}

TEST_F(RecordingStartupTest, AnUnwritableProgramDirectoryIsReported) {
  ASSERT_TRUE(start());
  QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::ExeOwner);
  const bool writable = QFile(program.file(QStringLiteral("probe"))).open(QIODevice::WriteOnly);
  if (writable) {
    QFile::remove(program.file(QStringLiteral("probe")));
    QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    GTEST_SKIP() << "running with rights that ignore file permissions";
  }
  startup->CreateMainRecordingDatabase();
  QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].text, "Verzeichnis der Sprachaufnahmen konnte nicht erzeugt werden");
  EXPECT_FALSE(QFile::exists(program.file(QStringLiteral("S_wx.zvk"))));
}

TEST_F(RecordingStartupTest, SecondaryDatabaseMergesTheCourseAndTheAddOns) {
  program.write(QStringLiteral("s_w.zvk"), database({{"hola", "XS:\\kurs\\hola.wav"}, {"gato", "XS:\\kurs\\gato.wav"}}));
  program.write(QStringLiteral("S_SK/S_sk.zvk"), database({{"hola", "SK:\\hola.wav"}, {"perro", "SK:\\perro.wav"}}));
  program.mkdir(QStringLiteral("S_SX"));  // without its database
  program.write(QStringLiteral("S_wx.zvk"), database({{"gato", "XU:\\mio.wav"}}));
  program.write(QStringLiteral("wave/kurs/hola.wav"), "RIFF");
  program.write(QStringLiteral("wave/kurs/gato.wav"), "RIFF");
  ASSERT_TRUE(start());
  startup->CreateMainRecordingDatabase();
  startup->CreateSecondaryRecordingDatabase();
  const Environment& env = startup->environment();
  EXPECT_EQ(env.SkDir, program.file(QStringLiteral("S_SK/")));
  EXPECT_TRUE(env.SxDir.isEmpty());
  const TXWaveBase& secondary = startup->SecondaryRecordings();
  EXPECT_EQ(secondary.Count(), 3);
  EXPECT_EQ(secondary.Lookup(QStringLiteral("hola")), "XS:\\kurs\\hola.wav");
  EXPECT_EQ(secondary.Lookup(QStringLiteral("perro")), "SK:\\perro.wav");

  // The main database comes first, the secondary one fills in.
  EXPECT_EQ(LookupRecording(QStringLiteral("gato"), startup->Recordings()), "XU:\\mio.wav");
  EXPECT_EQ(LookupRecording(QStringLiteral("hola"), startup->Recordings()), "XS:\\kurs\\hola.wav");
  EXPECT_EQ(FindRecording(QStringLiteral("hola"), startup->Recordings(), env),
            program.file(QStringLiteral("wave/kurs/hola.wav")));
  EXPECT_EQ(FindRecording(QStringLiteral("gato"), startup->Recordings(), env), "");  // no own directory
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(RecordingStartupTest, WithoutRecordingDirectoriesTheCourseDatabaseIsNotLoaded) {
  program.write(QStringLiteral("zvk.ini"), "[zvk spanisch]\r\nWave-Verzeichnis=\r\n");
  QFile::remove(program.file(QStringLiteral("wave/ZVK_S")));
  program.write(QStringLiteral("s_w.zvk"), database({{"hola", "XS:\\hola.wav"}}));
  ASSERT_TRUE(start());
  startup->CreateSecondaryRecordingDatabase();
  EXPECT_EQ(startup->SecondaryRecordings().Count(), 0);
}
