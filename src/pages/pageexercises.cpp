// Exercises of the page control: typing gaps, multiple choice, drag blocks,
// sentences to put together and exercise collections. Steps that let
// events through (the reaction, gliding blocks, the solved check) guard
// against the page going meanwhile: they stop when the control was destroyed
// or another page was shown, and links followed meanwhile wait for the step's end.
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include "common/messagebox.h"
#include "common/random.h"
#include "pages/dragblocks.h"
#include "pages/sentenceparts.h"
#include "pages/txpage.h"
#include "pages/txrichedit.h"

namespace {

constexpr int kSolvedReactionMs = 2000;
constexpr int kChoiceReactionMs = 1500;
// ShowSolutions shows this many random swaps of a sentence of more than four parts.
constexpr int kShownSwaps = 51;
// More swaps than any sentence needs: a sentence still wrong then is sorted directly.
constexpr int kMaxSwaps = 1000;

}  // namespace

TXPage::ExerciseStep::ExerciseStep(TXPage* page) : page_(page) { ++page->steps_; }

TXPage::ExerciseStep::~ExerciseStep() {
  if (!page_) return;
  if (--page_->steps_ == 0 && page_->loops_ == 0) page_->followDeferredLinks();
}

bool TXPage::letEventsThrough(int waitMs) {
  QPointer<TXPage> self(this);
  const int generation = state_.Generation;
  ++loops_;
  if (waitMs > 0) {
    QEventLoop loop;
    QTimer::singleShot(waitMs, &loop, &QEventLoop::quit);
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    loop.exec();
  } else {
    QCoreApplication::processEvents();
  }
  if (!self) return false;
  --loops_;
  return generation == state_.Generation;
}

void TXPage::followDeferredLinks() {
  std::vector<DeferredLink> links;
  links.swap(deferred_);
  QPointer<TXPage> self(this);
  for (const DeferredLink& link : links) {
    if (!self || busy()) return;
    // A link of a page that has gone meanwhile is not followed.
    if (link.generation == state_.Generation) FollowLink(link.target, link.rect);
  }
}

// ---------------------------------------------------------------------------
// Exercise collections

void TXPage::collectionLoaded() {
  TExerciseCollection& c = state_.Exercises;
  c.ExercisePick = linkPick_ >= 0 ? linkPick_ : c.FilePick;
  linkPick_ = -1;
  poseExercise();
}

void TXPage::poseExercise() {
  if (state_.Exercises.PoseNext() < 0) {
    ShowMessage(QStringLiteral("Keine Aufgaben vorhanden!"), MessageKind::Information);
    return;
  }
  state_.Multiple.Answered = false;
  buildExercisePage();
  attachWidgets();
  state_.Layout.ScrollPosition = 0;
  ShowPage();
  scrollBar_->setValue(0);
  // The exercise is shown: it takes input like any page shown.
  inputOn_ = true;
}

void TXPage::buildExercisePage() {
  TExerciseCollection& c = state_.Exercises;
  waitTimer_->stop();
  const bool keep = state_.KeepMultipleChoice;
  state_.KeepMultipleChoice = true;  // the answers live on while an exercise is built
  ClearPage();
  // "#next" leads to the next exercise while there are exercises still to pose.
  state_.PageAliases.SetValue(QStringLiteral("#next"), c.ExercisePick > 0 ? QStringLiteral("ex") : QString());
  state_.BuildingExercise = true;
  loader_.BuildMarkup(c.ExercisePage(c.Current));
  state_.BuildingExercise = false;
  state_.KeepMultipleChoice = keep;
  exerciseShown_ = true;
}

// ---------------------------------------------------------------------------
// Multiple choice

void TXPage::answerMultipleChoice(const QString& rest) {
  TMultipleChoice& mc = state_.Multiple;
  if (!mc.Reaction.isEmpty()) {
    // The host takes the answer. The list goes first, so that a page the
    // host builds meanwhile keeps its own answers.
    const QString reaction = mc.Reaction;
    mc.Answers.clear();
    runHostCommand(reaction + rest);
    return;
  }
  ExerciseStep step(this);
  mc.Answered = true;
  // The page again, now with the answered view of its MULTIPLE tag.
  if (exerciseShown_) {
    buildExercisePage();
  } else {
    state_.KeepMultipleChoice = true;
    loader_.RebuildCurrent();
    state_.KeepMultipleChoice = false;
  }
  state_.Multiple.Answers.clear();
  attachWidgets();
  QPointer<TXPage> self(this);
  const int generation = state_.Generation;
  ShowReaction(rest.startsWith(QLatin1Char('+')), kChoiceReactionMs);
  if (!self || generation != state_.Generation) return;
  pageShown();
}

