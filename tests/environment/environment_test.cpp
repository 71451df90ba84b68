#include <gtest/gtest.h>

#include <QFileInfo>

#include "common/messagerecorder.h"
#include "environment/environment.h"
#include "environment/inifile.h"
#include "environment/settingsstore.h"
#include "testsupport.h"

namespace {

const QString kDirs = QStringLiteral("Software\\zvk\\zvk spanisch\\5\\Verzeichnisse");

class EnvironmentTest : public ::testing::Test {
 protected:
  EnvironmentTest() : env(program.path(), store) {}

  QString ini(const QString& section, const QString& key) const {
    return IniFile(program.file(QStringLiteral("zvk.ini"))).readString(section, key);
  }
  bool iniHas(const QString& section, const QString& key) const {
    return IniFile(program.file(QStringLiteral("zvk.ini"))).hasKey(section, key);
  }
  // A recording directory with its marker file.
  QString waveDir(const QString& relative) const {
    program.write(relative + QStringLiteral("/ZVK_S"));
    return program.file(relative + QLatin1Char('/'));
  }
  void installCourse() const {
    program.write(QStringLiteral("hzvk/main.htx"), "x");
    program.mkdir(QStringLiteral("Vokabeln (S)/Grundwortschatz"));
  }

  TestTree program;
  TestTree other;
  ScopedConfigHome home;
  SettingsStore store;
  MessageRecorder messages;
  Environment env;
};

}  // namespace

TEST_F(EnvironmentTest, CommandLineWordsAreComparedInLowerCase) {
  env.ParseCommandLine({QStringLiteral("WINDOW"), QStringLiteral("egal")});
  EXPECT_TRUE(env.WindowMode);
  EXPECT_FALSE(env.ShortcutRequest);
  env.ParseCommandLine({QStringLiteral("Register")});
  EXPECT_TRUE(env.ShortcutRequest);
}

TEST_F(EnvironmentTest, WaveDirFromIniNeedsItsMarkerFile) {
  const QString wave = waveDir(QStringLiteral("wave"));
  program.write(QStringLiteral("zvk.ini"), "[zvk spanisch]\r\nWave-Verzeichnis=" + wave.toUtf8() + "\r\n");
  env.ReadIniSettings();
  EXPECT_EQ(env.WaveDir, wave);

  program.write(QStringLiteral("zvk.ini"),
                "[zvk spanisch]\r\nWave-Verzeichnis=" + program.mkdir(QStringLiteral("leer")).toUtf8() + "\r\n");
  env.ReadIniSettings();
  EXPECT_TRUE(env.WaveDir.isEmpty());
  EXPECT_TRUE(messages.messages().isEmpty());  // no message for a missing marker
}

TEST_F(EnvironmentTest, WaveDirFallsBackToTheStoreAndCopiesItIntoTheIni) {
  program.write(QStringLiteral("zvk.ini"),
                "[zvk spanisch]\r\nWave-Verzeichnis=" + program.mkdir(QStringLiteral("ohne")).toUtf8() + "\r\n");
  const QString wave = other.mkdir(QStringLiteral("aufnahmen"));
  other.write(QStringLiteral("aufnahmen/ZVK_S"));
  store.writeString(kDirs, QStringLiteral("Wave-Dateien"), wave.chopped(1));  // typed without separator
  env.ReadIniSettings();
  env.ReadDirectorySettings();
  EXPECT_EQ(env.WaveDir, wave);
  EXPECT_EQ(ini(QStringLiteral("zvk spanisch"), QStringLiteral("Wave-Verzeichnis")), wave);
}

TEST_F(EnvironmentTest, WaveDirFallsBackToTheCourseCd) {
  store.writeString(kDirs, QStringLiteral("Wave-Dateien"), other.mkdir(QStringLiteral("ohne")));
  store.writeString(kDirs, QStringLiteral("CD-Laufwerk"), other.path());
  env.ReadIniSettings();
  env.ReadDirectorySettings();
  EXPECT_TRUE(env.WaveDir.isEmpty());  // no marker on the CD yet

  other.write(QStringLiteral("wave/ZVK_S"));
  env.ReadIniSettings();
  env.ReadDirectorySettings();
  EXPECT_EQ(env.WaveDir, other.file(QStringLiteral("wave/")));
  // Only the "Wave-Dateien" value is copied into zvk.ini.
  EXPECT_FALSE(iniHas(QStringLiteral("zvk spanisch"), QStringLiteral("Wave-Verzeichnis")));
}

