#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "common/loopstate.h"
#include "superlearning/presentationtexts.h"

class TSamplePlayer;
class TSuperOptions;

// The full-screen window of the two fading modes, drawn step by step on a
// 100 ms timer:
//
//   "klassisch"  word and meaning in a band across the screen at a random
//                height, faded between random colours, the word in braces
//   "abgedreht"  word and meaning typed character by character in random
//                fonts, sizes and places
//
// Each text's recording is prepared before it appears and started as it
// appears. A click or a key stops the window once its first step ran; the
// running presentation's stop (the page command "stop", closing the main
// window) stops it at any time. The window hides the pointer while it is shown.
class TSuperFade : public QWidget, public RunningLoop {
  Q_OBJECT
 public:
  enum class Mode { Klassisch, Abgedreht };
  static constexpr int kTickMs = 100;
  // A fade draws a frame at most this often.
  static constexpr int kFrameMs = 10;

  TSuperFade(Mode mode, const TSuperOptions& options, PresentationTexts& texts, TSamplePlayer* samples,
             QWidget* parent = nullptr);
  ~TSuperFade() override;

  // Shows the window over the whole screen and returns when it has closed.
  void Run(LoopState& loops);
  // For the shell's volume keys: true when the key was used (it then does not stop the window).
  std::function<bool(int key)> VolumeKeys;

  // One timer step: nothing while a fade or typing runs; closes the window
  // after a stop; counts a wait down; otherwise the mode's next step.
  void Step();
  // Lays the window out for a size (done when it is shown full screen).
  void Prepare(const QSize& size);

  // RunningLoop.
  void Stop() override { stop_ = true; }
  bool Stopped() const { return stop_; }
  bool Started() const { return started_; }
  bool Ready() const { return ready_; }
  bool Closed() const { return closed_; }
  // No text came any more: the presentation ended for want of active records.
  bool RanOutOfTexts() const { return ranOut_; }

  int StepCounter() const { return step_; }
  int WaitMs() const { return wait_; }
  // How long one fade of "klassisch" lasts.
  int FadeMs() const;
  const QImage& Screen() const { return screen_; }
  QString ShownText() const { return shown_; }
  int BandTop() const { return bandTop_; }
  QColor TextColour() const { return text_; }
  QColor BackgroundColour() const { return background_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  enum class Fade { NewColours, TextIntoBackground, ToBlack };

  void stepKlassisch();
  void stepAbgedreht();
  bool takeText(bool braces);
  void fade(Fade kind);
  QColor randomBackground() const;
  void drawBand(const QColor& text, const QColor& background);
  void type(const QString& text);  // abgedreht.cpp
  void present(const QRect& area);
  void finish();
  void requestStop();

  Mode mode_;
  const TSuperOptions& options_;
  PresentationTexts& texts_;
  TSamplePlayer* samples_;
  QTimer timer_;
  QImage screen_;
  QImage band_;
  QFont bandFont_;
  int bandTop_ = 0;
  int step_ = -1;
  int wait_ = 0;
  bool ready_ = true;
  bool stop_ = false;
  bool started_ = false;
  bool closed_ = false;
  bool ranOut_ = false;
  QString shown_;
  QString sound_;
  QColor text_ = Qt::black, background_ = Qt::black;
  QColor targetText_ = Qt::black, targetBackground_ = Qt::black;
  std::function<void()> quit_;
};
