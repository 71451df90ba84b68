#include "pages/txrichedit.h"

TXRichEdit::TXRichEdit(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Box | QFrame::Plain);
  resize(121, 21);
  hide();
}

void TXRichEdit::setLsg(const QStringList& solutions) {
  lsg_ = solutions;
  attempts_ = 0;
  done_ = false;
}
