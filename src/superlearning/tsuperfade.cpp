#include "superlearning/tsuperfade.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "common/msclock.h"
#include "common/pointeroverride.h"
#include "common/random.h"
#include "pages/fontcatalog.h"
#include "sound/sampleplayer.h"
#include "superlearning/tsuperoptions.h"

namespace {

QColor mix(const QColor& from, const QColor& to, int p) {
  const auto part = [p](int a, int b) { return a + (b - a) * p / 255; };
  return QColor(part(from.red(), to.red()), part(from.green(), to.green()), part(from.blue(), to.blue()));
}

}  // namespace

TSuperFade::TSuperFade(Mode mode, const TSuperOptions& options, PresentationTexts& texts, TSamplePlayer* samples,
                       QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      mode_(mode),
      options_(options),
      texts_(texts),
      samples_(samples) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  // The program's other windows wait until the presentation has ended.
  setWindowModality(Qt::ApplicationModal);
  if (mode_ == Mode::Abgedreht) {
    background_ = options_.Colour(SuperOption::WirbelBGRColor);
    text_ = options_.Colour(SuperOption::WirbelTXTColor);
  }
  timer_.setInterval(kTickMs);
  connect(&timer_, &QTimer::timeout, this, &TSuperFade::Step);
}

TSuperFade::~TSuperFade() {
  if (samples_) samples_->CancelPrepared();
}

int TSuperFade::FadeMs() const {
  return static_cast<int>(std::lround(1500.0 * 100 / std::max(1, options_.Value(SuperOption::KlassikFaktor))));
}

void TSuperFade::Prepare(const QSize& size) {
  screen_ = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  screen_.fill(mode_ == Mode::Klassisch ? QColor(Qt::black) : background_);
  if (mode_ != Mode::Klassisch) return;
  band_ = QImage(screen_.width(), std::max(1, screen_.height() / 4), QImage::Format_RGB32);
  band_.fill(Qt::black);
  bandFont_ = QFont(FontCatalog::FamilyFor(options_.Text(SuperOption::Schrift)));
  bandFont_.setPointSize(std::max(1, band_.height() / 8));
}

void TSuperFade::Run(LoopState& loops) {
  const LoopState::Scope running(loops, *this);
  const PointerOverride hidden(Qt::BlankCursor);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) setGeometry(screen->geometry());
  Prepare(size());
  step_ = -1;
  wait_ = 0;
  ready_ = true;
  started_ = false;
  timer_.start();
  showFullScreen();
  activateWindow();
  setFocus();
  QEventLoop loop;
  quit_ = [&loop] { loop.quit(); };
  if (!closed_) loop.exec();
  quit_ = nullptr;
  hide();
}

void TSuperFade::Step() {
  if (!ready_ || closed_) return;
  if (stop_) {
    finish();
    return;
  }
  if (wait_ > 0) {
    wait_ -= kTickMs;
    if (wait_ > 0) return;
  }
  ++step_;
  started_ = true;
  if (mode_ == Mode::Klassisch) stepKlassisch();
  else stepAbgedreht();
}

void TSuperFade::finish() {
  timer_.stop();
  // A recording prepared for a text that never came stays closed.
  if (samples_) samples_->CancelPrepared();
  closed_ = true;
  if (quit_) quit_();
}

bool TSuperFade::takeText(bool braces) {
  const std::optional<TextItem> item = texts_.Next();
  if (!item) {
    ranOut_ = true;
    stop_ = true;
    return false;
  }
  shown_ = braces ? QStringLiteral("{ ") + item->text + QStringLiteral(" }") : item->text;
  sound_ = item->sound;
  if (samples_ && !sound_.isEmpty()) samples_->PlaySample(sound_, false);
  return true;
}

void TSuperFade::stepKlassisch() {
  const bool hasSound = !sound_.isEmpty();
  switch (step_) {
    case 0:
      if (!takeText(true)) return;
      // The band moves: where it stood turns black again.
      screen_.fill(Qt::black);
      present(screen_.rect());
      bandTop_ = Random::below(std::max(1, screen_.height() - band_.height()));
      fade(Fade::NewColours);
      break;
    case 1:
      fade(Fade::NewColours);
      if (hasSound && samples_ && !stop_) samples_->StartPrepared();
      break;
    case 2: fade(Fade::NewColours); break;
    case 3: fade(Fade::TextIntoBackground); break;
    case 4:
      if (!takeText(false)) return;
      fade(Fade::NewColours);
      if (!sound_.isEmpty() && samples_ && !stop_) samples_->StartPrepared();
      break;
    case 5: fade(Fade::NewColours); break;
    case 6: fade(Fade::ToBlack); break;
    case 7: break;
    default: step_ = -1; break;
  }
}

