#pragma once

#include <QList>
#include <QString>
#include <array>
#include <functional>
#include <optional>

class TXPage;
class TXVerben;
class VerbSelection;

// A verb query: rounds of ten questions, each one form of a selected verb in
// a selected tense and person, typed into a gap ("verb_ein.htx") or chosen
// among six forms of the same verb ("verb_mch.htx"), with the verb's forms
// of that tense on the result page ("verb_richtig.htx"). Nothing of a round
// is stored.
class VerbQuery {
 public:
  static constexpr int kQuestionsPerRound = 10;
  static constexpr int kOptions = 6;

  // showSelection shows the selection page from its start (after the
  // warnings of a query that has nothing to ask).
  VerbQuery(TXVerben& verbs, const VerbSelection& selection, TXPage& page, QString pageFolder,
            std::function<void()> showSelection);

  // "verb": a new round, or the warnings and the selection page when no
  // verb or no tense is selected (or no selected verb has a form in the
  // selected tenses).
  void Start();
  // "verbweiter": the next question; ignored while no round runs.
  void Next();
  // "verb" + code: the answer to the question on screen ("+" or "#n+" right,
  // anything ending in "-" wrong); ignored while no question waits.
  void Answer(const QString& code);

  bool Running() const { return running_; }
  bool Waiting() const { return waiting_; }
  int QuestionNumber() const { return questionNumber_; }
  int RightAnswers() const { return rightAnswers_; }
  // The question on screen.
  int AskedVerb() const { return askedVerb_; }
  int AskedTense() const { return askedTense_; }
  int AskedPerson() const { return askedPerson_; }
  bool AskedAsChoice() const { return choice_; }
  // The six options of a multiple-choice question, option 0 the right one.
  const std::array<QString, kOptions>& Options() const { return options_; }

  static QString NoVerbsText() { return QStringLiteral("Keine Verben aktiviert! Was soll ich abfragen???" "!"); }
  static QString NoTensesText() { return QStringLiteral("Keine Zeiten aktiviert! Was soll ich abfragen???" "!"); }
  static QString SelectText() { return QStringLiteral("Bitte mindestens 1 Verb und 1 Zeit auswählen!"); }

 private:
  struct Pick {
    int tense = 0;
    int person = 0;
    QString form;  // without "*"
  };

  // A form of the current verb in a selected tense; none when the verb has
  // none there. The person differs from the previous one where it can.
  std::optional<Pick> pickForm();
  // The main forms of the current verb in the selected tenses, each once.
  QStringList distinctForms() const;
  bool verbHasForm(int verb) const;
  void nextQuestion();
  void typedQuestion(const Pick& pick);
  // False when the verb has fewer than six different forms to offer.
  bool choiceQuestion(const Pick& pick);
  void remember(const Pick& pick);
  void showPage(const QString& name);
  void stopWithWarnings(bool noVerbs, bool noTenses);
  QString percent() const;

  TXVerben& verbs_;
  const VerbSelection& selection_;
  TXPage& page_;
  QString folder_;
  std::function<void()> showSelection_;

  bool running_ = false;
  bool waiting_ = false;
  QList<int> roundVerbs_;
  QList<int> roundTenses_;
  int questionNumber_ = 0;
  int rightAnswers_ = 0;
  int previousPerson_ = -1;
  int currentVerb_ = -1;
  int askedVerb_ = -1;
  int askedTense_ = -1;
  int askedPerson_ = -1;
  bool choice_ = false;
  QString taskText_;
  std::array<QString, kOptions> options_;
};