TEST_F(EnvironmentTest, RelativeIniDirectoriesBelongToTheProgramDirectory) {
  const QString wave = waveDir(QStringLiteral("wave"));
  program.write(QStringLiteral("zvk.ini"), "[zvk spanisch]\r\nWave-Verzeichnis=wave\\\r\n");
  env.ReadIniSettings();
  EXPECT_EQ(env.WaveDir, wave);
  env.SaveDirectories(Environment::SaveWaveDir);
  EXPECT_EQ(ini(QStringLiteral("zvk spanisch"), QStringLiteral("Wave-Verzeichnis")), QStringLiteral("wave/"));
}

TEST_F(EnvironmentTest, MissingUserDirectoryWarnsAndIsNotErasedFromTheIni) {
  const QString wave = waveDir(QStringLiteral("wave"));
  program.write(QStringLiteral("zvk.ini"), "[*zvk]\r\nBenutzer-Verzeichnis=/mnt/netz/benutzer/\r\n");
  env.ReadIniSettings();
  EXPECT_TRUE(env.UserDir.isEmpty());
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].kind, MessageKind::Warning);
  EXPECT_EQ(messages.messages()[0].text,
            QStringLiteral("Das Benutzer-Verzeichnis /mnt/netz/benutzer/ wurde nicht gefunden!\r"
                           "Für die Benutzerverwaltung wird auf das lokale Verzeichnis zurückgegriffen."));

  // Saving another directory must not wipe the unmounted user directory.
  env.WaveDir = wave;
  env.SaveDirectories(Environment::SaveWaveDir);
  EXPECT_EQ(ini(QStringLiteral("*zvk"), QStringLiteral("Benutzer-Verzeichnis")), QStringLiteral("/mnt/netz/benutzer/"));
  EXPECT_EQ(ini(QStringLiteral("zvk spanisch"), QStringLiteral("Wave-Verzeichnis")), QStringLiteral("wave/"));
}

TEST_F(EnvironmentTest, EmptyValueIsWrittenWhenItsOwnBitAsks) {
  program.write(QStringLiteral("zvk.ini"), "[zvk spanisch]\r\nWave-Verzeichnis=/cd/wave/\r\n");
  env.WirtschaftDir = other.mkdir(QStringLiteral("wi"));
  env.WaveDir.clear();  // cleared in the paths dialog
  env.SaveDirectories(Environment::SaveWaveDir | Environment::SaveWirtschaftDir);
  EXPECT_EQ(ini(QStringLiteral("zvk spanisch"), QStringLiteral("Wave-Verzeichnis")), QString());
  EXPECT_EQ(ini(QStringLiteral("zvk spanisch"), QStringLiteral("Aufnahmen Wirtschaft")), env.WirtschaftDir);

  // Bit 0x01 with an empty WaveDir alone does not touch the file.
  program.write(QStringLiteral("zvk.ini"), "[zvk spanisch]\r\nWave-Verzeichnis=/cd/wave/\r\n");
  env.SaveDirectories(Environment::SaveWaveDir);
  EXPECT_EQ(ini(QStringLiteral("zvk spanisch"), QStringLiteral("Wave-Verzeichnis")), QStringLiteral("/cd/wave/"));
}

