#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

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

TEST(TrainerShell, PageCommandsReachTheDispatcher) {
  Shell s;
  TMain window(s.env, nullptr);
  window.ShowStartPage();
  window.XPage()->FollowLink(QStringLiteral("§showverb12"));
  EXPECT_EQ(window.Dispatcher().CurrentVerb, 12);
  window.XPage()->FollowLink(QStringLiteral("§END"));  // "end": the first close shows the farewell page
  EXPECT_EQ(window.XPage()->XFile(), QStringLiteral("bye.htx"));
}

TEST(Shortcuts, LaunchersAreWrittenOnceAndRemovedQuietly) {
  TestTree home;
  const QByteArray saved = qgetenv("HOME");
  const QByteArray savedData = qgetenv("XDG_DATA_HOME");
  qputenv("HOME", home.path().toLocal8Bit());
  qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral(".local/share")).toLocal8Bit());
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
  qputenv("HOME", saved);
  if (savedData.isEmpty()) qunsetenv("XDG_DATA_HOME");
  else qputenv("XDG_DATA_HOME", savedData);
}
