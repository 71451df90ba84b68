#pragma once

#include <QCoreApplication>
#include <QMouseEvent>
#include <QRectF>

#include "pages/pagestate.h"
#include "pages/txpage.h"

// A left click in the middle of the first link whose target holds the text;
// false when the page has no such link.
inline bool ClickLink(TXPage* page, const QString& target) {
  const PageElements& e = page->state().Elements;
  for (const tNamedRect& r : e.Links.Rects) {
    if (!e.Links.Names.value(r.NameIndex).contains(target)) continue;
    const QPointF at = QRectF(r.Rect).center();
    QMouseEvent down(QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(page, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, at, at, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(page, &up);
    QCoreApplication::processEvents();
    return true;
  }
  return false;
}
