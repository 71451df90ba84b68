#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>

struct TRecorderSpec;

// What a page needs of the recording panel its RECORDER tag places: the
// host program makes the panel (the page engine knows no sound device), the
// page gives it its buffer, switches it on after drawing, hands it the links
// "rec" and "play", and destroys it with the page.
class TPageRecorder {
 public:
  virtual ~TPageRecorder() = default;

  // target: the page buffer drawn into (page coordinates); screenUpdate asks
  // for a rectangle of it to be shown on screen.
  virtual void SetCanvas(QImage* target, std::function<void(const QRect&)> screenUpdate) = 0;
  // Drawing on or off; switching on draws at once.
  virtual void SetVisible(bool visible) = 0;
  // The page links of the buttons ("rec", "play"); false for any other code.
  virtual bool HandleLink(const QString& code) = 0;
};

// Makes the panel of a RECORDER tag; a host without one leaves it empty, and
// the links "rec" and "play" then reach the host as commands.
using PageRecorderFactory = std::function<std::unique_ptr<TPageRecorder>(const TRecorderSpec& tag)>;
