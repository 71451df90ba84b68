#pragma once

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

#include "pages/htmlformat.h"

class QAction;
struct WrappedText;

// A self-drawn push button made of a face colour (or a shared image), up to
// two pictures and a word-wrapped caption. Used by page BUTTON tags and by
// the toolbars and dialogs of both programs.
class tXColorButton : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kDefaultWidth = 105;
  static constexpr int kDefaultHeight = 105;
  static constexpr TColor kDefaultColor = RGBColor(0xC0, 0xC0, 0xC0);
  static constexpr TColor kDefaultFlashColor = RGBColor(0xFF, 0, 0);

  using NotifyEvent = std::function<void(tXColorButton* sender)>;

  // Draws `picture` with a blend mode (other than a plain copy) or with
  // rounded corners onto `canvas`, its top-left corner at `at`. The picture
  // has already been scaled to its area. `color` is the colour the colouring
  // modes use. Each button starts with the blending of the pages; while it
  // is empty, such pictures are drawn unchanged.
  using PictureBlendHook = std::function<void(QImage& canvas, const QPoint& at, const QImage& picture,
                                              int mode, int radius, TColor color)>;
  PictureBlendHook BlendPicture;

  explicit tXColorButton(QWidget* parent = nullptr);

  QString Caption() const { return caption_; }
  void setCaption(const QString& caption);
  bool ShowCaption() const { return showCaption_; }
  void setShowCaption(bool show);

  // Face colour (red in the low byte).
  TColor Color() const { return color_; }
  void setColor(TColor color);
  // The face colour written with red in the high byte.
  int RGB() const;
  void setRGB(int rgb);
  // Caption font: the widget's font; its colour is kept beside it.
  QFont Font() const { return font(); }
  TColor FontColor() const { return fontColor_; }
  void setFontColor(TColor color);
  TColor FlashColor() const { return flashColor_; }
  void setFlashColor(TColor color);

  bool MouseOver() const { return mouseOver_; }
  void setMouseOver(bool on);
  bool MouseOver3D() const { return mouseOver3D_; }
  void setMouseOver3D(bool on);
  bool DDD() const { return ddd_; }
  void setDDD(bool on);

  // Setting a main picture switches the caption off.
  const QImage& Picture1() const { return picture1_; }
  void setPicture1(const QImage& picture);
  // Shown while pressed or hovered, or in the on state of a toggle button.
  const QImage& Picture2() const { return picture2_; }
  void setPicture2(const QImage& picture);
  // A shared image whose top-left area replaces the face colour.
  std::shared_ptr<QImage> Image() const { return image_; }
  void setImage(std::shared_ptr<QImage> image);
  std::shared_ptr<QImage> Hintergrund() const { return hintergrund_; }
  void setHintergrund(std::shared_ptr<QImage> image) { hintergrund_ = std::move(image); }

  bool Stretch() const { return stretch_; }
  void setStretch(bool on);
  bool Center() const { return center_; }
  void setCenter(bool on);
  // Gap between a centred picture and the caption below it.
  int Abstand() const { return abstand_; }
  void setAbstand(int pixels);
  // Sizes the button to its main picture.
  bool AutoSize() const { return autoSize_; }
  void setAutoSize(bool on);
  int Mode() const { return mode_; }
  void setMode(int mode);
  int Radius() const { return radius_; }
  void setRadius(int radius);

  bool OnOff() const { return onOff_; }
  void setOnOff(bool on);
  bool IsOn() const { return isOn_; }
  // Only a toggle button (OnOff) changes its state.
  void setIsOn(bool on);

  // A free command string; page buttons keep their link target here.
  QString Befehl() const { return befehl_; }
  void setBefehl(const QString& command) { befehl_ = command; }
  // When set, a click triggers the action instead of raising OnClick.
  QAction* Action() const { return action_; }
  void setAction(QAction* action) { action_ = action; }

  bool Pressed() const { return pressed_; }
  bool Hovered() const { return hovered_; }

  NotifyEvent OnClick;
  NotifyEvent OnTurnOn;
  NotifyEvent OnTurnOff;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  QImage drawFace() const;
  void drawPicture(QImage& canvas, const QRect& area) const;
  QRect captionRect(const WrappedText& text) const;
  QRect pictureArea(const QRect& caption) const;
  void applyAutoSize();
  void setHovered(bool hovered);

  QString caption_;
  bool showCaption_ = true;
  TColor color_ = kDefaultColor;
  TColor fontColor_ = kBlack;
  TColor flashColor_ = kDefaultFlashColor;
  bool mouseOver_ = false;
  bool mouseOver3D_ = false;
  bool ddd_ = false;
  QImage picture1_;
  QImage picture2_;
  std::shared_ptr<QImage> image_;
  std::shared_ptr<QImage> hintergrund_;
  bool stretch_ = false;
  bool center_ = false;
  int abstand_ = 3;
  bool autoSize_ = false;
  int mode_ = 0;
  int radius_ = 0;
  bool onOff_ = false;
  bool isOn_ = false;
  QString befehl_;
  QPointer<QAction> action_;
  bool pressed_ = false;
  bool hovered_ = false;
};
