#include "pages/txinputfield.h"

#include <QFontMetrics>
#include <QKeyEvent>

#include "pages/accentkey.h"
#include "pages/pagefonts.h"
#include "pages/pagestate.h"

TXInputField::TXInputField(const TInputSpec& spec, PageState& page, QWidget* parent)
    : QLineEdit(parent), page_(page), name_(spec.Name), upper_(spec.Upper), lower_(spec.Lower) {
  setFont(PageFonts::FontFor(spec.Font));
  const int height = QFontMetrics(font()).boundingRect(QStringLiteral("AgjPq")).height() + (spec.NoBorder ? 0 : 6);
  setGeometry(spec.Rect.x(), spec.Rect.y(), spec.Rect.width(), height);
  setFrame(!spec.NoBorder);
  if (spec.Password) setEchoMode(QLineEdit::Password);
  if (spec.MaxLength > 0) setMaxLength(spec.MaxLength);
  if (spec.Color) {
    QPalette p = palette();
    p.setColor(QPalette::Base, QColor(RedOf(*spec.Color), GreenOf(*spec.Color), BlueOf(*spec.Color)));
    setPalette(p);
  }
  setText(page_.GetVariable(name_));
  connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { store(text); });
  hide();
}

void TXInputField::store(const QString& text) {
  QString t = upper_ ? text.toUpper() : lower_ ? text.toLower() : text;
  if (t != text) {
    const int cursor = cursorPosition();
    setText(t);  // stores through textChanged again
    setCursorPosition(cursor);
    return;
  }
  page_.SetVariable(name_, t);
}

void TXInputField::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    store(text());
    if (OnEnter) OnEnter(name_);
    event->accept();
    return;
  }
  if (event->key() == Qt::Key_F1) {
    const int cursor = cursorPosition();
    if (cursor > 0) {
      QString t = text();
      t[cursor - 1] = AccentKey::Next(t[cursor - 1]);
      setText(t);
      setCursorPosition(cursor);
    }
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}
