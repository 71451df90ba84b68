#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtEndian>

#include "common/messagerecorder.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "sound/txwavebase.h"
#include "speechtexts.h"
#include "testsupport.h"
#include "vocabulary/libraryfile.h"
#include "wavebuilder.h"

namespace {

TVokabel record(const QString& entry, const QString& meaning, bool deutsch = false) {
  TVokabel v;
  v.Vokabel = entry;
  v.Bedeutung[0] = meaning;
  v.Deutsch = deutsch;
  return v;
}

void writeLibrary(const TestTree& stage, const QString& relative, const QList<TVokabel>& records) {
  stage.write(QStringLiteral("Vokabeln (S)/") + relative, LibraryFile::serialize({QStringLiteral("Test")}, records));
}

class WaveToolTest : public ::testing::Test {
 protected:
  WaveToolTest() {
    writeLibrary(stage, QStringLiteral("Grundwortschatz/eins.asc"),
                 {record(QStringLiteral("casa (f)"), QStringLiteral("Haus")),
                  record(QStringLiteral("¿Qué tal?"), QStringLiteral("Wie geht's?")),
                  record(QStringLiteral("Haus"), QStringLiteral("[Gebäude] casa (f); edificio (m)"), true)});
    writeLibrary(stage, QStringLiteral("Reise/zwei.asc"),
                 {record(QStringLiteral("(el/la) estudiante"), QStringLiteral("Student(in)")),
                  record(QStringLiteral("CASA (f)"), QStringLiteral("HAUS"))});
    // The basic vocabulary source: ten-line records, UTF-8, direction "-1" for German entries.
    basic = stage.write(QStringLiteral("quelle/2.txt"), QStringLiteral("gracias\ndanke\n\n\n0\n\n0\n3\n0\n0\n"
                                                                       "gut\nbien\n\n\n0\n\n0\n6\n-1\n0\n")
                                                            .toUtf8());
  }
  WaveBuilder::Options options() const {
    WaveBuilder::Options o;
    o.stageDir = stage.path();
    o.basicSources = {basic};
    o.jobs = 2;
    return o;
  }
  QStringList recordings() const {
    return QDir(stage.file(QStringLiteral("wave/espeak"))).entryList({QStringLiteral("*.wav")}, QDir::Files);
  }

  TestTree stage;
  QString basic;
  MessageRecorder messages;
};

quint16 u16(const QByteArray& b, int at) { return qFromLittleEndian<quint16>(b.constData() + at); }

}  // namespace

TEST(SoundWaveTool, SpokenFormsFollowTheAnswerForms) {
  EXPECT_EQ(SpeechTexts::SpokenForm(QStringLiteral("casa (f)")), "la casa");
  EXPECT_EQ(SpeechTexts::SpokenForm(QStringLiteral("(m) coche")), "el coche");
  EXPECT_EQ(SpeechTexts::SpokenForm(QStringLiteral("la casa (f)")), "la casa");
  EXPECT_EQ(SpeechTexts::SpokenForm(QStringLiteral("(el/la) estudiante")), "el estudiante");
  // A feminine noun with a stressed "a" keeps the "el" it is written with.
  EXPECT_EQ(SpeechTexts::SpokenForm(QStringLiteral("el agua (f)")), "el agua");
  EXPECT_EQ(SpeechTexts::SpokenForm(QStringLiteral("[Spielmarke] ficha (f)")), "la ficha");
  EXPECT_EQ(SpeechTexts::SpokenForm(QStringLiteral("(muy) bien")), "muy bien");
  EXPECT_EQ(SpeechTexts::SpokenForm(QStringLiteral("hola; buenas")), "hola, buenas");
  EXPECT_EQ(SpeechTexts::SpokenForm(QStringLiteral("[nur Erklärung]")), "");

  // A German entry's Spanish meanings are looked up one by one, without explanations.
  EXPECT_EQ(SpeechTexts::SpanishKeys(record(QStringLiteral("Haus"), QStringLiteral("[Gebäude] casa (f); edificio (m)"), true)),
            QStringList({"casa (f)", "edificio (m)"}));
  EXPECT_EQ(SpeechTexts::SpanishKeys(record(QStringLiteral("[Spiel] ficha (f)"), QStringLiteral("Marke"))),
            QStringList({"[Spiel] ficha (f)", "ficha (f)"}));
  EXPECT_EQ(SpeechTexts::SpanishKeys(record(QStringLiteral("hola; buenas"), QStringLiteral("hallo"))),
            QStringList({"hola; buenas", "hola", "buenas"}));
}

