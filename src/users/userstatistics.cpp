#include "users/userstatistics.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <algorithm>

namespace {

// Nearest integer of numerator / denominator for non-negative values, halves up.
qint64 roundedRatio(qint64 numerator, qint64 denominator) { return (2 * numerator + denominator) / (2 * denominator); }

int percentOf(qint64 count, qint64 total) { return static_cast<int>(roundedRatio(count * 100, total)); }

}  // namespace

int UserStatistics::bucketOf(int score) {
  return std::clamp((std::clamp(score, -100, 100) + 100) * kBuckets / 201, 0, kBuckets - 1);
}

UserStatistics UserStatistics::compute(const std::deque<TXUserVoc>& history) {
  UserStatistics s;
  qint64 sumAbsolute = 0;
  qint64 sumRelative = 0;
  qint64 sumGerman = 0;
  qint64 sumSpanish = 0;
  qint64 kinds[4] = {0, 0, 0, 0};  // e, m, v, f
  qint64 kindsLength = 0;
  qint64 answers = 0;
  qint64 right = 0;
  for (const TXUserVoc& r : history) {
    if (r.key.isEmpty()) continue;
    ++s.records;
    const int a = UserScores::absolute(r.results);
    const int rel = UserScores::relative(r.results, r.kinds);
    ++s.histograms[Absolute][bucketOf(a)];
    ++s.histograms[Relative][bucketOf(rel)];
    sumAbsolute += a;
    sumRelative += rel;
    for (QChar k : r.kinds) {
      switch (k.unicode()) {
        case 'e': ++kinds[0]; break;
        case 'm': ++kinds[1]; break;
        case 'v': ++kinds[2]; break;
        case 'f': ++kinds[3]; break;
        default: break;
      }
    }
    kindsLength += r.kinds.size();
    for (QChar c : r.results) right += UserScores::scoreOf(c) > 0 ? 1 : 0;
    answers += r.results.size();
    if (r.key.startsWith(QLatin1Char('<'))) {
      ++s.histograms[German][bucketOf(a)];
      sumGerman += a;
      ++s.germanCount;
    } else {
      ++s.histograms[Spanish][bucketOf(a)];
      sumSpanish += a;
      ++s.spanishCount;
    }
  }
  if (s.records == 0) return s;
  // Integer division truncates towards zero.
  s.averageAbsolute = static_cast<int>(sumAbsolute / s.records);
  s.averageRelative = static_cast<int>(sumRelative / s.records);
  s.averageGerman = s.germanCount ? static_cast<int>(sumGerman / s.germanCount) : 0;
  s.averageSpanish = s.spanishCount ? static_cast<int>(sumSpanish / s.spanishCount) : 0;
  s.percentRight = answers ? percentOf(right, answers) : 0;
  if (kindsLength == 0) {
    s.percentTyping = s.percentMultipleChoice = s.percentLasVegas = s.percentFreeFall = -1;
  } else {
    s.percentTyping = percentOf(kinds[0], kindsLength);
    s.percentMultipleChoice = percentOf(kinds[1], kindsLength);
    s.percentLasVegas = percentOf(kinds[2], kindsLength);
    s.percentFreeFall = percentOf(kinds[3], kindsLength);
  }
  return s;
}

void UserStatistics::draw(QImage& image, int chart) const {
  if (chart < 0 || chart > 3 || image.isNull()) return;
  // Palette and monochrome images cannot be painted on directly.
  if (image.format() == QImage::Format_Indexed8 || image.format() == QImage::Format_Mono ||
      image.format() == QImage::Format_MonoLSB)
    image = image.convertToFormat(QImage::Format_RGB32);
  const int width = image.width();
  const int height = image.height();
  QPainter p(&image);
  p.fillRect(QRect(0, 0, width / 2, height), QColor(255, 0, 0));
  p.fillRect(QRect(width / 2, 0, width - width / 2, height), QColor(0x33, 0x33, 0x33));
  if (records <= 0) return;
  const auto& counts = histograms[static_cast<size_t>(chart)];
  for (int i = 0; i < kBuckets; ++i) {
    if (counts[static_cast<size_t>(i)] == 0) continue;
    const int left = static_cast<int>(roundedRatio(qint64(i) * width, kBuckets));
    const int right = static_cast<int>(roundedRatio(qint64(i + 1) * width, kBuckets));
    const int barHeight = static_cast<int>(roundedRatio(qint64(counts[static_cast<size_t>(i)]) * height, records));
    if (barHeight <= 0 || right <= left) continue;
    p.fillRect(QRect(left, height - barHeight, right - left, barHeight), Qt::white);
  }
}

QString learningTimeText(qint64 seconds) {
  if (seconds < 0) seconds = 0;
  const qint64 hours = seconds / 3600;
  const qint64 minutes = seconds % 3600 / 60;
  return QString::number(hours) + (hours == 1 ? QStringLiteral(" Stunde ") : QStringLiteral(" Stunden ")) +
         QString::number(minutes) + (minutes == 1 ? QStringLiteral(" Minute") : QStringLiteral(" Minuten"));
}
