#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <vector>

#include "vocabulary/tvokabel.h"

class TBibliothek;
class TRes;

// One question of a query section: the record asked and the six answers a
// multiple-choice question offers (option 0 is the right one).
struct TVocAufgabe {
  TVokabel Frage;
  std::array<TVokabel, 6> Optionen;
  int Reserve = 0;
  // Wrong answers given to this task in the section; -1 once it was answered
  // right. In random order also the round in which the task is due.
  int Falschzahl = 0;

  // A slot is empty when its right answer is an empty record.
  bool IsEmpty() const { return Optionen[0].IsEmpty(); }
};

// What the query needs of the page it writes to. The trainer's main window
// implements it with its page control; tests record what arrives.
class TQueryPage {
 public:
  virtual ~TQueryPage() = default;
  virtual void SetVariable(const QString& name, const QString& value) = 0;
  virtual void SetCondition(const QString& name, bool on) = 0;
  // Shows a page file of the course's page folder ("vokabeln.htx", "va_ein.htx", ...).
  virtual void ShowPage(const QString& fileName) = 0;
  // Questions are only put on a page the learner can see.
  virtual bool PageVisible() const = 0;
};

// The vocabulary query of the trainer: the learner's vocabulary page, query
// sections in rounds (random order) or through the library (forward and
// backward order), the question pages (multiple choice, typing, context
// gap), the judging and recording of answers, the result and evaluation
// pages. The editor uses the same builders for its previews.
//
// A section runs: question -> Answer -> result page -> NextQuestion -> next
// question or round evaluation -> ContinueRound -> next question. Commands
// that arrive out of this order (a page from the history, a second click)
// never record an answer twice and never ask a question without a task:
// without a section the learner gets the vocabulary page.
class TVocQuery {
 public:
  static constexpr int kSlots = 200;

  static inline const QString kNotEnoughPerRound = QStringLiteral("Nicht genug Vokabeln pro Runde vorhanden!!!");

  enum class Phase {
    Idle,       // no section was started
    Asking,     // a question is on the page
    Answered,   // its result page is on the page
    RoundOver,  // a round evaluation waits for "vcontinue"
    Finished,   // the section is complete
  };

  // library and page must outlive the query; reserve (the basic vocabulary)
  // and page may be null.
  TVocQuery(TBibliothek& library, const TRes* reserve, TQueryPage* page);

  // Re-seeds the random source at the start of each section and question;
  // tests replace it to get repeatable draws.
  std::function<void()> Reseed;
  // The Superlearning option "Sprachausgabe"; unset counts as on.
  std::function<bool()> SpeechOutput;
  // Stops the background music (the vocabulary page is quiet).
  std::function<void()> StopMusic;

  void setPage(TQueryPage* page) { page_ = page; }
  void setReserve(const TRes* reserve) { reserve_ = reserve; }

  // --- Page commands ---
  // "vstart" (and after "dir=", "sm=" and the settings dialogs).
  void ShowVocabularyPage();
  // "goabfrage": a new section with its first question, or the vocabulary
  // page when not enough records are active.
  void StartQuery();
  // "vokabel" + code: judges the answer to the question on the page.
  void Answer(const QString& code);
  // "vokabelweiter": the next question, a round evaluation or the end.
  void NextQuestion();
  // "vcontinue": the first question of the next round.
  void ContinueRound();
  // "vocaus" (kind 0), and the evaluations of rounds (1), random sections (2)
  // and forward or backward sections (3).
  void Evaluation(int kind);

  // --- Parts of the section ---
  // Whether a query can start; in random order the round size is adapted to
  // the active records and "Nicht genug Vokabeln pro Runde vorhanden!!!" is
  // shown when there are too few (only when report is set).
  bool EnoughActive(bool report = true);
  // Random order: a random active record for slot i that differs from the
  // tasks of slots 0..i-1, with its wrong answers. False without an active record.
  bool ChooseTask(int i);
  // The wrong answers of slot i: records of the same word class and direction
  // that share no text with the options chosen so far, from the library and
  // then from the basic vocabulary. Options that find none stay empty.
  void ChooseDistractors(int i);
  // The question page of the current task. The three builders fill the
  // variables of their page; BuildContextTask fails for a record without a
  // usable context sentence.
  void BuildTypingTask();
  // The six answer links "MCH0".."MCH5" in random order, with the keys 1 to
  // 6. The right one runs "vokabel+"; a wrong one carries its option's
  // number, never its text, so that no meaning can split or change the
  // command: "vokabel[~3]-" for option 3.
  void BuildMultipleChoice();
  bool BuildContextTask();
  // The result pages' display of a record: entry (with its recording),
  // word-class label, meanings.
  QString RecordDisplay(const TVokabel& record) const;

  // --- Editor previews ---
  // Task 0 from a record, with its wrong answers; clears "Aufgabe" and "Kontext".
  void PreparePreview(const TVokabel& record);
  // The result variables of an answer without recording it; shows
  // "_ed_richtig.htx", "_ed_falsch1.htx" or "_ed_falsch2.htx".
  void PreviewAnswer(const QString& code);

  // --- State, for the games and for tests ---
  Phase phase() const { return phase_; }
  const TVocAufgabe& Task(int slot) const { return tasks_[slot]; }
  int Aktuell() const { return aktuell_; }
  int Rundengroesse() const { return rundengroesse_; }
  int Runde() const { return runde_; }
  // Tasks due in round r (0 for a round not reached).
  int RoundCount(int r) const;
  int AnswersInSection() const { return answersInSection_; }
  int AnswersTotal() const { return answersTotal_; }
  int RightTotal() const { return rightTotal_; }
  const QString& LastAnswer() const { return lastAnswer_; }
  // The order of the running section (Richtung at its start).
  int SectionOrder() const { return order_; }

 private:
  struct Judged {
    bool right = false;
    bool typed = false;
  };
  static Judged judge(const QString& code);

  void startSection();
  void showQuestion(bool first, int size);
  bool takeNext(int slot);
  void nextInRandomOrder();
  void nextInSequence();
  void continueRound();
  void emptySlot(int slot) { tasks_[slot] = TVocAufgabe(); }
  int filledSlots() const;
  // Sets the variables the result pages share with the editor's previews.
  void setResultVariables(const QString& code, bool right, bool typed);
  QString recording(const QString& text) const;
  QString sampleOf(const TVokabel& record) const;
  void setVariable(const QString& name, const QString& value);
  void show(const QString& fileName);
  bool randomOrder() const;

  TBibliothek& lib_;
  const TRes* reserve_;
  TQueryPage* page_;
  Phase phase_ = Phase::Idle;
  int order_ = 2;

  std::array<TVocAufgabe, kSlots> tasks_;
  int aktuell_ = 0;
  int rundengroesse_ = 0;
  int runde_ = 0;
  std::vector<int> roundCounts_;  // grows with the rounds: no fixed limit
  int answersInSection_ = 0;
  int answersTotal_ = 0;
  int answersInRound_ = 0;
  int rightInRound_ = 0;
  int rightTotal_ = 0;
  QString questionText_;
  QString contextText_;
  QString lastAnswer_;
  int seqPos_ = 0;
  int seqStep_ = 1;
  int seqEnd_ = 0;
};

// The folder reference of a "dir=" command as it exists below the vocabulary
// directory: page commands arrive in lower case, the folders keep their own
// spelling ("grundwortschatz\" -> "Grundwortschatz\"). A name that matches
// no folder is returned unchanged.
QString MatchSelectionCase(const QString& vocabularyDir, const QString& name);