void TSuperFade::stepAbgedreht() {
  const int f = options_.Value(SuperOption::Faktor);
  switch (step_) {
    case 0: {
      if (!takeText(true)) return;
      type(shown_);
      if (stop_) return;
      if (samples_ && !sound_.isEmpty()) samples_->StartPrepared();
      const auto n = static_cast<int>(shown_.size());
      wait_ = 10 * f + (n > 6 ? (n - 6) * f : 0);
      break;
    }
    case 1:
      type(QString());
      wait_ = 8 * f;
      break;
    case 2:
      if (!takeText(false)) return;
      type(shown_);
      if (stop_) return;
      if (samples_ && !sound_.isEmpty()) samples_->StartPrepared();
      wait_ = 10 * f + static_cast<int>(shown_.size()) * f;
      break;
    case 3:
      type(QString());
      wait_ = 14 * f;
      break;
    default: step_ = -1; break;
  }
}

QColor TSuperFade::randomBackground() const {
  if (options_.Flag(SuperOption::OhneHintergrund)) return Qt::black;
  if (options_.Flag(SuperOption::SchwarzWeiss)) {
    const int grey = Random::below(128);
    return QColor(grey, grey, grey);
  }
  return QColor(Random::below(128), Random::below(128), Random::below(128));
}

void TSuperFade::fade(Fade kind) {
  switch (kind) {
    case Fade::NewColours:
      targetText_ = options_.Flag(SuperOption::SchwarzWeiss)
                        ? QColor(Qt::white)
                        : QColor(128 + Random::below(128), 128 + Random::below(128), 128 + Random::below(128));
      targetBackground_ = randomBackground();
      break;
    case Fade::TextIntoBackground:
      targetBackground_ = randomBackground();
      targetText_ = targetBackground_;
      break;
    case Fade::ToBlack:
      targetText_ = targetBackground_ = Qt::black;
      break;
  }
  ready_ = false;
  MsClock& clock = MsClock::Current();
  const qint64 t0 = clock.Now();
  const int duration = FadeMs();
  do {
    const qint64 frame = clock.Now();
    const int p = std::clamp(static_cast<int>(std::lround(255.0 * static_cast<double>(frame - t0) / duration)), 0, 255);
    drawBand(mix(text_, targetText_, p), mix(background_, targetBackground_, p));
    clock.Wait(std::max<qint64>(0, kFrameMs - (clock.Now() - frame)));
  } while (clock.Now() < t0 + duration && !stop_);
  // The fade ends on its colours: after "to black" nothing of the text stays visible.
  if (!stop_) drawBand(targetText_, targetBackground_);
  text_ = targetText_;
  background_ = targetBackground_;
  ready_ = true;
}

void TSuperFade::drawBand(const QColor& text, const QColor& background) {
  {
    QPainter p(&band_);
    p.fillRect(band_.rect(), background);
    p.setFont(bandFont_);
    p.setPen(text);
    p.drawText(band_.rect(), Qt::AlignCenter, shown_);
  }
  {
    QPainter p(&screen_);
    p.drawImage(0, bandTop_, band_);
  }
  present(QRect(0, bandTop_, band_.width(), band_.height()));
}

void TSuperFade::present(const QRect& area) {
  if (isVisible()) repaint(area.intersected(rect()));
}

void TSuperFade::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  p.drawImage(event->rect(), screen_, event->rect());
}

void TSuperFade::keyPressEvent(QKeyEvent* event) {
  // The shell's volume keys come first and do not stop the presentation.
  if (VolumeKeys && VolumeKeys(event->key())) return;
  if (event->key() != 0) requestStop();
}

void TSuperFade::mousePressEvent(QMouseEvent*) { requestStop(); }

void TSuperFade::requestStop() {
  // A key still held from the start, or a quick double click, does not end it at once.
  if (started_) stop_ = true;
}

void TSuperFade::closeEvent(QCloseEvent* event) {
  // Closed by the window system: the presentation ends as after a stop.
  stop_ = true;
  if (!closed_ && ready_) finish();
  QWidget::closeEvent(event);
}

void TSuperFade::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (screen_.size() != size()) Prepare(size());
}
