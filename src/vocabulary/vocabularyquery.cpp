// Query sections and rounds: starting, moving on, judging, evaluating.
#include "vocabulary/vocabularyquery.h"

#include <QDir>
#include <algorithm>

#include "common/messagebox.h"
#include "common/random.h"
#include "common/markuptext.h"
#include "users/txuserbase.h"
#include "vocabulary/tbibliothek.h"

namespace {

const QString kQuote = QStringLiteral("\"");

QString percent(int part, int whole) { return QString::number(whole > 0 ? part * 100 / whole : 0) + QLatin1Char('%'); }

QString bar(int left, int value) {
  if (value <= 0) return {};
  return QStringLiteral("<box coords=%1,170,%2,20 color=balken>").arg(left).arg(3 * value);
}

}  // namespace

TVocQuery::TVocQuery(TBibliothek& library, const TRes* reserve, TQueryPage* page)
    : Reseed(&Random::seedFromClock), lib_(library), reserve_(reserve), page_(page) {}

bool TVocQuery::randomOrder() const { return order_ == TVocEinstellungen::KreuzUndQuer; }

int TVocQuery::RoundCount(int r) const {
  return r >= 0 && r < static_cast<int>(roundCounts_.size()) ? roundCounts_[r] : 0;
}

void TVocQuery::setVariable(const QString& name, const QString& value) {
  if (page_) page_->SetVariable(name, value);
}

void TVocQuery::show(const QString& fileName) {
  if (page_) page_->ShowPage(fileName);
}

QString TVocQuery::recording(const QString& text) const {
  return lib_.recordingPath ? lib_.recordingPath(text) : QString();
}

QString TVocQuery::sampleOf(const TVokabel& record) const {
  return record.Deutsch ? QString() : recording(record.Vokabel);
}

int TVocQuery::filledSlots() const {
  int n = 0;
  while (n < kSlots && !tasks_[n].IsEmpty()) ++n;
  return n;
}

// --- The vocabulary page ---

bool TVocQuery::EnoughActive(bool report) {
  if (lib_.Count() == 0) return false;
  const int active = lib_.ActiveCount();
  if (active == 0) return false;
  TVocEinstellungen& s = lib_.Einstellungen;
  if (s.ProRunde() <= 0) s.SetProRunde(10);
  if (s.Richtung() != TVocEinstellungen::KreuzUndQuer) return true;
  if (active < s.ProRunde() && active > 5) s.SetProRunde(active);
  if (active >= s.ProRunde()) return true;
  if (report) ShowMessage(kNotEnoughPerRound);
  return false;
}

void TVocQuery::ShowVocabularyPage() {
  if (!page_) return;
  page_->SetCondition(QStringLiteral("nospeech"), SpeechOutput && !SpeechOutput());
  if (StopMusic) StopMusic();
  const TVocEinstellungen& s = lib_.Einstellungen;
  const int files = s.FileCount();
  setVariable(QStringLiteral("files"),
              files == 1 ? QStringLiteral("1 Datei") : QString::number(files) + QStringLiteral(" Dateien"));
  if (!s.Selection().isEmpty()) {
    setVariable(QStringLiteral("select"), QStringLiteral("v_bereich.htx"));
    // The selection is a folder ("Grundwortschatz\"): the page shows its name.
    QString folder = s.Selection();
    while (folder.endsWith(QLatin1Char('\\')) || folder.endsWith(QLatin1Char('/'))) folder.chop(1);
    setVariable(QStringLiteral("selection"), MarkupText::EscapeText(folder));
  } else {
    setVariable(QStringLiteral("select"), QStringLiteral("§[select]"));
    setVariable(QStringLiteral("selection"), QStringLiteral("Eigene Auswahl"));
  }
  setVariable(QStringLiteral("vtotal"), QString::number(lib_.Count()));
  setVariable(QStringLiteral("modus"), TVocEinstellungen::ModeName(s.Modus()));
  if (lib_.learnerLoggedIn()) lib_.RefreshScores();
  QString action;
  if (EnoughActive()) {
    action = lib_.Einstellungen.Modus() == TVocEinstellungen::ModusAbfragen
                 ? QStringLiteral("<a href=") + kQuote + QStringLiteral("§goabfrage") + kQuote +
                       QStringLiteral(">Abfragen!</a>")
                 : QStringLiteral("<a href=") + kQuote + QStringLiteral("§gosuper") + kQuote +
                       QStringLiteral(">Start!</a>");
  } else {
    action = QStringLiteral("<+nav><a href=") + kQuote + QStringLiteral("@Ändern Sie die Einstellungen oben!") +
             kQuote + QStringLiteral(">Nicht genug Vokabeln aktiv!</a>");
  }
  setVariable(QStringLiteral("action"), action);
  setVariable(QStringLiteral("vactive"), QString::number(lib_.ActiveCount()));
  show(QStringLiteral("vokabeln.htx"));
}