// ---------------------------------------------------------------------------
// Typing gaps

int TXPage::gapOf(const TXRichEdit* editor) const {
  for (size_t i = 0; i < gapEditors_.size(); ++i)
    if (gapEditors_[i] == editor) return static_cast<int>(i);
  return -1;
}

void TXPage::gapReturned(TXRichEdit* editor) {
  const int gap = gapOf(editor);
  if (gap < 0 || !editor->isHidden() || !editor->Command.isEmpty()) return;
  drawPlaceholder(gap);
}

void TXPage::gapAnswered(TXRichEdit* editor, bool right) {
  const int gap = gapOf(editor);
  if (gap < 0) return;
  const QString reaction = editor->Command;
  if (!reaction.isEmpty() && !QFileInfo(reaction).suffix().isEmpty()) {
    setXFile(reaction);
    return;
  }
  if (!reaction.isEmpty()) {
    const QString command = right ? reaction + QLatin1Char('#') + QString::number(editor->Attempts()) + QLatin1Char('+')
                                  : reaction + QLatin1Char('-');
    // The host hears of it once the key that gave the answer is handled.
    QMetaObject::invokeMethod(
        this,
        [this, command] {
          runHostCommand(command);
          setFocus();
        },
        Qt::QueuedConnection);
    return;
  }
  ExerciseStep step(this);
  if (right && !checkSolved(true)) return;
  closeGap(gap, right ? editor->text() : editor->Lsg().value(0));
  // A last gap that fails finishes the page as well, without a reaction.
  if (!right && !checkSolved(false)) return;
  pageShown();
}

void TXPage::closeGap(int gap, const QString& shown) {
  TGapSpec& settings = state_.Elements.Gaps[static_cast<size_t>(gap)];
  TXRichEdit* editor = gapEditors_[static_cast<size_t>(gap)];
  editor->setDone(true);
  editor->hide();
  if (settings.FreeStanding) settings.Shown = shown;
  makePlain(settings.Element, true);
}

void TXPage::makePlain(int element, bool typingGap) {
  if (element < 0 || element >= static_cast<int>(state_.Document.size())) return;
  tHTML_format& f = state_.Document[static_cast<size_t>(element)].Format;
  f.GapIndex = -1;
  f.LinkIndex = -1;
  // The answer now reads like the text around it (gap words have the GAP colour).
  if (typingGap) f.Font.TextColor = kPageTextColor;
}

void TXPage::drawPlaceholder(int gap) {
  const PageElements& e = state_.Elements;
  if (gap < 0 || gap >= static_cast<int>(e.Gaps.size())) return;
  const TGapSpec& settings = e.Gaps[static_cast<size_t>(gap)];
  QRect area;
  QPainter p(&buffer_);
  if (settings.FreeStanding && settings.Element < 0) {
    // A field of its own shows the answer where it stood.
    if (settings.Shown.isEmpty() || gap >= static_cast<int>(gapEditors_.size())) return;
    area = settings.Bounds;
    p.setFont(gapEditors_[static_cast<size_t>(gap)]->font());
    p.setPen(Qt::black);
    p.drawText(area, Qt::AlignCenter, settings.Shown);
  } else {
    const auto it = e.Placeholders.find(gap);
    if (it == e.Placeholders.end()) return;
    area = QRect(settings.EditorRect.topLeft(), it->size());
    p.drawImage(area.topLeft(), *it);
  }
  update(area.translated(0, -state_.Layout.ScrollPosition));
}

void TXPage::drawClosedGaps() {
  const PageElements& e = state_.Elements;
  for (size_t i = 0; i < gapEditors_.size() && i < e.Gaps.size(); ++i) {
    if (!gapEditors_[i]->Done()) continue;
    const TGapSpec& settings = e.Gaps[i];
    const bool stillGap = settings.Element >= 0 && settings.Element < static_cast<int>(state_.Document.size()) &&
                          state_.Document[static_cast<size_t>(settings.Element)].Format.GapIndex == static_cast<int>(i);
    if (stillGap || (settings.FreeStanding && settings.Element < 0)) drawPlaceholder(static_cast<int>(i));
  }
}

// ---------------------------------------------------------------------------
// Solved

