#pragma once

#include <QColor>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <vector>

class QTimer;

// The editor of one typing gap. It lies over its gap word (or at its EDIT
// coordinates), is hidden until the page is drawn, and checks the learner's
// answer against the accepted solutions. A single line drawn by itself, so
// that single letters can be coloured: typed letters are black, the letters
// of an almost right answer that do not belong to the nearest solution red.
class TXRichEdit : public QFrame {
  Q_OBJECT

 public:
  explicit TXRichEdit(QWidget* parent = nullptr);
  ~TXRichEdit() override;

  static constexpr int kMaxAttempts = 5;

  const QStringList& Lsg() const { return lsg_; }
  // Setting the solutions starts the gap afresh.
  void setLsg(const QStringList& solutions);
  QString Hilfe;    // "*": a masked form of the first solution
  QString Command;  // the gap's reaction
  int Margin = 2;   // inner margin on all sides
  int Element = -1; // the page element the editor lies over
  int Attempts() const { return attempts_; }
  // The gap has been answered, right or finally wrong.
  bool Done() const { return done_; }
  void setDone(bool done) { done_ = done; }

  // The text and the colour of each letter.
  QString text() const { return text_; }
  void setText(const QString& text);
  QColor letterColor(int index) const;
  int cursorPosition() const { return cursor_; }
  void setCursorPosition(int position);
  // The selected letters (Shift with the arrow keys, Home and End); typing replaces them.
  int selectionStart() const { return selectionStart_; }
  int selectionLength() const { return selectionLength_; }

  // The text F2 and F12 put into the field.
  QString HelpText() const;
  // Text centred in the field (EDIT) instead of left-aligned.
  void setCentered(bool centred);
  // Space above the text; -1 centres the line vertically.
  void setTopMargin(int margin);
  void setBackground(const QColor& colour);

  // Checks the field's text as the Enter key does. The first empty answer
  // only asks (in the note) whether the learner gives up; the next one does.
  void CheckAnswer();

  // The short note beside the field after an answer that was not right
  // ("falsch", "fast richtig" and the attempts left); empty while none shows.
  QString Note() const;
  static QString WrongNote(int attemptsLeft);
  static QString AlmostNote(int attemptsLeft);
  static QString GiveUpQuestion();

  // While this answers true, keys are ignored (the page runs an animation).
  std::function<bool()> InputBlocked;

  std::function<void()> OnRichtig;
  std::function<void()> OnFalsch;
  std::function<void()> OnBeinahe;
  std::function<void()> OnReturn;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  // Moves the cursor; with select the selection grows or shrinks from its anchor.
  void moveCursor(int position, bool select);
  void typeCharacter(QChar c);
  void removeSelection();
  // Select all, copy, cut and paste; false for any other key.
  bool editKeys(QKeyEvent* event);
  void clearSelection();
  void accentKey();
  void showHelp();
  // The gap is over: hidden, done, OnReturn and then OnRichtig or OnFalsch.
  void finish(bool right);
  QRect textArea() const;
  int textLeft() const;  // x of the first letter, after centring and scrolling
  int positionAt(int x) const;
  void restartBlink();
  void showNote(const QString& text, const QColor& colour);
  void placeNote();

  QStringList lsg_;
  int attempts_ = 0;
  bool done_ = false;
  QString text_;
  std::vector<bool> red_;
  int cursor_ = 0;
  int selectionStart_ = 0;
  int selectionLength_ = 0;
  bool centred_ = false;
  int topMargin_ = -1;
  int scroll_ = 0;
  QColor background_ = Qt::white;
  QTimer* blink_ = nullptr;
  bool cursorVisible_ = true;
  bool giveUpAsked_ = false;
  // A sibling on the page, so that it may lie outside the field.
  QPointer<QLabel> note_;
};
