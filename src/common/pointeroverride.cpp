#include "common/pointeroverride.h"

#include <QCursor>
#include <QGuiApplication>

PointerOverride::PointerOverride(Qt::CursorShape shape) {
  if (!qGuiApp) return;
  QGuiApplication::setOverrideCursor(QCursor(shape));
  set_ = true;
}

PointerOverride::~PointerOverride() {
  if (set_ && qGuiApp) QGuiApplication::restoreOverrideCursor();
}