bool TXPage::Solved() const {
  for (const TXRichEdit* e : gapEditors_)
    if (!e->Done()) return false;
  if (!DragBlocks::AllFilled(state_.Elements.Drag)) return false;
  for (const TSentence& s : state_.Elements.Sentences)
    if (!s.Solved) return false;
  return true;
}

bool TXPage::checkSolved(bool react) {
  QPointer<TXPage> self(this);
  const int generation = state_.Generation;
  const auto stillHere = [&] { return self && generation == state_.Generation; };
  if (!letEventsThrough()) return false;
  if (!Solved()) return true;
  removeTrayBlocks();
  if (!letEventsThrough()) return false;
  bool doReact = react;
  if (OnSolved) OnSolved(this, doReact);
  if (!stillHere()) return false;
  if (react && doReact) ShowReaction(true, kSolvedReactionMs);
  return stillHere();
}

void TXPage::removeTrayBlocks() {
  auto& blocks = state_.Elements.Drag.Blocks;
  QPainter p(&buffer_);
  for (const tDragKlotz& b : blocks)
    if (b.Rect.topLeft() == b.Home && !b.Background.isNull()) p.drawImage(b.Home, b.Background);
  blocks.clear();
  update();
}

// ---------------------------------------------------------------------------
// Dragging blocks and sentence parts

bool TXPage::startDrag(const QPoint& view) {
  const QPoint doc = view + QPoint(0, state_.Layout.ScrollPosition);
  TDragExercise& d = state_.Elements.Drag;
  const int b = DragBlocks::BlockAt(d, doc);
  if (b >= 0) {
    const tDragKlotz& block = d.Blocks[static_cast<size_t>(b)];
    // Lifted: the page under the block comes back.
    QPainter(&buffer_).drawImage(block.Rect.topLeft(), block.Background);
    drag_ = DragState{DragKind::Block, b, -1, doc - block.Rect.topLeft(), block.Rect.topLeft(), doc, false, block.Image};
    setCursor(Qt::ClosedHandCursor);
    update();
    return true;
  }
  auto& sentences = state_.Elements.Sentences;
  for (size_t i = 0; i < sentences.size(); ++i) {
    const int part = SentenceParts::PartAt(sentences[i], doc);
    if (part < 0) continue;
    const tSatzteil& p = sentences[i].Parts[static_cast<size_t>(part)];
    drag_ = DragState{DragKind::Part, part, static_cast<int>(i), doc - p.Rect.topLeft(), p.Rect.topLeft(), doc, false, p.Image};
    redrawSentence(static_cast<int>(i), part);
    setCursor(Qt::ClosedHandCursor);
    return true;
  }
  return false;
}

void TXPage::dragTo(const QPoint& view) {
  const QPoint doc = view + QPoint(0, state_.Layout.ScrollPosition);
  drag_.lastMouse = doc;
  QPoint pos = doc - drag_.grab;
  // The image stays inside the control.
  const QSize size = drag_.image.size();
  const int top = state_.Layout.ScrollPosition;
  pos.setX(std::clamp(pos.x(), 0, std::max(0, width() - size.width())));
  pos.setY(std::clamp(pos.y(), top, std::max(top, top + height() - size.height())));
  drag_.snapped = false;
  if (drag_.kind == DragKind::Block) {
    const TDragExercise& d = state_.Elements.Drag;
    const int gap = DragBlocks::SnapGap(d, pos);
    if (gap >= 0) {
      pos = d.Gaps[static_cast<size_t>(gap)].Rect.topLeft();
      drag_.snapped = true;
    }
  } else if (drag_.kind == DragKind::Part) {
    TSentence& s = state_.Elements.Sentences[static_cast<size_t>(drag_.sentence)];
    const SentenceParts::Match m = SentenceParts::MatchAt(s, drag_.index, doc);
    if (m.part >= 0) {
      pos = QPoint(m.left, s.Rect.top());
      drag_.snapped = true;
      if (m.part != drag_.index) {
        // The two parts change places.
        std::swap(s.Parts[static_cast<size_t>(drag_.index)], s.Parts[static_cast<size_t>(m.part)]);
        SentenceParts::LayoutParts(s);
        drag_.index = m.part;
        redrawSentence(drag_.sentence, drag_.index);
      }
    }
  }
  drag_.pos = pos;
  update();
}

