#include "pages/txcheckbox.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

tXCheckBox::tXCheckBox(QWidget* parent) : QWidget(parent) { resize(kDefaultWidth, kDefaultHeight); }

void tXCheckBox::setCaption(const QString& caption) {
  caption_ = caption;
  update();
}

void tXCheckBox::setChecked(bool checked) {
  checked_ = checked;
  update();
}

void tXCheckBox::setFontColor(TColor color) {
  fontColor_ = color & 0xFFFFFF;
  update();
}

void tXCheckBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QFontMetrics metrics(font());
  // Centred by the full line height, so captions with and without
  // descenders sit at the same place.
  const int textTop = (height() - metrics.height()) / 2;
  p.setFont(font());
  p.setPen(isEnabled() ? QColor(RedOf(fontColor_), GreenOf(fontColor_), BlueOf(fontColor_)) : QColor(0x80, 0x80, 0x80));
  p.drawText(kCaptionLeft, textTop + metrics.ascent(), caption_);

  const int t = (height() - kBoxSize) / 2;
  p.fillRect(0, t, kBoxSize, kBoxSize, Qt::black);
  p.fillRect(1, t + 1, kBoxSize - 2, kBoxSize - 2, Qt::white);
  if (checked_) {
    p.setPen(Qt::black);
    for (int dy = 0; dy < 3; ++dy) {
      const QPoint tick[] = {{2, t + 5 + dy}, {4, t + 7 + dy}, {10, t + 1 + dy}};
      p.drawPolyline(tick, 3);
    }
  }
}

void tXCheckBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  pressed_ = true;
  setChecked(!checked_);
}

void tXCheckBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) {
    QWidget::mouseReleaseEvent(event);
    return;
  }
  pressed_ = false;
  if (rect().contains(event->position().toPoint()) && OnClick) {
    NotifyEvent handler = OnClick;
    handler(this);
  }
}

void tXCheckBox::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange) update();
  QWidget::changeEvent(event);
}
