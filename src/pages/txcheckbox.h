#pragma once

#include <QString>
#include <QWidget>
#include <functional>

#include "pages/htmlformat.h"

// A self-drawn check box: a 12 x 12 box with a tick and its caption to the
// right. Pressing the left button toggles it; releasing it over the box
// reports the click.
class tXCheckBox : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kDefaultWidth = 65;
  static constexpr int kDefaultHeight = 17;
  static constexpr int kBoxSize = 12;
  static constexpr int kCaptionLeft = 16;

  using NotifyEvent = std::function<void(tXCheckBox* sender)>;

  explicit tXCheckBox(QWidget* parent = nullptr);

  QString Caption() const { return caption_; }
  void setCaption(const QString& caption);
  bool Checked() const { return checked_; }
  void setChecked(bool checked);
  // A free number for the owner (which of several boxes this is).
  int Index() const { return index_; }
  void setIndex(int index) { index_ = index; }
  QFont Font() const { return font(); }
  TColor FontColor() const { return fontColor_; }
  void setFontColor(TColor color);

  NotifyEvent OnClick;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  QString caption_;
  bool checked_ = false;
  int index_ = 0;
  TColor fontColor_ = kBlack;
  bool pressed_ = false;
};