void TXPage::endDrag(const QPoint& view) {
  ExerciseStep step(this);
  const QPoint doc = view + QPoint(0, state_.Layout.ScrollPosition);
  if (doc != drag_.lastMouse) {
    // Released where no movement brought it: it lies there, but only a
    // movement snaps it to a gap.
    QPoint pos = doc - drag_.grab;
    const int top = state_.Layout.ScrollPosition;
    pos.setX(std::clamp(pos.x(), 0, std::max(0, width() - drag_.image.width())));
    pos.setY(std::clamp(pos.y(), top, std::max(top, top + height() - drag_.image.height())));
    drag_.pos = pos;
    drag_.snapped = false;
  }
  if (drag_.kind == DragKind::Block) {
    TDragExercise& d = state_.Elements.Drag;
    const tDragKlotz& block = d.Blocks[static_cast<size_t>(drag_.index)];
    const int gap = DragBlocks::RightGap(d, drag_.pos, block.Text);
    if (gap >= 0) {
      dropBlock(gap);
      return;
    }
    // Back to the tray.
    if (!glide(block.Home)) return;
    const int index = drag_.index;
    drag_ = DragState();
    unsetCursor();
    auto& blocks = state_.Elements.Drag.Blocks;
    if (index < static_cast<int>(blocks.size())) putBlockDown(blocks[static_cast<size_t>(index)], blocks[static_cast<size_t>(index)].Home);
    return;
  }
  const int si = drag_.sentence;
  const int part = drag_.index;
  if (!drag_.snapped && !glide(state_.Elements.Sentences[static_cast<size_t>(si)].Parts[static_cast<size_t>(part)].Rect.topLeft()))
    return;
  drag_ = DragState();
  unsetCursor();
  redrawSentence(si, -1);
  if (SentenceParts::ReadsRight(state_.Elements.Sentences[static_cast<size_t>(si)])) sentenceSolved(si);
}

void TXPage::dropBlock(int gap) {
  TDragExercise& d = state_.Elements.Drag;
  TDropGap& g = d.Gaps[static_cast<size_t>(gap)];
  const QString text = d.Blocks[static_cast<size_t>(drag_.index)].Text;
  // Put down in its gap; the gap's word becomes text and the block goes.
  QPainter(&buffer_).drawImage(g.Rect.topLeft(), drag_.image);
  d.Blocks.erase(d.Blocks.begin() + drag_.index);
  drag_ = DragState();
  unsetCursor();
  update();
  makePlain(g.Element, false);
  g.Filled = true;
  QPointer<TXPage> self(this);
  const int generation = state_.Generation;
  if (OnDrag) OnDrag(this, text);
  if (!self || generation != state_.Generation) return;
  if (!checkSolved(true)) return;
  pageShown();
}

bool TXPage::glide(QPoint to) {
  const QPoint from = drag_.pos;
  const int steps = DragBlocks::kGlideSteps;
  for (int step = 1; step <= steps; ++step) {
    drag_.pos = QPoint(from.x() + (to.x() - from.x()) * step / steps, from.y() + (to.y() - from.y()) * step / steps);
    update();
    if (!letEventsThrough(GlideStepMs)) return false;
  }
  return true;
}

void TXPage::putBlockDown(tDragKlotz& block, const QPoint& at) {
  block.Rect.moveTopLeft(at);
  block.Background = buffer_.copy(block.Rect);
  QPainter(&buffer_).drawImage(at, block.Image);
  update();
}

void TXPage::redrawSentence(int sentence, int dragged) {
  const TSentence& s = state_.Elements.Sentences[static_cast<size_t>(sentence)];
  SentenceParts::Draw(s, buffer_, dragged, SentenceParts::EmptyPlaceColour(state_.Body));
  update();
}

void TXPage::sentenceSolved(int sentence) {
  TSentence& s = state_.Elements.Sentences[static_cast<size_t>(sentence)];
  s.Solved = true;
  SentenceParts::DrawSolved(s, buffer_, state_.Body, &state_.Layout.Words);
  update();
  checkSolved(true);
}

// ---------------------------------------------------------------------------
// Showing the solutions

