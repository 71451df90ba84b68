#include "verbs/verbquery.h"

#include <algorithm>

#include "common/markuptext.h"
#include "common/messagebox.h"
#include "common/random.h"
#include "pages/txpage.h"
#include "verbs/txverben.h"
#include "verbs/verbforms.h"
#include "verbs/verbselection.h"
#include "vocabulary/answers.h"

namespace {

const QLatin1Char kQuote('"');

// A uniform choice among the entries; the only entry without a draw.
template <typename T>
const T& anyOf(const QList<T>& list) {
  return list.size() == 1 ? list.front() : list.at(Random::below(static_cast<int>(list.size())));
}

}  // namespace

VerbQuery::VerbQuery(TXVerben& verbs, const VerbSelection& selection, TXPage& page, QString pageFolder,
                     std::function<void()> showSelection)
    : verbs_(verbs),
      selection_(selection),
      page_(page),
      folder_(std::move(pageFolder)),
      showSelection_(std::move(showSelection)) {}

bool VerbQuery::verbHasForm(int verb) const {
  const TVerb* v = verbs_.Verb(verb);
  if (!v) return false;
  for (int t : roundTenses_)
    for (const QString& form : v->Formen[static_cast<size_t>(t)])
      if (!TVerb::Plain(form).isEmpty()) return true;
  return false;
}

void VerbQuery::stopWithWarnings(bool noVerbs, bool noTenses) {
  running_ = false;
  waiting_ = false;
  if (noVerbs) ShowMessage(NoVerbsText(), MessageKind::Warning);
  if (noTenses) ShowMessage(NoTensesText(), MessageKind::Warning);
  ShowMessage(SelectText(), MessageKind::Warning);
  if (showSelection_) showSelection_();
}

void VerbQuery::Start() {
  const QList<int> verbs = selection_.SelectedVerbs();
  roundTenses_ = selection_.SelectedTenses();
  if (verbs.isEmpty() || roundTenses_.isEmpty()) {
    stopWithWarnings(verbs.isEmpty(), roundTenses_.isEmpty());
    return;
  }
  // A verb without any form in the chosen tenses cannot be asked this round.
  roundVerbs_.clear();
  for (int n : verbs)
    if (verbHasForm(n)) roundVerbs_ << n;
  if (roundVerbs_.isEmpty()) {
    stopWithWarnings(true, false);
    return;
  }
  questionNumber_ = 0;
  rightAnswers_ = 0;
  previousPerson_ = -1;
  running_ = true;
  nextQuestion();
}

void VerbQuery::Next() {
  if (running_) nextQuestion();
}

QString VerbQuery::percent() const {
  return questionNumber_ == 0 ? QString() : QString::number(rightAnswers_ * 100 / questionNumber_) + QLatin1Char('%');
}

void VerbQuery::nextQuestion() {
  currentVerb_ = anyOf(roundVerbs_);
  page_.SetVariable(QStringLiteral("nr"), QString::number(questionNumber_ + 1));
  page_.SetVariable(QStringLiteral("last"), QString::number(kQuestionsPerRound));
  page_.SetVariable(QStringLiteral("Prozent"), percent());
  const std::optional<Pick> pick = pickForm();
  if (!pick) return;  // cannot happen: every verb of the round has a form
  // Half the questions are typed; the others offer a choice where the
  // selected tenses give enough different forms.
  const int r = Random::below(101);
  const int tenses = static_cast<int>(roundTenses_.size());
  const bool plainTenses = std::none_of(roundTenses_.begin(), roundTenses_.end(), [](int t) {
    return t == VerbTense::Imperativo || t == VerbTense::Participios;
  });
  const bool choice = r >= 50 && (tenses > 2 || (tenses == 2 && plainTenses));
  if (!choice || !choiceQuestion(*pick)) typedQuestion(*pick);
}

std::optional<VerbQuery::Pick> VerbQuery::pickForm() {
  const TVerb* verb = verbs_.Verb(currentVerb_);
  if (!verb) return std::nullopt;
  // The tenses in which the verb has forms, and in a tense the persons that
  // have one: every form can be asked, and nothing is drawn in vain.
  QList<int> tenses;
  for (int t : roundTenses_)
    for (const QString& form : verb->Formen[static_cast<size_t>(t)])
      if (!TVerb::Plain(form).isEmpty()) {
        tenses << t;
        break;
      }
  if (tenses.isEmpty()) return std::nullopt;
  const int tense = anyOf(tenses);
  QList<int> persons;
  for (int p = 0; p < VerbTense::kPersons; ++p)
    if (!TVerb::Plain(verb->Formen[static_cast<size_t>(tense)][static_cast<size_t>(p)]).isEmpty()) persons << p;
  int person = anyOf(persons);
  // Not the same person twice in a row, where a second and third draw help.
  for (int again = 0; again < 2 && person == previousPerson_; ++again) person = anyOf(persons);
  previousPerson_ = person;
  return Pick{tense, person, TVerb::Plain(verb->Formen[static_cast<size_t>(tense)][static_cast<size_t>(person)])};
}

QStringList VerbQuery::distinctForms() const {
  QStringList forms;
  const TVerb* verb = verbs_.Verb(currentVerb_);
  if (!verb) return forms;
  for (int t : roundTenses_)
    for (const QString& form : verb->Formen[static_cast<size_t>(t)]) {
      const QString a = VerbForms::SplitForm(TVerb::Plain(form)).A;
      if (!a.isEmpty() && !forms.contains(a)) forms << a;
    }
  return forms;
}

