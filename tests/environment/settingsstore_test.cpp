#include <gtest/gtest.h>

#include <QFileInfo>

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