TEST_F(EnvironmentTest, MissingAddOnDirectoryWarnsOnceAndIsEmptiedAtTheEnd) {
  program.write(QStringLiteral("zvk.ini"),
                "[zvk spanisch]\r\nAufnahmen Recht=/fehlt/recht/\r\nAufnahmen Wirtschaft=/fehlt/wi/\r\n");
  env.ReadIniSettings();
  EXPECT_EQ(env.RechtDir, QStringLiteral("-"));
  EXPECT_EQ(env.WirtschaftDir, QStringLiteral("-"));
  ASSERT_EQ(messages.messages().size(), 2);
  EXPECT_EQ(messages.messages()[0].text,
            QStringLiteral("Das Verzeichnis für die RECHT-Sprachaufnahmen /fehlt/recht/ wurde nicht gefunden!"));
  EXPECT_EQ(messages.messages()[1].text,
            QStringLiteral("Das Verzeichnis für die WIRTSCHAFT-Sprachaufnahmen /fehlt/wi/ wurde nicht gefunden!"));
  EXPECT_EQ(env.ResolveAlias(QStringLiteral("XR:\\a.wav")).status, 4);

  env.SaveDirectories(Environment::SaveRechtDir);  // what the program end does
  EXPECT_EQ(ini(QStringLiteral("zvk spanisch"), QStringLiteral("Aufnahmen Recht")), QString());
  EXPECT_EQ(ini(QStringLiteral("zvk spanisch"), QStringLiteral("Aufnahmen Wirtschaft")), QString());

  messages.clear();
  env.ReadIniSettings();
  EXPECT_TRUE(messages.messages().isEmpty());
  EXPECT_TRUE(env.RechtDir.isEmpty());
}

TEST_F(EnvironmentTest, WriteProtectAndRegisterFromTheIni) {
  program.write(QStringLiteral("zvk.ini"), "[zvk spanisch]\r\nRegister=1\r\n");
  env.ReadIniSettings();
  EXPECT_FALSE(env.WriteProtect);
  EXPECT_TRUE(env.ShortcutRequest);
  EXPECT_EQ(ini(QStringLiteral("*zvk"), QStringLiteral("Schreibschutz")), QStringLiteral("0"));
  EXPECT_EQ(ini(QStringLiteral("zvk spanisch"), QStringLiteral("Register")), QStringLiteral("0"));

  Environment again(program.path(), store);
  program.write(QStringLiteral("zvk.ini"), "[*ZVK]\r\nschreibschutz=1\r\n");
  again.ReadIniSettings();
  EXPECT_TRUE(again.WriteProtect);
  EXPECT_FALSE(again.ShortcutRequest);
}