void VerbQuery::remember(const Pick& pick) {
  askedVerb_ = currentVerb_;
  askedTense_ = pick.tense;
  askedPerson_ = pick.person;
  taskText_ = VerbForms::TaskText(*verbs_.Verb(currentVerb_), pick.tense, pick.person);
}

void VerbQuery::typedQuestion(const Pick& pick) {
  const VerbForms::Split split = VerbForms::SplitForm(pick.form);
  remember(pick);
  choice_ = false;
  page_.SetVariable(QStringLiteral("Aufgabe"), taskText_);
  page_.SetVariable(QStringLiteral("lsg"), VerbForms::SolutionText(pick.tense, pick.person, split));
  page_.SetVariable(QStringLiteral("help"), HintText(split.A));
  waiting_ = true;
  showPage(QStringLiteral("verb_ein.htx"));
}

bool VerbQuery::choiceQuestion(const Pick& pick) {
  const QString right = VerbForms::SplitForm(pick.form).A;
  QStringList others = distinctForms();
  others.removeAll(right);
  if (others.size() < kOptions - 1) return false;
  remember(pick);
  choice_ = true;
  options_[0] = right;
  // The wrong options are forms of the same verb drawn as questions are
  // (tense, then person), each one once; the asked person stays the one the
  // next question avoids.
  const int asked = previousPerson_;
  int filled = 1;
  for (int draw = 0; draw < 60 && filled < kOptions; ++draw) {
    const std::optional<Pick> other = pickForm();
    if (!other) break;
    const QString a = VerbForms::SplitForm(other->form).A;
    if (a.isEmpty() || std::find(options_.begin(), options_.begin() + filled, a) != options_.begin() + filled) continue;
    options_[static_cast<size_t>(filled++)] = a;
  }
  // Rare draws that keep repeating are completed from the forms not yet taken.
  while (filled < kOptions) {
    QStringList left;
    for (const QString& a : others)
      if (std::find(options_.begin(), options_.begin() + filled, a) == options_.begin() + filled) left << a;
    options_[static_cast<size_t>(filled++)] = anyOf(left);
  }
  previousPerson_ = asked;

  std::array<QString, kOptions> links;
  for (int j = 0; j < kOptions; ++j) {
    const QString target = j == 0 ? QStringLiteral("§[verb+]") : QStringLiteral("§verb[~%1]-").arg(j);
    links[static_cast<size_t>(j)] = QStringLiteral("<a href=") + kQuote + target + kQuote + QStringLiteral(" key=") +
                                    kQuote + QLatin1Char('#') + kQuote + QLatin1Char('>') +
                                    MarkupText::EscapeText(options_[static_cast<size_t>(j)]) + QStringLiteral("</a>");
  }
  for (int n = 0; n < 10; ++n) {
    const int x = Random::below(kOptions);
    const int y = Random::below(kOptions);
    if (x != y) std::swap(links[static_cast<size_t>(x)], links[static_cast<size_t>(y)]);
  }
  for (int p = 0; p < kOptions; ++p) {
    QString& link = links[static_cast<size_t>(p)];
    const qsizetype hash = link.indexOf(QLatin1Char('#'));
    if (hash >= 0) link[hash] = QChar('1' + p);
    page_.SetVariable(QStringLiteral("MCH%1").arg(p), link);
  }
  page_.SetVariable(QStringLiteral("Aufgabe"), taskText_);
  waiting_ = true;
  showPage(QStringLiteral("verb_mch.htx"));
  return true;
}

void VerbQuery::Answer(const QString& code) {
  if (!running_ || !waiting_) return;
  waiting_ = false;
  const bool right = !code.endsWith(QLatin1Char('-'));
  ++questionNumber_;
  page_.SetVariable(QStringLiteral("Aufgabe"), taskText_);
  page_.SetVariable(QStringLiteral("nr"), QString::number(questionNumber_));
  page_.SetVariable(QStringLiteral("last"), QString::number(kQuestionsPerRound));
  if (right) ++rightAnswers_;
  page_.SetVariable(QStringLiteral("Kommentar"),
                    right ? QStringLiteral("Absolut richtig!") : QStringLiteral("Leider daneben!"));
  page_.SetVariable(QStringLiteral("Prozent"), percent());
  page_.SetVariable(QStringLiteral("Lösung"),
                    VerbForms::SolutionLines(*verbs_.Verb(askedVerb_), askedTense_, askedPerson_, right));
  if (questionNumber_ >= kQuestionsPerRound) {
    questionNumber_ = 0;
    rightAnswers_ = 0;
    page_.SetVariable(QStringLiteral("weiter"),
                      QStringLiteral("Noch eine Runde???" "<br><a href=\"§verbweiter\">Klar</a> &nbsp; "
                                     "<a href=\"verben.htx\">Lieber nicht</a>"));
  } else {
    page_.SetVariable(QStringLiteral("weiter"), QStringLiteral("<a href=\"§verbweiter\" return>Weiter</a>"));
  }
  showPage(QStringLiteral("verb_richtig.htx"));
}

void VerbQuery::showPage(const QString& name) {
  page_.setXFile(folder_ + name);
  // The page holds the question's number now. The variable must not stay
  // behind: it would hide the learner's history count that other pages ask
  // for under the same name.
  page_.state().Variables.Remove(QStringLiteral("nr"));
}
