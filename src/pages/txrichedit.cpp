#include "pages/txrichedit.h"

#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <algorithm>

#include "common/textcodec.h"
#include "common/accentkey.h"
#include "common/answermatch.h"

namespace {

// Letters the field accepts: Windows-1252 codes 32..126 and 128..255.
bool printable(QChar c) {
  if (c.category() == QChar::Other_Control) return false;
  const int code = Cp1252::codeOf(c);
  return (code >= 32 && code <= 126) || (code >= 128 && code <= 255);
}

bool placeholder(QChar c) { return c == QLatin1Char('.') || c == QLatin1Char('_'); }

}  // namespace

TXRichEdit::TXRichEdit(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  setCursor(Qt::IBeamCursor);
  resize(121, 21);
  blink_ = new QTimer(this);
  blink_->setInterval(500);
  connect(blink_, &QTimer::timeout, this, [this] {
    cursorVisible_ = !cursorVisible_;
    update();
  });
  hide();
}

TXRichEdit::~TXRichEdit() { delete note_; }

void TXRichEdit::setLsg(const QStringList& solutions) {
  lsg_ = solutions;
  attempts_ = 0;
  done_ = false;
  giveUpAsked_ = false;
  if (note_) note_->hide();
}

QString TXRichEdit::WrongNote(int attemptsLeft) {
  return QStringLiteral("falsch – ") + (attemptsLeft == 1 ? QStringLiteral("noch ein Versuch")
                                                          : QStringLiteral("noch %1 Versuche").arg(attemptsLeft));
}

QString TXRichEdit::AlmostNote(int attemptsLeft) {
  return QStringLiteral("fast richtig – ") +
         (attemptsLeft == 1 ? QStringLiteral("noch ein Versuch") : QStringLiteral("noch %1 Versuche").arg(attemptsLeft));
}

QString TXRichEdit::GiveUpQuestion() {
  return QStringLiteral("Aufgeben? Noch einmal Enter zeigt die Lösung.");
}

QString TXRichEdit::Note() const { return note_ && !note_->isHidden() ? note_->text() : QString(); }

void TXRichEdit::showNote(const QString& text, const QColor& colour) {
  if (!parentWidget()) return;
  if (!note_) {
    note_ = new QLabel(parentWidget());
    note_->setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont small = font();
    small.setPointSizeF(std::max(7.0, small.pointSizeF() * 0.8));
    note_->setFont(small);
  }
  note_->setStyleSheet(QStringLiteral("QLabel { background: #FFFFE0; border: 1px solid #808080; padding: 1px 4px;"
                                      " color: %1; }")
                           .arg(colour.name()));
  note_->setText(text);
  note_->adjustSize();
  placeNote();
  note_->show();
  note_->raise();
}

void TXRichEdit::placeNote() {
  if (!note_ || !parentWidget()) return;
  // Below the field, or above it at the foot of the page; kept inside the page.
  const QRect field = geometry();
  const QSize size = note_->size();
  int y = field.bottom() + 2;
  if (y + size.height() > parentWidget()->height()) y = field.top() - size.height() - 2;
  const int x = std::clamp(field.left(), 0, std::max(0, parentWidget()->width() - size.width()));
  note_->move(x, std::max(0, y));
}

void TXRichEdit::moveEvent(QMoveEvent* event) {
  QFrame::moveEvent(event);
  placeNote();
}

void TXRichEdit::hideEvent(QHideEvent* event) {
  QFrame::hideEvent(event);
  if (note_) note_->hide();
}

void TXRichEdit::setText(const QString& text) {
  text_ = text;
  red_.assign(static_cast<size_t>(text.size()), false);
  cursor_ = static_cast<int>(text.size());
  clearSelection();
  update();
}

QColor TXRichEdit::letterColor(int index) const {
  if (index < 0 || index >= static_cast<int>(red_.size())) return Qt::black;
  return red_[static_cast<size_t>(index)] ? Qt::red : Qt::black;
}

void TXRichEdit::setCursorPosition(int position) { moveCursor(position, false); }

void TXRichEdit::moveCursor(int position, bool select) {
  const int anchor = selectionLength_ > 0 && selectionStart_ == cursor_ ? selectionStart_ + selectionLength_
                                                                       : selectionStart_;
  cursor_ = std::clamp(position, 0, static_cast<int>(text_.size()));
  if (select) {
    selectionStart_ = std::min(anchor, cursor_);
    selectionLength_ = std::abs(anchor - cursor_);
  } else {
    clearSelection();
  }
  restartBlink();
}

QString TXRichEdit::HelpText() const {
  if (Hilfe == QLatin1String("*")) return AnswerMatch::MaskedHelp(lsg_.value(0));
  return Hilfe;
}

void TXRichEdit::setCentered(bool centred) {
  centred_ = centred;
  update();
}

void TXRichEdit::setTopMargin(int margin) {
  topMargin_ = margin;
  update();
}

