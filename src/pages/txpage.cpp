#include "pages/txpage.h"

#include <QApplication>
#include <QCoreApplication>
#include <QResizeEvent>

#include <QPainter>
#include <QScrollBar>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QToolTip>

#include "common/random.h"
#include "pages/txlabel.h"
#include <QWheelEvent>

#include "pages/blendmodes.h"
#include "pages/mosaic.h"
#include "pages/pageclickguard.h"
#include "pages/pagefonts.h"
#include "pages/pagelayout.h"
#include "pages/pagerenderer.h"
#include "pages/txcolorbutton.h"
#include "pages/txinputfield.h"
#include "pages/txrichedit.h"

TXPage::TXPage(QWidget* parent) : QWidget(parent), loader_(state_) {
  resize(kDefaultWidth, kDefaultHeight);
  state_.ProgramDir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
  setAttribute(Qt::WA_OpaquePaintEvent);
  hintLabel_ = new TXLabel(this);
  hintLabel_->hide();
  clickGuard_ = new PageClickGuard(this);
  tooltipTimer_ = new QTimer(this);
  tooltipTimer_->setSingleShot(true);
  connect(tooltipTimer_, &QTimer::timeout, this, [this] {
    QToolTip::showText(mapToGlobal(tooltipAt_ + QPoint(12, 16)), tooltipText_, this, QRect(), 2000);
  });
  mosaicTimer_ = new QTimer(this);
  connect(mosaicTimer_, &QTimer::timeout, this, [this] {
    if (overlayOn_) return;
    const PageElements& e = state_.Elements;
    const QRect changed = RefillRandomTile(buffer_, e.MosaicTiles, e.MosaicPictures);
    if (changed.isEmpty()) mosaicTimer_->stop();
    else update(changed.translated(0, -state_.Layout.ScrollPosition));
  });
  scrollBar_ = new QScrollBar(Qt::Vertical, this);
  scrollBar_->hide();
  connect(scrollBar_, &QScrollBar::valueChanged, this, [this](int value) { setScrollPosition(value); });
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  waitTimer_ = new QTimer(this);
  waitTimer_->setSingleShot(true);
  connect(waitTimer_, &QTimer::timeout, this, [this] {
    if (AutoJump && !overlayOn_) FollowLink(state_.WaitTarget);
  });
  // A page that is cleared stops the sound it started.
  state_.OnCleared = [this] {
    if (SoundCommand) SoundCommand(QStringLiteral("close welle"), true);
  };
  loader_.OnPageBuilt = [this] {
    exerciseShown_ = false;
    attachWidgets();
    pageShown();
  };
  loader_.OnCollectionLoaded = [this] { collectionLoaded(); };
}

void TXPage::ShowPage() {
  if (OnTitleChange) OnTitleChange(this, state_.PageTitle);
  PageLayout(state_, text_).Run(width(), height());
  PageRenderer(state_, text_).Draw(buffer_, width(), height());
  drawClosedGaps();
  highlighted_ = -1;
  const TPageLayout& l = state_.Layout;
  scrollBar_->setGeometry(width() - PageLayout::kScrollBarWidth, 0, PageLayout::kScrollBarWidth, height());
  scrollBar_->setRange(0, l.ScrollMax);
  scrollBar_->setSingleStep(5);
  scrollBar_->setPageStep(std::max(1, height() - 16));
  scrollBar_->setEnabled(l.ScrollBarVisible);
  scrollBar_->setVisible(l.ScrollBarVisible);
  mosaicTimer_->stop();
  if (!state_.Elements.MosaicTiles.Tiles.empty() && state_.Elements.Lomo)
    mosaicTimer_->start(MosaicInterval(state_.Elements.Lomo->Speed));
  placeWidgets();
  // A page with key links takes the keyboard.
  if (!state_.KeyLinks.IsEmpty() && isVisible() && (!parentWidget() || parentWidget()->isVisible())) setFocus();
  // Gap editors that are not solved, the input field and the buttons appear
  // once the page is drawn; the first open gap, or the input field, takes the focus.
  bool focused = false;
  for (TXRichEdit* e : gapEditors_) {
    if (e->Done()) continue;
    e->show();
    if (!focused && window()->isVisible()) {
      e->setFocus();
      focused = true;
    }
  }
  if (input_) {
    input_->show();
    input_->setFocus();
  }
  for (tXColorButton* b : buttons_) b->show();
  // The recorder draws its buttons into the fresh buffer and is switched on.
  if (recorder_) recorder_->SetVisible(true);
  update();
  // ONSHOW: a command for the host, or a piece of music to play.
  const QString show = state_.ShowCommand;
  if (!show.isEmpty()) {
    if (show.endsWith(QLatin1String(".mp3"), Qt::CaseInsensitive)) FollowLink(show);
    else if (OnCommand) OnCommand(this, show);
  }
}

