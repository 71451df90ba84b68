#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <initializer_list>
#include <memory>

#include "pages/txcheckbox.h"
#include "pages/txcolorbutton.h"
#include "pages/txlabel.h"

namespace {

QImage Shot(QWidget& w) { return w.grab().toImage().convertToFormat(QImage::Format_RGB32); }

void Mouse(QWidget& w, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::MouseButtons();
  const Qt::MouseButton changed = type == QEvent::MouseMove ? Qt::NoButton : button;
  QMouseEvent event(type, QPointF(at), QPointF(w.mapToGlobal(at)), changed, held, Qt::NoModifier);
  QCoreApplication::sendEvent(&w, &event);
}

void Click(QWidget& w, QPoint at = {5, 5}) {
  Mouse(w, QEvent::MouseButtonPress, at);
  Mouse(w, QEvent::MouseButtonRelease, at);
}

QImage Solid(int w, int h, QColor c) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(c);
  return img;
}

// The bounding box of the pixels that differ from `background`.
QRect InkBox(const QImage& img, QRgb background) {
  QRect box;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.pixel(x, y) != background) box |= QRect(x, y, 1, 1);
  return box;
}

bool HasPixel(const QImage& img, QRgb colour) {
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.pixel(x, y) == colour) return true;
  return false;
}

// The colours at the given points as "rrggbb" words.
QString Px(const QImage& img, std::initializer_list<QPoint> points) {
  QStringList words;
  for (const QPoint& p : points) words << QString::number(img.pixel(p) & 0xFFFFFF, 16).rightJustified(6, QLatin1Char('0'));
  return words.join(QLatin1Char(' '));
}

QFont BigFont() {
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(20);
  return f;
}

constexpr QRgb kWhitePx = 0xFFFFFFFF;
constexpr QRgb kBlackPx = 0xFF000000;
constexpr QRgb kGreyPx = 0xFF808080;
constexpr QRgb kLabelPx = 0xFFFFFFE0;

}  // namespace

// --- colour button ---------------------------------------------------------

TEST(WidgetColorButton, StartsWithItsDefaultsAndKeepsRGBAsTheColour) {
  tXColorButton b;
  EXPECT_EQ(b.size(), QSize(105, 105));
  EXPECT_TRUE(b.ShowCaption());
  EXPECT_EQ(b.FlashColor(), RGBColor(255, 0, 0));
  EXPECT_EQ(b.Abstand(), 3);
  b.setColor(RGBColor(0x12, 0x34, 0x56));
  EXPECT_EQ(b.RGB(), 0x123456);  // red in the high byte
  b.setRGB(0xABCDEF);
  EXPECT_EQ(b.Color(), RGBColor(0xAB, 0xCD, 0xEF));
  b.setIsOn(true);  // only a toggle button has a state
  EXPECT_FALSE(b.IsOn());
}

TEST(WidgetColorButton, ThreeDEdgesDependOnTheFaceColourAndReverseWhenPressed) {
  tXColorButton b;
  b.resize(40, 30);
  b.setDDD(true);
  b.setColor(RGBColor(0x80, 0x80, 0x80));
  // Outer and inner top-left edges, outer and inner bottom-right, face.
  const auto points = {QPoint(0, 0), QPoint(1, 10), QPoint(39, 29), QPoint(38, 20), QPoint(2, 2)};
  EXPECT_EQ(Px(Shot(b), points), "ffffff ffffff 000000 000000 808080");
  Mouse(b, QEvent::MouseButtonPress, {20, 15});
  EXPECT_EQ(Px(Shot(b), points), "000000 000000 ffffff ffffff 808080");
  Mouse(b, QEvent::MouseButtonRelease, {20, 15});

  b.setColor(kWhite);
  EXPECT_EQ(Px(Shot(b), points), "c0c0c0 c0c0c0 808080 808080 ffffff");
  b.setColor(RGBColor(0, 0, 0xFF));
  EXPECT_EQ(Px(Shot(b), points), "ffffff ffffff 808080 808080 0000ff");
  b.setDDD(false);
  EXPECT_EQ(Px(Shot(b), points), "0000ff 0000ff 0000ff 0000ff 0000ff");
}

