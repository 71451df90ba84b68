#include "superlearning/supersettingsconversions.h"

#include <QLocale>
#include <cmath>

#include "superlearning/tsuperoptions.h"

namespace SuperSettingsConversions {

int FrameDelayFromPosition(int p) {
  if (p < 50) return 20 * p;
  if (p <= 90) return 100 * p - 4000;
  if (p <= 140) return 500 * p - 40000;
  return 5000 * p - 700000;
}

int PositionFromFrameDelay(int v) {
  if (v < 1000) return v / 20;
  if (v < 5000) return v / 100 + 40;
  if (v < 30000) return v / 500 + 80;
  return v / 5000 + 140;
}

QString FrameDelayLabel(int ms) {
  if (ms < 1000) return QString::number(ms) + QStringLiteral(" ms");
  if (ms >= 60000) return QStringLiteral("%1:%2 min").arg(ms / 60000).arg(ms % 60000 / 1000);
  return QLocale(QLocale::German).toString(ms / 1000.0, 'g', 6) + QStringLiteral(" s");
}

QString SecondsText(int ms) { return QLocale(QLocale::German).toString(ms / 1000.0, 'f', 1); }

int MsFromSecondsText(const QString& text, int minimumMs, int maximumMs) {
  const QString t = text.trimmed();
  const auto read = [&](const QString& s) -> std::optional<int> {
    // "1,500" is one and a half seconds, never fifteen hundred.
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double seconds = c.toDouble(s, &ok);
    if (!ok) return std::nullopt;
    // A number far outside the range, "inf" or "nan" ends at the range.
    const double ms = std::isnan(seconds) ? minimumMs : seconds * 1000.0;
    return static_cast<int>(std::lround(std::clamp(ms, double(minimumMs), double(maximumMs))));
  };
  if (const auto ms = read(t)) return *ms;
  QString other = t;
  const qsizetype comma = other.indexOf(QLatin1Char(','));
  if (comma >= 0) other[comma] = QLatin1Char('.');
  else if (const qsizetype dot = other.indexOf(QLatin1Char('.')); dot >= 0) other[dot] = QLatin1Char(',');
  return read(other).value_or(std::clamp(0, minimumMs, maximumMs));
}

QString IntervalText(int seconds) {
  if (seconds == 60) return QStringLiteral("1 Minute");
  if (seconds > 60) return QStringLiteral("%1 Minuten").arg(seconds / 60);
  return QStringLiteral("%1 Sekunden").arg(seconds);
}

int SecondsFromIntervalText(const QString& text) {
  const auto number = [&](const QString& suffix) {
    bool ok = false;
    const int n = text.left(text.size() - suffix.size()).trimmed().toInt(&ok);
    return ok ? n : 0;
  };
  if (text.endsWith(QLatin1String(" Sekunden"))) return number(QStringLiteral(" Sekunden"));
  if (text.endsWith(QLatin1String(" Minuten"))) return 60 * number(QStringLiteral(" Minuten"));
  if (text == QLatin1String("1 Minute")) return 60;
  return 0;
}

QString PreviewMarkup(const Preview& p) {
  const QLatin1Char q('"');
  const auto hex = [](const QColor& c) { return QStringLiteral("#") + c.name().mid(1).toUpper(); };
  QString m = QStringLiteral("<body bgcolor=") + hex(p.background) + QStringLiteral(" text=") + hex(p.text) +
              QLatin1Char('>');
  if (!p.picture.isEmpty())
    m += QStringLiteral("<box coords=0,0,160><img src=") + q +
         (p.picture.contains(q) ? QLatin1Char('$') + kPreviewPicture : p.picture) + q +
         QStringLiteral(" color=") + hex(p.tint) +
         QStringLiteral(" mode=%1 transparent=%2>").arg(p.effect).arg(p.transparency * 255 / 100);
  const int h = p.height * p.border / 534;
  if (h > 0)
    m += QStringLiteral("<box coords=0,0,160,%1 color=#0 top>").arg(h) +
         QStringLiteral("<box coords=0,%1,160,%2 color=#0 top>").arg(p.height - h).arg(h);
  m += QStringLiteral("<box coords=0,40,160 align=m><font face=") + q + QString(p.font).remove(q) +
       QStringLiteral(", courier new") + q + QStringLiteral(" size=2>*zvk techno");
  return m;
}

}  // namespace SuperSettingsConversions
