#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTest>

#include "common/messagerecorder.h"
#include "common/zstream.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "pages/txpage.h"
#include "testsupport.h"
#include "trainer/shortcuts.h"
#include "trainer/specialcodes.h"
#include "trainer/tmain.h"
#include "users/txuserbase.h"
#include "vocabulary/tbibliothek.h"

namespace {

struct Shell {
  Shell() : env(program.path(), store) {
    program.write(QStringLiteral("hzvk/main.htx"), ZStream::compress("Start"));
    program.write(QStringLiteral("hzvk/bye.htx"), ZStream::compress("<title>Auf Wiedersehen</title>Bis bald"));
    program.mkdir(QStringLiteral("Vokabeln (S)/Grundwortschatz"));
    program.mkdir(QStringLiteral("Vokabeln (S)/Recht"));
    env.ReadDirectorySettings();
  }
  TestTree program;
  ScopedConfigHome home;
  SettingsStore store;
  MessageRecorder messages;
  Environment env;
};

}  // namespace

TEST(SpecialCodes, AnonymousLearnersGetOnlyTheProgramsTexts) {
  Shell s;
  TXUserBase users(s.env);
  TrainerSpecialCodes codes(s.env, &users);
  const auto answer = [&](const char* c) {
    QString code = QLatin1String(c);
    codes.Answer(code);
    return code;
  };
  EXPECT_EQ(answer("programm"), QStringLiteral("*zvk spanisch"));
  EXPECT_EQ(answer("version"), QStringLiteral("5.006"));
  EXPECT_EQ(answer("prgdir"), s.program.path());
  EXPECT_EQ(answer("recht"), QStringLiteral("+"));
  EXPECT_EQ(answer("addons"), QStringLiteral("+"));
  EXPECT_EQ(answer("reise"), QString());
  EXPECT_EQ(answer("pool"), QString());
  EXPECT_EQ(answer("perfa"), QString());  // no learner: empty
  EXPECT_EQ(answer("user"), QString());
  EXPECT_EQ(answer("irgendwas"), QString());
  codes.InstalledExtensions = {QStringLiteral("s_Recht.zvk"), QStringLiteral("Wirtschaft.zvk")};
  EXPECT_EQ(answer("extensions"), QStringLiteral("recht<br>wirtschaft<br>"));
}

TEST(TrainerShell, ClosingShowsTheFarewellPageThenEndsAndSaves) {
  Shell s;
  TMain window(s.env, nullptr);
  window.ShowStartPage();
  EXPECT_EQ(window.XPage()->XFile(), QStringLiteral("main.htx"));
  EXPECT_TRUE(window.XPage()->IsCondition(QStringLiteral("s")));
  EXPECT_TRUE(window.XPage()->IsCondition(QStringLiteral("mute")));
  EXPECT_FALSE(window.XPage()->IsCondition(QStringLiteral("login")));

  window.close();
  EXPECT_EQ(window.XPage()->XFile(), QStringLiteral("bye.htx"));
  EXPECT_FALSE(s.store.readBool(s.env.UserKeyPath(), QStringLiteral("Fenster-Modus")).has_value());
  window.close();  // the second close ends in order
  EXPECT_TRUE(s.store.readBool(s.env.UserKeyPath(), QStringLiteral("Fenster-Modus")).has_value());
  EXPECT_TRUE(s.messages.messages().isEmpty());
}

TEST(TrainerShell, WithoutAFarewellPageTheFirstCloseEnds) {
  Shell s;
  QFile::remove(s.program.file(QStringLiteral("hzvk/bye.htx")));
  TMain window(s.env, nullptr);
  window.ShowStartPage();
  window.close();
  EXPECT_TRUE(s.store.readInteger(s.env.UserKeyPath(), QStringLiteral("Hintergrund")).has_value());
}

TEST(TrainerShell, PageCommandsReachTheRowsTheSubsystemsAdded) {
  Shell s;
  TMain window(s.env, nullptr);
  int shown = -1;
  window.Commands().Add(27, PageCommandTable::StartsWith(QStringLiteral("showverb")), [&](const QString& c) {
    shown = PageCommandTable::NumberAt(c, 9).value_or(-1);
  });
  window.ShowStartPage();
  window.XPage()->FollowLink(QStringLiteral("§showverb12"));
  EXPECT_EQ(shown, 12);
  window.XPage()->FollowLink(QStringLiteral("§END"));  // "end": the first close shows the farewell page
  EXPECT_EQ(window.XPage()->XFile(), QStringLiteral("bye.htx"));
}