void TXPage::SetOverlay(bool on) {
  if (on == overlayOn_) return;
  overlayOn_ = on;
  if (on) {
    setHighlighted(-1);
    mosaicTimer_->stop();
    waitTimer_->stop();
    overlay_ = QImage(size(), QImage::Format_RGB32);
    overlay_.fill(Qt::black);
    if (!buffer_.isNull()) {
      QPainter p(&overlay_);
      p.drawImage(QPoint(0, 0), buffer_, QRect(0, state_.Layout.ScrollPosition, width(), height()));
    }
  } else {
    overlay_ = QImage();
    // The page's own timers go on where the presentation stopped them.
    if (!state_.Elements.MosaicTiles.Tiles.empty() && state_.Elements.Lomo)
      mosaicTimer_->start(MosaicInterval(state_.Elements.Lomo->Speed));
    if (state_.WaitTime > 0 && !state_.WaitTarget.isEmpty()) waitTimer_->start(state_.WaitTime);
  }
  update();
}

void TXPage::RepaintOverlay(const QRect& rect) {
  if (overlayOn_) repaint(rect.intersected(this->rect()));
}

void TXPage::RefreshHostPictures() {
  if (!state_.PictureRequest) return;
  bool changed = false;
  for (TPicture& picture : state_.Elements.Pictures) {
    if (!picture.HostPicture || !picture.Source.startsWith(QLatin1Char('%'))) continue;
    const qsizetype eq = picture.Source.indexOf(QLatin1Char('='));
    picture.Image.fill(Qt::white);
    state_.PictureRequest(eq < 0 ? QString() : picture.Source.mid(eq + 1), picture.Image);
    changed = true;
  }
  if (!changed) return;
  PageRenderer(state_, text_).Draw(buffer_, width(), height());
  drawClosedGaps();
  if (recorder_) recorder_->SetVisible(true);
  update();
}

void TXPage::setScrollPosition(int position) {
  const int p = std::clamp(position, 0, state_.Layout.ScrollMax);
  if (p == state_.Layout.ScrollPosition) return;
  state_.Layout.ScrollPosition = p;
  if (scrollBar_->value() != p) scrollBar_->setValue(p);
  placeWidgets();
  update();
}

void TXPage::placeWidgets() {
  const int dy = -state_.Layout.ScrollPosition;
  const PageElements& e = state_.Elements;
  for (size_t i = 0; i < gapEditors_.size() && i < e.Gaps.size(); ++i) {
    const TGapSpec& gap = e.Gaps[i];
    QRect r = gap.FreeStanding ? gap.Bounds : gap.EditorRect;
    if (!gap.FreeStanding && !gap.NoBorder) r.adjust(0, -2, 0, 2);
    gapEditors_[i]->setGeometry(r.translated(0, dy));
  }
  if (input_ && e.Input) input_->move(e.Input->Rect.x(), e.Input->Rect.y() + dy);
  for (size_t i = 0; i < buttons_.size() && i < e.Buttons.size(); ++i)
    buttons_[i]->setGeometry(e.Buttons[i].Rect.translated(0, dy));
}

void TXPage::ShowHint(const QString& text, const QRect& link) {
  // 200 pixels of word-wrapped text with 8 pixels of padding on every side.
  constexpr int kTextWidth = 200;
  hintLabel_->setAutoSize(false);
  hintLabel_->setWordWrap(true);
  hintLabel_->setCaption(text);
  const int textHeight =
      QFontMetrics(hintLabel_->font()).boundingRect(QRect(0, 0, kTextWidth, 100000), Qt::TextWordWrap, text).height();
  hintLabel_->resize(kTextWidth + 16, textHeight + 16);
  const QSize size = hintLabel_->size();
  int x = link.left() + 8;
  int y = link.bottom() + 1 + 8;
  if (x + size.width() > width() - 8) x = buffer_.width() - 24 - size.width();
  if (y + size.height() > height() - 24) y = link.top() - size.height() - 8;
  hintLabel_->move(std::max(0, x), std::max(0, y));
  hintLabel_->show();
  hintLabel_->raise();
}

void TXPage::HideHint() { hintLabel_->hide(); }

