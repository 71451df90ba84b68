#include <gtest/gtest.h>

#include "common/messagerecorder.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "testsupport.h"
#include "trainer/startup.h"

namespace {

class StartupTest : public ::testing::Test {
 protected:
  bool start(const TrainerStartup::Screen& screen, const QStringList& args = {}) {
    startup = std::make_unique<TrainerStartup>(program.path(),
                                               std::make_unique<SettingsStore>(config.file(QStringLiteral("s.conf"))));
    return startup->run(args, screen);
  }
  void installCourse() const {
    program.write(QStringLiteral("hzvk/main.htx"), "x");
    program.mkdir(QStringLiteral("Vokabeln (S)/Grundwortschatz"));
  }

  TestTree program;
  TestTree config;
  MessageRecorder messages;
  std::unique_ptr<TrainerStartup> startup;
  const TrainerStartup::Screen good{1024, 768, 32};
};

}  // namespace

TEST_F(StartupTest, TooFewColoursStopsBeforeTheResolutionCheck) {
  installCourse();
  EXPECT_FALSE(start({640, 480, 8}));
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].kind, MessageKind::Stop);
  EXPECT_EQ(messages.messages()[0].text,
            QStringLiteral("Nicht genug Farben!\r\r*zvk spanisch benötigt mehr als 256 Farben bei einer Auflösung\r"
                           "von (mindestens) 800 x 600 Pixel. Bitte ändern Sie die Farben\r"
                           "auf High Color (16 Bit) oder True-Color (24 bzw. 32 Bit).\r\rTip:\r"
                           "Bei den meisten Grafikkarten ändert man die Auflösung in der\r"
                           "Systemsteuerung unter \"Anzeige\" auf Seite \"Einstellungen\"."));
}

TEST_F(StartupTest, TooSmallScreenStops) {
  installCourse();
  EXPECT_FALSE(start({799, 600, 16}));
  EXPECT_FALSE(start({800, 599, 16}));
  ASSERT_EQ(messages.messages().size(), 2);
  EXPECT_TRUE(messages.messages()[0].text.startsWith(QStringLiteral("Zu geringe Auflösung!\r\r")));
  EXPECT_TRUE(messages.messages()[0].text.contains(QStringLiteral("Bitte ändern Sie die Auflösung auf 800 x 600 Pixel.\r\rTip:\r")));
  EXPECT_TRUE(start({800, 600, 16}));
}

TEST_F(StartupTest, IncompleteInstallationStops) {
  program.mkdir(QStringLiteral("Vokabeln (S)/Grundwortschatz"));
  EXPECT_FALSE(start(good));  // no main page
  program.write(QStringLiteral("hzvk/main.htx"), "x");
  program.mkdir(QStringLiteral("Vokabeln (S)/Grundwortschatz"));
  QDir(program.file(QStringLiteral("Vokabeln (S)/Grundwortschatz"))).removeRecursively();
  EXPECT_FALSE(start(good));  // no basic vocabulary
  ASSERT_EQ(messages.messages().size(), 2);
  for (const Message& m : messages.messages()) {
    EXPECT_EQ(m.kind, MessageKind::Stop);
    EXPECT_EQ(m.text, QStringLiteral("*zvk spanisch kann nicht gestartet werden!\nDie Installation ist unvollständig."));
  }
}

TEST_F(StartupTest, ACompleteInstallationStartsWithItsDirectories) {
  installCourse();
  program.write(QStringLiteral("wave/ZVK_S"));
  program.write(QStringLiteral("zvk.ini"), "[zvk spanisch]\r\nWave-Verzeichnis=wave/\r\n");
  program.mkdir(QStringLiteral("S_SX"));
  ASSERT_TRUE(start(good, {QStringLiteral("window")}));
  const Environment& env = startup->environment();
  EXPECT_EQ(env.PageRoot, program.path());
  EXPECT_EQ(env.WaveDir, program.file(QStringLiteral("wave/")));
  EXPECT_EQ(env.SxDir, program.file(QStringLiteral("S_SX/")));
  EXPECT_TRUE(env.SkDir.isEmpty());
  EXPECT_TRUE(env.WindowMode);
  EXPECT_TRUE(messages.messages().isEmpty());
}
