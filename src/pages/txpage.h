#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <vector>

#include "pages/pageloader.h"
#include "pages/pagestate.h"
#include "pages/txinputfield.h"

// The page control: shows one page of markup at a time. Host programs talk
// to it through these properties, operations and events only.
class QScrollBar;
class TXLabel;
class TXRichEdit;
class tXColorButton;

class TXPage : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kDefaultWidth = 800;
  static constexpr int kDefaultHeight = 572;

  explicit TXPage(QWidget* parent = nullptr);
  ~TXPage() override;

  // Directory of the current page, ending with a separator.
  QString XPath() const { return state_.XPath; }
  void setXPath(const QString& directory) { loader_.SetXPath(directory); }
  // File name of the current page; setting it loads and shows that page.
  QString XFile() const { return state_.XFile; }
  bool setXFile(const QString& name) { return loader_.OpenFile(name); }

  void ShowText(const QString& markup) { loader_.ShowText(markup); }
  void ClearPage() { state_.ClearPage(); }
  QString ResolvePath(const QString& reference) const { return loader_.ResolvePath(reference); }

  TXAliasList& Variables() { return state_.Variables; }
  QStringList& Bedingung() { return state_.Bedingung; }
  QString GetVariable(const QString& name) const { return state_.GetVariable(name); }
  void SetVariable(const QString& name, const QString& value) { state_.SetVariable(name, value); }
  bool IsCondition(const QString& name) const { return state_.IsCondition(name); }
  void SetCondition(const QString& name, bool on) { state_.SetCondition(name, on); }

  QString Sonderzeichen() const { return state_.Sonderzeichen; }
  void setSonderzeichen(const QString& characters) { state_.Sonderzeichen = characters; }
  bool HTMLChild() const { return state_.HTMLChild; }
  // A child page takes variables from its parent page.
  void setHTMLChild(bool child, TXPage* parentPage = nullptr);
  int Aufgaben() const { return state_.Exercises.Count(); }
  QString PageTitle() const { return state_.PageTitle; }
  const QStringList& History() const { return state_.History; }
  const tFormatted_text_list& Document() const { return state_.Document; }

  // The host answers special codes ("var Code": it replaces the code with its
  // text). Without a handler the page inserts "[undefined]" for unknown variables.
  using SpecialCodeEvent = std::function<void(TXPage* sender, QString& code)>;
  void setOnSpecialCode(SpecialCodeEvent handler);

  // A command for the host (the text after "§" of a link, the variable name of
  // an INPUT field confirmed with Enter).
  std::function<void(TXPage* sender, const QString& command)> OnCommand;
  // The host draws the picture of a code ("%WxH=code" sources).
  using PictureRequestEvent = std::function<void(TXPage* sender, const QString& code, QImage& picture)>;
  void setOnPictureRequest(PictureRequestEvent handler);

  // The events of links and the mouse (raised on the user-interface thread, in order).
  std::function<void(TXPage* sender)> OnFileChange;
  std::function<void(TXPage* sender, const QString& title)> OnTitleChange;
  std::function<void(TXPage* sender, const QString& badLink)> OnBadLink;
  std::function<void(TXPage* sender, const QString& anker)> OnAnkerChange;
  std::function<void(TXPage* sender, const QString& text)> OnHintChange;
  std::function<void(TXPage* sender, QString& code)> OnMoveCommand;
  std::function<void(TXPage* sender, const QRect& rechteck, const QString& text)> OnRightClick;
  // The program's orderly end (target "END"); without a handler the page's window is closed.
  std::function<void(TXPage* sender)> OnEnd;
  // Exercise parts that run on the page: a multiple-choice answer ("mchx..."),
  // posing the next exercise of a collection ("EX"), the recorder's buttons.
  std::function<void(TXPage* sender, const QString& code)> OnMultipleChoice;
  std::function<void(TXPage* sender)> OnPoseExercise;
  std::function<void(TXPage* sender, const QString& button)> OnRecorderButton;
  // Sound commands with the alias "welle" ("close welle", "open ... alias welle",
  // "play welle from 0"); the answer begins with "Error" on failure. silent: no message.
  std::function<QString(const QString& command, bool silent)> SoundCommand;
  // Plays a short wave file without waiting (hover sounds).
  std::function<void(const QString& file)> PlaySoundAsync;

  // WAIT targets are followed only while this is on.
  bool AutoJump = true;

  // Follows a link target (the one dispatcher of links, keys, buttons, timers).
  void FollowLink(const QString& target, const QRect& rect = QRect());
  // Mouse input reaches the page again while a host command still runs.
  void EnableInput() { inputOn_ = true; }
  bool InputOn() const { return inputOn_; }
  // The link group highlighted under the mouse (-1: none): its first rectangle.
  int HighlightedLink() const { return highlighted_; }

  // Lays out and draws the current page and shows its widgets (done after
  // every new page; call it again after the page was changed).
  void ShowPage();
  // The whole document as drawn (its width is the page's).
  const QImage& Buffer() const { return buffer_; }
  int ScrollPosition() const { return state_.Layout.ScrollPosition; }
  void setScrollPosition(int position);

  // The hint label of "@" links: a note below (or above) the link's rectangle
  // (view coordinates); a click hides it.
  void ShowHint(const QString& text, const QRect& linkRect);
  void HideHint();
  TXLabel* HintLabel() const { return hintLabel_; }
  // The small hint window near the mouse: after 500 ms for 2000 ms.
  void ScheduleTooltip(const QString& text, const QPoint& mouse);
  void CancelTooltip();
  // The full-page reaction after an exercise answer ("kPositiv" / "kNegativ");
  // pending events are let through while it runs, mouse input to the page is ignored.
  void ShowReaction(bool positive, int durationMs);
  bool ReactionRunning() const { return !reaction_.isNull(); }
  // The reaction's text as it is drawn, and its point size (for tests).
  static int ReactionPointSize(const QString& text, int width);

  // The widgets the page's tags created.
  TXInputField* InputField() const { return input_; }
  const std::vector<TXRichEdit*>& GapEditors() const { return gapEditors_; }
  const std::vector<tXColorButton*>& Buttons() const { return buttons_; }

  // The page's state, for the engine's own parts and for tests.
  PageState& state() { return state_; }
  const PageState& state() const { return state_; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  // Replaces the widgets of the last page by those the new page's tags ask for.
  void attachWidgets();
  // Places the page's widgets at their document positions less the scroll position.
  void placeWidgets();
  // After a new page: events, drawing, the broken-link report, hover state.
  void pageShown();
  void reportBadLink();
  void followExerciseCall(const QString& target);
  void toggleCheckBox(const QString& name);
  void playSound(const QString& path);
  void openDocument(const QString& target);
  void runHostCommand(const QString& code);
  // A rectangle's target as followed by a button: alias replaced, hint cut,
  // the side of "°" chosen.
  QString clickTarget(const QString& name, bool right) const;
  // Index of the first link rectangle under a view position, or -1.
  int rectAt(const QPoint& view) const;
  // The first rectangle of the highlighting group a rectangle belongs to, and the group's rectangles.
  std::vector<int> groupOf(int rect) const;
  void hover(const QPoint& view);
  void setHighlighted(int rect);

  PageState state_;
  PageLoader loader_;
  QPointer<TXInputField> input_;
  std::vector<TXRichEdit*> gapEditors_;
  std::vector<tXColorButton*> buttons_;
  QScrollBar* scrollBar_ = nullptr;
  class QTimer* mosaicTimer_ = nullptr;
  class QTimer* tooltipTimer_ = nullptr;
  TXLabel* hintLabel_ = nullptr;
  QString tooltipText_;
  QPoint tooltipAt_;
  QImage reaction_;  // shown instead of the buffer while a reaction runs
  class QTimer* waitTimer_ = nullptr;
  bool inputOn_ = false;
  bool commandRunning_ = false;
  int highlighted_ = -1;
  bool mouseInside_ = false;
  QPoint lastMouse_;
  QString lastAnker_;
  QString lastHint_;
  QString lastReportedHint_;
  int pressedRect_ = -1;
  QImage buffer_;
};
