#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "vocabularytestsupport.h"

namespace {

using namespace Qt::StringLiterals;

class VocSettingsTest : public ::testing::Test, public VocabularyFixture {
 protected:
  TVocEinstellungen& settings() { return library.Einstellungen; }
};

const QByteArray kDefaultFile =
    "[*zvk]\r\nModus=0\r\nSelection=Grundwortschatz\\\r\nRichtung=kreuzundquer\r\nSprache=Beides\r\n"
    "Kontext=1\r\nWortarten=16777215\r\nMultiple Choice/Eintippen=50\r\nNichtZuSchwer1=1\r\nNichtZuSchwer2=1\r\n"
    "NichtZuSchwer3=1\r\nNichtZuSchwer4=1\r\nNichtZuSchwer5=1\r\nMaxScore=75\r\nMinScore=-100\r\n";

}  // namespace

TEST_F(VocSettingsTest, DefaultsAreWrittenWithTheirKeysInOrder) {
  EXPECT_EQ(settings().FilePath(), program.file(u"prefs.ini"_s));
  settings().Load();  // no file: all defaults
  EXPECT_TRUE(settings().Loaded());
  EXPECT_FALSE(settings().Modified());
  EXPECT_EQ(settings().Richtung(), 2);
  EXPECT_EQ(settings().Sprache(), 2);
  EXPECT_EQ(settings().Modus(), 0);
  EXPECT_EQ(settings().ProRunde(), 0);
  EXPECT_EQ(settings().MultipleChoice(), 50);
  EXPECT_TRUE(settings().Kontext());
  EXPECT_EQ(settings().Wortarten(), 0xFFFFFF);
  for (int d = 0; d < 5; ++d) EXPECT_TRUE(settings().NichtZuSchwer(d));
  EXPECT_EQ(settings().MaxScore(), 75);
  EXPECT_EQ(settings().MinScore(), -100);
  EXPECT_EQ(settings().Selection(), u"Grundwortschatz\\"_s);
  EXPECT_EQ(TVocEinstellungen::ModeIndex(u"FreeFall"_s), 6);
  EXPECT_EQ(TVocEinstellungen::ModeIndex(u"gibtsnicht"_s), 0);
  ASSERT_TRUE(settings().Save());
  EXPECT_EQ(program.read(u"prefs.ini"_s), kDefaultFile);
}

TEST_F(VocSettingsTest, ChangedSettingsReadBackInALearnersFile) {
  writeLibrary(u"Reisen/a.asc"_s, recordLines(u"playa"_s, u"Strand"_s));
  ASSERT_TRUE(users.CreateUser(u"anna"_s, QString()));
  QDir(program.file(u"Benutzer/anna"_s)).removeRecursively();  // Save creates the directory again
  EXPECT_EQ(settings().FilePath(), program.file(u"Benutzer/anna/zvk_S.ini"_s));

  library.SetSelection(u"Reisen"_s);
  settings().SetRichtung(TVocEinstellungen::Zurueck);
  settings().SetSprache(TVocEinstellungen::DeutschSpanisch);
  settings().SetModus(0x86);  // the top bit is not stored
  settings().SetProRunde(15);  // not stored
  settings().SetMultipleChoice(30);
  settings().SetKontext(false);
  settings().SetWortarten(5);
  settings().SetNichtZuSchwer(4, false);
  settings().SetMaxScore(100);
  settings().SetMinScore(-20);
  ASSERT_TRUE(settings().Modified());
  ASSERT_TRUE(settings().Save());
  EXPECT_FALSE(settings().Modified());
  EXPECT_EQ(program.read(u"Benutzer/anna/zvk_S.ini"_s),
            "[*zvk]\r\nModus=6\r\nSelection=Reisen\r\nRichtung=zur\xFC"
            "ck\r\nSprache=D-S\r\nKontext=0\r\nWortarten=5\r\nMultiple Choice/Eintippen=30\r\n"
            "NichtZuSchwer1=1\r\nNichtZuSchwer2=1\r\nNichtZuSchwer3=1\r\nNichtZuSchwer4=1\r\nNichtZuSchwer5=0\r\n"
            "MaxScore=100\r\nMinScore=-20\r\n");

  TBibliothek other(env);
  other.setUserBase(&users);
  other.Einstellungen.Load();
  const TVocEinstellungen& s = other.Einstellungen;
  EXPECT_EQ(s.Richtung(), 1);
  EXPECT_EQ(s.Sprache(), 0);
  EXPECT_EQ(s.Modus(), 6);
  EXPECT_EQ(s.ProRunde(), 0);
  EXPECT_EQ(s.MultipleChoice(), 30);
  EXPECT_FALSE(s.Kontext());
  EXPECT_EQ(s.Wortarten(), 5);
  EXPECT_FALSE(s.NichtZuSchwer(4));
  EXPECT_TRUE(s.NichtZuSchwer(3));
  EXPECT_EQ(s.MaxScore(), 100);
  EXPECT_EQ(s.MinScore(), -20);
  // Loading applies the selection at once.
  EXPECT_EQ(s.Selection(), u"Reisen"_s);
  EXPECT_EQ(other.Count(), 1);
  EXPECT_FALSE(s.Modified());
}

