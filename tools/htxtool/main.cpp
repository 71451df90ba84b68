// htxtool: the page tool of course authors.
//   htxtool pack IN OUT      plain markup (UTF-8 or Windows-1252) -> compressed page file
//   htxtool unpack IN OUT    compressed page file -> Windows-1252 markup
//   htxtool stage SRC DST    builds an installation tree from course sources
//   htxtool dump FILE [--var NAME=VALUE]... [--cond NAME]...
//                            builds a page ("-": markup from standard input) and
//                            prints its elements and tables
//   htxtool check DIR        builds every page below DIR; prints each message raised
//   htxtool layout FILE      positions of the elements, link rectangles, word list
//   htxtool render FILE OUT.png [--full] [--size WxH]   the page as shown (the whole
//                            document with --full), in a window of 800 x 572 or WxH
//   htxtool view FILE [--size WxH]   the page in a window
//   htxtool sheet DIR OUT.png [--samples FILE]   every page of DIR with its sample
//                            values, at half size on one contact sheet
//   htxtool fit DIR [--samples FILE]   reports pages that raise a message, need
//                            a scroll bar they are not meant to have, or hold
//                            text too small or past the right edge
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QApplication>
#include <cstdio>

#include "common/messagerecorder.h"
#include "common/random.h"
#include "pages/libraryutils.h"
#include "pages/pagedump.h"
#include "pages/pageloader.h"
#include "pages/pagestate.h"
#include "pages/txpage.h"
#include "sound/txrecorder.h"
#include "common/textcodec.h"

#include "common/fileio.h"
#include "coursestage.h"
#include "pagesheet.h"
#include "pages/pagefile.h"

namespace {

int usage() {
  std::fputs(
      "Aufruf:\n"
      "  htxtool pack EINGABE AUSGABE\n"
      "  htxtool unpack EINGABE AUSGABE\n"
      "  htxtool stage QUELLVERZEICHNIS ZIELVERZEICHNIS\n"
      "  htxtool dump DATEI [--var NAME=WERT]... [--cond NAME]...\n"
      "  htxtool check VERZEICHNIS\n"
      "  htxtool layout DATEI [--var NAME=WERT]... [--cond NAME]...\n"
      "  htxtool render DATEI AUSGABE.png [--full] [--size BxH] [--var NAME=WERT]... [--cond NAME]...\n"
      "  htxtool view DATEI [--size BxH] [--var NAME=WERT]... [--cond NAME]...\n"
      "  htxtool sheet VERZEICHNIS AUSGABE.png [--samples DATEI]\n"
      "  htxtool fit VERZEICHNIS [--samples DATEI]\n",
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

// Sets the --var and --cond options on a page; other options go to rest
// (false when there is no rest to take them).
bool applyOptions(PageState& page, const QStringList& args, QStringList* rest) {
  for (int i = 1; i < args.size(); ++i) {
    if (args[i] == QLatin1String("--var") && i + 1 < args.size()) {
      const QString pair = args[++i];
      const qsizetype eq = pair.indexOf(QLatin1Char('='));
      if (eq <= 0) return false;
      page.SetVariable(pair.left(eq), pair.mid(eq + 1));
    } else if (args[i] == QLatin1String("--cond") && i + 1 < args.size()) {
      page.SetCondition(args[++i], true);
    } else if (rest) {
      rest->append(args[i]);
    } else {
      return false;
    }
  }
  return true;
}

// Takes "--size WxH" out of the arguments: the size of the window the page
// is shown in, the trainer's when it is missing. False for a size that
// cannot be read.
bool takeSize(QStringList& args, QSize* size) {
  *size = QSize(TXPage::kDefaultWidth, TXPage::kDefaultHeight);
  const qsizetype at = args.indexOf(QStringLiteral("--size"));
  if (at < 0) return true;
  if (at + 1 >= args.size()) return false;
  *size = ReadPageSize(args[at + 1]);
  args.remove(at, 2);
  return !size->isEmpty();
}

// Opens FILE (or markup from standard input for "-") after setting the
// options. The loader builds the page; a page control also lays it out and
// draws it.
bool openPage(PageState& page, PageLoader& loader, const QStringList& args, MessageRecorder& messages,
              QStringList* rest = nullptr) {
  if (args.isEmpty()) return false;
  page.ProgramDir = QDir::currentPath() + QLatin1Char('/');
  loader.SetXPath(QDir::currentPath());
  if (!applyOptions(page, args, rest)) return false;
  // Random choices (W groups, "random" colours) repeat, so outputs can be compared.
  Random::seed(0);
  if (args[0] == QLatin1String("-")) {
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly)) return false;
    loader.ShowText(Cp1252::decode(PageFile::toStoredText(in.readAll()).bytes));
    return true;
  }
  if (loader.OpenFile(args[0])) return true;
  for (const Message& m : messages.messages()) fail(m.text);
  return false;
}

bool openPage(TXPage& page, const QStringList& args, MessageRecorder& messages, QStringList* rest = nullptr) {
  if (args.isEmpty()) return false;
  // Recorder panels draw their buttons as they do in the programs.
  page.CreateRecorder = TXRecorder::PageFactory();
  page.state().ProgramDir = QDir::currentPath() + QLatin1Char('/');
  page.setXPath(QDir::currentPath());
  if (!applyOptions(page.state(), args, rest)) return false;
  Random::seed(0);
  if (args[0] == QLatin1String("-")) {
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly)) return false;
    page.ShowText(Cp1252::decode(PageFile::toStoredText(in.readAll()).bytes));
    return true;
  }
  if (page.setXFile(args[0])) return true;
  for (const Message& m : messages.messages()) fail(m.text);
  return false;
}