// --- Sections ---

void TVocQuery::StartQuery() {
  // The answers of the last section changed the scores: the choice follows them.
  if (lib_.learnerLoggedIn()) lib_.RefreshScores();
  if (!EnoughActive(false)) {
    // The vocabulary page says why (and in random order shows the message).
    phase_ = Phase::Idle;
    ShowVocabularyPage();
    return;
  }
  startSection();
  if (tasks_[0].IsEmpty()) {
    phase_ = Phase::Idle;
    ShowVocabularyPage();
    return;
  }
  // A round holds the tasks that could be made (all of them, as a rule).
  showQuestion(true, randomOrder() ? filledSlots() : lib_.Einstellungen.ProRunde());
}

void TVocQuery::startSection() {
  if (Reseed) Reseed();
  order_ = lib_.Einstellungen.Richtung();
  phase_ = Phase::Idle;
  for (int s = 0; s < kSlots; ++s) emptySlot(s);
  if (randomOrder()) {
    const int size = std::min(lib_.Einstellungen.ProRunde(), kSlots);
    for (int i = 0; i < size; ++i)
      if (!ChooseTask(i)) break;
    return;
  }
  if (order_ == TVocEinstellungen::Vor) {
    seqPos_ = 0;
    seqStep_ = 1;
    seqEnd_ = lib_.Count() - 1;
  } else {
    seqPos_ = lib_.Count() - 1;
    seqStep_ = -1;
    seqEnd_ = 0;
  }
  if (!takeNext(0)) return;
  const int k = Random::below(4);
  for (int s = 1; s <= k + 4; ++s)
    if (!takeNext(s)) break;
}

bool TVocQuery::takeNext(int slot) {
  const int n = lib_.Count();
  for (;;) {
    // Also stops when the library became shorter than the section began with.
    if (seqStep_ > 0 ? seqPos_ > seqEnd_ : seqPos_ < seqEnd_) return false;
    if (seqPos_ < 0 || seqPos_ >= n) return false;
    if (lib_.IsActive(seqPos_)) break;
    seqPos_ += seqStep_;
  }
  TVocAufgabe& t = tasks_[slot];
  t = TVocAufgabe();
  t.Frage = lib_.Items[seqPos_];
  t.Optionen[0] = t.Frage;
  ChooseDistractors(slot);
  seqPos_ += seqStep_;
  return true;
}

void TVocQuery::showQuestion(bool first, int size) {
  if (size > 0) rundengroesse_ = std::min(size, kSlots);
  if (first) {
    answersInSection_ = answersTotal_ = answersInRound_ = rightInRound_ = rightTotal_ = 0;
    runde_ = 0;
    roundCounts_.assign(1, rundengroesse_);
    aktuell_ = Random::below(rundengroesse_);
  }
  if (!randomOrder()) {
    aktuell_ = 0;
    rundengroesse_ = lib_.ActiveCount();
  }
  if (Reseed) Reseed();
  phase_ = Phase::Asking;
  if (!page_ || !page_->PageVisible()) return;
  setVariable(QStringLiteral("Zähler"),
              QString::number(answersInSection_ + 1) + QStringLiteral(" / ") + QString::number(rundengroesse_));
  setVariable(QStringLiteral("Prozent"), percent(rightTotal_, answersTotal_));
  contextText_.clear();
  const int r = Random::below(101);
  if (r < lib_.Einstellungen.MultipleChoice()) {
    BuildMultipleChoice();
    show(QStringLiteral("va_mch.htx"));
  } else if (lib_.Einstellungen.Kontext() && BuildContextTask()) {
    show(QStringLiteral("va_kontext.htx"));
  } else {
    BuildTypingTask();
    show(QStringLiteral("va_ein.htx"));
  }
}