TEST_F(WaveToolTest, SpeaksEveryTextOnceAndWritesADatabaseTheProgramsRead) {
  REQUIRE_ESPEAK();
  WaveBuilder builder(options());
  ASSERT_TRUE(builder.run()) << qPrintable(builder.errors().join('\n'));

  // Keys: casa (f), ¿Qué tal?, edificio (m), (el/la) estudiante, gracias, bien;
  // "CASA (f)" and the meaning "[Gebäude] casa (f)" bring no new key.
  EXPECT_EQ(builder.texts().entries().size(), 6);
  EXPECT_EQ(builder.generated(), 6);
  const QStringList files = recordings();
  ASSERT_EQ(files.size(), 6);
  for (const QString& name : files) {
    const QByteArray wav = stage.read(QStringLiteral("wave/espeak/") + name);
    ASSERT_GT(wav.size(), 1000) << qPrintable(name);
    EXPECT_EQ(wav.left(4), "RIFF");
    EXPECT_EQ(wav.mid(8, 4), "WAVE");
    EXPECT_EQ(u16(wav, 20), 1);   // PCM
    EXPECT_EQ(u16(wav, 22), 1);   // mono
    EXPECT_EQ(u16(wav, 34), 16);  // 16 bit
  }

  TXWaveBase base;
  ASSERT_TRUE(base.Load(stage.file(QStringLiteral("S_wx.zvk"))));
  EXPECT_EQ(base.Count(), 6);
  const QString casa = base.Lookup(QStringLiteral("casa (f)"));
  EXPECT_TRUE(casa.startsWith(QStringLiteral("XS:\\espeak\\la_casa_"))) << qPrintable(casa);
  EXPECT_TRUE(base.Lookup(QStringLiteral("¿Qué tal?")).startsWith(QStringLiteral("XS:\\espeak\\que_tal_")));
  EXPECT_TRUE(base.Lookup(QStringLiteral("bien")).startsWith(QStringLiteral("XS:\\espeak\\bien_")));
  EXPECT_TRUE(base.Lookup(QStringLiteral("(el/la) estudiante")).startsWith(QStringLiteral("XS:\\espeak\\el_estudiante_")));
  EXPECT_EQ(base.Lookup(QStringLiteral("Haus")), "");

  // Through the alias of the course's recording directory the texts play.
  SettingsStore store(stage.file(QStringLiteral("s.conf")));
  Environment env(stage.path(), store);
  env.WaveDir = stage.file(QStringLiteral("wave/"));
  const RecordingDatabases bases{&base, nullptr};
  const QString casaFile = FindRecording(QStringLiteral("casa"), bases, env);
  EXPECT_TRUE(QFileInfo(casaFile).isFile()) << qPrintable(casaFile);
  EXPECT_EQ(FindRecording(QStringLiteral("[Gebäude] casa (f)"), bases, env), casaFile);
  EXPECT_TRUE(QFileInfo(FindRecording(QStringLiteral("edificio (m)"), bases, env)).isFile());
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(WaveToolTest, RepeatedRunsSpeakOnlyNewTextsAndKeepHandMadeEntries) {
  REQUIRE_ESPEAK();
  {
    WaveBuilder first(options());
    ASSERT_TRUE(first.run()) << qPrintable(first.errors().join('\n'));
  }
  const QString dbPath = stage.file(QStringLiteral("S_wx.zvk"));
  const QDateTime written = QFileInfo(dbPath).lastModified();
  const QStringList before = recordings();

  WaveBuilder again(options());
  ASSERT_TRUE(again.run());
  EXPECT_EQ(again.generated(), 0);
  EXPECT_EQ(again.kept(), 6);
  EXPECT_FALSE(again.databaseWritten());
  EXPECT_EQ(QFileInfo(dbPath).lastModified(), written);
  EXPECT_EQ(recordings(), before);

  // The editor adds own recordings to the database; a library loses a record and gains one.
  TXWaveBase edited;
  ASSERT_TRUE(edited.Load(dbPath));
  edited.Add(QStringLiteral("perro"), QStringLiteral("XU:\\perro.wav"));
  ASSERT_TRUE(edited.Save(dbPath));
  writeLibrary(stage, QStringLiteral("Reise/zwei.asc"), {record(QStringLiteral("gato (m)"), QStringLiteral("Katze"))});
  stage.write(QStringLiteral("Vokabeln (S)/Reise/keine.txt"), "kein Verzeichnis der Bibliotheken");

  WaveBuilder changed(options());
  ASSERT_TRUE(changed.run()) << qPrintable(changed.errors().join('\n'));
  EXPECT_EQ(changed.generated(), 1);  // "el gato"
  EXPECT_EQ(changed.removed(), 1);    // "el estudiante"
  EXPECT_TRUE(changed.databaseWritten());
  TXWaveBase base;
  ASSERT_TRUE(base.Load(dbPath));
  EXPECT_EQ(base.Lookup(QStringLiteral("perro")), "XU:\\perro.wav");
  EXPECT_TRUE(base.Lookup(QStringLiteral("gato (m)")).startsWith(QStringLiteral("XS:\\espeak\\el_gato_")));
  EXPECT_EQ(base.Lookup(QStringLiteral("(el/la) estudiante")), "");
  EXPECT_EQ(recordings().size(), 6);
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(WaveToolTest, FailsClearlyWithoutEspeak) {
  WaveBuilder::Options o = options();
  o.espeak = stage.file(QStringLiteral("nirgends/espeak-ng"));
  WaveBuilder builder(o);
  EXPECT_FALSE(builder.run());
  ASSERT_EQ(builder.errors().size(), 1);
  EXPECT_TRUE(builder.errors()[0].contains(QStringLiteral("wurde nicht gefunden"))) << qPrintable(builder.errors()[0]);
  EXPECT_TRUE(builder.errors()[0].contains(QStringLiteral("espeak-ng")));
  EXPECT_FALSE(QFileInfo::exists(stage.file(QStringLiteral("S_wx.zvk"))));
  EXPECT_TRUE(recordings().isEmpty());
}

TEST_F(WaveToolTest, ADamagedLibraryOrDatabaseStopsTheBuild) {
  REQUIRE_ESPEAK();
  stage.write(QStringLiteral("S_wx.zvk"), "keine Datenbank");
  WaveBuilder builder(options());
  EXPECT_FALSE(builder.run());
  ASSERT_FALSE(builder.errors().isEmpty());
  EXPECT_TRUE(builder.errors().last().contains(QStringLiteral("S_wx.zvk")));
  EXPECT_EQ(stage.read(QStringLiteral("S_wx.zvk")), "keine Datenbank");  // nothing is written over it
  messages.clear();

  stage.write(QStringLiteral("Vokabeln (S)/Reise/kaputt.asc"), "uno\r\neins\r\n\r\n\r\n0\r\n\r\n0\r\nNomen\r\n0\r\n0\r\n");
  WaveBuilder damaged(options());
  EXPECT_FALSE(damaged.run());
  ASSERT_EQ(damaged.errors().size(), 1);
  EXPECT_TRUE(damaged.errors()[0].contains(QStringLiteral("kaputt.asc")));
}
