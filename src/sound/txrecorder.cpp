#include "sound/txrecorder.h"

#include <QPainter>

#include "common/filelookup.h"
#include "pages/pagetables.h"

namespace {

QImage loadPicture(const QString& path) {
  const QString found = FileLookup::locate(path);
  return found.isEmpty() ? QImage() : QImage(found);
}

}  // namespace

TXRecorder::TXRecorder(const QRect& recRect, const QRect& playRect, MciDevice* device, QObject* parent)
    : TBaseRec(device, parent), recRect_(recRect), playRect_(playRect) {}

std::unique_ptr<TXRecorder> TXRecorder::FromSpec(const TRecorderSpec& settings, MciDevice* device) {
  auto recorder = std::make_unique<TXRecorder>(settings.RecRect, settings.PlayRect, device);
  recorder->SetMaxSeconds(settings.Max);
  // Marker values (page text or link colour, none) are no colours: the background stays white.
  if (settings.Color && *settings.Color >= 0 && *settings.Color <= 0xFFFFFF)
    recorder->SetBackground(QColor(RedOf(*settings.Color), GreenOf(*settings.Color), BlueOf(*settings.Color)));
  recorder->SetPictures(settings.Pictures);
  return recorder;
}

PageRecorderFactory TXRecorder::PageFactory(MciDevice* device) {
  return [device](const TRecorderSpec& tag) -> std::unique_ptr<TPageRecorder> { return FromSpec(tag, device); };
}

void TXRecorder::SetCanvas(QImage* target, std::function<void(const QRect&)> screenUpdate) {
  target_ = target;
  screenUpdate_ = std::move(screenUpdate);
}

void TXRecorder::SetPictures(const QString& prefix) {
  if (prefix == prefix_ && !prefix.isEmpty()) return;
  prefix_ = prefix;
  rec0_ = loadPicture(prefix + QStringLiteral("rec0.bmp"));
  rec1_ = loadPicture(prefix + QStringLiteral("rec1.bmp"));
  play0_ = loadPicture(prefix + QStringLiteral("play0.bmp"));
  play1_ = loadPicture(prefix + QStringLiteral("play1.bmp"));
}

void TXRecorder::SetVisible(bool visible) {
  visible_ = visible;
  if (visible_) Draw(true);
}

void TXRecorder::Draw(bool screenUpdate) {
  if (!visible_ || !target_ || target_->isNull()) return;
  {
    QPainter painter(target_);
    drawButton(painter, recRect_, State() == Recording ? rec1_ : rec0_);
    drawButton(painter, playRect_, State() == Playing ? play1_ : play0_);
  }
  if (screenUpdate && screenUpdate_) {
    screenUpdate_(recRect_);
    screenUpdate_(playRect_);
  }
}

void TXRecorder::drawButton(QPainter& painter, const QRect& rect, const QImage& picture) {
  if (rect.isEmpty()) return;
  painter.fillRect(rect, background_);
  if (picture.isNull()) return;
  painter.save();
  painter.setClipRect(rect);
  painter.drawImage(rect.left() + (rect.width() - picture.width()) / 2, rect.top() + (rect.height() - picture.height()) / 2,
                    picture);
  painter.restore();
}

bool TXRecorder::HandleLink(const QString& code) {
  if (code.compare(QLatin1String("rec"), Qt::CaseInsensitive) == 0) ToggleRecord();
  else if (code.compare(QLatin1String("play"), Qt::CaseInsensitive) == 0) TogglePlay();
  else return false;
  return true;
}
