// IMG: pictures in the text flow.
#include <QStringList>

#include "common/random.h"
#include "pages/elementtags.h"
#include "pages/pagebuilder.h"
#include "pages/pageloader.h"
#include "pages/pagestate.h"
#include "pages/picturecache.h"
#include "pages/tparser.h"

namespace ElementTags {

namespace {

int loadSource(const QString& source, BuildContext& ctx) {
  if (source.startsWith(QLatin1Char('%'))) {
    const int index = PictureCache::Request(ctx.page, source);
    if (index >= 0) return index;
  }
  return PictureCache::Load(ctx.page, ctx.loader.ResolvePath(source));
}

}  // namespace

void ImageTag(TParser& p, BuildContext& ctx) {
  static const QStringList kKeywords = {
      QStringLiteral("SRC"),    QStringLiteral("SCALE"), QStringLiteral("ALIGN"),       QStringLiteral("USEMAP"),
      QStringLiteral("FLASH"),  QStringLiteral("BASE"),  QStringLiteral("RADIUS"),      QStringLiteral("ALPHA"),
      QStringLiteral("TRANSPARENT"), QStringLiteral("MODE"), QStringLiteral("ALT"),     QStringLiteral("COLOR"),
      QStringLiteral("FCOLOR"),
  };
  PageState& page = ctx.page;
  tHTML_format& f = ctx.fmt;
  f.resetPicture();
  f.ImgUseMap.clear();
  QString source;
  for (int k; (k = p.MatchKeyword(kKeywords)) >= 0 && !p.Failed();) {
    switch (k) {
      case 0:
        source = p.QuotedValue();
        if (source.startsWith(QLatin1Char('$'))) source = page.GetVariable(source.mid(1));
        break;
      case 1: {  // "=50%": per cent; without "%" the picture keeps its size
        const QString v = p.PlainValue();
        bool ok = false;
        const int n = v.endsWith(QLatin1Char('%')) ? v.chopped(1).toInt(&ok) : 0;
        f.ImgScale = ok ? std::clamp(n, 1, 10000) : 100;
        break;
      }
      case 2: {
        const QString v = p.PlainValue().toUpper();
        const QChar c = v.isEmpty() ? QChar() : v[0];
        f.ImgAlign = c == QLatin1Char('B') ? 5
                     : c == QLatin1Char('C') ? 1
                     : c == QLatin1Char('M') ? 4
                     : c == QLatin1Char('R') ? 2
                     : c == QLatin1Char('T') ? 3
                     : c == QLatin1Char('X') ? 6
                                             : 0;
        break;
      }
      case 3: f.ImgUseMap = p.QuotedValue(); break;
      case 4: {
        const QString flash = p.QuotedValue();
        if (!flash.isEmpty()) source += QLatin1Char('|') + flash;
        break;
      }
      case 5: f.ImgBase = p.NumberValue(0, 500, 0); break;
      case 6: f.ImgRadius = p.NumberValue(0, 10000, 0); break;
      case 7: f.ImgAlpha = p.NumberValue(0, 100, 100) * 255 / 100; break;
      case 8: f.ImgAlpha = 255 - p.NumberValue(0, 255, 0); break;
      case 9: {
        const int m = p.NumberValue(0, 10, 0);
        f.ImgMode = static_cast<quint8>(m >= 1 && m <= 8 ? m : m == 9 ? 7 + Random::below(2) : m == 10 ? 9 : 0);
        break;
      }
      case 10: f.ImgAlt = p.QuotedValue(); break;
      case 11:
        f.ImgColor = page.ReadColor(p.PlainValue());
        if (f.ImgMode == 0) f.ImgMode = 7;
        break;
      case 12:
        f.ImgMode = 7;
        f.ImgSecond = page.ReadColor(p.PlainValue()) + 0xA000000;
        break;
    }
  }
  if (source.isEmpty()) return;

  const qsizetype bar = source.indexOf(QLatin1Char('|'));
  const int first = loadSource(bar < 0 ? source : source.left(bar), ctx);
  if (first < 0) return;  // a missing picture is left out
  // A scale that would make the picture larger than any page is cut down.
  const QImage& img = page.Elements.Pictures[static_cast<size_t>(first)].Image;
  const int side = std::max(img.width(), img.height());
  if (side > 0 && static_cast<qint64>(side) * f.ImgScale / 100 > PictureCache::kMaxPictureSide)
    f.ImgScale = std::max(1, static_cast<int>(qint64(PictureCache::kMaxPictureSide) * 100 / side));
  tHTML_format element = page.CurrentFormat;  // the text format before the tag
  element.PictureIndex = first;
  element.ImgRadius = f.ImgRadius;
  element.ImgAlpha = f.ImgAlpha;
  element.ImgMode = f.ImgMode;
  element.ImgColor = f.ImgColor;
  element.ImgSecond = bar < 0 ? f.ImgSecond : loadSource(source.mid(bar + 1), ctx);
  element.ImgScale = f.ImgScale;
  element.ImgBase = f.ImgBase;
  element.ImgAlign = f.ImgAlign;
  element.ImgAlt = f.ImgAlt;
  element.ImgUseMap = f.ImgUseMap;
  element.TagSerial = f.TagSerial;
  ctx.imageElement = element;
  if (element.ImgRadius > 0 || element.ImgAlpha != 255 || element.ImgMode != 0) page.Elements.NeedsEffects = true;
}

}  // namespace ElementTags
