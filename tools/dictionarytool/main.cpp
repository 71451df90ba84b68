// dictionarytool: makes the dictionary of a staged installation.
//
//   dictionarytool freedict SPA-DEU DEU-SPA OUT
//
// converts the free dictionaries SPA-DEU and DEU-SPA (dictd files, given
// without ".index" and ".dict.dz") into OUT/s_d.zvk and OUT/d_s.zvk and
// states what was written and left out per direction.
//
//   dictionarytool course STAGE [--basic FILE]... [--add DIR] [--stamps DIR]
//
// makes both directions from the course's vocabulary (the libraries below
// STAGE/"Vokabeln (S)" and the basic vocabulary FILEs), adds the entries of
// DIR/s_d.zvk and DIR/d_s.zvk (the converted dictionaries) and writes
// STAGE/s_d.zvk (Spanish-German) and STAGE/d_s.zvk (German-Spanish). With
// --stamps, a staged file changed since the last run is left as it is.
#include <QCoreApplication>
#include <QDir>
#include <cstdio>

#include "common/fileio.h"
#include "coursedictionary.h"
#include "courserecords.h"
#include "dictdfile.h"
#include "dictionary/dictionaryfile.h"
#include "dictionarybuilder.h"
#include "freedictconverter.h"
#include "stagedfile.h"