// --- Answers ---

TVocQuery::Judged TVocQuery::judge(const QString& code) {
  Judged j;
  j.right = code.endsWith(QLatin1Char('+'));
  // Only the digit right after a leading "#" counts: the number of checks of a typing gap.
  const bool checks = code.size() > 1 && code[0] == QLatin1Char('#') && code[1].isDigit() &&
                      code[1].digitValue() >= 1;
  j.typed = code == QLatin1String("-") || checks;
  return j;
}

void TVocQuery::Answer(const QString& code) {
  if (!page_) return;
  if (phase_ == Phase::Idle || phase_ == Phase::Finished) {
    ShowVocabularyPage();
    return;
  }
  // A question is answered once; later answers to it (from a page of the
  // history, a second click) change nothing.
  if (phase_ != Phase::Asking) return;
  TVocAufgabe& t = tasks_[aktuell_];
  if (t.IsEmpty()) {
    phase_ = Phase::Idle;
    ShowVocabularyPage();
    return;
  }
  ++answersTotal_;
  ++answersInRound_;
  const Judged j = judge(code);
  const TVokabel& q = t.Frage;
  const int w = std::max(t.Falschzahl, 0);
  if (lib_.learnerLoggedIn()) {
    const int change = j.typed ? (j.right ? 25 - w : -15 - w) : (j.right ? 12 : -12);
    lib_.userBase()->RecordAnswer(q.Vokabel, q.Deutsch, j.typed ? QLatin1Char('e') : QLatin1Char('m'), change,
                                  q.Wortart);
  }
  if (j.right) {
    ++rightTotal_;
    ++rightInRound_;
    t.Falschzahl = -1;
  } else {
    ++t.Falschzahl;
  }
  setResultVariables(code, j.right, j.typed);
  if (j.right) {
    show(QStringLiteral("va_richtig.htx"));
  } else if (j.typed) {
    setVariable(QStringLiteral("sample"), sampleOf(q));
    show(QStringLiteral("va_falsch1.htx"));
  } else {
    show(QStringLiteral("va_falsch2.htx"));
  }
  lastAnswer_ = code;
  phase_ = Phase::Answered;
}

void TVocQuery::setResultVariables(const QString& code, bool right, bool typed) {
  const TVocAufgabe& t = tasks_[aktuell_];
  setVariable(QStringLiteral("Aufgabe"), MarkupText::EscapeText(questionText_));
  setVariable(QStringLiteral("Zähler"),
              QString::number(answersInSection_ + 1) + QStringLiteral(" / ") + QString::number(rundengroesse_));
  setVariable(QStringLiteral("Prozent"), percent(rightTotal_, answersInSection_ + 1));
  setVariable(QStringLiteral("Richtig"), RecordDisplay(t.Frage));
  setVariable(QStringLiteral("Kontext"), contextText_);
  // A sentence to show again; ready exercise markup ("*...") would put a
  // live exercise on the result page.
  if (page_)
    page_->SetCondition(QStringLiteral("kontextsatz"),
                        !contextText_.isEmpty() && !contextText_.startsWith(QLatin1Char('*')));

  // The option chosen: "[~n]-" names option n; "[text]-" (pages of the
  // course may write it) names the option with that first meaning.
  QString falsch;
  if (!right || typed) {
    const QString text = code.size() > 3 ? code.mid(1, code.size() - 3) : QString();
    int chosen = -1;
    if (text.size() == 2 && text[0] == QLatin1Char('~') && text[1] >= QLatin1Char('0') &&
        text[1] <= QLatin1Char('5')) {
      chosen = text[1].digitValue();
    } else if (!text.isEmpty()) {
      for (int k = 0; k < 6 && chosen < 0; ++k)
        if (text.compare(t.Optionen[k].Bedeutung[0], Qt::CaseInsensitive) == 0) chosen = k;
    }
    if (chosen >= 0 && !t.Optionen[chosen].IsEmpty()) falsch = RecordDisplay(t.Optionen[chosen]);
  }
  setVariable(QStringLiteral("Falsch"), falsch);
}

// --- Moving on ---