void print(const QStringList& lines) {
  for (const QString& line : lines) std::printf("%s\n", line.toUtf8().constData());
}

// The page as built, before any layout.
int dump(const QStringList& args) {
  PageState page;
  PageLoader loader(page);
  MessageRecorder messages;
  if (!openPage(page, loader, args, messages)) return args.isEmpty() ? usage() : 1;
  print(DumpPage(page, messages.messages()));
  return 0;
}

int layout(const QStringList& args) {
  TXPage page;
  MessageRecorder messages;
  if (!openPage(page, args, messages)) return args.isEmpty() ? usage() : 1;
  print(DumpLayout(page.state()));
  return 0;
}

int render(const QStringList& args) {
  if (args.size() < 2) return usage();
  QStringList rest;
  TXPage page;
  MessageRecorder messages;
  QStringList pageArgs = args;
  const QString out = pageArgs.takeAt(1);
  QSize size;
  if (!takeSize(pageArgs, &size)) return usage();
  SetPageSize(page, size);
  if (!openPage(page, pageArgs, messages, &rest)) return 1;
  const bool full = rest.contains(QStringLiteral("--full"));
  if (!rest.isEmpty() && !full) return usage();
  const QImage image = full ? page.Buffer() : page.grab().toImage();
  if (!image.save(out)) return fail(out + QStringLiteral(": nicht schreibbar"));
  return 0;
}

int view(const QStringList& arguments) {
  QStringList args = arguments;
  QSize size;
  if (!takeSize(args, &size)) return usage();
  TXPage page;
  SetPageSize(page, size);
  {
    // Messages of the opening are printed; later ones show as message boxes.
    MessageRecorder messages;
    if (!openPage(page, args, messages)) return args.isEmpty() ? usage() : 1;
  }
  // What the page hands to its host shows on standard output, so exercise
  // reactions can be followed without the trainer.
  page.OnCommand = [](TXPage*, const QString& command) {
    std::printf("Befehl: %s\n", command.toUtf8().constData());
    std::fflush(stdout);
  };
  page.OnDrag = [](TXPage*, const QString& text) {
    std::printf("Abgelegt: %s\n", text.toUtf8().constData());
    std::fflush(stdout);
  };
  page.OnSolved = [](TXPage*, bool& doReact) {
    std::printf("Gel\xC3\xB6st%s\n", doReact ? "" : " (ohne Reaktion)");
    std::fflush(stdout);
  };
  page.setWindowTitle(QStringLiteral("htxtool: ") + page.PageTitle());
  page.setFixedSize(size);
  page.show();
  return QApplication::exec();
}

