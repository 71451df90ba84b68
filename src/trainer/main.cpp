// zvk_s: the trainer.
#include <QApplication>
#include <QScreen>
#include <cstdio>

#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "trainer/startup.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("zvk spanisch"));

  TrainerStartup::Screen screen;
  if (const QScreen* s = QGuiApplication::primaryScreen()) {
    screen.width = s->size().width();
    screen.height = s->size().height();
  }
  screen.colorBits = Environment::ScreenColorBits();

  TrainerStartup startup(QCoreApplication::applicationDirPath(), std::make_unique<SettingsStore>());
  if (!startup.run(app.arguments().mid(1), screen)) return 1;

  // The main window and its pages follow the start-up checks once the page
  // engine is in place; until then the trainer reports where it found its course.
  const Environment& env = startup.environment();
  std::printf("zvk_s: Installation in %s, Seiten in %shzvk/, Vokabeln in %s\n", qPrintable(env.ProgramDir),
              qPrintable(env.PageRoot), qPrintable(env.VocabularyDir));
  return 0;
}
