#include "pages/txinputfield.h"

#include <QFontMetrics>
#include <QKeyEvent>

#include "common/accentkey.h"
#include "pages/pagefonts.h"
#include "pages/pagestate.h"

TXInputField::TXInputField(const TInputSpec& settings, PageState& page, QWidget* parent)
    : QLineEdit(parent), page_(page), name_(settings.Name), upper_(settings.Upper), lower_(settings.Lower) {
  setFont(PageFonts::FontFor(settings.Font));
  const int height = QFontMetrics(font()).boundingRect(QStringLiteral("AgjPq")).height() + (settings.NoBorder ? 0 : 6);
  setGeometry(settings.Rect.x(), settings.Rect.y(), settings.Rect.width(), height);
  setFrame(!settings.NoBorder);
  if (settings.Password) setEchoMode(QLineEdit::Password);
  if (settings.MaxLength > 0) setMaxLength(settings.MaxLength);
  if (settings.Color) {
    QPalette p = palette();
    p.setColor(QPalette::Base, QColor(RedOf(*settings.Color), GreenOf(*settings.Color), BlueOf(*settings.Color)));
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