void TVocQuery::NextQuestion() {
  switch (phase_) {
    case Phase::Idle:
    case Phase::Finished:
      ShowVocabularyPage();
      return;
    case Phase::Asking:
      return;  // the question on the page is still open
    case Phase::RoundOver:
      continueRound();
      return;
    case Phase::Answered:
      break;
  }
  ++answersInSection_;
  if (randomOrder()) nextInRandomOrder();
  else nextInSequence();
}

void TVocQuery::nextInRandomOrder() {
  bool allSolved = true;
  bool due = false;
  for (int s = 0; s < rundengroesse_; ++s) {
    if (tasks_[s].Falschzahl != -1) allSolved = false;
    if (tasks_[s].Falschzahl == runde_) due = true;
  }
  if (allSolved) {
    phase_ = Phase::Finished;
    Evaluation(2);
    return;
  }
  if (due) {
    continueRound();
    return;
  }
  phase_ = Phase::RoundOver;
  Evaluation(1);
  answersInRound_ = rightInRound_ = 0;
  ++runde_;
  int count = 0;
  for (int s = 0; s < rundengroesse_; ++s)
    if (tasks_[s].Falschzahl == runde_) ++count;
  if (static_cast<int>(roundCounts_.size()) <= runde_) roundCounts_.resize(runde_ + 1, 0);
  roundCounts_[runde_] = count;
}

void TVocQuery::nextInSequence() {
  aktuell_ = 0;
  const int n = filledSlots();
  if (!lastAnswer_.endsWith(QLatin1Char('+'))) {
    if (n < kSlots) tasks_[n] = tasks_[0];  // asked again after the others of the window
  } else {
    if (n < kSlots) takeNext(n);
    if (tasks_[1].IsEmpty()) {
      phase_ = Phase::Finished;
      Evaluation(3);
      return;
    }
  }
  const int filled = filledSlots();
  for (int s = 0; s + 1 < filled; ++s) tasks_[s] = tasks_[s + 1];
  if (filled > 0) emptySlot(filled - 1);
  showQuestion(false, 0);
}

void TVocQuery::ContinueRound() {
  switch (phase_) {
    case Phase::RoundOver:
      continueRound();
      return;
    case Phase::Idle:
    case Phase::Finished:
      ShowVocabularyPage();
      return;
    case Phase::Asking:
    case Phase::Answered:
      return;
  }
}

void TVocQuery::continueRound() {
  std::vector<int> due;
  for (int s = 0; s < rundengroesse_; ++s)
    if (tasks_[s].Falschzahl == runde_) due.push_back(s);
  if (due.empty()) {
    phase_ = Phase::Finished;
    ShowVocabularyPage();
    return;
  }
  aktuell_ = due[Random::below(static_cast<int>(due.size()))];
  showQuestion(false, 0);
}

// --- Evaluation ---