// Builds and lays out every page below a directory; reports each message a
// build raises and each broken link target.
int check(const QString& directory) {
  QStringList pages;
  for (const char* ext : {".htx", ".htm", ".hzvk", ".xtml", ".xtm"}) FindFiles(directory, &pages, QLatin1String(ext));
  pages.sort();
  int problems = 0;
  for (const QString& file : pages) {
    TXPage page;
    page.state().ProgramDir = QDir::currentPath() + QLatin1Char('/');
    // Pictures the programs draw ("%WxH=code") stay blank here: no host, no file to find.
    page.setOnPictureRequest([](TXPage*, const QString&, QImage&) {});
    MessageRecorder messages;
    page.OnBadLink = [&](TXPage*, const QString& target) {
      std::printf("%s: link \"%s\"\n", qPrintable(file), target.toUtf8().constData());
      ++problems;
    };
    page.setXFile(file);
    for (const Message& m : messages.messages()) {
      std::printf("%s: %s \"%s\"\n", qPrintable(file), qPrintable(MessageBoxService::kindName(m.kind)),
                  m.text.toUtf8().constData());
      ++problems;
    }
  }
  return problems == 0 ? 0 : 1;
}

// Every page of a directory drawn with its sample values (sheet), or only
// checked (fit); both print the problems found and fail when there are any.
int samplePages(const QStringList& args, bool drawSheet) {
  QStringList rest = args;
  QString samplesFile;
  const qsizetype at = rest.indexOf(QStringLiteral("--samples"));
  if (at >= 0) {
    if (at + 1 >= rest.size()) return usage();
    samplesFile = rest.takeAt(at + 1);
    rest.removeAt(at);
  }
  if (rest.size() != (drawSheet ? 2 : 1)) return usage();
  const QString directory = QDir(rest[0]).absolutePath();
  PageSamples samples;
  if (!samplesFile.isEmpty()) {
    QString error;
    const auto read = PageSamples::read(samplesFile, &error);
    if (!read) return fail(error);
    samples = *read;
  }
  // The pages of the folder and of its folders (the games' pages stand in folders of their own).
  QStringList files;
  QDirIterator it(directory, {QStringLiteral("*.htx")}, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) files.append(QDir(directory).relativeFilePath(it.next()));
  files.sort();
  QList<SampledPage> pages;
  int problems = 0;
  for (const PageSample& s : samples.samplesFor(files)) {
    pages.append(DrawSample(directory, s));
    for (const QString& p : pages.last().problems) std::printf("%s\n", p.toUtf8().constData());
    problems += static_cast<int>(pages.last().problems.size());
  }
  if (drawSheet && !ContactSheet(pages).save(rest[1])) return fail(rest[1] + QStringLiteral(": nicht schreibbar"));
  return problems == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  // Only "view" shows a window; the other commands draw off screen.
  const bool viewing = argc > 1 && qstrcmp(argv[1], "view") == 0;
  if (!viewing && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  if (!args.isEmpty() && args[0] == QLatin1String("dump")) return dump(args.mid(1));
  if (!args.isEmpty() && args[0] == QLatin1String("layout")) return layout(args.mid(1));
  if (!args.isEmpty() && args[0] == QLatin1String("render")) return render(args.mid(1));
  if (viewing) return view(args.mid(1));
  if (!args.isEmpty() && args[0] == QLatin1String("sheet")) return samplePages(args.mid(1), true);
  if (!args.isEmpty() && args[0] == QLatin1String("fit")) return samplePages(args.mid(1), false);
  if (args.size() == 2 && args[0] == QLatin1String("check")) return check(args[1]);
  if (args.size() != 3) return usage();
  const QString& cmd = args[0];
  if (cmd == QLatin1String("pack")) return pack(args[1], args[2]);
  if (cmd == QLatin1String("unpack")) return unpack(args[1], args[2]);
  if (cmd == QLatin1String("stage")) return stage(args[1], args[2]);
  return usage();
}
