#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "pages/pageloader.h"
#include "pages/pagerecorder.h"
#include "pages/pagestate.h"
#include "pages/textcache.h"
#include "pages/txinputfield.h"

// The page control: shows one page of markup at a time. Host programs talk
// to it through these properties, operations and events only.
class QScrollBar;
class TXLabel;
class PageClickGuard;
class TXRichEdit;
struct tDragKlotz;
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
  // Also stops and removes the page's recorder.
  void ClearPage();
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
  // The page's exercises are all done: raised with doReact true after the
  // last gap was answered or block dropped; the reaction ("kPositiv") runs
  // unless the handler sets doReact to false. After ShowSolutions, and after
  // a last gap that failed, it is raised with doReact false and no reaction.
  std::function<void(TXPage* sender, bool& doReact)> OnSolved;
  // A drag block was dropped into the gap that expects its text.
  std::function<void(TXPage* sender, const QString& text)> OnDrag;
  // Sound commands with the alias "welle" ("close welle", "open ... alias welle",
  // "play welle from 0"); the answer begins with "Error" on failure. silent: no message.
  std::function<QString(const QString& command, bool silent)> SoundCommand;
  // Plays a short wave file without waiting (hover sounds).
  std::function<void(const QString& file)> PlaySoundAsync;
  // Makes the recording panel of a RECORDER tag (see TPageRecorder).
  PageRecorderFactory CreateRecorder;

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
  // The host draws its pictures ("%WxH=code") again, and the page is drawn
  // anew without being built or laid out again: its widgets, gap answers
  // and recorder stay as they are.
  void RefreshHostPictures();
  // The drawing layer of presentations and games: while it is on, the page
  // shows this picture (view size) in place of its own buffer, and neither
  // hover highlights, mosaic tiles nor WAIT timers paint or jump. Switching
  // it on starts it as a copy of what the page shows; switching it off shows
  // the page again.
  void SetOverlay(bool on);
  bool OverlayOn() const { return overlayOn_; }
  QImage& Overlay() { return overlay_; }
  // Puts a rectangle of the overlay on the screen at once (not at the next paint).
  void RepaintOverlay(const QRect& rect);
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
  bool TooltipPending() const;
  // The full-page reaction after an exercise answer ("kPositiv" / "kNegativ");
  // pending events are let through while it runs, mouse input to the page is ignored.
  void ShowReaction(bool positive, int durationMs);
  bool ReactionRunning() const { return !reaction_.isNull(); }
  // The reaction's text as it is drawn, and its point size (for tests).
  static int ReactionPointSize(const QString& text, int width);

  // Solves every exercise of the page before the learner's eyes: gaps show
  // their answers, blocks glide into their gaps, sentences sort themselves.
  // Nothing happens on a page that is solved already.
  void ShowSolutions();
  // No typing gap is open, no drop gap empty, no sentence left to put together.
  bool Solved() const;
  // Milliseconds between the steps of a gliding block or part, and between
  // the swaps of a sentence that ShowSolutions sorts.
  int GlideStepMs = 3;
  int SwapPauseMs = 20;
  // A drag block or sentence part is being dragged.
  bool Dragging() const { return drag_.kind != DragKind::None; }
  // Where the dragged block or part is drawn (document coordinates).
  QPoint DragPosition() const { return drag_.pos; }

  // The widgets the page's tags created.
  TXInputField* InputField() const { return input_; }
  const std::vector<TXRichEdit*>& GapEditors() const { return gapEditors_; }
  const std::vector<tXColorButton*>& Buttons() const { return buttons_; }
  // The recording panel of a page with a RECORDER (null otherwise); it draws
  // into the page's buffer and answers the links "rec" and "play".
  TPageRecorder* Recorder() const { return recorder_.get(); }

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

  // Exercises (pageexercises.cpp).
  void collectionLoaded();
  void poseExercise();
  void buildExercisePage();
  void answerMultipleChoice(const QString& rest);
  void gapReturned(TXRichEdit* editor);
  void gapAnswered(TXRichEdit* editor, bool right);
  int gapOf(const TXRichEdit* editor) const;
  // The gap is over: its editor done and hidden, its word plain text.
  void closeGap(int gap, const QString& shown);
  // The page element is no longer a gap nor a link.
  void makePlain(int element, bool typingGap);
  // Draws what stands where closed gaps' editors were.
  void drawClosedGaps();
  QImage overlay_;
  bool overlayOn_ = false;
  void drawPlaceholder(int gap);
  // The check after an exercise step; false when the page went meanwhile.
  bool checkSolved(bool react);
  void removeTrayBlocks();
  bool startDrag(const QPoint& view);
  void dragTo(const QPoint& view);
  void endDrag(const QPoint& view);
  void dropBlock(int gap);
  // Moves the dragged image to a place in 100 steps; false when the page went meanwhile.
  bool glide(QPoint to);
  void putBlockDown(tDragKlotz& block, const QPoint& at);
  void sentenceSolved(int sentence);
  // Sorts a sentence before the learner's eyes; false when the page went meanwhile.
  bool solveSentence(int sentence);
  void redrawSentence(int sentence, int dragged);
  // Lets pending events through; false when the page went meanwhile.
  bool letEventsThrough(int waitMs = 0);
  void followDeferredLinks();
  bool busy() const { return loops_ > 0; }

  // An exercise step: links followed while it lets events through wait until it ends.
  class ExerciseStep {
   public:
    explicit ExerciseStep(TXPage* page);
    ~ExerciseStep();
   private:
    QPointer<TXPage> page_;
  };
  enum class DragKind { None, Block, Part };
  struct DragState {
    DragKind kind = DragKind::None;
    int index = -1;     // the block, or the part of the sentence
    int sentence = -1;
    QPoint grab;        // mouse position within the image
    QPoint pos;         // the image's top-left corner (document coordinates)
    QPoint lastMouse;
    bool snapped = false;
    QImage image;
  };
  struct DeferredLink {
    QString target;
    QRect rect;
    int generation = 0;
  };
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
  std::unique_ptr<TPageRecorder> recorder_;
  QScrollBar* scrollBar_ = nullptr;
  class QTimer* mosaicTimer_ = nullptr;
  class QTimer* tooltipTimer_ = nullptr;
  TXLabel* hintLabel_ = nullptr;
  PageClickGuard* clickGuard_ = nullptr;
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
  TextCache text_;  // fonts and measures, kept from page to page
  DragState drag_;
  int loops_ = 0;           // loops that let events through are running
  int steps_ = 0;           // exercise steps are running
  std::vector<DeferredLink> deferred_;
  bool exerciseShown_ = false;  // the page is an exercise of the collection
  int linkPick_ = -1;           // PICK of the EX call that loads a collection
};
