// wavetool: the course's spoken recordings, made at build time.
//
//   wavetool STAGE [--basic FILE]... [--lab FILE [--lab-stamps FILE]] [--espeak PROGRAM] [--jobs N]
//
// Speaks every Spanish text of the libraries below STAGE/"Vokabeln (S)" and
// of the basic vocabulary FILEs with espeak-ng into STAGE/wave/espeak/ and
// writes STAGE/S_wx.zvk. Texts spoken before are not spoken again.
// With --lab, the sentences of the language lab's data FILE are spoken at
// two speeds into STAGE/wave/LA/ as well.
#include <QCoreApplication>
#include <QThread>
#include <cstdio>

#include "labrecordings.h"
#include "wavebuilder.h"

namespace {

int usage() {
  std::fputs("Aufruf: wavetool STAGE [--basic DATEI]... [--lab DATEI [--lab-stamps DATEI]] [--espeak PROGRAMM] [--jobs N]\n",
             stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  WaveBuilder::Options options;
  options.jobs = qBound(1, QThread::idealThreadCount() * 2, 8);
  LabRecordings::Options lab;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == QLatin1String("--basic") && hasValue) options.basicSources.append(args[++i]);
    else if (a == QLatin1String("--lab") && hasValue) lab.sentences = args[++i];
    else if (a == QLatin1String("--lab-stamps") && hasValue) lab.stampFile = args[++i];
    else if (a == QLatin1String("--espeak") && hasValue) options.espeak = args[++i];
    else if (a == QLatin1String("--jobs") && hasValue) options.jobs = args[++i].toInt();
    else if (!a.startsWith(QLatin1String("--")) && options.stageDir.isEmpty()) options.stageDir = a;
    else return usage();
  }
  if (options.stageDir.isEmpty()) return usage();

  WaveBuilder builder(options);
  if (!builder.run()) {
    for (const QString& e : builder.errors()) std::fprintf(stderr, "wavetool: %s\n", qPrintable(e));
    return 1;
  }
  std::printf("wavetool: %lld Texte, %d Aufnahmen erzeugt, %d vorhanden, %d entfernt; %s %s\n",
              static_cast<long long>(builder.texts().entries().size()), builder.generated(), builder.kept(),
              builder.removed(), qPrintable(builder.databasePath()),
              builder.databaseWritten() ? "geschrieben" : "unverändert");
  if (lab.sentences.isEmpty()) return 0;

  lab.stageDir = options.stageDir;
  lab.espeak = options.espeak;
  lab.jobs = options.jobs;
  LabRecordings recordings(lab);
  if (!recordings.run()) {
    for (const QString& e : recordings.errors()) std::fprintf(stderr, "wavetool: %s\n", qPrintable(e));
    return 1;
  }
  std::printf("wavetool: Sprachlabor: %d Sätze, %d Aufnahmen erzeugt, %d vorhanden, %d entfernt\n",
              recordings.sentences(), recordings.generated(), recordings.kept(), recordings.removed());
  return 0;
}
