#include "superlearning/tvegas.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

#include "common/msclock.h"
#include "common/pointeroverride.h"
#include "common/random.h"
#include "pages/fontcatalog.h"
#include "pages/txpage.h"
#include "superlearning/thighscores.h"
#include "superlearning/tsuperoptions.h"
#include "users/txuserbase.h"
#include "vocabulary/tbibliothek.h"
#include "vocabulary/vocabularyquery.h"

namespace {

// Tries to find a record that was not shown lately before one is taken anyway.
constexpr int kMaxDraws = 200;

const QColor kWrongRed(204, 0, 0);

struct MessagePair {
  const char* upper;
  const char* lower;
};
constexpr std::array<MessagePair, 7> kWrongMessages{{{"LEIDER", "FALSCH!"},
                                                     {"WIE", "SCHADE!"},
                                                     {"WOHL", "KAUM!"},
                                                     {"DAS TUT", "WEH!!"},
                                                     {"VERSCHONE", "MICH!"},
                                                     {"VOLL", "DANEBEN!"},
                                                     {"BITTE", "NICHT!"}}};
constexpr std::array<MessagePair, 7> kRightMessages{{{"SEHR", "GUT!"},
                                                     {"WEITER", "SO!"},
                                                     {"MEHR", "DAVON!"},
                                                     {"WIRKLICH", "BEEINDRUCKEND!"},
                                                     {"NICHT", "SCHLECHT!"},
                                                     {"SEHR", "SCHÖN!"},
                                                     {"DAS WAR", "HERVORRAGEND!"}}};

// Points as pixels on a screen of 96 dots per inch.
int pixelsFor(int points) { return (points * 96 + 36) / 72; }

// c moved towards target by fraction / 256 of the way, in each of red, green and blue.
QColor toward(const QColor& c, const QColor& target, int fraction) {
  const auto step = [fraction](int from, int to) { return from + (to - from) * fraction / 256; };
  return QColor(step(c.red(), target.red()), step(c.green(), target.green()), step(c.blue(), target.blue()));
}

QString recordKey(const TVokabel& r) {
  return r.Vokabel + QLatin1Char('\t') + QString::number(r.Wortart) + QLatin1Char('\t') +
         QLatin1Char(r.Deutsch ? '1' : '0') + QLatin1Char('\t') + r.Bedeutung[0];
}

QString meaningText(const TVokabel& r) {
  return r.Bedeutung[1].isEmpty() ? r.Bedeutung[0] : r.Bedeutung[0] + QStringLiteral("; ") + r.Bedeutung[1];
}

}  // namespace

TVegas::TVegas(TXPage& page, TVocQuery& query, TBibliothek& library, const TSuperOptions& options, QString folder)
    : page_(page), query_(query), library_(library), options_(options), folder_(std::move(folder)) {}

TVegas::~TVegas() = default;

QStringList TVegas::AvailableFonts() {
  static const QStringList faces{QStringLiteral("Arial"),        QStringLiteral("times new roman"),
                                 QStringLiteral("Courier new"),  QStringLiteral("Verdana"),
                                 QStringLiteral("Impact"),       QStringLiteral("Georgia"),
                                 QStringLiteral("Arial Black"),  QStringLiteral("Andale Mono"),
                                 QStringLiteral("Lucida Console"), QStringLiteral("Garamond")};
  QStringList out;
  for (const QString& face : faces)
    if (FontCatalog::IsInstalled(face)) out.append(face);
  if (out.isEmpty()) out.append(QFont().family());
  return out;
}

QString TVegas::OneAlternative(const QString& meaning) {
  QStringList parts;
  for (QString part : meaning.split(QLatin1Char(';'))) {
    const qsizetype open = part.indexOf(QLatin1Char('['));
    if (open >= 0) {
      const qsizetype close = part.indexOf(QLatin1Char(']'), open);
      part.remove(open, close < 0 ? part.size() - open : close - open + 1);
    }
    part = part.trimmed();
    // An empty alternative would show an empty meaning.
    if (!part.isEmpty()) parts.append(part);
  }
  if (parts.isEmpty()) return meaning.trimmed();
  return parts[Random::below(static_cast<int>(parts.size()))];
}

