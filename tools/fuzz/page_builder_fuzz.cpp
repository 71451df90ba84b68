// libFuzzer target: builds a page from arbitrary markup. A crash, a hang or
// a sanitizer report is a finding; the builder must accept anything.
#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

#include "common/messagerecorder.h"
#include "common/textcodec.h"
#include "pages/pageloader.h"
#include "pages/pagestate.h"

namespace {

struct Setup {
  Setup() {
    static int argc = 1;
    static char name[] = "page_builder_fuzz";
    static char* argv[] = {name, nullptr};
    app = new QCoreApplication(argc, argv);
    dir = new QTemporaryDir();
    // An included page that includes itself and one that sets variables.
    QFile self(dir->path() + QStringLiteral("/self.htm"));
    if (self.open(QIODevice::WriteOnly)) self.write("<b>x<include href=\"self.htm\">y</b>");
    QFile vars(dir->path() + QStringLiteral("/vars.htm"));
    if (vars.open(QIODevice::WriteOnly)) vars.write("<define $a=\"$[a]$[a]\" $b=\"{b}\"><colors x=y y=x>");
  }
  QCoreApplication* app;
  QTemporaryDir* dir;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Setup setup;
  static MessageRecorder messages;
  messages.clear();
  PageState page;
  PageLoader loader(page);
  page.ProgramDir = setup.dir->path() + QLatin1Char('/');
  loader.SetXPath(setup.dir->path());
  page.SetVariable(QStringLiteral("selbst"), QStringLiteral("<font color=$selbst>$[selbst]"));
  page.SpecialCode = [](QString& code) { code = code.size() % 2 ? QStringLiteral("+") : QStringLiteral("$[x]"); };
  loader.ShowText(Cp1252::decode(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  return 0;
}
