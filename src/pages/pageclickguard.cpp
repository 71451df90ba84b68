#include "pages/pageclickguard.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStyleHints>
#include <QWidget>

PageClickGuard::PageClickGuard(QWidget* page) : QObject(page), page_(page) { qApp->installEventFilter(this); }

PageClickGuard::~PageClickGuard() {
  if (qApp) qApp->removeEventFilter(this);
}

void PageClickGuard::PageChanged() {
  // Only a change that a click has just caused is guarded.
  const int interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
  armed_ = lastPress_.isValid() && lastPress_.elapsed() <= interval;
  if (!armed_) return;
  changed_.start();
  changeSpot_ = lastPressAt_;
}

bool PageClickGuard::onPage(QObject* watched) const {
  if (!watched->isWidgetType()) return false;
  auto* widget = static_cast<QWidget*>(watched);
  return widget == page_ || page_->isAncestorOf(widget);
}

bool PageClickGuard::nearChangeSpot(const QPoint& global) const {
  const int distance = QGuiApplication::styleHints()->mouseDoubleClickDistance();
  return (global - changeSpot_).manhattanLength() <= distance;
}

bool PageClickGuard::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
      type != QEvent::MouseButtonRelease)
    return false;
  if (!onPage(watched)) return false;
  const auto* mouse = static_cast<QMouseEvent*>(event);
  // A double-click is a matter of the left button.
  if (mouse->button() != Qt::LeftButton) return false;
  const QPoint global = mouse->globalPosition().toPoint();
  if (type == QEvent::MouseButtonRelease) {
    if (!swallowing_) return false;
    swallowing_ = false;
    return true;
  }
  const int interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
  if (armed_ && changed_.elapsed() <= interval && nearChangeSpot(global)) {
    // One press of the pair is enough to disarm: a third click is the learner's.
    if (type == QEvent::MouseButtonPress) swallowing_ = true;
    else armed_ = false;
    return true;
  }
  if (type == QEvent::MouseButtonPress) {
    armed_ = false;
    swallowing_ = false;
    lastPress_.start();
    lastPressAt_ = global;
  }
  return false;
}
