#include "superlearning/tfreefall.h"

#include <QKeyEvent>
#include <array>

#include "common/markuptext.h"
#include "common/messagebox.h"
#include "common/msclock.h"
#include "common/pointeroverride.h"
#include "common/random.h"
#include "pages/txpage.h"
#include "sound/sampleplayer.h"
#include "superlearning/presentationtexts.h"
#include "superlearning/thighscores.h"
#include "superlearning/tsuperoptions.h"
#include "users/txuserbase.h"
#include "vocabulary/tbibliothek.h"

namespace {

const QString kQuote = QStringLiteral("\"");

// Guessing a letter reveals the whole first group that holds it.
const std::array<QString, 7> kLetterGroups{
    QStringLiteral("aáàâäæAÁÀÂÄÆ"), QStringLiteral("eéèêëEÉÈÊË"), QStringLiteral("iíìîïIÍÌÎÏ"),
    QStringLiteral("oóòôöœOÓÒÔÖŒ"), QStringLiteral("uúùûüUÚÙÛÜ"), QStringLiteral("nñNÑ"),
    QStringLiteral("cçCÇ")};

const QString kHit = QStringLiteral("hm+");
const QString kMiss = QStringLiteral("hm-");

const QString* groupOf(QChar c) {
  for (const QString& group : kLetterGroups)
    if (group.contains(c)) return &group;
  return nullptr;
}

bool isKeyboardLetter(QChar c) { return c >= QLatin1Char('A') && c <= QLatin1Char('Z'); }

}  // namespace

TFreeFall::TFreeFall(TXPage& page, TBibliothek& library, const TSuperOptions& options, TSamplePlayer* samples,
                     QString folder)
    : page_(page), library_(library), options_(options), samples_(samples), folder_(std::move(folder)) {}

TFreeFall::~TFreeFall() = default;

bool TFreeFall::ShownFromStart(QChar c) {
  // Only the letters of the keyboard and their accented forms can be guessed.
  return !isKeyboardLetter(c.toUpper()) && !groupOf(c);
}

QString TFreeFall::Hidden(const QString& solution) {
  QString out = solution;
  for (QChar& c : out)
    if (!ShownFromStart(c)) c = QLatin1Char('_');
  return out;
}

bool TFreeFall::OwnsPage() const {
  return page_.XFile().compare(QLatin1String("hm.htx"), Qt::CaseInsensitive) == 0;
}

bool TFreeFall::KeyDown(QKeyEvent& event) {
  const QString text = event.text();
  if (text.size() != 1 || !isKeyboardLetter(text[0].toUpper())) return false;
  Guess(text[0]);
  return true;
}

void TFreeFall::Play(LoopState& loops) {
  LoopState::Scope scope(loops, *this);
  PointerOverride pointer(Qt::ArrowCursor);
  running_ = true;
  TXUserBase* users = library_.userBase();
  player_ = users && users->IsLoggedIn() ? users->UserName() : QString();
  page_.EnableInput();
  page_.setFocus();
  highscores_ = std::make_unique<THighscores>(folder_ + QStringLiteral("FFS.x"));
  page_.SetCondition(QStringLiteral("cont"), false);
  stop_ = false;
  solution_.clear();
  display_.clear();
  score_ = 0;
  elapsed_ = 0;
  clearComment();
  wordOver_ = false;
  revealed_ = false;

  MsClock& clock = MsClock::Current();
  while (!stop_) {
    if (!wordOver_) {
      if (solution_.isEmpty()) {
        if (!newWord()) break;
        if (!stop_) showPage();
      } else if (display_ == solution_) {
        endWord();
      }
    }
    if (commentAt_ >= 0 && clock.Now() - commentAt_ > kCommentMs) {
      clearComment();
      if (wordOver_) showPage();
    }
    if (!wordOver_ && !solution_.isEmpty()) {
      const int seconds = static_cast<int>((clock.Now() - wordStart_) / 1000);
      if (seconds != elapsed_) {
        elapsed_ = seconds;
        page_.SetVariable(QStringLiteral("timer"), QString::number(elapsed_));
        showPage();
      }
    }
    if (OnPass) OnPass();
    clock.Wait(kPassMs);
  }
  running_ = false;
  page_.SetCondition(QStringLiteral("giveup"), false);
  page_.SetCondition(QStringLiteral("cont"), false);
  const int index = highscores_->AddScore(score_, player_);
  highscores_->Publish(page_);
  highscores_->Close();
  highscores_.reset();
  THighscores::PublishResult(page_, score_, index);
  // A close away from the game's page has shown the farewell: it stays.
  if (page_.XFile().compare(QLatin1String("bye.htx"), Qt::CaseInsensitive) != 0)
    page_.setXFile(folder_ + QStringLiteral("highscore.htx"));
}