bool TXPage::solveSentence(int index) {
  const auto sentence = [&]() -> TSentence& { return state_.Elements.Sentences[static_cast<size_t>(index)]; };
  if (!sentence().Prepared) {
    SentenceParts::Prepare(sentence(), state_.Body);
    SentenceParts::LayoutParts(sentence());
  }
  const int n = static_cast<int>(sentence().Parts.size());
  const auto shownSwap = [&](int a, int b) {
    std::swap(sentence().Parts[static_cast<size_t>(a)], sentence().Parts[static_cast<size_t>(b)]);
    SentenceParts::LayoutParts(sentence());
    redrawSentence(index, -1);
    return letEventsThrough(SwapPauseMs);
  };
  const auto twoDifferent = [n](int& a, int& b) {
    a = Random::below(n);
    b = Random::below(n - 1);
    if (b >= a) ++b;
  };
  int swaps = 0;
  if (n > 4) {
    for (int k = 0; k < kShownSwaps; ++k) {
      int a, b;
      twoDifferent(a, b);
      if (!shownSwap(a, b)) return false;
    }
    // Then place by place from the first: swapped with later parts until the right one stands there.
    for (int pos = 0; pos < n - 1; ++pos) {
      const QString wanted = sentence().CorrectParts.value(pos);
      while (sentence().Parts[static_cast<size_t>(pos)].Text != wanted && ++swaps < kMaxSwaps)
        if (!shownSwap(pos, pos + 1 + Random::below(n - pos - 1))) return false;
    }
  } else if (n > 1) {
    while (!SentenceParts::ReadsRight(sentence()) && ++swaps < kMaxSwaps) {
      int a, b;
      twoDifferent(a, b);
      if (!shownSwap(a, b)) return false;
    }
  }
  TSentence& s = sentence();
  if (!SentenceParts::ReadsRight(s)) {
    std::vector<tSatzteil> sorted;
    std::vector<tSatzteil> left = s.Parts;
    for (const QString& text : s.CorrectParts) {
      const auto it = std::find_if(left.begin(), left.end(), [&](const tSatzteil& p) { return p.Text == text; });
      if (it == left.end()) continue;
      sorted.push_back(*it);
      left.erase(it);
    }
    s.Parts = sorted;
    SentenceParts::LayoutParts(s);
  }
  s.Solved = true;
  SentenceParts::DrawSolved(s, buffer_, state_.Body, &state_.Layout.Words);
  update();
  return true;
}

void TXPage::ShowSolutions() {
  if (Solved()) return;
  ExerciseStep step(this);
  QPointer<TXPage> self(this);
  const int generation = state_.Generation;
  const auto gone = [&] { return !self || generation != state_.Generation; };
  // Shows the page anew with input kept off.
  const auto announce = [&] {
    ++loops_;
    pageShown();
    if (!self) return false;
    --loops_;
    inputOn_ = false;
    return !gone();
  };
  inputOn_ = false;

  // 1. Typing gaps show their answers.
  bool changed = false;
  for (size_t i = 0; i < gapEditors_.size() && i < state_.Elements.Gaps.size(); ++i) {
    TXRichEdit* e = gapEditors_[i];
    if (e->Done()) continue;
    closeGap(static_cast<int>(i), e->Lsg().value(0));
    changed = true;
  }
  if (changed && !announce()) return;

  // 2. Blocks glide into their gaps.
  changed = false;
  for (size_t g = 0; g < state_.Elements.Drag.Gaps.size(); ++g) {
    TDragExercise& d = state_.Elements.Drag;
    if (!d.Gaps[g].Open()) continue;
    const int b = DragBlocks::BlockFor(d, static_cast<int>(g));
    if (b >= 0) {
      const tDragKlotz& block = d.Blocks[static_cast<size_t>(b)];
      QPainter(&buffer_).drawImage(block.Rect.topLeft(), block.Background);
      drag_ = DragState{DragKind::Block, b, -1, QPoint(), block.Rect.topLeft(), QPoint(), false, block.Image};
      if (!glide(d.Gaps[g].Rect.topLeft())) return;
      TDragExercise& after = state_.Elements.Drag;
      QPainter(&buffer_).drawImage(after.Gaps[g].Rect.topLeft(), drag_.image);
      after.Blocks.erase(after.Blocks.begin() + b);
      drag_ = DragState();
    }
    TDropGap& gap = state_.Elements.Drag.Gaps[g];
    makePlain(gap.Element, false);
    gap.Filled = true;
    changed = true;
  }
  update();
  if (changed && !announce()) return;

  // 3. Sentences sort themselves.
  for (size_t i = 0; i < state_.Elements.Sentences.size(); ++i) {
    if (state_.Elements.Sentences[i].Solved) continue;
    if (!solveSentence(static_cast<int>(i)) || gone()) return;
  }

  // 4. The tray is emptied; no reaction follows.
  removeTrayBlocks();
  inputOn_ = true;
  bool doReact = false;
  if (OnSolved) OnSolved(this, doReact);
}