void TXRichEdit::setBackground(const QColor& colour) {
  background_ = colour;
  update();
}

void TXRichEdit::clearSelection() {
  selectionStart_ = cursor_;
  selectionLength_ = 0;
}

void TXRichEdit::removeSelection() {
  if (selectionLength_ <= 0) return;
  text_.remove(selectionStart_, selectionLength_);
  red_.erase(red_.begin() + selectionStart_, red_.begin() + selectionStart_ + selectionLength_);
  cursor_ = selectionStart_;
  clearSelection();
}

void TXRichEdit::typeCharacter(QChar c) {
  removeSelection();
  text_.insert(cursor_, c);
  red_.insert(red_.begin() + cursor_, false);
  ++cursor_;
  // Typing over the placeholders of the help text replaces them.
  if (cursor_ < text_.size() && placeholder(text_[cursor_])) {
    text_.remove(cursor_, 1);
    red_.erase(red_.begin() + cursor_);
  }
  clearSelection();
}

void TXRichEdit::accentKey() {
  if (cursor_ <= 0) return;
  const int at = cursor_ - 1;
  text_[at] = AccentKey::Next(text_[at], true);
  // The letter turns black; the cursor stays after it, so typing goes on
  // behind it (a selection would be replaced by the next letter).
  red_[static_cast<size_t>(at)] = false;
  clearSelection();
}

void TXRichEdit::showHelp() {
  setText(HelpText());
  qsizetype at = text_.size();
  for (qsizetype i = 0; i < text_.size(); ++i) {
    if (placeholder(text_[i])) {
      at = i;
      break;
    }
  }
  cursor_ = static_cast<int>(at);
  clearSelection();
}

void TXRichEdit::CheckAnswer() {
  const QString answer = text_;
  if (answer.isEmpty() && !giveUpAsked_) {
    // A quick Return must not skip a question unseen: ask first.
    giveUpAsked_ = true;
    showNote(GiveUpQuestion(), QColor(0x40, 0x40, 0x40));
    return;
  }
  ++attempts_;
  if (answer.isEmpty()) {
    attempts_ = kMaxAttempts;  // an empty answer gives up
    finish(false);
    return;
  }
  if (lsg_.contains(answer)) {
    finish(true);
    return;
  }
  if (attempts_ >= kMaxAttempts) {
    finish(false);
    return;
  }
  const AnswerMatch::Nearest nearest = AnswerMatch::NearestAnswer(answer, lsg_);
  if (nearest.index >= 0) {
    red_ = AnswerMatch::RedLetters(answer, nearest.common);
    cursor_ = AnswerMatch::CursorAfterMismatch(answer, lsg_[nearest.index]);
    clearSelection();
    restartBlink();
    showNote(AlmostNote(kMaxAttempts - attempts_), QColor(0xA0, 0x50, 0x00));
    if (OnBeinahe) OnBeinahe();
    return;
  }
  setText(QString());
  showNote(WrongNote(kMaxAttempts - attempts_), QColor(0xB0, 0x00, 0x00));
  if (OnReturn) OnReturn();
}

void TXRichEdit::finish(bool right) {
  done_ = true;
  hide();
  // The page may load another page from these events and drop this editor.
  QPointer<TXRichEdit> self(this);
  if (OnReturn) OnReturn();
  if (!self) return;
  if (right) {
    if (OnRichtig) OnRichtig();
  } else if (OnFalsch) {
    OnFalsch();
  }
}

void TXRichEdit::keyPressEvent(QKeyEvent* event) {
  event->accept();
  if (done_ || (InputBlocked && InputBlocked())) return;
  if (editKeys(event)) {
    restartBlink();
    update();
    return;
  }
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      CheckAnswer();
      return;
    case Qt::Key_F1:
      accentKey();
      break;
    case Qt::Key_F2:
    case Qt::Key_F12:
      showHelp();
      break;
    case Qt::Key_Backspace:
      if (selectionLength_ > 0) {
        removeSelection();
      } else if (cursor_ > 0) {
        --cursor_;
        text_.remove(cursor_, 1);
        red_.erase(red_.begin() + cursor_);
        clearSelection();
      }
      break;
    case Qt::Key_Delete:
      if (selectionLength_ > 0) {
        removeSelection();
      } else if (cursor_ < text_.size()) {
        text_.remove(cursor_, 1);
        red_.erase(red_.begin() + cursor_);
        clearSelection();
      }
      break;
    case Qt::Key_Left:
      moveCursor(cursor_ - 1, event->modifiers() & Qt::ShiftModifier);
      break;
    case Qt::Key_Right:
      moveCursor(cursor_ + 1, event->modifiers() & Qt::ShiftModifier);
      break;
    case Qt::Key_Home:
      moveCursor(0, event->modifiers() & Qt::ShiftModifier);
      break;
    case Qt::Key_End:
      moveCursor(static_cast<int>(text_.size()), event->modifiers() & Qt::ShiftModifier);
      break;
    default: {
      // Only printable letters; control characters are swallowed.
      const QString typed = event->text();
      if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return;
      bool any = false;
      for (QChar c : typed) {
        if (!printable(c)) continue;
        typeCharacter(c);
        any = true;
      }
      if (!any) return;
      break;
    }
  }
  restartBlink();
  update();
}