bool TFreeFall::newWord() {
  // A record whose word holds nothing to guess would end at once, again and
  // again: such records are passed over.
  const bool speech = options_.Flag(SuperOption::Sprachausgabe);
  const auto guessable = [](const QString& word) { return Hidden(word) != word; };
  bool any = false;
  for (int i = 0; i < library_.Count() && !any; ++i)
    any = library_.IsActive(i) && guessable(library_.Items[i].Vokabel.trimmed());
  // In random order a guessable record comes soon; the bound only guards against a library that changed.
  const int tries = any ? 50 * library_.Count() + 1 : 0;
  for (int i = 0; i < tries; ++i) {
    QString word, meaning, sound;
    if (!library_.NextText(word, meaning, sound, speech)) break;
    word = word.trimmed();
    if (!guessable(word)) continue;
    record_ = library_.CursorIndex();
    const bool spanish = record_ >= 0 && record_ < library_.Count() && !library_.Items[record_].Deutsch;
    solution_ = word;
    clue_ = meaning;
    recording_ = spanish ? sound : QString();
    display_ = Hidden(solution_);
    page_.SetVariable(QStringLiteral("bedeutung"), MarkupText::EscapeText(clue_));
    page_.SetVariable(QStringLiteral("comment"), QString());
    elapsed_ = 0;
    page_.SetVariable(QStringLiteral("timer"), QStringLiteral("0"));
    level_ = kStartLevel;
    page_.SetVariable(QStringLiteral("bild"), picture(level_));
    wordStart_ = MsClock::Current().Now();
    keyboard_ = kKeyboard;
    page_.SetCondition(QStringLiteral("giveup"), true);
    revealed_ = false;
    return true;
  }
  // Nothing is left to guess: the game ends as if stopped.
  ShowMessage(PresentationTexts::kNoneActive, MessageKind::Information);
  stop_ = true;
  return false;
}

QString TFreeFall::picture(int level) const {
  return QStringLiteral("<img src=") + kQuote + QLatin1Char('s') + QString::number(level + 2) +
         QStringLiteral(".bmp") + kQuote + QLatin1Char('>');
}

QString TFreeFall::keyboardMarkup() const {
  QString out;
  for (int i = 0; i < keyboard_.size(); ++i) {
    if (keyboard_[i] == QLatin1Char(' '))
      out += QStringLiteral(" *");
    else
      out += QStringLiteral(" <a href=") + kQuote + QStringLiteral("§hm") + keyboard_[i] + kQuote + QLatin1Char('>') +
             keyboard_[i] + QStringLiteral("</a>");
    if (i == 12) out += QStringLiteral("<br>");
  }
  return out;
}

QString TFreeFall::displayMarkup(bool spaced) const {
  // A spaced display puts a thin space between the characters of a word (so
  // that hidden letters can be counted, and a word still breaks only at its
  // blanks) and shows the gaps between words wide.
  const QString& shown = display_;  // after a reveal: the whole word
  QString out;
  QString run;  // characters of one kind, escaped together
  bool inBad = false;
  const auto flush = [&] {
    out += MarkupText::EscapeText(run);
    run.clear();
  };
  for (int i = 0; i < shown.size(); ++i) {
    const QChar c = shown[i];
    const bool hidden = revealed_ && i < bad_.size() && bad_[i] != display_[i];
    if (hidden != inBad) {
      flush();
      out += hidden ? QStringLiteral("<+bad>") : QStringLiteral("<+good>");
      inBad = hidden;
    }
    if (spaced && c == QLatin1Char(' ')) {
      flush();
      out += QStringLiteral(" &nbsp; ");
      continue;
    }
    if (spaced && i > 0 && shown[i - 1] != QLatin1Char(' ')) run += QChar(0x2009);
    run += c;
  }
  flush();
  if (inBad) out += QStringLiteral("<+good>");
  // The word over, its recording is a click away: after a reveal, and on the
  // spaced display after a solution too.
  if ((revealed_ || (spaced && wordOver_)) && !recording_.isEmpty())
    out = QStringLiteral("<a href=") + kQuote + MarkupText::EscapeTarget(recording_) + kQuote +
          QStringLiteral("><+good>") + out + QStringLiteral("</a>");
  return out;
}