int TVegas::Duration(int ms) const {
  const int factor = std::max(1, options_.Value(SuperOption::VegasFaktor));
  return static_cast<int>(std::lround(ms * 100.0 / factor));
}

bool TVegas::KeyDown(QKeyEvent& event) {
  if (event.key() == Qt::Key_Space) {
    if (!event.isAutoRepeat()) Press();
    return true;
  }
  if (event.key() == Qt::Key_Escape) {
    Stop();
    return true;
  }
  return false;
}

bool TVegas::Click() {
  Press();
  return true;
}

void TVegas::Press() {
  if (allowed_) pressed_ = true;
}

void TVegas::Run(LoopState& loops) {
  LoopState::Scope running(loops, *this);
  PointerOverride pointer(Qt::ArrowCursor);
  // The name is read now: after a change of learner the score goes to the right one.
  TXUserBase* users = library_.userBase();
  player_ = users && users->IsLoggedIn() ? users->UserName() : QString();
  page_.EnableInput();
  page_.setXFile(folder_ + QStringLiteral("start.htx"));
  page_.SetOverlay(true);
  specials_.Load(folder_ + QStringLiteral("vegas_S.txt"));
  highscores_ = std::make_unique<THighscores>(folder_ + QStringLiteral("LVS.x"));
  fonts_ = AvailableFonts();
  activeCount_ = library_.ActiveCount();
  recent_.clear();
  stop_ = false;
  allowed_ = true;
  score_ = 0;
  energy_ = 100;
  wrongInRow_ = 0;
  pairs_ = 0;
  base_ = Qt::black;
  drawStatus();

  for (round_ = 1;; ++round_) {
    // Presses count from the start of the game's first announcement.
    announce(QStringLiteral("ROUND ") + QString::number(round_), QStringLiteral("GET READY!"), round_ == 1);
    if (stop_ || energy_ == 0) break;
    playRound();
    if (stop_ || energy_ == 0) break;
  }

  rank_ = highscores_->AddScore(score_, player_);
  highscores_->Publish(page_);
  highscores_->Close();
  highscores_.reset();

  // The last announcement runs after a stop too; a press or Escape skips it.
  const bool stopped = energy_ > 0;
  stop_ = false;
  allowed_ = true;
  base_ = Qt::black;
  if (stopped)
    announce(QStringLiteral("BYE BYE"), QStringLiteral("SCORE ") + QString::number(score_), true);
  else
    announce(QStringLiteral("TIME UP"), QStringLiteral("GAME OVER"), true);
  phase_ = Phase::Over;
  page_.SetOverlay(false);
  THighscores::PublishResult(page_, score_, rank_);
  page_.setXFile(folder_ + (stopped ? QStringLiteral("highscore.htx") : QStringLiteral("again.htx")));
}

void TVegas::announce(const QString& upper, const QString& lower, bool pressFromStart) {
  phase_ = Phase::Announcement;
  upper_ = upper;
  lower_ = lower;
  pressed_ = false;
  fade(true, Duration(500), pressFromStart);
  hold(Duration(3000));
  fade(false, Duration(500), false);
}

void TVegas::playRound() {
  pressed_ = false;
  presses_ = 1;
  while (!stop_ && energy_ > 0 && presses_ <= kPressesPerRound) {
    base_ = Qt::black;
    randomFont();
    if (!choosePair()) return;
    ++pairs_;
    if (!stop_) fadeIn(Duration(500), false);
    drain();
    if (!stop_) {
      phase_ = Phase::Hold;
      hold(Duration(1000));
    }
    drain();
    if (!stop_ && pressed_) judge();
    if (!stop_) fadeOut(Duration(500));
    if (!stop_ && pressed_) judge();
  }
}

bool TVegas::DrawRight(int wrongInRow) {
  if (Random::below(10) > 4) return true;
  if (wrongInRow == 3 && Random::below(10) > 4) return true;
  return wrongInRow >= 4;
}