TEST_F(VocSettingsTest, TheDefaultSelectionIsLoadedAtStartUp) {
  writeLibrary(u"Grundwortschatz/a.asc"_s, recordLines(u"uno"_s, u"eins"_s));
  settings().Load();
  EXPECT_EQ(library.Count(), 1);
  EXPECT_EQ(settings().FileCount(), 1);
  // An empty stored selection reads as the default too.
  program.write(u"prefs.ini"_s, "[*zvk]\r\nSelection=\r\n");
  library.Clear(true);
  TBibliothek fresh(env);
  fresh.Einstellungen.Load();
  EXPECT_EQ(fresh.Einstellungen.Selection(), u"Grundwortschatz\\"_s);
  EXPECT_EQ(fresh.Count(), 1);

  // With the learner's own list beside it, the empty value keeps that list
  // in force from one session to the next.
  writeLibrary(u"Reisevokabular/b.asc"_s, recordLines(u"playa"_s, u"Strand"_s));
  program.write(u"S_Bibliotheken.txt"_s, "Reisevokabular\\b.asc\r\n");
  TBibliothek again(env);
  again.Einstellungen.Load();
  EXPECT_TRUE(again.Einstellungen.Selection().isEmpty());
  EXPECT_EQ(again.Count(), 1);
  EXPECT_EQ(again.Einstellungen.FileCount(), 1);
  // A list naming nothing that exists brings the default back.
  program.write(u"S_Bibliotheken.txt"_s, "fehlt.asc\r\n");
  TBibliothek gone(env);
  gone.Einstellungen.Load();
  EXPECT_EQ(gone.Einstellungen.Selection(), u"Grundwortschatz\\"_s);
}

TEST_F(VocSettingsTest, ForeignAndDamagedFilesGiveDefaults) {
  program.write(u"prefs.ini"_s,
                "; fremde Datei\r\n[andere]\r\nRichtung=vor\r\n[*ZVK]\r\nrichtung=Vor\r\nSPRACHE=s-d\r\n"
                "Wortarten=viele\r\nMaxScore= 50 \r\nKontext=nein\r\nNichtZuSchwer2=0\r\nSelection=..\\..\\\r\n");
  settings().Load();
  EXPECT_EQ(settings().Richtung(), 2);  // "Vor" is not "vor"
  EXPECT_EQ(settings().Sprache(), 2);
  EXPECT_EQ(settings().Wortarten(), 0xFFFFFF);
  EXPECT_EQ(settings().MaxScore(), 50);
  EXPECT_TRUE(settings().Kontext());  // any text but "0" is true
  EXPECT_FALSE(settings().NichtZuSchwer(1));
  EXPECT_EQ(settings().Selection(), u"Grundwortschatz\\"_s);  // a selection outside is ignored
  // Saving keeps the foreign lines and rewrites the values in place.
  ASSERT_TRUE(settings().Save());
  const QByteArray saved = program.read(u"prefs.ini"_s);
  EXPECT_TRUE(saved.startsWith("; fremde Datei\r\n[andere]\r\nRichtung=vor\r\n[*ZVK]\r\nrichtung=kreuzundquer\r\n"));

  QByteArray junk;
  for (int i = 0; i < 2000; ++i) junk += static_cast<char>((i * 7919) % 256);
  program.write(u"prefs.ini"_s, junk);
  TBibliothek fresh(env);
  fresh.Einstellungen.Load();
  EXPECT_EQ(fresh.Einstellungen.MinScore(), -100);
  EXPECT_EQ(fresh.Einstellungen.MultipleChoice(), 50);
}

TEST_F(VocSettingsTest, SaveNeedsTheLearnersDirectoryAndRunsAtTheEnd) {
  ASSERT_TRUE(users.CreateUser(u"bert"_s, QString()));
  QDir(program.file(u"Benutzer/bert"_s)).removeRecursively();
  program.write(u"Benutzer/bert"_s, "eine Datei, kein Verzeichnis");
  settings().SetMaxScore(10);
  EXPECT_FALSE(settings().Save());
  EXPECT_TRUE(settings().Modified());
  settings().SetModified(false);

  // Changed settings are saved when the library goes away.
  {
    TBibliothek temporary(env);
    temporary.Einstellungen.SetMultipleChoice(80);
  }
  EXPECT_TRUE(program.read(u"prefs.ini"_s).contains("Multiple Choice/Eintippen=80\r\n"));
}
