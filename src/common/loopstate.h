#pragma once

#include <QObject>

class QKeyEvent;

// What the shell may ask of a presentation or game while its loop owns the
// screen. The loop runs inside the command that started it and lets window
// events through; keys, clicks and "stop" reach it through this face.
class RunningLoop {
 public:
  virtual ~RunningLoop() = default;

  // Asks the loop to end soon (a click, Escape, the page command "stop").
  virtual void Stop() = 0;
  // A key pressed on the page; true when the loop used it.
  virtual bool KeyDown(QKeyEvent& event) {
    (void)event;
    return false;
  }
  // A character typed; true when the loop used it.
  virtual bool KeyPress(QKeyEvent& event) {
    (void)event;
    return false;
  }
  // A mouse click on the page; true when the loop used it.
  virtual bool Click() { return false; }
  // The loop shows its own pages in the main window (a game): closing the
  // window then only stops it, and the game's last page stays.
  virtual bool OwnsPage() const { return false; }
};

// The running flag: which presentation or game loop owns the screen now, if
// any. At most one runs at a time; a loop marks itself for its duration with
// a Scope. Keys and clicks go only to the loop that runs, never to one that
// has ended.
class LoopState : public QObject {
  Q_OBJECT

 public:
  // Marks loop as running from construction to destruction.
  class Scope {
   public:
    Scope(LoopState& state, RunningLoop& loop);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    LoopState& state_;
    RunningLoop* previous_;
  };

  bool Running() const { return current_ != nullptr; }
  RunningLoop* Current() const { return current_; }
  // Tells the running loop to stop; nothing when none runs.
  void StopPresentation();

 Q_SIGNALS:
  void Started();
  // The loop has returned; a handler may release its object.
  void Ended();

 private:
  RunningLoop* current_ = nullptr;
};
