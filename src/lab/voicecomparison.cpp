#include "lab/voicecomparison.h"

#include <QDir>
#include <QFont>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "sound/wavefile.h"

namespace {

const QColor kModelColor(0x6b, 0x4c, 0x93);
const QColor kOwnColor(0x8a, 0x24, 0x32);
const QColor kNoteColor(0x6b, 0x62, 0x5a);
const QColor kSecondLine(0xec, 0xe5, 0xf4);
const QColor kCentreLine(0xdd, 0xd2, 0xbf);

// At least one second is shown, so a short word does not fill the width.
constexpr int kMinFrames = 1000 / LoudnessEnvelope::kFrameMs;

QString secondsText(double seconds) {
  return QString::number(seconds, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(',')) + QStringLiteral(" s");
}

QFont pictureFont(int pixels, bool bold) {
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

// One lane: the envelope's voiced part from the lane's left edge on,
// mirrored about the centre line, framesPerPixel frames to a column.
void drawEnvelope(QPainter& p, const QRect& lane, const LoudnessEnvelope& e, double framesPerPixel, const QColor& color) {
  const int cy = lane.center().y();
  const int half = std::max(1, lane.height() / 2 - 1);
  const int columns = std::min(lane.width(), static_cast<int>(std::ceil(e.VoicedFrames() / framesPerPixel)));
  p.fillRect(QRect(lane.left(), cy, columns, 1), kCentreLine);
  for (int x = 0; x < columns; ++x) {
    // The loudest frame of the column; a column narrower than a frame shows the frame it lies in.
    const int from = e.firstVoiced + static_cast<int>(x * framesPerPixel);
    const int to = std::min(e.lastVoiced + 1, std::max(from + 1, e.firstVoiced + static_cast<int>((x + 1) * framesPerPixel)));
    float level = 0;
    for (int f = from; f < to; ++f) level = std::max(level, e.levels[static_cast<size_t>(f)]);
    const int h = static_cast<int>(std::lround(level * half));
    if (h > 0) p.fillRect(QRect(lane.left() + x, cy - h, 1, 2 * h + 1), color);
  }
}

void drawNote(QPainter& p, const QRect& lane, const QString& text) {
  p.setFont(pictureFont(13, false));
  p.setPen(kNoteColor);
  p.drawText(lane.adjusted(6, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
}

void drawLabel(QPainter& p, const QRect& box, const QString& name, const QString& detail, const QColor& color) {
  p.setFont(pictureFont(13, true));
  p.setPen(color);
  const int mid = box.center().y();
  p.drawText(QRect(box.left(), box.top(), box.width(), mid - box.top()), Qt::AlignLeft | Qt::AlignBottom, name);
  if (detail.isEmpty()) return;
  p.setFont(pictureFont(12, false));
  p.setPen(kNoteColor);
  p.drawText(QRect(box.left(), mid + 1, box.width(), box.bottom() - mid), Qt::AlignLeft | Qt::AlignTop, detail);
}

}  // namespace

LoudnessEnvelope LoudnessEnvelope::FromWave(const WaveData& wave) {
  LoudnessEnvelope e;
  const std::vector<float> samples = wave.mono();
  const size_t frame = std::max<size_t>(1, static_cast<size_t>(wave.format.samplesPerSecond) * kFrameMs / 1000);
  std::vector<double> rms;
  rms.reserve(samples.size() / frame + 1);
  for (size_t start = 0; start < samples.size(); start += frame) {
    const size_t end = std::min(samples.size(), start + frame);
    double sum = 0;
    for (size_t i = start; i < end; ++i) sum += static_cast<double>(samples[i]) * samples[i];
    rms.push_back(std::sqrt(sum / static_cast<double>(end - start)));
  }
  e.levels.assign(rms.size(), 0.0F);
  const double peak = rms.empty() ? 0.0 : *std::max_element(rms.begin(), rms.end());
  if (peak < kSilentRms) return e;
  for (size_t i = 0; i < rms.size(); ++i) {
    const double db = rms[i] > 0 ? 20.0 * std::log10(rms[i] / peak) : -1000.0;
    e.levels[i] = static_cast<float>(std::clamp(1.0 + db / kFloorDb, 0.0, 1.0));
    if (db > -kVoiceDb) {
      if (e.firstVoiced < 0) e.firstVoiced = static_cast<int>(i);
      e.lastVoiced = static_cast<int>(i);
    }
  }
  return e;
}

void VoiceComparison::SetModel(const QString& path) {
  own_.reset();
  modelPath_ = path;
  model_.reset();
  if (path.isEmpty()) return;
  if (const auto wave = ReadWaveFile(path)) model_ = LoudnessEnvelope::FromWave(*wave);
}

void VoiceComparison::SetOwn(const QString& path) {
  own_.reset();
  if (const auto wave = ReadWaveFile(path)) own_ = LoudnessEnvelope::FromWave(*wave);
}

QString VoiceComparison::OwnRecordingPath() {
  if (!dir_) dir_ = std::make_unique<QTemporaryDir>(QDir::temp().filePath(QStringLiteral("zvk-labor-XXXXXX")));
  return dir_->isValid() ? dir_->filePath(QStringLiteral("stimme.wav")) : QString();
}

void VoiceComparison::Draw(QImage& picture) const {
  QPainter p(&picture);
  p.fillRect(picture.rect(), Qt::white);
  const int w = picture.width();
  const int h = picture.height();
  const int labelWidth = std::min(92, w / 4);
  const QRect area(labelWidth, 2, std::max(1, w - labelWidth - 4), std::max(2, h - 4));
  const QRect top(area.left(), area.top(), area.width(), area.height() / 2 - 2);
  const QRect bottom(area.left(), area.top() + area.height() / 2 + 2, area.width(), area.height() - area.height() / 2 - 2);

  const bool modelShown = model_ && !model_->Silent();
  const bool ownShown = own_ && !own_->Silent();
  const int frames = std::max({kMinFrames, modelShown ? model_->VoicedFrames() : 0, ownShown ? own_->VoicedFrames() : 0});
  // A little room after the longer of the two.
  const double framesPerPixel = frames * 1.05 / area.width();
  for (int second = 1;; ++second) {
    const int x = area.left() + static_cast<int>(second * kMinFrames / framesPerPixel);
    if (x >= area.right()) break;
    p.fillRect(QRect(x, area.top(), 1, area.height()), kSecondLine);
  }

  drawLabel(p, QRect(6, top.top(), labelWidth - 8, top.height()), QStringLiteral("Vorbild"),
            modelShown ? secondsText(model_->VoicedSeconds()) : QString(), kModelColor);
  if (modelShown) drawEnvelope(p, top, *model_, framesPerPixel, kModelColor);
  else drawNote(p, top, kNoModel);

  drawLabel(p, QRect(6, bottom.top(), labelWidth - 8, bottom.height()), QStringLiteral("Sie"),
            ownShown ? secondsText(own_->VoicedSeconds()) : QString(), kOwnColor);
  if (ownShown) drawEnvelope(p, bottom, *own_, framesPerPixel, kOwnColor);
  else drawNote(p, bottom, own_ ? kSilent : kNotYetRecorded);
}
