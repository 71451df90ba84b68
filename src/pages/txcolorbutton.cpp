#include "pages/txcolorbutton.h"

#include <QAction>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include "pages/blendmodes.h"
#include "pages/txlabel.h"

namespace {

constexpr TColor kGrey = RGBColor(0x80, 0x80, 0x80);
constexpr TColor kSilver = RGBColor(0xC0, 0xC0, 0xC0);

QColor ToQColor(TColor c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }
TColor Opaque(TColor c) { return c & 0xFFFFFF; }

// One-pixel lines as filled rectangles, so both end points are always drawn.
void HLine(QPainter& p, int x1, int x2, int y, const QColor& c) {
  if (x2 >= x1) p.fillRect(x1, y, x2 - x1 + 1, 1, c);
}
void VLine(QPainter& p, int x, int y1, int y2, const QColor& c) {
  if (y2 >= y1) p.fillRect(x, y1, 1, y2 - y1 + 1, c);
}

}  // namespace

tXColorButton::tXColorButton(QWidget* parent)
    : QWidget(parent),
      BlendPicture([](QImage& canvas, const QPoint& at, const QImage& picture, int mode, int radius, TColor colour) {
        BlendImage(canvas, at, picture, mode, 255, colour, radius);
      }) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  resize(kDefaultWidth, kDefaultHeight);
}

void tXColorButton::setCaption(const QString& caption) {
  caption_ = caption;
  update();
}

void tXColorButton::setShowCaption(bool show) {
  showCaption_ = show;
  update();
}

void tXColorButton::setColor(TColor color) {
  color_ = Opaque(color);
  update();
}

int tXColorButton::RGB() const { return (RedOf(color_) << 16) | (GreenOf(color_) << 8) | BlueOf(color_); }

void tXColorButton::setRGB(int rgb) { setColor(RGBColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF)); }

void tXColorButton::setFontColor(TColor color) {
  fontColor_ = Opaque(color);
  update();
}

void tXColorButton::setFlashColor(TColor color) {
  flashColor_ = Opaque(color);
  update();
}

void tXColorButton::setMouseOver(bool on) {
  mouseOver_ = on;
  update();
}

void tXColorButton::setMouseOver3D(bool on) {
  mouseOver3D_ = on;
  update();
}

void tXColorButton::setDDD(bool on) {
  ddd_ = on;
  update();
}

void tXColorButton::setPicture1(const QImage& picture) {
  picture1_ = picture;
  // A picture button usually carries its label in the picture.
  if (!picture.isNull()) showCaption_ = false;
  applyAutoSize();
}

void tXColorButton::setPicture2(const QImage& picture) {
  picture2_ = picture;
  update();
}

void tXColorButton::setImage(std::shared_ptr<QImage> image) {
  image_ = std::move(image);
  update();
}

void tXColorButton::setStretch(bool on) {
  stretch_ = on;
  applyAutoSize();
}

void tXColorButton::setCenter(bool on) {
  center_ = on;
  applyAutoSize();
}

void tXColorButton::setAbstand(int pixels) {
  abstand_ = pixels;
  update();
}

void tXColorButton::setAutoSize(bool on) {
  autoSize_ = on;
  applyAutoSize();
}

void tXColorButton::setMode(int mode) {
  mode_ = mode;
  update();
}

void tXColorButton::setRadius(int radius) {
  radius_ = radius;
  update();
}

void tXColorButton::setOnOff(bool on) {
  onOff_ = on;
  update();
}

void tXColorButton::setIsOn(bool on) {
  if (!onOff_) return;
  isOn_ = on;
  applyAutoSize();
}

void tXColorButton::applyAutoSize() {
  if (autoSize_ && !picture1_.isNull()) resize(picture1_.size());
  update();
}

// ---------------------------------------------------------------------------
// Drawing

QRect tXColorButton::captionRect(const WrappedText& text) const {
  const int w = width(), h = height();
  const QRect available(4, 4, w - 8, h - 8);
  const int textHeight = text.Size().height();
  int top = 4 + (available.height() - textHeight) / 2;
  if (center_ && !picture1_.isNull() && picture1_.height() < h) {
    // Picture and caption form one centred block, the caption below.
    const int block = picture1_.height() + abstand_ + textHeight;
    top = (h - block) / 2 + picture1_.height() + abstand_;
  }
  QRect r(4, top, available.width(), textHeight);
  if (pressed_ && hovered_) r.translate(1, 1);
  return r;
}

QRect tXColorButton::pictureArea(const QRect& caption) const {
  const int w = width(), h = height();
  const int pw = picture1_.width(), ph = picture1_.height();
  if (stretch_) return QRect(0, 0, w, h);
  if (!center_) return QRect(0, 0, pw, ph);
  int top = (h - ph) / 2;
  if (caption.isValid() && ph < h) top = (h - (ph + abstand_ + caption.height())) / 2;
  QRect r((w - pw) / 2, top, pw, ph);
  if (pressed_ && hovered_) r.translate(1, 1);
  return r;
}

