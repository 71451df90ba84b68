// dictionarytool: writes the dictionary of a staged installation.
//
//   dictionarytool course STAGE [--basic FILE]...
//
// makes both halves from the course's vocabulary (the libraries below
// STAGE/"Vokabeln (S)" and the basic vocabulary FILEs) and writes them as
// STAGE/s_d.zvk (Spanish-German) and STAGE/d_s.zvk (German-Spanish).
#include <QCoreApplication>
#include <cstdio>

#include "common/fileio.h"
#include "coursedictionary.h"
#include "courserecords.h"
#include "dictionary/dictionaryfile.h"

namespace {

int usage() {
  std::fputs("Aufruf: dictionarytool course STAGE [--basic DATEI]...\n", stderr);
  return 2;
}

bool write(const QString& path, const QList<TXDBEintrag>& entries) {
  if (FileIO::writeAtomically(path, DictionaryFile::Compressed(entries))) return true;
  std::fprintf(stderr, "dictionarytool: %s kann nicht geschrieben werden\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  if (args.size() < 2 || args[0] != QLatin1String("course")) return usage();
  const QString stage = args[1] + QLatin1Char('/');
  QStringList basic;
  for (int i = 2; i < args.size(); ++i) {
    if (args[i] != QLatin1String("--basic") || i + 1 >= args.size()) return usage();
    basic << args[++i];
  }
  QList<TVokabel> records;
  QStringList errors;
  if (!CourseRecords::Read(stage + QStringLiteral("Vokabeln (S)"), basic, records, errors)) {
    for (const QString& e : errors) std::fprintf(stderr, "dictionarytool: %s\n", qPrintable(e));
    return 1;
  }
  const CourseDictionary::Halves halves = CourseDictionary::FromRecords(records);
  const QStringList faults = CourseDictionary::Faults(halves.spanishGerman) + CourseDictionary::Faults(halves.germanSpanish);
  for (const QString& f : faults) std::fprintf(stderr, "dictionarytool: %s\n", qPrintable(f));
  if (!faults.isEmpty()) return 1;
  if (!write(stage + QStringLiteral("s_d.zvk"), halves.spanishGerman) ||
      !write(stage + QStringLiteral("d_s.zvk"), halves.germanSpanish))
    return 1;
  std::printf("dictionarytool: %lld Einträge Spanisch-Deutsch, %lld Einträge Deutsch-Spanisch aus %lld Vokabeln"
              " (%d Bedeutungen mit Komma ausgelassen)\n",
              static_cast<long long>(halves.spanishGerman.size()), static_cast<long long>(halves.germanSpanish.size()),
              static_cast<long long>(records.size()), halves.dropped);
  return 0;
}