TEST(TrainerShell, TheShellAndTheVocabularyRowsStandAtTheirPlaces) {
  Shell s;
  TBibliothek library(s.env);
  TMain window(s.env, nullptr, &library);
  const PageCommandTable& t = window.Commands();
  const auto row = [&](const char* command) {
    const PageCommandTable::Row* r = t.Find(QLatin1String(command));
    return r ? r->Number : 0;
  };
  EXPECT_EQ(row("stop"), 21);
  EXPECT_EQ(row("vocein"), 22);
  EXPECT_EQ(row("vocaus"), 30);
  EXPECT_EQ(row("vokabelweiter"), 33);
  EXPECT_EQ(row("vcontinue"), 34);
  EXPECT_EQ(row("vokabel#2+"), 35);
  EXPECT_EQ(row("dir=grundwortschatz"), 39);
  EXPECT_EQ(row("select"), 40);
  EXPECT_EQ(row("sm=vegas"), 41);
  EXPECT_EQ(row("vstart"), 44);
  EXPECT_EQ(row("goabfrage"), 45);
  EXPECT_EQ(row("www"), 48);
  EXPECT_EQ(row("www.example.org"), 49);
  EXPECT_EQ(row("http://example.org"), 50);
  EXPECT_EQ(row("end"), 59);
  EXPECT_EQ(row("vokabel"), 0);  // "starts with" needs more than the prefix
  EXPECT_EQ(t.Find(QStringLiteral("stop"))->Loop, PageCommandTable::DuringLoop::Now);
  EXPECT_EQ(t.Find(QStringLiteral("goabfrage"))->Loop, PageCommandTable::DuringLoop::Refuse);
}

namespace {

// A game that takes the page's keys and clicks while it runs.
class KeyGame : public RunningLoop {
 public:
  void Stop() override { stopped = true; }
  bool KeyDown(QKeyEvent& event) override {
    keys << event.key();
    return true;
  }
  bool Click() override {
    ++clicks;
    return true;
  }
  QList<int> keys;
  int clicks = 0;
  bool stopped = false;
};

}  // namespace

TEST(TrainerShell, KeysClicksAndClosingGoToTheRunningLoopOnly) {
  Shell s;
  TMain window(s.env, nullptr);
  window.ShowStartPage();
  KeyGame game;
  {
    LoopState::Scope running(window.Loops(), game);
    QTest::keyClick(window.XPage(), Qt::Key_Space);
    QTest::mouseClick(window.XPage(), Qt::LeftButton, {}, QPoint(10, 10));
    window.close();  // a close during the game stops it first
  }
  EXPECT_EQ(game.keys, QList<int>{Qt::Key_Space});
  EXPECT_EQ(game.clicks, 1);
  EXPECT_TRUE(game.stopped);
  // The game has ended: its keys and clicks are no longer its own.
  QTest::keyClick(window.XPage(), Qt::Key_Space);
  QTest::mouseClick(window.XPage(), Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(game.keys.size(), 1);
  EXPECT_EQ(game.clicks, 1);
}

namespace {

// A home directory of its own for the launchers, put back afterwards.
struct LauncherHome {
  LauncherHome() {
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral(".local/share")).toLocal8Bit());
  }
  ~LauncherHome() {
    qputenv("HOME", saved);
    if (savedData.isEmpty()) qunsetenv("XDG_DATA_HOME");
    else qputenv("XDG_DATA_HOME", savedData);
  }
  TestTree home;
  const QByteArray saved = qgetenv("HOME");
  const QByteArray savedData = qgetenv("XDG_DATA_HOME");
};

}  // namespace

TEST(Shortcuts, LaunchersAreWrittenOnceAndRemovedQuietly) {
  LauncherHome launchers;
  const TestTree& home = launchers.home;
  EXPECT_TRUE(Shortcuts::ManageShortcut(Shortcuts::ApplicationsMenu, QStringLiteral("/opt/zvk/zvk_s"), true));
  EXPECT_TRUE(Shortcuts::ManageShortcut(Shortcuts::ApplicationsMenu, QStringLiteral("/opt/zvk/zvk_s"), true));
  const QString path = Shortcuts::LauncherPath(Shortcuts::ApplicationsMenu);
  EXPECT_TRUE(path.startsWith(home.path()));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray text = f.readAll();
  EXPECT_TRUE(text.contains("Name=zvk spanisch"));
  EXPECT_EQ(text.count("[Desktop Entry]"), 1);
  EXPECT_TRUE(Shortcuts::ManageShortcut(Shortcuts::ApplicationsMenu, QString(), false));
  EXPECT_FALSE(QFileInfo::exists(path));
  EXPECT_TRUE(Shortcuts::ManageShortcut(Shortcuts::ApplicationsMenu, QString(), false));  // absent: nothing to do
}

TEST(Shortcuts, RemovingThemFromAPageAsksFirst) {
  LauncherHome launchers;
  ASSERT_TRUE(Shortcuts::ManageShortcut(Shortcuts::ApplicationsMenu, QStringLiteral("/opt/zvk/zvk_s"), true));
  const QString path = Shortcuts::LauncherPath(Shortcuts::ApplicationsMenu);
  PageCommandTable table;
  Shortcuts::RegisterCommands(table);
  PageCommandDispatcher commands(table);
  MessageRecorder messages;
  messages.queueAnswer(MessageAnswer::Cancel);
  messages.queueAnswer(MessageAnswer::Ok);
  commands.Run(QStringLiteral("unshort"));
  EXPECT_TRUE(QFileInfo::exists(path));  // cancelled
  commands.Run(QStringLiteral("UNSHORT"));
  EXPECT_FALSE(QFileInfo::exists(path));
  ASSERT_EQ(messages.messages().size(), 2);
  EXPECT_EQ(messages.messages()[0].kind, MessageKind::Warning);
  EXPECT_EQ(messages.messages()[0].text, QStringLiteral("Verknüpfungen auf Desktop und in der Startleiste löschen?"));
}
