// htxtool: the page tool of course authors.
//   htxtool pack IN OUT      plain markup (UTF-8 or Windows-1252) -> compressed page file
//   htxtool unpack IN OUT    compressed page file -> Windows-1252 markup
//   htxtool stage SRC DST    builds an installation tree from course sources
#include <QCoreApplication>
#include <cstdio>

#include "common/fileio.h"
#include "coursestage.h"
#include "pages/pagefile.h"

namespace {

int usage() {
  std::fputs(
      "Aufruf:\n"
      "  htxtool pack EINGABE AUSGABE\n"
      "  htxtool unpack EINGABE AUSGABE\n"
      "  htxtool stage QUELLVERZEICHNIS ZIELVERZEICHNIS\n",
      stderr);
  return 2;
}

int fail(const QString& text) {
  std::fprintf(stderr, "htxtool: %s\n", text.toLocal8Bit().constData());
  return 1;
}

int pack(const QString& in, const QString& out) {
  const auto bytes = FileIO::readBytes(in);
  if (!bytes) return fail(in + QStringLiteral(": nicht lesbar"));
  const PageFile::Conversion c = PageFile::pack(*bytes);
  if (!c.error.isEmpty()) return fail(in + QStringLiteral(": ") + c.error);
  if (!FileIO::writeAtomically(out, c.bytes)) return fail(out + QStringLiteral(": nicht schreibbar"));
  return 0;
}

int unpack(const QString& in, const QString& out) {
  const auto bytes = FileIO::readBytes(in);
  if (!bytes) return fail(in + QStringLiteral(": nicht lesbar"));
  const auto markup = PageFile::unpack(*bytes);
  if (!markup) return fail(in + QStringLiteral(": beschädigte Seitendatei"));
  if (!FileIO::writeAtomically(out, *markup)) return fail(out + QStringLiteral(": nicht schreibbar"));
  return 0;
}

int stage(const QString& src, const QString& dst) {
  CourseStage s(src, dst);
  const bool ok = s.run();
  for (const QString& e : s.errors()) fail(e);
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  if (args.size() != 3) return usage();
  const QString& cmd = args[0];
  if (cmd == QLatin1String("pack")) return pack(args[1], args[2]);
  if (cmd == QLatin1String("unpack")) return unpack(args[1], args[2]);
  if (cmd == QLatin1String("stage")) return stage(args[1], args[2]);
  return usage();
}