bool TVegas::choosePair() {
  const int remembered = std::max(1, std::min(20, activeCount_));
  QString key;
  for (int draw = 0;; ++draw) {
    if (!query_.ChooseTask(0)) {
      // Nothing is active any more: the game cannot go on.
      stop_ = true;
      upper_.clear();
      lower_.clear();
      return false;
    }
    key = recordKey(query_.Task(0).Frage);
    if (std::find(recent_.begin(), recent_.end(), key) == recent_.end() || draw >= kMaxDraws) break;
  }
  recent_.push_back(key);
  if (static_cast<int>(recent_.size()) >= remembered) recent_.pop_front();

  const TVocAufgabe& task = query_.Task(0);
  upper_ = task.Frage.Vokabel;
  fromVocabulary_ = true;
  const bool right = DrawRight(wrongInRow_);
  // A wrong pair takes one of the wrong meanings that were found; without
  // any the pair is a right one.
  std::vector<int> wrong;
  for (int k = 1; k < static_cast<int>(task.Optionen.size()); ++k)
    if (!task.Optionen[k].Bedeutung[0].trimmed().isEmpty()) wrong.push_back(k);
  if (!right && !wrong.empty()) {
    choice_ = wrong[Random::below(static_cast<int>(wrong.size()))];
    ++wrongInRow_;
  } else {
    choice_ = 0;
    wrongInRow_ = 0;
  }
  lower_ = OneAlternative(meaningText(task.Optionen[choice_]));

  if (Random::below(10) == 9 && !specials_.IsEmpty()) {
    const TVegasList::Shown shown = specials_.Draw();
    upper_ = shown.Upper;
    lower_ = shown.Lower;
    choice_ = shown.Right ? 0 : 1;
    fromVocabulary_ = false;
  }
  // A colour block: the hexadecimal number after "#" (RGB), black when it is none.
  if (lower_.startsWith(QLatin1Char('#'))) {
    bool ok = false;
    const uint rgb = lower_.mid(1).trimmed().toUInt(&ok, 16);
    special_ = ok && rgb <= 0xFFFFFF ? QColor(QRgb(rgb)) : QColor(Qt::black);
  }
  return true;
}

void TVegas::fadeIn(int ms, bool pressFromStart) {
  phase_ = Phase::FadeIn;
  fade(true, ms, pressFromStart);
}

void TVegas::fadeOut(int ms) {
  phase_ = Phase::FadeOut;
  fade(false, ms, false);
}

void TVegas::fade(bool in, int ms, bool pressFromStart) {
  MsClock& clock = MsClock::Current();
  if (in) {
    pressed_ = false;
    // A press counts only once the text is half visible.
    if (!pressFromStart) allowed_ = false;
    randomFont();
  }
  const qint64 start = clock.Now();
  QColor lastColour;
  int lastLevel = -1;
  for (;;) {
    const qint64 elapsed = std::min<qint64>(clock.Now() - start, ms);
    const int share = ms <= 0 ? 255 : static_cast<int>(255 * elapsed / ms);
    const int p = in ? 255 - share : share;
    if (in && p < 128) allowed_ = true;
    text_ = toward(base_, Qt::white, p);
    fadeLevel_ = 255 - p;
    if (text_ != lastColour || fadeLevel_ != lastLevel) {
      drawAreas();
      lastColour = text_;
      lastLevel = fadeLevel_;
    }
    if (elapsed >= ms || pressed_ || stop_) break;
    frame();
    clock.Wait(kFrameMs);
  }
}

void TVegas::hold(int ms) {
  MsClock& clock = MsClock::Current();
  const qint64 start = clock.Now();
  for (;;) {
    const qint64 left = ms - (clock.Now() - start);
    if (left <= 0 || pressed_ || stop_) break;
    frame();
    clock.Wait(std::min<qint64>(kFrameMs, left));
  }
}

void TVegas::frame() {
  if (OnFrame) OnFrame();
}

void TVegas::drain() {
  if (energy_ <= 0) return;
  --energy_;
  drawStatus();
}

