#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>

#include "common/loopstate.h"
#include "superlearning/tvegaslist.h"

class TBibliothek;
class THighscores;
class TSuperOptions;
class TVocQuery;
class TXPage;

// The Las Vegas game: a Spanish word and a meaning fade in one pair after
// another on the page "start.htx" of the game's folder, and the learner
// presses Space (or clicks) only when they belong together. Right presses
// score and refill the energy, wrong ones cost energy, and every pair shown
// drains it; the game ends when it is empty or the learner stops it. Play
// goes in rounds of fourteen judged presses. The game draws on the page's
// drawing layer and puts each changed area on the screen at once.
//
// Timing goes by the loop clock; every duration is scaled by the option
// "VegasFaktor" (percent, 100 normal speed).
class TVegas : public RunningLoop {
 public:
  static constexpr int kFrameMs = 20;
  static constexpr int kPressesPerRound = 14;
  static constexpr int kStartPoints = 36;
  // Long texts shrink by 2 points at a time down to this size.
  static constexpr int kSmallestPoints = 12;

  static inline const QRect kUpperArea{0, 30, 800, 207};
  static inline const QRect kLowerArea{0, 297, 800, 207};
  static inline const QRect kScoreArea{20, 544, 180, 17};
  static inline const QRect kEnergyArea{640, 544, 160, 17};

  static inline const QString kNotChosen = QStringLiteral(
      "Las Vegas ist nicht als Lernmodus gewählt. Bitte wählen Sie auf der Vokabelseite \u201ELas Vegas\u201C und "
      "starten Sie das Spiel von dort.");

  enum class Phase { Idle, Announcement, FadeIn, Hold, FadeOut, Judged, Over };

  // folder: the game's page folder, ending with a separator ("…/hzvk/vegas/").
  TVegas(TXPage& page, TVocQuery& query, TBibliothek& library, const TSuperOptions& options, QString folder);
  ~TVegas() override;

  // Plays one game to its end and shows "highscore.htx" after a stop, or
  // "again.htx" when the energy ran out.
  void Run(LoopState& loops);

  // Space or a click: counts once presses are allowed.
  void Press();

  // RunningLoop: Escape and the page command "stop" end the game; Space and
  // clicks are its action key; closing the window only stops it.
  void Stop() override { stop_ = true; }
  bool KeyDown(QKeyEvent& event) override;
  bool Click() override;
  bool OwnsPage() const override { return true; }

  // Called on every pass of a fade or a wait (tests follow the game here).
  std::function<void()> OnFrame;

  Phase phase() const { return phase_; }
  int Round() const { return round_; }
  int Energy() const { return energy_; }
  int Score() const { return score_; }
  int PairsShown() const { return pairs_; }
  // The pair on screen: right when its meaning belongs to its word.
  bool PairRight() const { return choice_ == 0; }
  bool PairFromVocabulary() const { return fromVocabulary_; }
  bool PressAllowed() const { return allowed_; }
  const QString& UpperText() const { return upper_; }
  const QString& LowerText() const { return lower_; }
  QColor TextColour() const { return text_; }
  QColor SpecialColour() const { return special_; }
  const QFont& TextFont() const { return font_; }
  // The rank the game's score took in the table (-1: not in it, or no game yet).
  int HighscoreRank() const { return rank_; }

  // The faces of the game that are installed, in the game's order; the
  // system's face when none is.
  static QStringList AvailableFonts();
  // One of the alternatives of a meaning text (split at ";", explanations in
  // square brackets removed), drawn at random.
  static QString OneAlternative(const QString& meaning);
  // Whether the next pair is a right one: one in two, and surely so after
  // four wrong pairs in a row (more likely after three).
  static bool DrawRight(int wrongInRow);
  // A duration of the game at the speed of the options.
  int Duration(int ms) const;

 private:
  void announce(const QString& upper, const QString& lower, bool pressFromStart = false);
  void playRound();
  // False when no question could be drawn (the game then stops).
  bool choosePair();
  void fadeIn(int ms, bool pressFromStart);
  void fadeOut(int ms);
  void fade(bool in, int ms, bool pressFromStart);
  void hold(int ms);
  void drain();
  void judge();
  void showMessage(const QString& upper, const QString& lower);
  void record(int score);
  void randomFont();
  void drawAreas();
  void drawArea(const QRect& area, const QString& text);
  void drawStatus();
  void frame();

  TXPage& page_;
  TVocQuery& query_;
  TBibliothek& library_;
  const TSuperOptions& options_;
  QString folder_;
  QString player_;
  std::unique_ptr<THighscores> highscores_;
  TVegasList specials_;
  QStringList fonts_;
  std::deque<QString> recent_;  // the records shown last (by record, not by word)
  int activeCount_ = 0;

  QString upper_, lower_;
  int choice_ = 0;  // 0: the right meaning, 1..5: a wrong one
  bool fromVocabulary_ = false;
  int wrongInRow_ = 0;
  int score_ = 0;
  int energy_ = 100;
  int round_ = 0;
  int presses_ = 0;
  int pairs_ = 0;
  int rank_ = -1;
  QColor base_ = Qt::black, text_ = Qt::black, special_ = Qt::black;
  int fadeLevel_ = 255;
  QFont font_;
  Phase phase_ = Phase::Idle;
  bool pressed_ = false;
  bool allowed_ = true;
  bool stop_ = false;
};
