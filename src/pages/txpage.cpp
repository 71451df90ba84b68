#include "pages/txpage.h"

#include <QCoreApplication>
#include <QResizeEvent>

TXPage::TXPage(QWidget* parent) : QWidget(parent), loader_(state_) {
  resize(kDefaultWidth, kDefaultHeight);
  state_.ProgramDir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
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