bool TXRichEdit::editKeys(QKeyEvent* event) {
  const QString selected = text_.mid(selectionStart_, selectionLength_);
  if (event->matches(QKeySequence::SelectAll)) {
    cursor_ = static_cast<int>(text_.size());
    selectionStart_ = 0;
    selectionLength_ = cursor_;
  } else if (event->matches(QKeySequence::Copy)) {
    if (!selected.isEmpty()) QGuiApplication::clipboard()->setText(selected);
  } else if (event->matches(QKeySequence::Cut)) {
    if (!selected.isEmpty()) QGuiApplication::clipboard()->setText(selected);
    removeSelection();
  } else if (event->matches(QKeySequence::Paste)) {
    // Only the first line, and only letters the field would take when typed.
    const QString pasted = QGuiApplication::clipboard()->text().section(QLatin1Char('\n'), 0, 0);
    removeSelection();
    for (QChar c : pasted)
      if (printable(c)) typeCharacter(c);
  } else {
    return false;
  }
  return true;
}

void TXRichEdit::inputMethodEvent(QInputMethodEvent* event) {
  if (done_ || (InputBlocked && InputBlocked())) return;
  for (QChar c : event->commitString())
    if (printable(c)) typeCharacter(c);
  restartBlink();
  update();
  event->accept();
}

QRect TXRichEdit::textArea() const {
  const QRect inner = contentsRect();
  const int lineHeight = QFontMetrics(font()).height();
  const int top = topMargin_ < 0 ? inner.top() + (inner.height() - lineHeight) / 2 : inner.top() + topMargin_;
  return QRect(inner.left() + Margin, top, std::max(0, inner.width() - 2 * Margin), lineHeight);
}

int TXRichEdit::textLeft() const {
  const QRect area = textArea();
  const int width = QFontMetrics(font()).horizontalAdvance(text_);
  if (centred_ && width <= area.width()) return area.left() + (area.width() - width) / 2;
  return area.left() - scroll_;
}

int TXRichEdit::positionAt(int x) const {
  const QFontMetrics m(font());
  const int left = textLeft();
  int best = 0, bestDistance = std::abs(x - left);
  for (int i = 1; i <= text_.size(); ++i) {
    const int d = std::abs(x - (left + m.horizontalAdvance(text_.left(i))));
    if (d < bestDistance) {
      best = i;
      bestDistance = d;
    }
  }
  return best;
}

void TXRichEdit::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  p.fillRect(rect(), background_);
  p.end();
  QFrame::paintEvent(event);
  p.begin(this);
  const QFontMetrics m(font());
  const QRect area = textArea();
  // Keep the cursor in view when the text is longer than the field.
  const int cursorX = m.horizontalAdvance(text_.left(cursor_));
  if (!centred_ || m.horizontalAdvance(text_) > area.width()) {
    if (cursorX - scroll_ > area.width() - 1) scroll_ = cursorX - area.width() + 1;
    if (cursorX - scroll_ < 0) scroll_ = cursorX;
  } else {
    scroll_ = 0;
  }
  p.setClipRect(contentsRect());
  p.setFont(font());
  const int left = textLeft();
  const int baseline = area.top() + m.ascent();
  if (selectionLength_ > 0) {
    const int x0 = left + m.horizontalAdvance(text_.left(selectionStart_));
    const int x1 = left + m.horizontalAdvance(text_.left(selectionStart_ + selectionLength_));
    p.fillRect(QRect(x0, area.top(), x1 - x0, area.height()), QColor(0xA0, 0xC8, 0xFF));
  }
  for (int i = 0; i < text_.size(); ++i) {
    p.setPen(letterColor(i));
    p.drawText(left + m.horizontalAdvance(text_.left(i)), baseline, QString(text_[i]));
  }
  if (hasFocus() && cursorVisible_) {
    const int x = left + cursorX;
    p.setPen(Qt::black);
    p.drawLine(x, area.top(), x, area.bottom());
  }
}

void TXRichEdit::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  if (event->button() == Qt::LeftButton) setCursorPosition(positionAt(event->position().toPoint().x()));
  update();
}

void TXRichEdit::focusInEvent(QFocusEvent* event) {
  QFrame::focusInEvent(event);
  restartBlink();
}

void TXRichEdit::focusOutEvent(QFocusEvent* event) {
  QFrame::focusOutEvent(event);
  blink_->stop();
  update();
}

bool TXRichEdit::focusNextPrevChild(bool) { return false; }

void TXRichEdit::restartBlink() {
  cursorVisible_ = true;
  if (hasFocus()) blink_->start();
  update();
}
