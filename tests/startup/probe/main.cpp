// A second, minimal program on the start-up both programs share: it links
// the shared start-up and what lies below it, nothing of the trainer. Given
// a program directory, it starts as the programs do and prints what it found.
#include <QApplication>
#include <cstdio>

#include "common/messagebox.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "startup/programstartup.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  MessageBoxService::setHandler([](const Message& m) {
    std::printf("Meldung (%s): %s\n", MessageBoxService::kindName(m.kind).toUtf8().constData(),
                m.text.toUtf8().constData());
    return MessageAnswer::Ok;
  });
  if (argc < 2) return 2;
  ProgramStartup startup(QString::fromLocal8Bit(argv[1]), std::make_unique<SettingsStore>());
  startup.Begin(app.arguments().mid(2));
  if (!startup.ReadSettings()) return 1;
  startup.CreateMainRecordingDatabase();
  startup.CreateSecondaryRecordingDatabase();
  const Environment& env = startup.environment();
  std::printf("Seiten: %s\n", qUtf8Printable(env.PageRoot));
  std::printf("Vokabeln: %s\n", qUtf8Printable(env.VocabularyDir));
  std::printf("Aufnahmen: %d\n", startup.MainRecordings().Count());
  const QString found = startup.RecordingPaths()(QStringLiteral("hola"));
  std::printf("hola: %s\n", found.isEmpty() ? "keine Aufnahme" : "Aufnahme gefunden");
  return 0;
}
