#pragma once

#include <QString>
#include <functional>

class LoopState;
class TBibliothek;
class TSamplePlayer;
class TSuperOptions;
class QWidget;

// Starting and stopping a Superlearning presentation: the learning mode of
// the vocabulary settings chooses it, the music plays while it runs, and the
// vocabulary page comes back when it ends.
//
//   0 "abfragen"   no presentation      5 "airport"  on the page
//   1 "klassisch"  fading window        6 "freefall" game
//   2 "abgedreht"  fading window        7 "vegas"    game
//   3 "techno"     on the page          8 "super3d"  3D window
//   4 "superdd"    on the page          9 "b3"       3D window
class TSuperPresentation {
 public:
  TSuperPresentation(TSuperOptions& options, TBibliothek& library, TSamplePlayer* samples, LoopState& loops);

  // Page command "gosuper".
  void StartPresentation();
  // Page command "stop", a click beside the page, closing the main window.
  void StopPresentation();

  // The shell's volume keys, offered every key of a presentation first.
  std::function<bool(int key)> VolumeKeys;
  // Shows the vocabulary start page when a presentation has ended.
  std::function<void()> ShowVocabularyPage;
  // Shows a page of the course's page folder (a game's introduction).
  std::function<void(const QString& relativePath)> ShowCoursePage;
  // The window a presentation's messages belong to (none: the application's).
  QWidget* Parent = nullptr;

  static QString NotYetText(const QString& modeName);

 private:
  void runFade(bool klassisch);

  TSuperOptions& options_;
  TBibliothek& library_;
  TSamplePlayer* samples_;
  LoopState& loops_;
};
