// Pictures of the bundled course's pages as the trainer shows them, compared
// with reviewed pictures in tests/pages/golden. A pixel counts as different
// when a channel differs by more than 48; at most 0.5 % of the pixels may.
// ZVK_UPDATE_GOLDEN=1 writes the pictures anew (look at them before committing).
#include <gtest/gtest.h>

#include <QImage>

#include "common/messagerecorder.h"
#include "common/random.h"
#include "pages/txpage.h"

namespace {

const QString kGoldenDir = QStringLiteral(ZVK_SOURCE_DIR "/tests/pages/golden/");

QImage shown(const QString& page) {
  MessageRecorder quiet;
  Random::seed(0);
  TXPage view;
  view.setXPath(QStringLiteral(ZVK_STAGE_DIR "/hzvk"));
  EXPECT_TRUE(view.setXFile(page)) << page.toStdString();
  EXPECT_TRUE(quiet.messages().isEmpty());
  return view.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

double differingShare(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return 1.0;
  qint64 differing = 0;
  for (int y = 0; y < a.height(); ++y) {
    const auto* pa = reinterpret_cast<const QRgb*>(a.constScanLine(y));
    const auto* pb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
    for (int x = 0; x < a.width(); ++x) {
      if (std::abs(qRed(pa[x]) - qRed(pb[x])) > 48 || std::abs(qGreen(pa[x]) - qGreen(pb[x])) > 48 ||
          std::abs(qBlue(pa[x]) - qBlue(pb[x])) > 48)
        ++differing;
    }
  }
  return static_cast<double>(differing) / (static_cast<double>(a.width()) * a.height());
}

class GoldenPage : public ::testing::TestWithParam<const char*> {};

}  // namespace

TEST_P(GoldenPage, LooksAsReviewed) {
  const QString name = QLatin1String(GetParam());
  const QImage image = shown(name);
  const QString golden = kGoldenDir + QString(name).replace(QStringLiteral(".htx"), QStringLiteral(".png"));
  if (qEnvironmentVariableIsSet("ZVK_UPDATE_GOLDEN")) {
    ASSERT_TRUE(image.save(golden));
    return;
  }
  const QImage expected = QImage(golden).convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(expected.isNull()) << "missing " << golden.toStdString();
  const double share = differingShare(image, expected);
  if (share > 0.005) image.save(QStringLiteral("/tmp/") + QString(name).replace(QStringLiteral(".htx"), QStringLiteral("-actual.png")));
  EXPECT_LE(share, 0.005) << name.toStdString() << ": " << share * 100 << " % of the pixels differ";
}

INSTANTIATE_TEST_SUITE_P(Course, GoldenPage,
                         ::testing::Values("main.htx", "technik1.htx", "technik2.htx", "technik3.htx", "technik4.htx"),
                         [](const auto& info) {
                           QString n = QLatin1String(info.param);
                           return n.replace(QStringLiteral(".htx"), QString()).toStdString();
                         });
