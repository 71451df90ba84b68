#include "pages/txpage.h"

#include <QCoreApplication>
#include <QResizeEvent>

#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include "pages/blendmodes.h"
#include "pages/mosaic.h"
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
  // Colour buttons blend their pictures the way pages do.
  if (!tXColorButton::BlendPicture)
    tXColorButton::BlendPicture = [](QImage& canvas, const QPoint& at, const QImage& picture, int mode, int radius,
                                     TColor colour) { BlendImage(canvas, at, picture, mode, 255, colour, radius); };
  mosaicTimer_ = new QTimer(this);
  connect(mosaicTimer_, &QTimer::timeout, this, [this] {
    const PageElements& e = state_.Elements;
    const QRect changed = RefillRandomTile(buffer_, e.MosaicTiles, e.MosaicPictures);
    if (changed.isEmpty()) mosaicTimer_->stop();
    else update(changed.translated(0, -state_.Layout.ScrollPosition));
  });
  scrollBar_ = new QScrollBar(Qt::Vertical, this);
  scrollBar_->hide();
  connect(scrollBar_, &QScrollBar::valueChanged, this, [this](int value) { setScrollPosition(value); });
  loader_.OnPageBuilt = [this] {
    state_.Layout.ScrollPosition = 0;
    attachWidgets();
    ShowPage();
  };
}

void TXPage::ShowPage() {
  PageLayout(state_, &buffer_).Run(width(), height());
  PageRenderer(state_).Draw(buffer_, width(), height());
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
  // Gap editors that are not solved, the input field and the buttons appear once the page is drawn.
  for (TXRichEdit* e : gapEditors_)
    if (!e->Done()) e->show();
  if (input_) input_->show();
  for (tXColorButton* b : buttons_) b->show();
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

void TXPage::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const int w = width() - (scrollBar_->isVisible() ? PageLayout::kScrollBarWidth + 1 : 0);
  if (buffer_.isNull()) {
    p.fillRect(rect(), Qt::white);
    return;
  }
  p.drawImage(QPoint(0, 0), buffer_, QRect(0, state_.Layout.ScrollPosition, w, height()));
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
  delete input_;
  for (TXRichEdit* e : gapEditors_) delete e;
  gapEditors_.clear();
  for (tXColorButton* b : buttons_) delete b;
  buttons_.clear();

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
    editor->setFont(PageFonts::FontFor(gap.Font));
    if (gap.NoBorder) editor->setFrameStyle(QFrame::NoFrame);
    gapEditors_.push_back(editor);
  }
  for (const TButtonSpec& spec : e.Buttons) {
    auto* button = new tXColorButton(this);
    button->setGeometry(spec.Rect);
    button->setCaption(spec.Caption);
    button->setBefehl(spec.Target);
    button->setFont(PageFonts::FontFor(spec.Font));
    if (spec.Color) button->setColor(*spec.Color);
    if (spec.FlashColor) button->setFlashColor(*spec.FlashColor);
    if (spec.ThreeD) {
      button->setMouseOver(true);
      button->setMouseOver3D(true);
    }
    button->hide();
    buttons_.push_back(button);
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

void TXPage::setHTMLChild(bool child, TXPage* parentPage) {
  state_.HTMLChild = child;
  state_.Parent = parentPage ? &parentPage->state_ : nullptr;
}