TEST_F(EnvironmentTest, MissingEmptyOrDamagedIniGivesDefaults) {
  for (const QByteArray& content : {QByteArray(), QByteArray("\xFF\xFE\x00\x01[*zvk\r\n=\r\nBenutzer", 21)}) {
    program.write(QStringLiteral("zvk.ini"), content);
    Environment e(program.path(), store);
    e.ReadIniSettings();
    EXPECT_TRUE(e.UserDir.isEmpty());
    EXPECT_TRUE(e.WaveDir.isEmpty());
    EXPECT_EQ(e.WaveExtensionDir, program.file(QStringLiteral("WaveX_S/")));
    EXPECT_TRUE(e.RechtDir.isEmpty());
    EXPECT_FALSE(e.WriteProtect);
  }
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(EnvironmentTest, PageRootVocabularyAndDatabaseFiles) {
  env.ReadDirectorySettings();
  EXPECT_TRUE(env.PageRoot.isEmpty());
  EXPECT_TRUE(env.VocabularyDir.isEmpty());
  EXPECT_TRUE(env.DictionaryFile1.isEmpty());  // stays empty without vocabulary

  installCourse();
  other.write(QStringLiteral("hzvk/main.htx"), "x");
  other.write(QStringLiteral("wb/meins.zvk"), "x");
  store.writeString(kDirs, QStringLiteral("HZVK"), other.path());
  store.writeString(kDirs, QStringLiteral("Datenbank2"), other.file(QStringLiteral("wb/meins.zvk")));
  store.writeString(kDirs, QStringLiteral("Datenbank3"), other.file(QStringLiteral("wb/fehlt.zvk")));
  env.ReadDirectorySettings();
  EXPECT_EQ(env.PageRoot, other.path());
  EXPECT_EQ(env.VocabularyDir, program.file(QStringLiteral("Vokabeln (S)/")));
  EXPECT_EQ(env.DictionaryFile1, program.file(QStringLiteral("s_d.zvk")));
  EXPECT_EQ(env.DictionaryFile2, other.file(QStringLiteral("wb/meins.zvk")));
  EXPECT_EQ(env.RecordingDbFile, program.file(QStringLiteral("S_wx.zvk")));

  // A stored page root without "hzvk/main.htx" falls back to the program directory.
  store.writeString(kDirs, QStringLiteral("HZVK"), other.file(QStringLiteral("wb/")));
  env.ReadDirectorySettings();
  EXPECT_EQ(env.PageRoot, program.path());
}

TEST_F(EnvironmentTest, AliasesResolveAgainstTheirDirectories) {
  env.WaveDir = waveDir(QStringLiteral("wave"));
  program.write(QStringLiteral("wave/LA/2/sl___21a.wav"), "RIFF");
  const auto found = env.ResolveAlias(QStringLiteral("XS:\\LA\\2\\sl___21a.wav"));
  EXPECT_EQ(found.status, 0);
  EXPECT_EQ(found.path, program.file(QStringLiteral("wave/LA/2/sl___21a.wav")));
  EXPECT_EQ(env.ResolveAlias(QStringLiteral("XS:\\la\\2\\SL___21A.WAV")).status, 0);  // case of the data differs

  const auto missing = env.ResolveAlias(QStringLiteral("XS:\\LA\\fehlt.wav"));
  EXPECT_EQ(missing.status, 4);
  EXPECT_TRUE(missing.path.isEmpty());
  EXPECT_EQ(env.ResolveAlias(QString()).status, 4);
  EXPECT_EQ(env.ResolveAlias(QStringLiteral("XU:\\mein.wav")).status, 5);  // OwnWaveDir empty
  EXPECT_EQ(env.ResolveAlias(QStringLiteral("XX:\\e.wav")).status, 5);
  EXPECT_EQ(env.ResolveAlias(QStringLiteral("SK:\\e.wav")).status, 4);
  env.WaveDir.clear();
  EXPECT_EQ(env.ResolveAlias(QStringLiteral("XS:\\LA\\2\\sl___21a.wav")).status, 4);

  // Aliases are case-sensitive: "xs:" is a plain path, tested as it stands.
  EXPECT_EQ(env.ResolveAlias(QStringLiteral("xs:\\LA\\2\\sl___21a.wav")).status, 4);
  // A path with a "drive letter" and no alias is tested unchanged.
  const QString absolute = program.file(QStringLiteral("wave/LA/2/sl___21a.wav"));
  EXPECT_EQ(env.ResolveAlias(absolute).path, absolute);
  EXPECT_EQ(env.ResolveAlias(absolute).status, 0);
}

TEST_F(EnvironmentTest, SpecialRecordingDirectoriesOnlyWhenPresent) {
  program.mkdir(QStringLiteral("S_SK"));
  env.ReadSpecialRecordingDirs();
  EXPECT_EQ(env.SkDir, program.file(QStringLiteral("S_SK/")));
  EXPECT_TRUE(env.SxDir.isEmpty());
}

TEST_F(EnvironmentTest, NetworkProgramDirWritesOnlySomeDirectories) {
  // On Linux "//tmp/x" names the same place as "/tmp/x", so the share can be played here.
  Environment unc(QLatin1Char('/') + program.path(), store);
  ASSERT_TRUE(unc.isNetworkProgramDir());
  unc.RechtDir = other.mkdir(QStringLiteral("recht"));
  unc.SaveDirectories(Environment::SaveRechtDir);
  EXPECT_FALSE(QFileInfo::exists(program.file(QStringLiteral("zvk.ini"))));

  unc.WirtschaftDir = other.mkdir(QStringLiteral("wi"));
  unc.SaveDirectories(Environment::SaveWirtschaftDir);
  EXPECT_EQ(ini(QStringLiteral("zvk spanisch"), QStringLiteral("Aufnahmen Wirtschaft")), unc.WirtschaftDir);
  EXPECT_FALSE(iniHas(QStringLiteral("zvk spanisch"), QStringLiteral("Aufnahmen Recht")));

  env.RechtDir = unc.RechtDir;  // a local program writes the same change
  env.SaveDirectories(Environment::SaveRechtDir);
  EXPECT_EQ(ini(QStringLiteral("zvk spanisch"), QStringLiteral("Aufnahmen Recht")), env.RechtDir);
}

TEST_F(EnvironmentTest, UserSettingsLiveUnderTheUsersKeyOrAnonym) {
  env.ReadUserSettings();
  EXPECT_EQ(env.BackgroundColor, 0x808080u);
  EXPECT_FALSE(env.WindowMode);
  EXPECT_TRUE(env.OwnWaveDir.isEmpty());

  const QString own = other.mkdir(QStringLiteral("eigene"));
  env.UserName = QStringLiteral("Ana");
  EXPECT_EQ(env.UserKeyPath(), QStringLiteral("Software\\zvk\\zvk spanisch\\5\\Ana"));
  store.writeInteger(env.UserKeyPath(), QStringLiteral("Hintergrund"), 0xC0C0C0);
  store.writeBool(env.UserKeyPath(), QStringLiteral("Fenster-Modus"), true);
  store.writeString(env.UserKeyPath(), QStringLiteral("Eigene Waves"), own + QStringLiteral("hallo.wav"));
  env.ReadUserSettings();
  EXPECT_EQ(env.BackgroundColor, 0xC0C0C0u);
  EXPECT_TRUE(env.WindowMode);
  EXPECT_EQ(env.OwnWaveDir, own);

  // Once the main window exists, the stored mode moves the windows.
  Environment withWindow(program.path(), store);
  withWindow.UserName = QStringLiteral("Ana");
  QList<bool> moves;
  withWindow.onWindowModeChanged = [&](bool on) { moves.append(on); };
  withWindow.ReadUserSettings();
  EXPECT_EQ(moves, QList<bool>{true});
  withWindow.ChangeWindowMode(true);  // no change, no move
  EXPECT_EQ(moves.size(), 1);
}

TEST_F(EnvironmentTest, OwnRecordingsAreSavedWhereTheyAreRead) {
  env.UserName = QStringLiteral("Ana");
  env.OwnWaveDir = other.mkdir(QStringLiteral("eigene"));
  env.SaveDirectories(Environment::SaveOwnWaveDir);
  Environment next(program.path(), store);
  next.UserName = QStringLiteral("Ana");
  next.ReadUserSettings();
  EXPECT_EQ(next.OwnWaveDir, env.OwnWaveDir);

  env.Versatz = 12;
  env.SaveDirectories(Environment::SaveVersatz);
  EXPECT_EQ(store.readInteger(kDirs, QStringLiteral("Versatz")), 12);
}

TEST_F(EnvironmentTest, WindowSettingsAreSavedForAnonymousUseToo) {
  env.WindowMode = true;
  env.SaveWindowSettings();
  const QString anonym = QStringLiteral("Software\\zvk\\zvk spanisch\\5\\Anonym");
  EXPECT_EQ(store.readBool(anonym, QStringLiteral("Fenster-Modus")), true);
  EXPECT_FALSE(store.readInteger(anonym, QStringLiteral("Hintergrund")).has_value());  // no backdrop yet
  env.SaveWindowSettings(0xFFFFFFu);
  EXPECT_EQ(store.readInteger(anonym, QStringLiteral("Hintergrund")), 0xFFFFFF);
}

TEST_F(EnvironmentTest, DeletingTheSettingsKeyAsksFirst) {
  env.DeleteSettingsKey();
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].text,
            QStringLiteral("Der Schlüssel Software\\zvk\\zvk spanisch\\5 existiert nicht (mehr)."));

  store.writeString(kDirs, QStringLiteral("HZVK"), QStringLiteral("/x/"));
  messages.clear();
  messages.queueAnswer(MessageAnswer::No);
  env.DeleteSettingsKey();
  EXPECT_TRUE(store.keyExists(Environment::kBaseKey));

  messages.clear();
  messages.queueAnswer(MessageAnswer::Yes);
  env.DeleteSettingsKey();
  ASSERT_EQ(messages.messages().size(), 2);
  EXPECT_EQ(messages.messages()[0].kind, MessageKind::Question);
  EXPECT_EQ(messages.messages()[0].text,
            QStringLiteral("Soll der Schlüssel Software\\zvk\\zvk spanisch\\5 mit allen Benutzereinstellungen gelöscht werden?"));
  EXPECT_EQ(messages.messages()[1].kind, MessageKind::Information);
  EXPECT_EQ(messages.messages()[1].text, QStringLiteral("Der Schlüssel Software\\zvk\\zvk spanisch\\5 wurde gelöscht."));
  EXPECT_FALSE(store.keyExists(Environment::kBaseKey));
}

TEST_F(EnvironmentTest, ScreenColorBitsComeFromTheScreen) {
  EXPECT_GT(Environment::ScreenColorBits(), 8);  // the offscreen platform has a true-colour screen
}