namespace {

int usage() {
  std::fputs(
      "Aufruf: dictionarytool freedict SPA-DEU DEU-SPA ZIEL\n"
      "        dictionarytool course STAGE [--basic DATEI]... [--add VERZEICHNIS] [--stamps VERZEICHNIS]\n",
      stderr);
  return 2;
}

void say(const QString& text) { std::printf("dictionarytool: %s\n", qPrintable(text)); }
void complain(const QString& text) { std::fprintf(stderr, "dictionarytool: %s\n", qPrintable(text)); }

bool write(const QString& path, const QList<TXDBEintrag>& entries) {
  if (FileIO::writeAtomically(path, DictionaryFile::Compressed(entries))) return true;
  complain(path + QStringLiteral(" kann nicht geschrieben werden"));
  return false;
}

std::optional<QList<TXDBEintrag>> readDictionary(const QString& path) {
  const std::optional<QByteArray> bytes = FileIO::readBytes(path);
  if (!bytes) return std::nullopt;
  const DictionaryFile::Content content = DictionaryFile::Parse(*bytes, path);
  if (content.damaged) return std::nullopt;
  QList<TXDBEintrag> entries;
  for (const DictionaryFile::RawEntry& raw : content.entries)
    entries.append({raw.Word, raw.Meaning, DictionaryFile::ClassOf(raw.Class)});
  return entries;
}

int convertFreedict(const QStringList& args) {
  if (args.size() != 3) return usage();
  QStringList articles[2];
  for (int i = 0; i < 2; ++i) {
    QString error;
    const auto read = DictdFile::ReadArticles(args[i] + QStringLiteral(".index"), args[i] + QStringLiteral(".dict.dz"),
                                              &error);
    if (!read) {
      complain(error);
      return 1;
    }
    articles[i] = *read;
  }
  const Freedict::Direction spanish = Freedict::SpanishGerman(articles[0], Freedict::GermanClasses(articles[1]));
  const Freedict::Direction german =
      Freedict::GermanSpanish(articles[1], Freedict::SpanishGenders(spanish.entries));
  const QString out = args[2] + QLatin1Char('/');
  if (!QDir().mkpath(args[2])) {
    complain(args[2] + QStringLiteral(" kann nicht angelegt werden"));
    return 1;
  }
  if (!write(out + QStringLiteral("s_d.zvk"), spanish.entries) || !write(out + QStringLiteral("d_s.zvk"), german.entries))
    return 1;
  say(spanish.report.Line(QStringLiteral("Spanisch-Deutsch")));
  say(german.report.Line(QStringLiteral("Deutsch-Spanisch")));
  return 0;
}

bool stage(const QString& path, const QList<TXDBEintrag>& entries, const QString& stamps) {
  if (stamps.isEmpty()) return write(path, entries);
  switch (StagedFile::Write(path, DictionaryFile::Compressed(entries), stamps)) {
    case StagedFile::Outcome::Written:
    case StagedFile::Outcome::Unchanged: return true;
    case StagedFile::Outcome::KeptNewer:
      say(path + QStringLiteral(" wurde nach dem letzten Bau verändert und bleibt, wie es ist "
                                "(zum Neuaufbau die Datei löschen und erneut bauen)"));
      return true;
    case StagedFile::Outcome::Failed: break;
  }
  complain(path + QStringLiteral(" kann nicht geschrieben werden"));
  return false;
}

int stageCourse(const QStringList& args) {
  if (args.isEmpty()) return usage();
  const QString stageDir = args[0] + QLatin1Char('/');
  QStringList basic;
  QString add, stamps;
  for (int i = 1; i < args.size(); ++i) {
    if (i + 1 >= args.size()) return usage();
    if (args[i] == QLatin1String("--basic")) basic << args[++i];
    else if (args[i] == QLatin1String("--add")) add = args[++i];
    else if (args[i] == QLatin1String("--stamps")) stamps = args[++i];
    else return usage();
  }
  QList<TVokabel> records;
  QStringList errors;
  if (!CourseRecords::Read(stageDir + QStringLiteral("Vokabeln (S)"), basic, records, errors)) {
    for (const QString& e : errors) complain(e);
    return 1;
  }
  const CourseDictionary::Halves halves = CourseDictionary::FromRecords(records);
  const QStringList faults = CourseDictionary::Faults(halves.spanishGerman) + CourseDictionary::Faults(halves.germanSpanish);
  for (const QString& f : faults) complain(f);
  if (!faults.isEmpty()) return 1;
  say(QStringLiteral("Kurs: %1 Einträge Spanisch-Deutsch, %2 Einträge Deutsch-Spanisch aus %3 Vokabeln "
                     "(%4 Bedeutungen mit Komma ausgelassen)")
          .arg(halves.spanishGerman.size())
          .arg(halves.germanSpanish.size())
          .arg(records.size())
          .arg(halves.dropped));

  // The course's own entries lead; the converted dictionary adds its words
  // and, to the course's words, its further meanings.
  DictionaryBuilder spanish, german;
  spanish.Add(halves.spanishGerman);
  german.Add(halves.germanSpanish);
  if (add.isEmpty()) {
    say(QStringLiteral("die freien Wörterbücher sind nicht installiert: nur das Wörterbuch des Kurses wird bereitgestellt"));
  } else {
    const auto added0 = readDictionary(add + QStringLiteral("/s_d.zvk"));
    const auto added1 = readDictionary(add + QStringLiteral("/d_s.zvk"));
    if (!added0 || !added1) {
      complain(add + QStringLiteral(": die umgewandelten Wörterbücher fehlen oder sind beschädigt"));
      return 1;
    }
    spanish.Add(*added0);
    german.Add(*added1);
  }
  const QList<TXDBEintrag> s = spanish.Entries(), d = german.Entries();
  if (!stage(stageDir + QStringLiteral("s_d.zvk"), s, stamps) || !stage(stageDir + QStringLiteral("d_s.zvk"), d, stamps))
    return 1;
  say(QStringLiteral("bereitgestellt: %1 Einträge Spanisch-Deutsch, %2 Einträge Deutsch-Spanisch")
          .arg(s.size())
          .arg(d.size()));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  if (args.isEmpty()) return usage();
  if (args[0] == QLatin1String("freedict")) return convertFreedict(args.mid(1));
  if (args[0] == QLatin1String("course")) return stageCourse(args.mid(1));
  return usage();
}