QImage tXColorButton::drawFace() const {
  const int w = width(), h = height();
  QImage canvas(w, h, QImage::Format_RGB32);
  if (w <= 0 || h <= 0) return canvas;

  // Edge colours.
  TColor light = kWhite, dark = kGrey;
  if (color_ == kGrey) dark = kBlack;
  else if (color_ == kWhite) light = kSilver;
  const QColor lightC = ToQColor(light), darkC = ToQColor(dark), faceC = ToQColor(color_);
  const bool highlighted = hovered_ && mouseOver_ && isEnabled();

  QRect caption;
  {
    QPainter p(&canvas);
    // Face: a rectangle in the face colour whose one-pixel frame is the
    // lower-right edge colour of a 3D button.
    const QColor frameC = ddd_ ? (pressed_ ? lightC : darkC) : faceC;
    p.fillRect(0, 0, w, h, frameC);
    p.fillRect(1, 1, w - 2, h - 2, faceC);
    if (image_ && !image_->isNull()) {
      // The shared image replaces the face; unpressed, its source is one
      // pixel further in, so the face moves down-right when pressed.
      const QRect target = ddd_ ? QRect(2, 2, w - 4, h - 4) : QRect(0, 0, w, h);
      const QRect source = pressed_ ? target : target.translated(1, 1);
      const QRect available = source & image_->rect();
      if (!available.isEmpty())
        p.drawImage(target.topLeft() + (available.topLeft() - source.topLeft()), *image_, available);
    }

    if (ddd_) {
      const QColor& topLeft = pressed_ ? darkC : lightC;
      const QColor& bottomRight = pressed_ ? lightC : darkC;
      VLine(p, 0, 0, h - 2, topLeft);
      HLine(p, 0, w - 2, 0, topLeft);
      VLine(p, 1, 1, h - 3, topLeft);
      HLine(p, 1, w - 3, 1, topLeft);
      VLine(p, w - 2, 1, h - 2, bottomRight);
      HLine(p, 1, w - 2, h - 2, bottomRight);
    }

    if (hovered_ && mouseOver3D_ && mouseOver_ && isEnabled()) {
      const QColor& topLeft = pressed_ ? darkC : lightC;
      const QColor& bottomRight = pressed_ ? lightC : darkC;
      VLine(p, 0, 0, h - 2, topLeft);
      HLine(p, 0, w - 2, 0, topLeft);
      VLine(p, w - 1, 0, h - 1, bottomRight);
      HLine(p, 0, w - 1, h - 1, bottomRight);
    }

    if (showCaption_ && !caption_.isEmpty()) {
      // Captions are taken literally: "&" is an ampersand, not a shortcut mark.
      const WrappedText text = WrappedText::Wrap(QFontMetrics(font()), caption_, w - 8, true, false);
      caption = captionRect(text);
      p.setFont(font());
      p.setPen(ToQColor(highlighted ? flashColor_ : fontColor_));
      text.Draw(p, caption, Qt::AlignHCenter);
    }
  }

  if (isEnabled() && !picture1_.isNull()) drawPicture(canvas, pictureArea(caption));
  return canvas;
}

void tXColorButton::drawPicture(QImage& canvas, const QRect& area) const {
  if (area.isEmpty()) return;
  const QImage* picture = &picture1_;
  bool plain = mode_ == 0 && radius_ == 0;
  if (!picture2_.isNull()) {
    plain = true;
    if (onOff_) picture = isOn_ ? &picture2_ : &picture1_;
    else if (pressed_ || (hovered_ && mouseOver_)) picture = &picture2_;
  }
  // Pictures with transparency are drawn as they are; blending works on
  // opaque colour pictures.
  if (picture->hasAlphaChannel() || !BlendPicture) plain = true;

  QImage scaled = picture->size() == area.size()
                      ? *picture
                      : picture->scaled(area.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
  if (plain) {
    QPainter p(&canvas);
    p.drawImage(area.topLeft(), scaled);
    return;
  }

  const bool highlighted = hovered_ && (pressed_ || mouseOver_);
  const TColor color = highlighted ? flashColor_ : fontColor_;
  int mode = mode_;
  // Colouring in the caption's own colour would look the same on hover;
  // the other colouring mode keeps the change visible.
  if (highlighted && fontColor_ == flashColor_ && (mode == 7 || mode == 8)) mode = 15 - mode;
  if (scaled.format() != QImage::Format_RGB32) scaled = scaled.convertToFormat(QImage::Format_RGB32);
  BlendPicture(canvas, area.topLeft(), scaled, mode, radius_, color);
}

void tXColorButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, drawFace());
}

// ---------------------------------------------------------------------------
// Mouse

void tXColorButton::setHovered(bool hovered) {
  if (hovered_ == hovered) return;
  hovered_ = hovered;
  update();
}

void tXColorButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  pressed_ = true;
  hovered_ = rect().contains(event->position().toPoint());
  update();
}

void tXColorButton::mouseMoveEvent(QMouseEvent* event) {
  setHovered(rect().contains(event->position().toPoint()));
  QWidget::mouseMoveEvent(event);
}

void tXColorButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) {
    QWidget::mouseReleaseEvent(event);
    return;
  }
  pressed_ = false;
  const bool inside = rect().contains(event->position().toPoint());
  hovered_ = inside;
  if (!inside) {
    update();
    return;
  }

  // A handler may delete the button (a page button that leads to another page).
  QPointer<tXColorButton> self(this);
  if (onOff_) {
    isOn_ = !isOn_;
    applyAutoSize();
    NotifyEvent handler = isOn_ ? OnTurnOn : OnTurnOff;
    if (handler) handler(this);
    if (!self) return;
  }
  // Show the released state before the click's work starts.
  repaint();
  if (action_) {
    action_->trigger();
  } else if (OnClick) {
    NotifyEvent handler = OnClick;
    handler(this);
  }
}

void tXColorButton::enterEvent(QEnterEvent* event) {
  setHovered(rect().contains(event->position().toPoint()));
  QWidget::enterEvent(event);
}

void tXColorButton::leaveEvent(QEvent* event) {
  setHovered(false);
  QWidget::leaveEvent(event);
}

void tXColorButton::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange && !isEnabled()) {
    pressed_ = false;
    hovered_ = false;
  }
  if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange) update();
  QWidget::changeEvent(event);
}
