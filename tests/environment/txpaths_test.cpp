#include <gtest/gtest.h>

#include <QLineEdit>

#include "common/messagerecorder.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "environment/txpaths.h"
#include "testsupport.h"

namespace {

using namespace Qt::StringLiterals;

// The paths dialog over an installation in a temporary tree, with a
// recording database that counts what is asked of it.
class PathsDialogTest : public ::testing::Test {
 protected:
  PathsDialogTest() : env(program.path(), store) {
    program.write(u"hzvk/main.htx"_s, "x");
    program.mkdir(u"Vokabeln (S)/Grundwortschatz"_s);
    env.ReadIniSettings();
    env.ReadDirectorySettings();
  }

  TXPaths::Recordings recordings() {
    return {[this](const QString& dir) {
              asked.append(dir);
              return referencesBelow;
            },
            [this](const QString& dir) {
              replaced.append(dir);
              return 3;
            }};
  }
  QString waveDir(const QString& relative) const {
    program.write(relative + u"/ZVK_S"_s);
    return program.file(relative + u"/"_s);
  }
  QStringList messageTexts() const {
    QStringList out;
    for (const Message& m : messages.messages()) out << m.text;
    return out;
  }
  // What the next start of a program reads.
  Environment nextStart() {
    Environment next(program.path(), store);
    next.ReadIniSettings();
    next.ReadDirectorySettings();
    next.ReadUserSettings();
    return next;
  }

  TestTree program;
  ScopedConfigHome home;
  SettingsStore store;
  MessageRecorder messages;
  Environment env;
  bool referencesBelow = true;
  QStringList asked;
  QStringList replaced;
};

}  // namespace

TEST_F(PathsDialogTest, ShowsTheDirectoriesAndMarksAMissingRecordingsFolder) {
  env.WaveDir = waveDir(u"wave"_s);
  TXPaths dialog(env, recordings());
  EXPECT_EQ(dialog.windowTitle(), u"*zvk spanisch Verzeichnisse"_s);
  EXPECT_EQ(dialog.eInstall->text(), program.path());
  EXPECT_FALSE(dialog.eInstall->isEnabled());
  EXPECT_EQ(dialog.eWave->text(), env.WaveDir);
  EXPECT_EQ(dialog.eWave->palette().color(QPalette::Text), QColor(Qt::black));
  dialog.eWave->setText(program.file(u"fehlt/"_s));
  EXPECT_EQ(dialog.eWave->palette().color(QPalette::Text), QColor(Qt::red));
}

TEST_F(PathsDialogTest, ARefusedRecordingsFolderChangesNothingElse) {
  const QString own = program.mkdir(u"eigene"_s);
  const QByteArray iniBefore = program.read(u"zvk.ini"_s);
  TXPaths dialog(env, recordings());
  dialog.eUser->setText(own);
  dialog.eRE->setText(program.file(u"recht"_s));
  dialog.eWave->setText(program.file(u"fehlt"_s));
  EXPECT_FALSE(dialog.OKClick());
  EXPECT_EQ(messageTexts(), QStringList{u"Verzeichnis "_s + program.file(u"fehlt"_s) + u" existiert nicht!"_s});
  // Nothing was taken, asked or rewritten.
  EXPECT_TRUE(env.OwnWaveDir.isEmpty());
  EXPECT_TRUE(env.RechtDir.isEmpty());
  EXPECT_TRUE(asked.isEmpty());
  EXPECT_TRUE(replaced.isEmpty());
  EXPECT_EQ(program.read(u"zvk.ini"_s), iniBefore);
  EXPECT_FALSE(store.valueExists(env.UserKeyPath(), u"Eigene Waves"_s));
}