void TVocQuery::Evaluation(int kind) {
  if (kind == 0 && phase_ == Phase::Idle) {
    ShowVocabularyPage();
    return;
  }
  const int overall = answersTotal_ > 0 ? rightTotal_ * 100 / answersTotal_ : 0;
  int runde = 0;
  QString text1;
  QString text2;
  QString text3;
  const int c = RoundCount(runde_);
  const QString roundText = QStringLiteral("Runde ") + QString::number(runde_ + 1) +
                            QStringLiteral(" beendet<br>Sie enthielt ") + QString::number(c) +
                            QStringLiteral(" Vokabeln.");
  switch (kind) {
    case 0:
      runde = answersInRound_ > 0 ? rightInRound_ * 100 / answersInRound_ : 0;
      text3 = QStringLiteral("<a href=") + kQuote + QLatin1Char('-') + kQuote + QStringLiteral(" >Zurück</a>");
      break;
    case 1: {
      int d = 0;
      for (int s = 0; s < rundengroesse_; ++s)
        if (tasks_[s].Falschzahl == runde_ + 1) ++d;
      runde = c > 0 ? (c - d) * 100 / c : 0;
      text1 = roundText;
      text2 = QStringLiteral("Davon wurden ") + QString::number(c - d) + QStringLiteral(" gelöst!");
      text3 = QStringLiteral("<a href=") + kQuote + QStringLiteral("§vcontinue") + kQuote +
              QStringLiteral("  RETURN>Weiter</a>");
      if (lib_.learnerLoggedIn()) {
        lib_.RefreshScores();
        if (!EnoughActive()) text3 = QStringLiteral("Keine Vokabeln mehr übrig!");
      }
      break;
    }
    case 2:
      runde = 100;
      text1 = roundText;
      text2 = QStringLiteral("Davon wurden alle Vokabeln gelöst!");
      text3 = QStringLiteral("Noch 'ne Runde?<br><a href=") + kQuote + QStringLiteral("§goabfrage") + kQuote +
              QStringLiteral("  RETURN>Klar</a> | <a href=") + kQuote + QStringLiteral("vokabeln.htx") + kQuote +
              QStringLiteral(" >Lieber nicht</a>");
      break;
    default:
      runde = overall;
      text1 = QStringLiteral("Congratulations!");
      text2 = QStringLiteral("Der Abschnitt enthielt ") + QString::number(lib_.ActiveCount()) +
              QStringLiteral(" Vokabeln. Dafür wurden ") + QString::number(answersInSection_) +
              QStringLiteral(" Versuche benötigt.");
      text3 = QStringLiteral("<a href=") + kQuote + QStringLiteral("vokabeln.htx") + kQuote +
              QStringLiteral(" >Zurück</a>");
      break;
  }
  setVariable(QStringLiteral("runde"), QString::number(runde));
  setVariable(QStringLiteral("text1"), text1);
  setVariable(QStringLiteral("text2"), text2);
  setVariable(QStringLiteral("text3"), text3);
  setVariable(QStringLiteral("insgesamt"), QString::number(overall));
  if (page_) page_->SetCondition(QStringLiteral("insgesamt"), true);
  setVariable(QStringLiteral("balken-runde"), bar(50, runde));
  setVariable(QStringLiteral("balken-insgesamt"), bar(418, overall));
  // Every evaluation keeps the answers so far, should the program end unexpectedly.
  if (lib_.learnerLoggedIn()) lib_.userBase()->SaveProgress();
  show(QStringLiteral("v_auswertung.htx"));
}

// --- Editor previews ---

void TVocQuery::PreparePreview(const TVokabel& record) {
  for (int s = 0; s < kSlots; ++s) emptySlot(s);
  TVocAufgabe& t = tasks_[0];
  t.Frage = record;
  t.Optionen[0] = record;
  aktuell_ = 0;
  rundengroesse_ = 1;
  runde_ = 0;
  roundCounts_.assign(1, 1);
  answersInSection_ = answersTotal_ = answersInRound_ = rightInRound_ = rightTotal_ = 0;
  questionText_ = record.Vokabel;
  contextText_.clear();
  setVariable(QStringLiteral("Aufgabe"), QString());
  setVariable(QStringLiteral("Kontext"), QString());
  ChooseDistractors(0);
}

void TVocQuery::PreviewAnswer(const QString& code) {
  const Judged j = judge(code);
  setResultVariables(code, j.right, j.typed);
  if (j.right) {
    show(QStringLiteral("_ed_richtig.htx"));
  } else if (j.typed) {
    setVariable(QStringLiteral("sample"), sampleOf(tasks_[aktuell_].Frage));
    show(QStringLiteral("_ed_falsch1.htx"));
  } else {
    show(QStringLiteral("_ed_falsch2.htx"));
  }
}

// --- Selections from page commands ---

QString MatchSelectionCase(const QString& vocabularyDir, const QString& name) {
  if (vocabularyDir.isEmpty() || name.isEmpty()) return name;
  QString path = name;
  path.replace(QLatin1Char('\\'), QLatin1Char('/'));
  const bool trailing = path.endsWith(QLatin1Char('/'));
  QDir dir(vocabularyDir);
  QStringList matched;
  for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
    if (part == QLatin1String(".") || part == QLatin1String("..")) return name;
    QString found;
    if (dir.exists(part)) {
      found = part;
    } else {
      const QStringList entries = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
      for (const QString& entry : entries)
        if (entry.compare(part, Qt::CaseInsensitive) == 0) {
          found = entry;
          break;
        }
    }
    if (found.isEmpty() || !dir.cd(found)) return name;
    matched.append(found);
  }
  if (matched.isEmpty()) return name;
  return matched.join(QLatin1Char('\\')) + (trailing ? QStringLiteral("\\") : QString());
}