TEST(WidgetColorButton, HoverFrameNeedsMouseOverAndMouseOver3D) {
  tXColorButton b;
  b.resize(40, 30);
  b.setColor(RGBColor(0x80, 0x80, 0x80));
  b.setMouseOver3D(true);
  const auto points = {QPoint(0, 0), QPoint(39, 29), QPoint(1, 1)};
  Mouse(b, QEvent::MouseMove, {20, 15});
  EXPECT_TRUE(b.Hovered());
  EXPECT_EQ(Px(Shot(b), points), "808080 808080 808080");  // MouseOver is off
  b.setMouseOver(true);
  EXPECT_EQ(Px(Shot(b), points), "ffffff 000000 808080");
  Mouse(b, QEvent::MouseButtonPress, {20, 15});
  EXPECT_EQ(Px(Shot(b), points), "000000 ffffff 808080");
  Mouse(b, QEvent::MouseButtonRelease, {20, 15});
  Mouse(b, QEvent::MouseMove, {50, 15});
  EXPECT_EQ(Px(Shot(b), points), "808080 808080 808080");

  Mouse(b, QEvent::MouseMove, {20, 15});
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(&b, &leave);
  EXPECT_FALSE(b.Hovered());
}

TEST(WidgetColorButton, CaptionIsCentredMovesWhenPressedAndFlashesOnHover) {
  tXColorButton b;
  b.resize(100, 60);
  b.setColor(kWhite);
  b.setFont(BigFont());
  b.setCaption(QStringLiteral("Sí"));
  const QRect ink = InkBox(Shot(b), kWhitePx);
  ASSERT_TRUE(ink.isValid());
  EXPECT_NEAR(ink.center().x(), 50, 2);
  EXPECT_NEAR(ink.center().y(), 30, 4);

  Mouse(b, QEvent::MouseButtonPress, {50, 30});
  EXPECT_EQ(InkBox(Shot(b), kWhitePx), ink.translated(1, 1));
  Mouse(b, QEvent::MouseMove, {150, 30});  // pressed but outside: back in place
  EXPECT_EQ(InkBox(Shot(b), kWhitePx), ink);
  Mouse(b, QEvent::MouseButtonRelease, {150, 30});

  Mouse(b, QEvent::MouseMove, {50, 30});
  EXPECT_FALSE(HasPixel(Shot(b), qRgb(255, 0, 0)));  // without MouseOver: font colour
  b.setMouseOver(true);
  EXPECT_TRUE(HasPixel(Shot(b), qRgb(255, 0, 0)));
  b.setEnabled(false);
  EXPECT_FALSE(HasPixel(Shot(b), qRgb(255, 0, 0)));

  b.setEnabled(true);
  b.resize(80, 100);
  b.setCaption(QStringLiteral("uno dos tres cuatro"));
  const QRect wrapped = InkBox(Shot(b), kWhitePx);
  EXPECT_GE(wrapped.left(), 4);
  EXPECT_LE(wrapped.right(), 75);
  EXPECT_GT(wrapped.height(), 2 * QFontMetrics(BigFont()).height());  // three lines at least
  b.setShowCaption(false);
  EXPECT_FALSE(InkBox(Shot(b), kWhitePx).isValid());
}

TEST(WidgetColorButton, PictureIsPlacedByStretchCenterOrAtTheCorner) {
  tXColorButton b;
  b.resize(60, 60);
  b.setColor(kWhite);
  b.setCaption(QStringLiteral("Hola"));
  b.setPicture1(Solid(20, 10, Qt::blue));
  EXPECT_FALSE(b.ShowCaption());  // the picture replaces the caption
  EXPECT_EQ(InkBox(Shot(b), kWhitePx), QRect(0, 0, 20, 10));
  b.setCenter(true);
  EXPECT_EQ(InkBox(Shot(b), kWhitePx), QRect(20, 25, 20, 10));
  b.setStretch(true);
  EXPECT_EQ(InkBox(Shot(b), kWhitePx), QRect(0, 0, 60, 60));
  b.setEnabled(false);  // a disabled button shows no picture
  EXPECT_FALSE(InkBox(Shot(b), kWhitePx).isValid());

  b.setAutoSize(true);
  EXPECT_EQ(b.size(), QSize(20, 10));
  b.setPicture1(Solid(33, 44, Qt::blue));
  EXPECT_EQ(b.size(), QSize(33, 44));
}

