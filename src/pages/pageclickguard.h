#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>

class QWidget;

// Keeps the second click of a double-click from acting on the page that the
// first click brought up: a learner who double-clicks an answer must not hit
// whatever lies at the same spot of the next page ("Beenden", say). A left
// button press that comes within the system's double-click interval of a page
// change, at the spot of the press before the change, is swallowed together
// with its double-click and release events; any other click is untouched.
class PageClickGuard : public QObject {
 public:
  // Watches the mouse events of page and every widget on it.
  explicit PageClickGuard(QWidget* page);
  ~PageClickGuard() override;

  // The page shows new content.
  void PageChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool onPage(QObject* watched) const;
  bool nearChangeSpot(const QPoint& global) const;

  QWidget* page_;
  QElapsedTimer lastPress_;
  QPoint lastPressAt_;
  QElapsedTimer changed_;
  QPoint changeSpot_;
  bool armed_ = false;
  bool swallowing_ = false;
};