void TXPage::ScheduleTooltip(const QString& text, const QPoint& mouse) {
  tooltipText_ = text;
  tooltipAt_ = mouse;
  tooltipTimer_->start(500);
}

bool TXPage::TooltipPending() const { return tooltipTimer_->isActive(); }

void TXPage::CancelTooltip() {
  tooltipTimer_->stop();
  QToolTip::hideText();
}

int TXPage::ReactionPointSize(const QString& text, int width) {
  // Starts at 48 points and shrinks by 2 until the text fits; never below 6.
  QFont font(QStringLiteral("Times New Roman"));
  font.setItalic(true);
  int points = 48;
  for (; points > 6; points -= 2) {
    font.setPointSize(points);
    if (QFontMetrics(font).horizontalAdvance(text) <= width - 40) break;
  }
  return points;
}

void TXPage::ShowReaction(bool positive, int durationMs) {
  const QString text = positive ? state_.GetVariable(QStringLiteral("kPositiv"), QStringLiteral("Unglaublich!"))
                                : state_.GetVariable(QStringLiteral("kNegativ"), QStringLiteral("Oh nein!"));
  QFont font(QStringLiteral("Times New Roman"));
  font.setItalic(true);
  font.setPointSize(ReactionPointSize(text, width()));
  const QFontMetrics m(font);
  QPoint at((width() - m.horizontalAdvance(text)) / 2, (height() + m.ascent() - m.descent()) / 2);
  reaction_ = QImage(size(), QImage::Format_RGB32);

  // Events go on meanwhile: links they follow wait until the reaction is over,
  // and a page destroyed meanwhile ends it at once.
  QPointer<TXPage> self(this);
  ++loops_;
  QEventLoop loop;
  QTimer frames;
  connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
  const auto frame = [&] {
    if (!self) {
      loop.quit();
      return;
    }
    reaction_.fill(Qt::black);
    QPainter p(&reaction_);
    const int specks = 4 + Random::below(4);
    for (int i = 0; i < specks; ++i) {
      p.setPen(Qt::NoPen);
      p.setBrush(Random::below(2) ? QColor(0xC0, 0xC0, 0xC0) : QColor(0x80, 0x80, 0x80));
      const QPoint c(Random::below(std::max(1, width())), Random::below(std::max(1, height())));
      if (Random::below(2)) p.drawRect(QRect(c, QSize(1 + Random::below(6), 1 + Random::below(8))));
      else p.drawEllipse(QRect(c, QSize(1 + Random::below(10), 1 + Random::below(10))));
    }
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(at, text);
    at += QPoint(Random::below(5) - 2, Random::below(5) - 2);
    update();
  };
  connect(&frames, &QTimer::timeout, &loop, frame);
  frame();
  frames.start(20);
  QTimer::singleShot(std::max(0, durationMs), &loop, &QEventLoop::quit);
  loop.exec();
  if (!self) return;
  --loops_;
  reaction_ = QImage();
  update();
  if (loops_ == 0 && steps_ == 0) followDeferredLinks();
}

void TXPage::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (overlayOn_) {
    p.drawImage(0, 0, overlay_);
    return;
  }
  if (!reaction_.isNull()) {
    p.drawImage(0, 0, reaction_);
    return;
  }
  const int w = width() - (scrollBar_->isVisible() ? PageLayout::kScrollBarWidth + 1 : 0);
  if (buffer_.isNull()) {
    p.fillRect(rect(), Qt::white);
    return;
  }
  p.drawImage(QPoint(0, 0), buffer_, QRect(0, state_.Layout.ScrollPosition, w, height()));
  // The dragged block or part floats above the page.
  if (Dragging() && !drag_.image.isNull())
    p.drawImage(drag_.pos - QPoint(0, state_.Layout.ScrollPosition), drag_.image);
  // The link under the mouse: its highlighted images over the page.
  if (highlighted_ >= 0) {
    const auto& rects = state_.Elements.Links.Rects;
    for (int i : groupOf(highlighted_)) {
      const tNamedRect& r = rects[static_cast<size_t>(i)];
      if (!r.Highlighted.isNull()) p.drawImage(r.Rect.topLeft() - QPoint(0, state_.Layout.ScrollPosition), r.Highlighted);
    }
  }
}

void TXPage::wheelEvent(QWheelEvent* event) {
  if (!state_.Layout.ScrollBarVisible) return;
  setScrollPosition(state_.Layout.ScrollPosition - event->angleDelta().y() / 120 * 3 * 5);
  event->accept();
}

