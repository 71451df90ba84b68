// A learner who answers without end: the program logs in (creating the
// learner the first time), records answers and keeps them the way the
// trainer does, and prints each save it made. The crash test kills it at
// random moments and checks the user file it leaves.
//   learner_probe <program directory> <answers per save>
#include <QCoreApplication>
#include <QThread>
#include <cstdio>

#include "common/messagebox.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "users/txuserbase.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc < 3) return 2;
  MessageBoxService::setHandler([](const Message& m) {
    std::printf("Meldung: %s\n", m.text.toUtf8().constData());
    std::fflush(stdout);
    return MessageAnswer::Yes;
  });
  const QString programDir = QString::fromLocal8Bit(argv[1]);
  const int perSave = std::max(1, std::atoi(argv[2]));
  SettingsStore store(programDir + QStringLiteral("/settings.conf"));
  Environment env(programDir + QLatin1Char('/'), store);
  TXUserBase users(env);
  const QString name = QStringLiteral("anna");
  if (users.OpenUser(name, QStringLiteral("pw")) != TXUserBase::OpenResult::Opened &&
      !users.CreateUser(name, QStringLiteral("pw")))
    return 1;
  for (qsizetype answer = users.History().size();; ++answer) {
    users.RecordAnswer(QStringLiteral("wort%1").arg(answer), false, QLatin1Char('e'), 25, 0);
    if ((answer + 1) % perSave != 0) continue;
    if (!users.SaveProgress()) return 1;
    std::printf("gespeichert %lld\n", static_cast<long long>(answer + 1));
    std::fflush(stdout);
    QThread::usleep(500);
  }
}
