// zvk_s: the trainer.
#include <QApplication>
#include <QScreen>
#include <QTimer>

#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "common/messagebox.h"
#include "pages/txpage.h"
#include "trainer/shortcuts.h"
#include "trainer/startup.h"
#include "trainer/tmain.h"
#include "users/txuserbase.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("zvk spanisch"));
  QApplication::setQuitOnLastWindowClosed(false);

  TrainerStartup::Screen screen;
  if (const QScreen* s = QGuiApplication::primaryScreen()) {
    screen.width = s->size().width();
    screen.height = s->size().height();
  }
  screen.colorBits = Environment::ScreenColorBits();

  TrainerStartup startup(QCoreApplication::applicationDirPath(), std::make_unique<SettingsStore>());
  if (!startup.run(app.arguments().mid(1), screen)) return 1;
  Environment& env = startup.environment();

  if (env.ShortcutRequest) {
    const QString program = QCoreApplication::applicationFilePath();
    if (AskQuestion(QStringLiteral("Soll eine Verknüpfung mit zvk spanisch auf dem Desktop erzeugt werden?")) ==
        MessageAnswer::Yes)
      Shortcuts::ManageShortcut(Shortcuts::Desktop, program, true);
    Shortcuts::ManageShortcut(Shortcuts::ApplicationsMenu, program, true);
  }

  TXUserBase users(env);
  QApplication::setApplicationName(QStringLiteral("*zvk spansich 5"));
  TMain mainWindow(env, &users);
  mainWindow.ShowStartPage();

  // For measuring start-up: end as soon as the first page is on the screen.
  if (qEnvironmentVariableIsSet("ZVK_EXIT_AFTER_FIRST_PAGE"))
    QTimer::singleShot(0, &app, [&] { mainWindow.Beenden(); });
  return QApplication::exec();
}
