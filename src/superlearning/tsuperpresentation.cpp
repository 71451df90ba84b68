#include "superlearning/tsuperpresentation.h"

#include <QCoreApplication>

#include "common/loopstate.h"
#include "common/messagebox.h"
#include "sound/music.h"
#include "sound/sampleplayer.h"
#include "superlearning/presentationtexts.h"
#include "superlearning/tsuperfade.h"
#include "superlearning/tsuperoptions.h"
#include "vocabulary/tbibliothek.h"
#include "vocabulary/tvoceinstellungen.h"

TSuperPresentation::TSuperPresentation(TSuperOptions& options, TBibliothek& library, TSamplePlayer* samples,
                                       LoopState& loops)
    : options_(options), library_(library), samples_(samples), loops_(loops) {}

QString TSuperPresentation::NotYetText(const QString& modeName) {
  return QStringLiteral("Der Modus \u201E") + modeName +
         QStringLiteral("\u201C ist in dieser Version noch nicht dabei. Bitte wählen Sie auf der Vokabelseite "
                        "\u201Eklassisch\u201C, \u201Eabgedreht\u201C, \u201EFree Fall\u201C oder \u201ELas Vegas\u201C.");
}

void TSuperPresentation::StartPresentation() {
  if (loops_.Running()) return;
  QCoreApplication::processEvents();
  const int mode = library_.Einstellungen.Modus() & 0x7F;
  if (mode == TVocEinstellungen::ModusAbfragen) {
    if (ShowVocabularyPage) ShowVocabularyPage();
    return;
  }
  const bool game = mode == TVocEinstellungen::ModusVegas || mode == TVocEinstellungen::ModusFreeFall;
  if (mode != 1 && mode != 2 && !game) {
    ShowMessage(NotYetText(TVocEinstellungen::ModeName(mode)), MessageKind::Information);
    return;
  }
  // Nothing to show: said before anything starts.
  if (library_.ActiveCount() == 0) {
    ShowMessage(PresentationTexts::kNoneActive, MessageKind::Information);
    return;
  }
  library_.ResetCursor();
  if (options_.Flag(SuperOption::Musik)) options_.Music().Start();
  // A game begins on its introduction page; the music plays on.
  if (game) {
    if (ShowCoursePage)
      ShowCoursePage(mode == TVocEinstellungen::ModusVegas ? QStringLiteral("vegas/intro.htx")
                                                           : QStringLiteral("freefall/intro.htx"));
    return;
  }
  runFade(mode == 1);
  options_.Music().StopMusic();
  if (ShowVocabularyPage) ShowVocabularyPage();
}

void TSuperPresentation::runFade(bool klassisch) {
  PresentationTexts texts(library_, options_);
  bool ranOut = false;
  {
    TSuperFade window(klassisch ? TSuperFade::Mode::Klassisch : TSuperFade::Mode::Abgedreht, options_, texts, samples_);
    window.VolumeKeys = VolumeKeys;
    window.Run(loops_);
    ranOut = window.RanOutOfTexts();
  }
  QCoreApplication::processEvents();
  if (ranOut) ShowMessage(PresentationTexts::kNoneActive, MessageKind::Information);
}

void TSuperPresentation::StopPresentation() { loops_.StopPresentation(); }