TEST(WidgetColorButton, CentredPictureStandsAboveTheCaptionWithAbstandBetween) {
  tXColorButton b;
  b.resize(100, 100);
  b.setColor(kWhite);
  b.setFont(BigFont());
  b.setCenter(true);
  b.setAbstand(10);
  b.setPicture1(Solid(20, 20, Qt::blue));
  b.setCaption(QStringLiteral("Hola"));
  b.setShowCaption(true);

  const QImage img = Shot(b);
  const int textHeight = QFontMetrics(BigFont()).height();
  const int top = (100 - (20 + 10 + textHeight)) / 2;
  EXPECT_EQ(Px(img, {{40, top}, {59, top + 19}, {39, top}, {40, top - 1}}), "0000ff 0000ff ffffff ffffff");
  const QRect text = InkBox(img.copy(0, top + 20, 100, 80 - top), kWhitePx).translated(0, top + 20);
  ASSERT_TRUE(text.isValid());
  EXPECT_GE(text.top(), top + 30);
  EXPECT_LE(text.bottom(), top + 30 + textHeight);
}

TEST(WidgetColorButton, SharedImageFaceMovesByOnePixelWhenPressed) {
  auto face = std::make_shared<QImage>(120, 120, QImage::Format_RGB32);
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 120; ++x) face->setPixel(x, y, qRgb(x, y, 77));
  tXColorButton b;
  b.resize(50, 40);
  b.setImage(face);
  EXPECT_EQ(Px(Shot(b), {{0, 0}, {30, 20}}), "01014d 1f154d");
  Mouse(b, QEvent::MouseButtonPress, {30, 20});
  EXPECT_EQ(Px(Shot(b), {{0, 0}, {30, 20}}), "00004d 1e144d");
  Mouse(b, QEvent::MouseButtonRelease, {30, 20});
  b.setDDD(true);  // the image fills the inside of the 3D frame
  EXPECT_EQ(Px(Shot(b), {{2, 2}, {47, 37}, {0, 0}}), "03034d 30264d ffffff");

  // An image smaller than the button leaves the face colour around it.
  b.setDDD(false);
  b.setColor(RGBColor(0, 200, 0));
  b.setImage(std::make_shared<QImage>(face->copy(0, 0, 20, 20)));
  EXPECT_EQ(Px(Shot(b), {{5, 5}, {30, 30}}), "06064d 00c800");
}

TEST(WidgetColorButton, SecondPictureFollowsTheToggleStateOrTheMouse) {
  tXColorButton b;
  b.resize(30, 30);
  b.setOnOff(true);
  b.setPicture1(Solid(30, 30, Qt::blue));
  b.setPicture2(Solid(30, 30, Qt::green));
  QStringList events;
  b.OnTurnOn = [&](tXColorButton* s) { events << QStringLiteral("on:%1").arg(s->IsOn()); };
  b.OnTurnOff = [&](tXColorButton* s) { events << QStringLiteral("off:%1").arg(s->IsOn()); };
  b.OnClick = [&](tXColorButton*) { events << QStringLiteral("click"); };
  EXPECT_EQ(Px(Shot(b), {{15, 15}}), "0000ff");
  Click(b);
  EXPECT_EQ(Px(Shot(b), {{15, 15}}), "00ff00");
  Click(b);
  EXPECT_EQ(Px(Shot(b), {{15, 15}}), "0000ff");
  EXPECT_EQ(events, QStringList({"on:1", "click", "off:0", "click"}));

  b.setOnOff(false);  // a plain button: the second picture while hovered with MouseOver or pressed
  Mouse(b, QEvent::MouseMove, {15, 15});
  EXPECT_EQ(Px(Shot(b), {{15, 15}}), "0000ff");
  b.setMouseOver(true);
  EXPECT_EQ(Px(Shot(b), {{15, 15}}), "00ff00");
  b.setMouseOver(false);
  Mouse(b, QEvent::MouseButtonPress, {15, 15});
  EXPECT_EQ(Px(Shot(b), {{15, 15}}), "00ff00");
}

TEST(WidgetColorButton, OnlyALeftReleaseInsideClicks) {
  tXColorButton b;
  b.setOnOff(true);
  int clicks = 0, turns = 0;
  b.OnClick = [&](tXColorButton*) { ++clicks; };
  b.OnTurnOn = [&](tXColorButton*) { ++turns; };

  Mouse(b, QEvent::MouseButtonPress, {10, 10});
  EXPECT_TRUE(b.Pressed());
  Mouse(b, QEvent::MouseMove, {200, 10});
  Mouse(b, QEvent::MouseButtonRelease, {200, 10});
  EXPECT_FALSE(b.Pressed());
  EXPECT_EQ(clicks + turns, 0);
  EXPECT_FALSE(b.IsOn());

  Mouse(b, QEvent::MouseButtonPress, {10, 10}, Qt::RightButton);
  Mouse(b, QEvent::MouseButtonRelease, {10, 10}, Qt::RightButton);
  EXPECT_EQ(clicks, 0);

  QAction action;  // an action takes the place of OnClick
  int triggered = 0;
  QObject::connect(&action, &QAction::triggered, [&] { ++triggered; });
  Click(b, {10, 10});
  b.setAction(&action);
  Click(b, {10, 10});
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(triggered, 1);
}

