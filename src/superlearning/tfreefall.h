#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "common/loopstate.h"

class TBibliothek;
class THighscores;
class TSamplePlayer;
class TSuperOptions;
class TXPage;

// The Free Fall game: the learner sees the meaning of a Spanish word and
// guesses its letters, by key or by the letter links of the page "hm.htx";
// every miss lets a figure fall one level, and the word is lost at the
// bottom. Hits and quick solutions score, lost and abandoned words cost. The
// game shows its state through page variables and conditions and reloads
// "hm.htx" whenever it changes. One game lasts from "freefall" to its stop;
// the object stays (for the highscore page) until "hmfree".
class TFreeFall : public RunningLoop {
 public:
  static constexpr int kPassMs = 20;
  static constexpr int kCommentMs = 500;
  static constexpr int kStartLevel = 6;
  static inline const QString kKeyboard = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  static inline const QString kNotChosen = QStringLiteral(
      "Free Fall ist nicht als Lernmodus gewählt. Bitte wählen Sie auf der Vokabelseite \u201EFree Fall\u201C und "
      "starten Sie das Spiel von dort.");

  // folder: the game's page folder, ending with a separator ("…/hzvk/freefall/").
  TFreeFall(TXPage& page, TBibliothek& library, const TSuperOptions& options, TSamplePlayer* samples, QString folder);
  ~TFreeFall() override;

  // "freefall": plays one game until it is stopped, then shows "highscore.htx".
  void Play(LoopState& loops);
  // "hm" + letter, and the letter keys: guesses a letter of the word in play.
  void Guess(QChar letter);
  // "giveup": the word in play is given up and shown.
  void GiveUp();
  // "cont": the next word, once the last one is over.
  void Continue();

  // RunningLoop: "stop" ends the game; closing the window only stops it
  // while "hm.htx" is shown. Letter keys guess; other keys stay the page's.
  void Stop() override { stop_ = true; }
  bool KeyDown(QKeyEvent& event) override;
  bool OwnsPage() const override;

  // Called on every pass of the game's loop (tests follow the game here).
  std::function<void()> OnPass;

  bool Running() const { return running_; }
  const QString& Solution() const { return solution_; }
  const QString& Display() const { return display_; }
  const QString& Keyboard() const { return keyboard_; }
  const QString& Clue() const { return clue_; }
  int Level() const { return level_; }
  int Score() const { return score_; }
  int Elapsed() const { return elapsed_; }
  bool WordOver() const { return wordOver_; }
  bool Revealed() const { return revealed_; }

  // Characters a guess can never reveal (blanks, punctuation, digits, "ß"...)
  // stand in the display from the start.
  static bool ShownFromStart(QChar c);
  // The word with every character still to guess as "_".
  static QString Hidden(const QString& solution);

 private:
  bool newWord();
  void showPage();
  void endWord();
  void revealSolution();
  void reveal(QChar c);
  int hiddenCount() const;
  void record(int score);
  void comment(bool hit);
  void clearComment();
  QString picture(int level) const;
  QString keyboardMarkup() const;
  QString displayMarkup(bool spaced) const;

  TXPage& page_;
  TBibliothek& library_;
  const TSuperOptions& options_;
  TSamplePlayer* samples_;
  QString folder_;
  QString player_;
  std::unique_ptr<THighscores> highscores_;

  QString solution_, clue_, recording_, display_, keyboard_;
  QString bad_;  // the display before the solution was revealed
  int record_ = -1;  // the library index of the word in play
  int level_ = kStartLevel;
  int score_ = 0;
  int elapsed_ = 0;
  qint64 wordStart_ = 0;
  qint64 commentAt_ = -1;  // -1: no comment shown
  bool wordOver_ = false;
  bool revealed_ = false;
  bool stop_ = false;
  bool running_ = false;
};