void TXPage::setOnPictureRequest(PictureRequestEvent handler) {
  if (!handler) {
    state_.PictureRequest = nullptr;
    return;
  }
  state_.PictureRequest = [this, handler = std::move(handler)](const QString& code, QImage& picture) {
    handler(this, code, picture);
  };
}

void TXPage::attachWidgets() {
  // A tooltip or a hint note of the last page's links must not stay over the new one.
  CancelTooltip();
  HideHint();
  // Widgets of the last page go once the event that changed the page is over:
  // it may have come from one of them.
  QWidget* focused = QApplication::focusWidget();
  const bool focusInside = focused && focused != this && isAncestorOf(focused);
  if (input_) {
    input_->hide();
    input_->deleteLater();
    input_ = nullptr;
  }
  for (TXRichEdit* e : gapEditors_) {
    e->hide();
    e->deleteLater();
  }
  gapEditors_.clear();
  drag_ = DragState();
  for (tXColorButton* b : buttons_) {
    b->hide();
    b->deleteLater();
  }
  buttons_.clear();
  recorder_.reset();
  // The keyboard stays with the page when a focused widget of the last page
  // goes; the new page's first gap takes it once the page is drawn.
  if (focusInside) setFocus();

  const PageElements& e = state_.Elements;
  if (e.Input) {
    input_ = new TXInputField(*e.Input, state_, this);
    input_->OnEnter = [this](const QString& name) {
      if (OnCommand) OnCommand(this, name);
    };
  }
  for (const TGapSpec& gap : e.Gaps) {
    auto* editor = new TXRichEdit(this);
    editor->setLsg(gap.Lsg);
    editor->Hilfe = gap.Hilfe;
    editor->Command = gap.Command;
    editor->Element = gap.Element;
    editor->setToolTip(gap.Tip);
    editor->setFont(PageFonts::EditorFontFor(gap.Font));
    if (gap.NoBorder) editor->setFrameStyle(QFrame::NoFrame);
    if (gap.FreeStanding) {
      // EDIT: centred text; a field up to two lines high centres its line.
      editor->setCentered(true);
      const int textHeight = QFontMetrics(editor->font()).height();
      const int h = gap.Bounds.height();
      editor->setTopMargin(h >= textHeight && h <= 2 * textHeight ? (h - textHeight) / 2 : editor->Margin);
      if (gap.Color) editor->setBackground(QColor(RedOf(*gap.Color), GreenOf(*gap.Color), BlueOf(*gap.Color)));
      editor->setText(gap.Init);
    } else {
      // Over a gap word: no inner margin.
      editor->Margin = 0;
    }
    editor->InputBlocked = [this] { return busy(); };
    editor->OnReturn = [this, editor] { gapReturned(editor); };
    editor->OnRichtig = [this, editor] { gapAnswered(editor, true); };
    editor->OnFalsch = [this, editor] { gapAnswered(editor, false); };
    gapEditors_.push_back(editor);
  }
  for (const TButtonSpec& settings : e.Buttons) {
    auto* button = new tXColorButton(this);
    button->setGeometry(settings.Rect);
    button->setCaption(settings.Caption);
    button->setBefehl(settings.Target);
    button->setFont(PageFonts::FontFor(settings.Font));
    if (settings.Color) button->setColor(*settings.Color);
    if (settings.FlashColor) button->setFlashColor(*settings.FlashColor);
    if (settings.ThreeD) {
      button->setMouseOver(true);
      button->setMouseOver3D(true);
    }
    button->OnClick = [this](tXColorButton* b) { FollowLink(b->Befehl()); };
    button->hide();
    buttons_.push_back(button);
  }
  if (e.Recorder && CreateRecorder) recorder_ = CreateRecorder(*e.Recorder);
  if (recorder_) {
    recorder_->SetCanvas(&buffer_, [this](const QRect& r) { update(r.translated(0, -state_.Layout.ScrollPosition)); });
  }
}

void TXPage::setOnSpecialCode(SpecialCodeEvent handler) {
  if (!handler) {
    state_.SpecialCode = nullptr;
    return;
  }
  state_.SpecialCode = [this, handler = std::move(handler)](QString& code) { handler(this, code); };
}

void TXPage::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  state_.Width = width();
  state_.Height = height();
  if (!state_.Layout.Elements.empty()) ShowPage();
}

TXPage::~TXPage() = default;

void TXPage::ClearPage() {
  recorder_.reset();
  state_.ClearPage();
}

void TXPage::setHTMLChild(bool child, TXPage* parentPage) {
  state_.HTMLChild = child;
  state_.Parent = parentPage ? &parentPage->state_ : nullptr;
}