TEST_F(PathsDialogTest, OwnRecordingsAreLinkedByAliasAfterAskingAndEveryDirectoryIsKeptForTheNextStart) {
  const QString waves = waveDir(u"zweite/wave"_s);
  const QString own = program.mkdir(u"eigene"_s);
  const QString users = program.mkdir(u"leute"_s);
  TXPaths dialog(env, recordings());
  dialog.eWave->setText(waves.chopped(1));  // typed without the separator
  dialog.eUser->setText(own);
  dialog.eWi->setText(program.file(u"wirtschaft"_s));
  dialog.eRE->setText(program.file(u"recht"_s));
  dialog.eBenutzer->setText(users);
  ASSERT_TRUE(dialog.OKClick());

  EXPECT_EQ(asked, QStringList{own});
  EXPECT_EQ(replaced, QStringList{own});
  const QStringList texts = messageTexts();
  ASSERT_EQ(texts.size(), 3);
  EXPECT_EQ(texts[0], u"Sollen in der Verwaltung der Sprachaufnahmen alle Verknüpfungen\rmit Dateien in dem Verzeichnis "_s +
                          own + u" durch den Alias \"XU:\"\rersetzt werden (empfohlen)?"_s);
  EXPECT_EQ(texts[1], u"3 Einträge wurden geändert."_s);
  EXPECT_EQ(texts[2], u"Achtung: Das neue Benutzer-Verzeichnis ist erst ab dem nächsten Programmstart aktiv!"_s);
  EXPECT_EQ(env.WaveDir, waves);
  EXPECT_EQ(env.WirtschaftDir, program.file(u"wirtschaft/"_s));

  const Environment next = nextStart();
  EXPECT_EQ(next.WaveDir, waves);
  EXPECT_EQ(next.UserDir, users);
  EXPECT_EQ(next.OwnWaveDir, own);
}

TEST_F(PathsDialogTest, ARecordingsFolderWithoutItsMarkerIsTakenOnlyWhenConfirmed) {
  const QString bare = program.mkdir(u"ohne"_s);
  TXPaths dialog(env, recordings());
  dialog.eWave->setText(bare);
  messages.queueAnswer(MessageAnswer::No);
  EXPECT_FALSE(dialog.OKClick());
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_TRUE(messages.messages().first().text.contains(u"ZVK_S"_s));
  EXPECT_TRUE(env.WaveDir.isEmpty());
  messages.clear();
  EXPECT_TRUE(dialog.OKClick());  // Yes this time
  EXPECT_EQ(env.WaveDir, bare);
}

TEST_F(PathsDialogTest, BrowsingTakesOnlyFittingFiles) {
  const QString waves = waveDir(u"wave2"_s);
  const QString bare = program.mkdir(u"ohne"_s);
  program.write(u"eigene/Hola.WAV"_s, "RIFF");
  program.write(u"eigene/notiz.txt"_s, "x");
  TXPaths dialog(env, recordings());
  QStringList proposals;
  QString answer;
  dialog.Durchsuchen = [&](const QString& proposal) {
    proposals << proposal;
    return answer;
  };
  answer = bare + u"ZVK_S"_s;  // no marker there: nothing changes
  dialog.WAVsuchenClick();
  EXPECT_TRUE(dialog.eWave->text().isEmpty());
  answer = waves + u"ZVK_S"_s;
  dialog.WAVsuchenClick();
  EXPECT_EQ(dialog.eWave->text(), waves);
  answer = program.file(u"eigene/notiz.txt"_s);  // not a recording
  dialog.USRsuchenClick();
  EXPECT_TRUE(dialog.eUser->text().isEmpty());
  answer = program.file(u"eigene/Hola.WAV"_s);
  dialog.USRsuchenClick();
  EXPECT_EQ(dialog.eUser->text(), program.file(u"eigene/"_s));
  answer = program.file(u"eigene/notiz.txt"_s);
  dialog.BenSuchenClick();
  EXPECT_EQ(dialog.eBenutzer->text(), program.file(u"eigene/"_s));
  ASSERT_GE(proposals.size(), 2);
  EXPECT_TRUE(proposals[0].endsWith(u"ZVK_S"_s));
  EXPECT_TRUE(proposals.contains(u"*.wav"_s) || proposals[3].endsWith(u"*.wav"_s));
}
