#pragma once

#include <QFrame>
#include <QStringList>
#include <functional>

// The editor of one typing gap. It lies over its gap word (or at its EDIT
// coordinates), is hidden until the page is drawn, and checks the learner's
// answer against the accepted solutions.
class TXRichEdit : public QFrame {
  Q_OBJECT

 public:
  explicit TXRichEdit(QWidget* parent = nullptr);

  const QStringList& Lsg() const { return lsg_; }
  // Setting the solutions starts the gap afresh.
  void setLsg(const QStringList& solutions);
  QString Hilfe;
  QString Command;  // the gap's reaction
  int Margin = 2;
  int Element = -1;  // the page element the editor lies over
  int Attempts() const { return attempts_; }
  bool Done() const { return done_; }

  std::function<void()> OnRichtig;
  std::function<void()> OnFalsch;
  std::function<void()> OnBeinahe;
  std::function<void()> OnReturn;

 private:
  QStringList lsg_;
  int attempts_ = 0;
  bool done_ = false;
};