void TFreeFall::showPage() {
  page_.SetVariable(QStringLiteral("chars"), keyboardMarkup());
  page_.SetVariable(QStringLiteral("FreeFall"), displayMarkup(false));
  page_.SetVariable(QStringLiteral("wort"), displayMarkup(true));
  page_.SetVariable(QStringLiteral("level"), QString::number(level_));
  page_.SetVariable(QStringLiteral("score"), QString::number(score_));
  page_.SetCondition(QStringLiteral("hoeren"), wordOver_ && !recording_.isEmpty());
  page_.setXFile(folder_ + QStringLiteral("hm.htx"));
}

int TFreeFall::hiddenCount() const {
  // A hidden position shows "_" where the word has another character (a
  // word's own "_" stands from the start).
  int n = 0;
  for (int i = 0; i < display_.size() && i < solution_.size(); ++i)
    if (display_[i] != solution_[i]) ++n;
  return n;
}

void TFreeFall::reveal(QChar c) {
  for (int i = 0; i < solution_.size(); ++i)
    if (solution_[i] == c) display_[i] = c;
}

void TFreeFall::Guess(QChar letter) {
  // Only a game whose loop runs takes letters, and only while a word is in play.
  if (!running_ || wordOver_ || solution_.isEmpty()) return;
  const int before = hiddenCount();
  // A solved word ends on the loop's next pass; a letter typed meanwhile changes nothing.
  if (before == 0) return;
  const QChar upper = letter.toUpper();
  const qsizetype position = keyboard_.indexOf(upper);
  if (!isKeyboardLetter(upper) || position < 0) return;
  keyboard_[position] = QLatin1Char(' ');
  reveal(upper);
  const QChar lower = letter.toLower();
  reveal(lower);
  if (const QString* group = groupOf(lower))
    for (QChar c : *group) reveal(c);

  const int after = hiddenCount();
  const bool hit = after < before;
  if (hit)
    score_ += level_ / 2;
  else if (level_ > 0)
    --level_;
  comment(hit);

  const bool solved = after == 0;
  if (solved) {
    record(2 * (level_ + 2));
    level_ = level_ >= 5 ? -2 : -1;
    if (elapsed_ < 30) score_ += (30 - elapsed_) / 6;
  }
  page_.SetVariable(QStringLiteral("bild"), picture(level_));
  if (level_ != 0) {
    showPage();
    if (solved && samples_ && !recording_.isEmpty()) samples_->PlaySample(recording_, true);
    return;
  }
  // Lost at the bottom.
  record(-8);
  if (score_ > 20) score_ -= 20;
  revealSolution();
}

void TFreeFall::GiveUp() {
  if (!running_ || wordOver_ || solution_.isEmpty() || hiddenCount() == 0) return;
  if (score_ <= 20)
    score_ = 0;
  else
    score_ -= 10 + Random::below(11);
  revealSolution();
}

void TFreeFall::Continue() {
  if (!running_ || !wordOver_) return;
  page_.SetCondition(QStringLiteral("cont"), false);
  wordOver_ = false;
}

void TFreeFall::revealSolution() {
  bad_ = display_;
  display_ = solution_;
  revealed_ = true;
  page_.SetVariable(QStringLiteral("bild"), picture(level_));
  level_ = 0;
  endWord();
  if (samples_ && !recording_.isEmpty()) samples_->PlaySample(recording_, true);
}

void TFreeFall::endWord() {
  wordOver_ = true;
  solution_.clear();
  page_.SetCondition(QStringLiteral("cont"), true);
  page_.SetCondition(QStringLiteral("giveup"), false);
  showPage();
}

void TFreeFall::record(int score) {
  if (!library_.learnerLoggedIn() || record_ < 0 || record_ >= library_.Count()) return;
  const TVokabel& r = library_.Items[record_];
  library_.userBase()->RecordAnswer(r.Vokabel, r.Deutsch, QLatin1Char('f'), score, r.Wortart);
}

void TFreeFall::comment(bool hit) {
  const int n = 1 + Random::below(8);
  page_.SetCondition(kHit, hit);
  page_.SetCondition(kMiss, !hit);
  page_.SetVariable(QStringLiteral("cc"), hit ? QStringLiteral("#009900") : QStringLiteral("#ff0000"));
  page_.SetVariable(QStringLiteral("comment"), QStringLiteral("<img src=") + kQuote + (hit ? u'p' : u'n') +
                                                   QString::number(n) + QStringLiteral("x.bmp") + kQuote +
                                                   QStringLiteral(" color=#ffffff>"));
  commentAt_ = MsClock::Current().Now();
}

void TFreeFall::clearComment() {
  page_.SetCondition(kHit, false);
  page_.SetCondition(kMiss, false);
  page_.SetVariable(QStringLiteral("cc"), QStringLiteral("#ffffff"));
  page_.SetVariable(QStringLiteral("comment"), QString());
  commentAt_ = -1;
}
