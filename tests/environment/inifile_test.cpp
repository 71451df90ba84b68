#include <gtest/gtest.h>

#include "environment/inifile.h"
#include "testsupport.h"

namespace {
// As a Windows program writes it: CR LF, Windows-1252, comments, odd spacing.
const QByteArray kWindowsIni =
    "; Einstellungen\r\n"
    "[*zvk]\r\n"
    "Benutzer-Verzeichnis=C:\\Daten\\\r\n"
    "\r\n"
    "[zvk spanisch]\r\n"
    "Richtung=zur\xFC" "ck\r\n"
    "  Anzahl = 25 \r\n"
    "Titel=\"  mit Blanks  \"\r\n"
    "Fremd=bleibt\r\n"
    "\r\n"
    "[Andere]\r\n"
    "x=1\r\n";
}  // namespace

TEST(IniFile, ReadsWindowsTextWithoutRegardToCase) {
  TestTree t;
  IniFile ini(t.write(QStringLiteral("zvk.ini"), kWindowsIni));
  EXPECT_TRUE(ini.existed());
  EXPECT_EQ(ini.readString(QStringLiteral("ZVK SPANISCH"), QStringLiteral("richtung")), QStringLiteral("zurück"));
  EXPECT_EQ(ini.readInteger(QStringLiteral("zvk spanisch"), QStringLiteral("ANZAHL"), 0), 25);
  EXPECT_EQ(ini.readString(QStringLiteral("zvk spanisch"), QStringLiteral("Titel")), QStringLiteral("  mit Blanks  "));
  EXPECT_EQ(ini.readString(QStringLiteral("*zvk"), QStringLiteral("Benutzer-Verzeichnis")), QStringLiteral("C:\\Daten\\"));
  EXPECT_EQ(ini.readString(QStringLiteral("*zvk"), QStringLiteral("fehlt"), QStringLiteral("dflt")), QStringLiteral("dflt"));
  EXPECT_EQ(ini.sections(), (QStringList{QStringLiteral("*zvk"), QStringLiteral("zvk spanisch"), QStringLiteral("Andere")}));
  EXPECT_EQ(ini.keys(QStringLiteral("andere")), QStringList{QStringLiteral("x")});
}

TEST(IniFile, RewritingAValueKeepsEveryOtherLine) {
  TestTree t;
  const QString p = t.write(QStringLiteral("zvk.ini"), kWindowsIni);
  IniFile ini(p);
  ini.writeString(QStringLiteral("ZVK Spanisch"), QStringLiteral("richtung"), QStringLiteral("hin und zurück"));
  ini.writeInteger(QStringLiteral("zvk spanisch"), QStringLiteral("Neu"), 7);
  ini.writeString(QStringLiteral("Ganz neu"), QStringLiteral("a"), QStringLiteral("€"));
  ASSERT_TRUE(ini.save());

  const QByteArray expected =
      "; Einstellungen\r\n"
      "[*zvk]\r\n"
      "Benutzer-Verzeichnis=C:\\Daten\\\r\n"
      "\r\n"
      "[zvk spanisch]\r\n"
      "Richtung=hin und zur\xFC" "ck\r\n"
      "  Anzahl = 25 \r\n"
      "Titel=\"  mit Blanks  \"\r\n"
      "Fremd=bleibt\r\n"
      "Neu=7\r\n"
      "\r\n"
      "[Andere]\r\n"
      "x=1\r\n"
      "[Ganz neu]\r\n"
      "a=\x80\r\n";
  EXPECT_EQ(t.read(QStringLiteral("zvk.ini")), expected);
  EXPECT_EQ(IniFile(p).readString(QStringLiteral("ganz neu"), QStringLiteral("A")), QStringLiteral("€"));
}

TEST(IniFile, WrongTypesAndDamagedFilesGiveDefaults) {
  TestTree t;
  IniFile ini(t.write(QStringLiteral("x.ini"), "[a]\r\nn=abc\r\nb=0\r\nc=-1\r\n\x00\x01\xFF garbage [\r\n=novalue\r\n"));
  EXPECT_EQ(ini.readInteger(QStringLiteral("a"), QStringLiteral("n"), 42), 42);
  EXPECT_FALSE(ini.readBool(QStringLiteral("a"), QStringLiteral("b"), true));
  EXPECT_TRUE(ini.readBool(QStringLiteral("a"), QStringLiteral("c"), false));
  EXPECT_TRUE(ini.readBool(QStringLiteral("a"), QStringLiteral("fehlt"), true));

  IniFile missing(t.file(QStringLiteral("fehlt.ini")));
  EXPECT_FALSE(missing.existed());
  EXPECT_EQ(missing.readInteger(QStringLiteral("a"), QStringLiteral("n"), 3), 3);
  missing.writeBool(QStringLiteral("a"), QStringLiteral("n"), true);
  ASSERT_TRUE(missing.save());
  EXPECT_EQ(t.read(QStringLiteral("fehlt.ini")), QByteArray("[a]\r\nn=1\r\n"));
}

TEST(IniFile, RemovesKeysAndSections) {
  IniFile ini;
  ini.setText(QStringLiteral("[a]\nk=1\nl=2\n[b]\nm=3\n"));
  ini.removeKey(QStringLiteral("A"), QStringLiteral("K"));
  ini.removeSection(QStringLiteral("B"));
  EXPECT_EQ(ini.text(), QStringLiteral("[a]\r\nl=2\r\n"));
}
