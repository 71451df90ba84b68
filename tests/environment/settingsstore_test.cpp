#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include "common/messagerecorder.h"

#include "environment/settingsstore.h"
#include "testsupport.h"

namespace {
const QString kKey = QStringLiteral("Software\\zvk\\zvk spanisch\\5\\Verzeichnisse");
}

TEST(SettingsStore, LivesInTheUsersConfigurationDirectory) {
  ScopedConfigHome home;
  SettingsStore store;
  EXPECT_EQ(store.filePath(), home.path() + QStringLiteral("/zvk/zvk spanisch.conf"));
  ASSERT_TRUE(store.writeString(kKey, QStringLiteral("HZVK"), QStringLiteral("/opt/kurs/")));
  EXPECT_TRUE(QFileInfo::exists(store.filePath()));

  SettingsStore again;  // another program sees the same values
  EXPECT_EQ(again.readString(kKey, QStringLiteral("HZVK")), QStringLiteral("/opt/kurs/"));
}

TEST(SettingsStore, KeepsStringsIntegersAndBooleansUnderNestedKeys) {
  ScopedConfigHome home;
  SettingsStore store;
  store.writeString(kKey, QStringLiteral("Eigene Waves"), QStringLiteral("/home/ana/Aufnahmen/"));
  store.writeInteger(QStringLiteral("Software\\zvk\\zvk spanisch\\5\\Anonym"), QStringLiteral("Hintergrund"), 0x808080);
  store.writeBool(QStringLiteral("Software\\zvk\\zvk spanisch\\5\\Anonym"), QStringLiteral("Fenster-Modus"), true);

  EXPECT_EQ(store.readString(kKey, QStringLiteral("Eigene Waves")), QStringLiteral("/home/ana/Aufnahmen/"));
  EXPECT_EQ(store.readInteger(QStringLiteral("Software\\zvk\\zvk spanisch\\5\\Anonym"), QStringLiteral("Hintergrund")),
            0x808080);
  EXPECT_EQ(store.readBool(QStringLiteral("Software\\zvk\\zvk spanisch\\5\\Anonym"), QStringLiteral("Fenster-Modus")),
            true);
  EXPECT_EQ(store.subKeys(QStringLiteral("Software\\zvk\\zvk spanisch\\5")),
            (QStringList{QStringLiteral("Anonym"), QStringLiteral("Verzeichnisse")}));

  // Missing values and values of another type read as "no value".
  EXPECT_FALSE(store.readString(kKey, QStringLiteral("fehlt")).has_value());
  EXPECT_FALSE(store.readInteger(kKey, QStringLiteral("Eigene Waves")).has_value());
  EXPECT_FALSE(store.readBool(kKey, QStringLiteral("Eigene Waves")).has_value());
}

TEST(SettingsStore, DeletesKeysWithEverythingBelowThem) {
  ScopedConfigHome home;
  SettingsStore store;
  store.writeString(kKey, QStringLiteral("HZVK"), QStringLiteral("/x/"));
  store.writeInteger(QStringLiteral("Software\\zvk\\zvk spanisch\\5\\ana\\Super"), QStringLiteral("Modus"), 2);
  store.writeInteger(QStringLiteral("Software\\zvk\\anderes"), QStringLiteral("v"), 1);
  EXPECT_TRUE(store.keyExists(QStringLiteral("Software\\zvk\\zvk spanisch\\5")));

  EXPECT_TRUE(store.deleteKey(QStringLiteral("Software\\zvk\\zvk spanisch")));
  EXPECT_FALSE(store.keyExists(QStringLiteral("Software\\zvk\\zvk spanisch\\5")));
  EXPECT_FALSE(store.readString(kKey, QStringLiteral("HZVK")).has_value());
  EXPECT_EQ(store.readInteger(QStringLiteral("Software\\zvk\\anderes"), QStringLiteral("v")), 1);
  EXPECT_FALSE(store.deleteKey(QStringLiteral("Software\\zvk\\zvk spanisch")));
}

TEST(SettingsStore, AForeignOrDamagedFileReadsAsEmpty) {
  TestTree t;
  SettingsStore store(t.write(QStringLiteral("kaputt.conf"), QByteArray("\x00\xFF\xFE[[[=\n\x01garbage", 18)));
  EXPECT_FALSE(store.readString(kKey, QStringLiteral("HZVK")).has_value());
  EXPECT_FALSE(store.readInteger(kKey, QStringLiteral("HZVK")).has_value());
}

TEST(SettingsStore, AFullDiskKeepsTheFileAndIsToldOnce) {
  ScopedConfigHome home;
  MessageRecorder messages;
  SettingsStore store;
  ASSERT_TRUE(store.writeString(kKey, QStringLiteral("HZVK"), QStringLiteral("/opt/kurs/")));
  QFile file(store.filePath());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray before = file.readAll();
  file.close();
  {
    ScopedFileSizeLimit full(8);
    EXPECT_FALSE(store.writeString(kKey, QStringLiteral("UserDir"), QStringLiteral("/home/ana/")));
    EXPECT_FALSE(store.writeInteger(kKey, QStringLiteral("Versatz"), 3));
  }
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), before);
  file.close();
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_TRUE(messages.messages()[0].text.endsWith(QStringLiteral(" konnte nicht gespeichert werden!")));
  // Owner-only: it names the learners' directories.
  EXPECT_EQ(QFile::permissions(store.filePath()) & (QFile::ReadOther | QFile::ReadGroup), QFile::Permissions());
}

TEST(SettingsStore, ReadsTheFileOfTheEarlierVersionAndKeepsTheOtherProgramsValues) {
  ScopedConfigHome home;
  QDir().mkpath(home.path() + QStringLiteral("/zvk"));
  {
    QSettings earlier(SettingsStore::defaultFilePath(), QSettings::IniFormat);
    earlier.setValue(QStringLiteral("Software/zvk/zvk spanisch/5/Verzeichnisse/HZVK"), QStringLiteral("/alt/"));
  }
  SettingsStore trainer;
  SettingsStore editor;
  EXPECT_EQ(trainer.readString(kKey, QStringLiteral("HZVK")), QStringLiteral("/alt/"));
  ASSERT_TRUE(editor.writeString(kKey, QStringLiteral("UserDir"), QStringLiteral("/u/")));
  ASSERT_TRUE(trainer.writeInteger(kKey, QStringLiteral("Versatz"), 2));
  SettingsStore later;
  EXPECT_EQ(later.readString(kKey, QStringLiteral("HZVK")), QStringLiteral("/alt/"));
  EXPECT_EQ(later.readString(kKey, QStringLiteral("UserDir")), QStringLiteral("/u/"));
  EXPECT_EQ(later.readInteger(kKey, QStringLiteral("Versatz")), 2);
  // Texts with line ends, "=" and backslashes come back as written.
  const QString odd = QStringLiteral("a=b\\c\nd]e");
  ASSERT_TRUE(later.writeString(kKey + QStringLiteral("\\x]y"), QStringLiteral("n=m"), odd));
  EXPECT_EQ(SettingsStore().readString(kKey + QStringLiteral("\\x]y"), QStringLiteral("n=m")), odd);
}