void TVegas::judge() {
  phase_ = Phase::Judged;
  pressed_ = false;
  allowed_ = false;
  if (choice_ != 0) {
    base_ = text_ = kWrongRed;
    const MessagePair& m = kWrongMessages[static_cast<size_t>(Random::below(7))];
    showMessage(QString::fromUtf8(m.upper), QString::fromUtf8(m.lower));
    ++presses_;
    energy_ = std::max(0, energy_ - 12);
    drawStatus();
    record(-8);
  } else {
    energy_ = std::min(100, energy_ + 6);
    ++score_;
    drawStatus();
    base_ = text_ = Qt::black;
    const MessagePair& m = kRightMessages[static_cast<size_t>(Random::below(7))];
    showMessage(QString::fromUtf8(m.upper), QString::fromUtf8(m.lower));
    record(8);
    ++presses_;
  }
  hold(Duration(1000));
}

void TVegas::showMessage(const QString& upper, const QString& lower) {
  randomFont();
  upper_ = upper;
  lower_ = lower;
  fadeLevel_ = 255;
  drawAreas();
}

void TVegas::record(int score) {
  // A special pair belongs to no record of the library.
  if (!fromVocabulary_ || !library_.learnerLoggedIn()) return;
  const TVokabel& r = query_.Task(0).Frage;
  library_.userBase()->RecordAnswer(r.Vokabel, r.Deutsch, QLatin1Char('v'), score, r.Wortart);
}

void TVegas::randomFont() {
  const QString face = fonts_.isEmpty() ? QFont().family() : fonts_[Random::below(static_cast<int>(fonts_.size()))];
  font_ = QFont(FontCatalog::FamilyFor(face));
  font_.setPixelSize(pixelsFor(kStartPoints));
  const bool bold = face.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0 ||
                    face.compare(QLatin1String("Courier new"), Qt::CaseInsensitive) == 0;
  font_.setBold(bold);
}

void TVegas::drawAreas() {
  drawArea(kUpperArea, upper_);
  QCoreApplication::processEvents();
  drawArea(kLowerArea, lower_);
}

void TVegas::drawArea(const QRect& area, const QString& text) {
  if (!page_.OverlayOn()) return;
  {
    QPainter p(&page_.Overlay());
    p.fillRect(area, Qt::white);
    if (text.startsWith(QLatin1Char('#'))) {
      p.fillRect(area.adjusted(120, 40, -120, -40), toward(Qt::white, special_, fadeLevel_));
    } else if (!text.isEmpty()) {
      QFont f = font_;
      for (int points = kStartPoints;; points -= 2) {
        f.setPixelSize(pixelsFor(points));
        const int width = QFontMetrics(f).horizontalAdvance(text);
        if (area.left() + (area.width() - width) / 2 >= 20 || points <= kSmallestPoints) break;
      }
      p.setFont(f);
      p.setPen(text_);
      p.drawText(area, Qt::AlignCenter | Qt::TextSingleLine, text);
    }
  }
  page_.RepaintOverlay(area);
}

void TVegas::drawStatus() {
  if (!page_.OverlayOn()) return;
  {
    QPainter p(&page_.Overlay());
    p.fillRect(kScoreArea, Qt::black);
    p.fillRect(kEnergyArea, Qt::black);
    QFont f(FontCatalog::FamilyFor(QStringLiteral("Courier New")));
    f.setPixelSize(pixelsFor(10));
    p.setFont(f);
    p.setPen(Qt::white);
    const QFontMetrics metrics(f);
    p.drawText(QPoint(750, 544 + metrics.ascent()), QString::asprintf("%3d", energy_) + QLatin1Char('%'));
    p.drawText(QPoint(20, 544 + metrics.ascent()), QStringLiteral("Score: ") + QString::number(score_));
    p.fillRect(QRect(QPoint(740 - energy_, 544), QPoint(739, 560)),
               QColor((100 - energy_) * 255 / 100, energy_ * 255 / 100, 0));
  }
  page_.RepaintOverlay(kScoreArea);
  page_.RepaintOverlay(kEnergyArea);
}
