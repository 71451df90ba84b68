#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>

#include "pages/pagerecorder.h"
#include "sound/baserec.h"

struct TRecorderSpec;

// The recorder as a page shows it: a record button and a play button drawn
// into the page's buffer, each a picture centred on a background-coloured
// rectangle. The pictures come from a file prefix: prefix + "rec0.bmp"
// (record, idle), "rec1.bmp" (record, active), "play0.bmp" (play, idle),
// "play1.bmp" (play, active). Every state change redraws both buttons and
// hands their rectangles to the screen update.
//
// A page creates it from its RECORDER tag through the factory the host gives
// it (PageFactory), gives it its buffer and a screen update (SetCanvas),
// switches it on after drawing the page (SetVisible(true)), passes the links
// "rec" and "play" to HandleLink, and destroys it when the page is cleared
// (which stops and closes the device).
class TXRecorder : public TBaseRec, public TPageRecorder {
  Q_OBJECT
 public:
  TXRecorder(const QRect& recRect, const QRect& playRect, MciDevice* device = nullptr, QObject* parent = nullptr);

  // Rectangles, pictures (a resolved file prefix), colour and maximum length of a RECORDER tag.
  static std::unique_ptr<TXRecorder> FromSpec(const TRecorderSpec& settings, MciDevice* device = nullptr);
  // The factory a host gives its pages (TXPage::CreateRecorder).
  static PageRecorderFactory PageFactory(MciDevice* device = nullptr);

  // target: the page buffer drawn into (page coordinates); screenUpdate: asks
  // for a rectangle of the target to be shown on screen.
  void SetCanvas(QImage* target, std::function<void(const QRect&)> screenUpdate) override;
  void SetBackground(const QColor& color) { background_ = color; }
  QColor Background() const { return background_; }
  // Loads the four pictures when the prefix differs from the current one.
  void SetPictures(const QString& prefix);
  QString Pictures() const { return prefix_; }
  // Drawing on or off; switching on draws at once.
  void SetVisible(bool visible) override;
  bool Visible() const { return visible_; }
  // Draws both buttons (only when visible); with screenUpdate also puts them on screen.
  void Draw(bool screenUpdate = false);

  // The page links of the buttons ("rec", "play"); false for any other code.
  bool HandleLink(const QString& code) override;

  QRect RecRect() const { return recRect_; }
  QRect PlayRect() const { return playRect_; }

 protected:
  void StateChanged() override { Draw(true); }

 private:
  void drawButton(QPainter& painter, const QRect& rect, const QImage& picture);

  QRect recRect_;
  QRect playRect_;
  QColor background_ = Qt::white;
  QString prefix_;
  QImage rec0_, rec1_, play0_, play1_;
  bool visible_ = false;
  QImage* target_ = nullptr;
  std::function<void(const QRect&)> screenUpdate_;
};
