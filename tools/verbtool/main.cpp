// verbtool: the verb file as the trainer reads it.
//
//   verbtool dump FILE   every form of every verb, one per line:
//                        number, infinitive, tense, person and the form as
//                        stored (with its "*"), separated by tabs, UTF-8
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "verbs/verbfile.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  QTextStream err(stderr);
  if (args.size() != 2 || args.at(0) != QLatin1String("dump")) {
    err << "Aufruf: verbtool dump VERBDATEI\n";
    return 2;
  }
  const std::optional<std::vector<TVerb>> verbs = VerbFile::Read(args.at(1));
  if (!verbs) {
    err << "Verben konnten nicht geöffnet werden: " << args.at(1) << "\n";
    return 1;
  }
  QTextStream out(stdout);
  out.setEncoding(QStringConverter::Utf8);
  for (size_t n = 0; n < verbs->size(); ++n) {
    const TVerb& verb = (*verbs)[n];
    for (int t = 0; t < VerbTense::kCount; ++t)
      for (int p = 0; p < VerbTense::kPersons; ++p)
        out << n << '\t' << verb.Infinitiv << '\t' << t << '\t' << p << '\t'
            << verb.Formen[static_cast<size_t>(t)][static_cast<size_t>(p)] << '\n';
  }
  return 0;
}