TEST(WidgetColorButton, BlendedPicturesGoThroughTheHookWithTheStateColour) {
  struct Call {
    QRect area;
    int mode, radius;
    TColor color;
  };
  std::vector<Call> calls;
  // A button blends as pages do; this one gets no blending first, then the test's own.
  tXColorButton b;
  b.BlendPicture = nullptr;
  b.resize(40, 40);
  b.setColor(kWhite);
  b.setPicture1(Solid(10, 10, Qt::blue));
  b.setMode(3);
  EXPECT_EQ(Px(Shot(b), {{5, 5}}), "0000ff");  // no hook yet: drawn plainly

  b.BlendPicture = [&](QImage& canvas, const QPoint& at, const QImage& picture, int mode, int radius,
                                    TColor color) {
    calls.push_back({QRect(at, picture.size()), mode, radius, color});
    QPainter(&canvas).fillRect(QRect(at, picture.size()), Qt::magenta);
  };
  b.setFontColor(RGBColor(0, 0, 0x40));
  b.setRadius(4);
  b.setStretch(true);
  EXPECT_EQ(Px(Shot(b), {{39, 39}}), "ff00ff");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].area, QRect(0, 0, 40, 40));  // already scaled to its area
  EXPECT_EQ(calls[0].mode, 3);
  EXPECT_EQ(calls[0].radius, 4);
  EXPECT_EQ(calls[0].color, RGBColor(0, 0, 0x40));

  b.setMouseOver(true);
  Mouse(b, QEvent::MouseMove, {5, 5});
  Shot(b);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1].color, RGBColor(255, 0, 0));

  // Colouring in the colour the caption already has: the hover state uses
  // the other colouring mode, so that it still changes.
  b.setMode(7);
  b.setFontColor(RGBColor(255, 0, 0));
  Shot(b);
  Mouse(b, QEvent::MouseMove, {100, 100});
  Shot(b);
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[2].mode, 8);
  EXPECT_EQ(calls[3].mode, 7);

  b.setPicture2(Solid(10, 10, Qt::green));  // pictures in pairs are drawn as they are
  EXPECT_EQ(Px(Shot(b), {{20, 20}}), "0000ff");
  EXPECT_EQ(calls.size(), 4u);
}

// --- label -------------------------------------------------------------------

TEST(WidgetLabel, AutoSizeAddsSixteenPixelsToTheText) {
  TXLabel l;
  EXPECT_EQ(l.size(), QSize(65, 17));
  EXPECT_EQ(l.Color(), RGBColor(0xFF, 0xFF, 0xE0));
  EXPECT_TRUE(l.AutoSize() && l.WordWrap() && l.ShowAccelChar());
  l.setFont(BigFont());
  l.setCaption(QStringLiteral("Hallo"));
  const QFontMetrics fm(BigFont());
  EXPECT_EQ(l.size(), QSize(fm.horizontalAdvance(QStringLiteral("Hallo")) + 16, fm.height() + 16));
  l.setCaption(QStringLiteral("&Hallo"));  // a shortcut mark takes no room
  EXPECT_EQ(l.width(), fm.horizontalAdvance(QStringLiteral("Hallo")) + 16);
  l.setShowAccelChar(false);
  EXPECT_EQ(l.width(), fm.horizontalAdvance(QStringLiteral("&Hallo")) + 16);
  l.setCaption(QStringLiteral("Hallo\r\nAdiós"));
  EXPECT_EQ(l.height(), 2 * fm.height() + 16);

  TXLabel r;  // right-aligned, it keeps its right edge
  r.setFont(BigFont());
  r.setAlignment(Qt::AlignRight);
  r.move(300, 40);
  const int right = r.geometry().right();
  r.setCaption(QStringLiteral("Hallo"));
  EXPECT_EQ(r.geometry().right(), right);
  r.setCaption(QStringLiteral("Hi"));
  EXPECT_EQ(r.geometry().right(), right);
  EXPECT_EQ(r.y(), 40);
}

