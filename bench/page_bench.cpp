#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include "common/messagerecorder.h"
#include "pages/pageloader.h"
#include "pages/pagestate.h"

namespace {

// About 140 elements per repetition: styles, variables, an
// included navigation bar, conditions, entities and formatting tags.
QString samplePage(int repetitions) {
  QString page = QStringLiteral(
      "<html><title>Vokabeln</title><body bgcolor=#ffffff text=#000000 link=#008000>"
      "<font face=\"Arial\" size=3 id=NORMAL><font size=5 color=#800000 id=TITEL>"
      "<colors titel=#800000 text=#000000>");
  for (int r = 0; r < repetitions; ++r) {
    page += QStringLiteral(
        "<include href=\"nav.htm\"><+titel>$[titel] <+normal>"
        "<p>Hier lernen Sie <b>$[anzahl]</b> Vokabeln aus der Bibliothek <i>$[bibliothek]</i>. "
        "<if $modus=mch>Sie w&auml;hlen die richtige Antwort aus sechs M&ouml;glichkeiten.<else>"
        "Sie tippen die &Uuml;bersetzung in das Feld.</if> <font color=titel>Richtung:</font> $[richtung] "
        "<br><x4>Gewusst: <b>$[richtig]</b><x!6>Falsch: $[falsch]<br>"
        "<center><h3>¡Vamos!</h3></center><p>"
        "La casa es grande. El perro come pan. Mi hermana habla alemán y español. "
        "<tt>casa (f)</tt> Haus, <tt>perro (m)</tt> Hund, <tt>pan (m)</tt> Brot. "
        "<if cdrom>Die Aussprache hören Sie mit einem Klick.</if> "
        "Uno dos tres cuatro cinco seis siete ocho nueve diez once doce trece catorce quince.<p>");
  }
  return page + QStringLiteral("</html>");
}

class PageBuild {
 public:
  explicit PageBuild(int repetitions) : loader_(page_), markup_(samplePage(repetitions)) {
    QFile nav(dir_.path() + QStringLiteral("/nav.htm"));
    if (nav.open(QIODevice::WriteOnly))
      nav.write("<font size=2>Startseite zur\xFC" "ck Hilfe Beenden</font><br>");
    page_.ProgramDir = dir_.path() + QLatin1Char('/');
    loader_.SetXPath(dir_.path());
    page_.SetVariable(QStringLiteral("titel"), QStringLiteral("<b>Vokabeltraining</b>"));
    page_.SetVariable(QStringLiteral("anzahl"), QStringLiteral("25"));
    page_.SetVariable(QStringLiteral("bibliothek"), QStringLiteral("Grundwortschatz"));
    page_.SetVariable(QStringLiteral("modus"), QStringLiteral("ein"));
    page_.SetVariable(QStringLiteral("richtung"), QStringLiteral("Deutsch &rarr; Spanisch"));
    page_.SetVariable(QStringLiteral("richtig"), QStringLiteral("17"));
    page_.SetVariable(QStringLiteral("falsch"), QStringLiteral("3"));
  }
  void build() { loader_.ShowText(markup_); }
  size_t elements() const { return page_.Document.size(); }

 private:
  QTemporaryDir dir_;
  PageState page_;
  PageLoader loader_;
  QString markup_;
  MessageRecorder quiet_;
};

// range(0): repetitions of the page body; 3 give a page of about 400 elements, 30 ten times the text.
void BM_BuildPage(benchmark::State& state) {
  PageBuild b(static_cast<int>(state.range(0)));
  for (auto _ : state) b.build();
  state.counters["elements"] = static_cast<double>(b.elements());
  state.counters["elements_per_s"] =
      benchmark::Counter(static_cast<double>(b.elements()), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_BuildPage)->Arg(3)->Arg(30)->Unit(benchmark::kMicrosecond);

}  // namespace
