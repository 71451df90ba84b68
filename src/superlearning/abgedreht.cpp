// The typing of the "abgedreht" mode: each character in its own place,
// font and size, more wildly the higher the level of distortion.
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "common/msclock.h"
#include "common/random.h"
#include "pages/fontcatalog.h"
#include "superlearning/tsuperfade.h"
#include "superlearning/tsuperoptions.h"

namespace {

int r(int n) { return Random::below(n); }
bool chance(int percent) { return r(100) < percent; }

}  // namespace

void TSuperFade::type(const QString& input) {
  ready_ = false;
  // Every way out of the typing, the stop included, lets the timer go on.
  struct Ready {
    bool& flag;
    ~Ready() { flag = true; }
  } done{ready_};

  const int width = screen_.width();
  const int height = screen_.height();
  if (input.isEmpty()) {
    screen_.fill(background_);
    present(screen_.rect());
    return;
  }
  const int large = height / 8;
  const int middle = height / 24;
  const int small = height / 32;
  const int level = options_.Value(SuperOption::Madness);
  QString text = input;
  if (level == 10)
    for (QChar& c : text)
      if (chance(6)) c = c.toUpper();

  QFont font;
  int size = small;
  const auto randomFace = [&] {
    font.setFamily(FontCatalog::FamilyFor(r(2) == 0 ? QStringLiteral("Times New Roman") : QStringLiteral("Arial")));
  };
  const auto setSize = [&](int s) {
    size = s;
    font.setPixelSize(std::max(1, size));
  };
  const auto randomSize = [&] { setSize(small + r(r((level > 3 ? large : middle) - small))); };
  randomFace();
  randomSize();

  QPainter painter(&screen_);
  painter.setPen(text_);
  const int whole = QFontMetrics(font).horizontalAdvance(text);
  int x = whole < width ? (width - 2 * whole < 1 ? r(r(200)) : r(width - 2 * whole)) : r(width / 2);
  int y = r(height / 2);
  const auto n = static_cast<int>(text.size());
  for (int i = 1; i <= n; ++i) {
    const QChar c = text[i - 1];
    painter.setFont(font);
    const QFontMetrics drawn(font);
    painter.drawText(x, y + drawn.ascent(), QString(c));
    const int w = drawn.horizontalAdvance(c);
    present(QRect(x - 2, y, w + 8, drawn.height()));
    MsClock::Current().Wait(options_.Value(SuperOption::TextDelay));
    if (stop_) return;

    x += w;
    if (level > 1) {
      int d = 0;
      if (level >= 3) {
        d = r(r(4 * w));
        if (chance(60)) d += r(6);
      }
      if (chance(80)) d += 2;
      if (level > 4 && c == QLatin1Char(' ')) x += 5;
      if (level < 6 || r(5) != 0) x += d;
      else x -= r(w) / 3;
    }
    if (level > 8) {
      if (chance(5)) {
        font.setBold(true);
      } else {
        font.setBold(false);
        font.setItalic(chance(5));
      }
    }
    if (level > 3) {
      if (size > middle) {
        randomSize();
      } else if (chance(10)) {
        const int j = r(r(r(level < 7 ? size : 2 * size)));
        setSize(r(2) == 0 ? size + j : size - j);
        if (size <= small) setSize(small + r(r(large - small)));
      }
    }
    if (level > 1 && chance(20)) randomFace();

    if (i < n) {
      const int h = drawn.height();
      const QFontMetrics next(font);
      const int nextWidth = next.horizontalAdvance(text[i]);
      if (x >= width - 2 * nextWidth) {
        x -= r(r(width / 2));
        if (x >= width - 2 * nextWidth) x -= 50;
        if (x < 0) x = r(100);
        y += h + r(30) - r(10);
      } else if (level > 4) {
        int v = r(r(level >= 8 ? 2 * h : h));
        if (r(100) >= 10 * level - 10) v = 0;
        if (level > 8 && chance(5)) v += h;
        if (r(3) < 2) y += v;
        else y -= v;
      }
      if (y < 10) y = 10 + r(40);
      if (y > height - next.height() - 10) y = height - next.height() - r(30) - 10;
    }
  }
}