TEST(WidgetLabel, DrawsAFramedNoteWrappedAtItsWidth) {
  TXLabel l;
  l.setFont(BigFont());
  l.resize(216, 17);
  l.setCaption(QStringLiteral("Una nota bastante larga que no cabe en una sola línea"));
  const QFontMetrics fm(BigFont());
  EXPECT_LE(l.width(), 216);
  EXPECT_GE(l.height(), 2 * fm.height() + 16);

  const QImage img = Shot(l);
  EXPECT_EQ(Px(img, {{0, 0}, {l.width() - 1, l.height() - 1}, {1, 1}}), "000000 000000 ffffe0");
  const QRect ink = InkBox(img.copy(1, 1, l.width() - 2, l.height() - 2), kLabelPx).translated(1, 1);
  EXPECT_GE(ink.left(), 8);
  EXPECT_GE(ink.top(), 8);

  l.setWordWrap(false);
  EXPECT_EQ(l.height(), fm.height() + 16);
  EXPECT_GT(l.width(), 216);

  l.setAutoSize(false);
  l.resize(200, 40);
  l.setCaption(QStringLiteral("Hi"));
  l.setAlignment(Qt::AlignRight);
  const QRect right = InkBox(Shot(l).copy(1, 1, 198, 38), kLabelPx).translated(1, 1);
  EXPECT_LE(right.right(), 200 - 8);
  EXPECT_GE(right.right(), 200 - 8 - 3);
}

TEST(WidgetLabel, LeftClickPutsItAway) {
  TXLabel l;
  l.setCaption(QStringLiteral("Pista"));
  l.show();
  int clicks = 0;
  l.OnClick = [&](TXLabel*) { ++clicks; };
  Mouse(l, QEvent::MouseButtonPress, {3, 3}, Qt::RightButton);
  EXPECT_TRUE(l.isVisible());
  Mouse(l, QEvent::MouseButtonPress, {3, 3});
  EXPECT_FALSE(l.isVisible());
  EXPECT_EQ(l.Caption(), QStringLiteral("x"));
  EXPECT_FALSE(l.WordWrap());
  EXPECT_EQ(clicks, 1);
}

// --- check box -------------------------------------------------------------

TEST(WidgetCheckBox, PressTogglesAndReleaseInsideClicks) {
  tXCheckBox c;
  EXPECT_EQ(c.size(), QSize(65, 17));
  int clicks = 0;
  c.OnClick = [&](tXCheckBox*) { ++clicks; };
  Mouse(c, QEvent::MouseButtonPress, {5, 8});
  EXPECT_TRUE(c.Checked());  // already on the press
  EXPECT_EQ(clicks, 0);
  Mouse(c, QEvent::MouseButtonRelease, {5, 8});
  EXPECT_EQ(clicks, 1);

  Mouse(c, QEvent::MouseButtonPress, {5, 8});
  Mouse(c, QEvent::MouseButtonRelease, {5, 80});
  EXPECT_FALSE(c.Checked());
  EXPECT_EQ(clicks, 1);
}

TEST(WidgetCheckBox, DrawsTheBoxTickAndCaption) {
  tXCheckBox c;
  c.setFont(BigFont());
  c.resize(80, 17);
  const int t = (17 - 12) / 2;
  QImage img = Shot(c);
  EXPECT_EQ(Px(img, {{0, t}, {11, t + 11}}), "000000 000000");
  EXPECT_FALSE(InkBox(img.copy(1, t + 1, 10, 10), kWhitePx).isValid());

  c.setChecked(true);
  img = Shot(c);
  for (int dy = 0; dy < 3; ++dy)
    EXPECT_EQ(Px(img, {{2, t + 5 + dy}, {3, t + 6 + dy}, {4, t + 7 + dy}, {7, t + 4 + dy}}),
              "000000 000000 000000 000000")
        << dy;
  EXPECT_EQ(Px(img, {{2, t + 4}, {4, t + 10}, {8, t + 8}}), "ffffff ffffff ffffff");

  // The caption starts at x 16, in black, or grey when disabled.
  c.setCaption(QStringLiteral("Sí"));
  const QImage caption = Shot(c).copy(12, 0, 68, 17);
  const QRect ink = InkBox(caption, caption.pixel(1, 8));
  ASSERT_TRUE(ink.isValid());
  EXPECT_GE(ink.left() + 12, 16);
  EXPECT_TRUE(HasPixel(caption, kBlackPx));
  c.setEnabled(false);
  EXPECT_TRUE(HasPixel(Shot(c).copy(12, 0, 68, 17), kGreyPx));
  EXPECT_FALSE(HasPixel(Shot(c).copy(12, 0, 68, 17), kBlackPx));
}
