#include "pages/txpage.h"

#include <QCoreApplication>
#include <QResizeEvent>

#include "pages/pagefonts.h"
#include "pages/txinputfield.h"
#include "pages/txrichedit.h"

TXPage::TXPage(QWidget* parent) : QWidget(parent), loader_(state_) {
  resize(kDefaultWidth, kDefaultHeight);
  state_.ProgramDir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
  loader_.OnPageBuilt = [this] { attachWidgets(); };
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
    if (gap.FreeStanding) editor->setGeometry(gap.Bounds);
    gapEditors_.push_back(editor);
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
}

TXPage::~TXPage() = default;

void TXPage::setHTMLChild(bool child, TXPage* parentPage) {
  state_.HTMLChild = child;
  state_.Parent = parentPage ? &parentPage->state_ : nullptr;
}
