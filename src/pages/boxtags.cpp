// Boxes and ellipses: coloured areas, text columns, button boxes, mosaics.
#include <QFileInfo>
#include <QImageReader>
#include <QStringList>

#include "common/filelookup.h"
#include "pages/coordinates.h"
#include "pages/elementtags.h"
#include "pages/pagebuilder.h"
#include "pages/pageloader.h"
#include "pages/pagepaths.h"
#include "pages/pagestate.h"
#include "pages/tparser.h"

namespace ElementTags {

namespace {

// Pictures of a mosaic that can be read; the rest are left out.
QStringList readablePictures(const QStringList& names, const QString& dir, BuildContext& ctx) {
  QStringList found;
  for (const QString& name : names) {
    const QString path = FileLookup::locate(ctx.loader.ResolvePath(dir + name.trimmed()));
    if (!path.isEmpty() && QImageReader(path).canRead()) found.append(path);
  }
  return found;
}

void addBoxMark(BuildContext& ctx, const TBox& box, int boxTop) {
  PageElements& e = ctx.page.Elements;
  e.Boxes.push_back(box);
  ctx.fmt.BoxIndex = static_cast<int>(e.Boxes.size()) - 1;
  ctx.fmt.BoxTop = boxTop;
  ctx.AddMark(ElementKind::BoxMark);
  ctx.fmt.BoxTop = -1;
}

}  // namespace

void BoxTag(TParser& p, BuildContext& ctx) {
  static const QStringList kKeywords = {
      QStringLiteral("COORDS"),  QStringLiteral("ALIGN"),   QStringLiteral("SHAPE"),    QStringLiteral("OFFSET"),
      QStringLiteral("COLOR"),   QStringLiteral("BCOLOR"),  QStringLiteral("BWIDTH"),   QStringLiteral("RADIUS"),
      QStringLiteral("DIR"),     QStringLiteral("LOMO"),    QStringLiteral("ZONE2"),    QStringLiteral("SPEED"),
      QStringLiteral("TOP"),     QStringLiteral("DEST"),    QStringLiteral("ALPHA"),    QStringLiteral("MODE"),
      QStringLiteral("HREF"),    QStringLiteral("ONCOLOR"), QStringLiteral("OFFCOLOR"), QStringLiteral("ONCOL2"),
      QStringLiteral("OFFCOL2"), QStringLiteral("YO"),      QStringLiteral("SPECIAL"),  QStringLiteral("RETURN"),
  };
  PageState& page = ctx.page;
  tHTML_format& f = ctx.fmt;
  // COORDS must come first: it creates the record.
  if (p.MatchKeyword(kKeywords) != 0) return;
  const TCoords c = ReadCoords(p.PlainValue(), page.Width, page.Height, &page.PageAliases);
  if (p.Failed()) return;
  TBox box;
  box.Left = OrZero(c.x);
  box.Top = OrZero(c.y);
  box.Width = OrZero(c.w);
  box.AutoHeight = c.h == TCoords::kMissing;
  box.Height = box.AutoHeight ? 20 : c.h;
  f.BoxLeft = box.Left;
  f.BoxWidth = box.Width;

  bool radiusGiven = false, dest = false, enter = false;
  QString lomoDir, lomo;
  std::optional<QRect> zone2;
  int speed = 500;
  for (int k; (k = p.MatchKeyword(kKeywords)) >= 0 && !p.Failed();) {
    switch (k) {
      case 0: break;  // a second COORDS has no effect
      case 1: {
        const QString a = p.PlainValue().toUpper();
        f.Align = (a == QLatin1String("CENTER") || a == QLatin1String("M")) ? 1
                  : (a == QLatin1String("RIGHT") || a == QLatin1String("R")) ? 2
                  : a == QLatin1String("B")                                  ? 3
                                                                             : 0;
        break;
      }
      case 2: {
        const QString s = p.PlainValue().toUpper();
        if (s == QLatin1String("ROUNDRECT")) box.Shape = 1;
        else if (s == QLatin1String("ELLIPSE")) box.Shape = 2;
        else if (s == QLatin1String("3D")) box.Shape = 4;
        else if (s == QLatin1String("RANDOM")) box.Shape = 3;
        break;
      }
      case 3: box.Offset = p.NumberValue(-500, 500, 0); break;
      case 4:
        box.FillColor = page.ReadColor(p.PlainValue());
        box.Filled = true;
        break;
      case 5: box.BorderColor = page.ReadColor(p.PlainValue()); break;
      case 6: box.BorderWidth = p.NumberValue(0, 500, 0); break;
      case 7:
        box.Radius = p.NumberValue(0, 10000, 30);
        radiusGiven = true;
        if (box.Shape == 0) box.Shape = 1;
        break;
      case 8: lomoDir = p.QuotedValue(); break;
      case 9: {
        lomo = p.QuotedValue();
        if (lomo.startsWith(QLatin1Char('?'))) page.AskHost(lomo);
        break;
      }
      case 10: {
        const TCoords z = ReadCoords(p.PlainValue(), page.Width, page.Height, &page.PageAliases);
        zone2 = QRect(OrZero(z.x), OrZero(z.y), OrZero(z.w), OrZero(z.h));
        break;
      }
      case 11: speed = p.NumberValue(0, 60000, 500); break;
      case 12: box.OnTop = true; break;
      case 13: dest = true; break;
      case 14: box.Alpha = p.NumberValue(0, 255, 255); break;
      case 15: box.Mode = p.NumberValue(0, 255, 255); break;
      case 16: {
        QString target = p.QuotedValue();
        if (target.startsWith(QLatin1Char('$'))) {
          const QString value = page.GetVariable(target.mid(1));
          if (!value.isEmpty()) target = value;
        } else if (target.startsWith(QLatin1String("!+")) || target.startsWith(QLatin1String("!-"))) {
          const auto numbered = PagePaths::PageNumberAlias(target, page.XFile, page.XPath);
          page.SetCondition(numbered.condition, numbered.exists);
          target = numbered.path;
        }
        box.Target = target;
        break;
      }
      case 17: box.OnColor = page.ReadColor(p.PlainValue()); break;
      case 18: box.OffColor = page.ReadColor(p.PlainValue()); break;
      case 19: box.OnColor2 = page.ReadColor(p.PlainValue()); break;
      case 20: box.OffColor2 = page.ReadColor(p.PlainValue()); break;
      case 21: box.TextOffset = p.NumberValue(0, 100, 0); break;
      case 22: break;  // SPECIAL: accepted, no effect
      case 23: enter = true; break;
    }
  }

  PageElements& e = page.Elements;
  if (!box.Target.isEmpty()) {
    if (enter) page.EnterTarget = box.Target;
    box.LinkIndex = e.Links.AddName(box.Target);
    if (box.OnColor == kNoColor) {
      e.Links.AddRect(box.LinkIndex, box.rect(), false);
    } else {
      // A button box: drawn in two states into its highlight rectangle.
      if (box.OffColor != kNoColor) {
        box.Filled = true;
        box.FillColor = 0;
        // The text inside is white (coloured when the images are made); /FONT restores it.
        page.Slots.Font = f.Font;
        f.Font.TextColor = kWhite;
      }
      // The box covers one pixel more than its width and height (its right
      // and bottom edge are drawn too); so does its highlight rectangle, or
      // that edge would keep the black fill of a coloured button.
      QRect r(box.Left, box.Top, box.Width + 1, box.Height + 1);
      if (box.BorderWidth > 0) {
        const int a = (box.BorderWidth + 1) / 2;
        r.setCoords(box.Left + a, box.Top + a, box.Left + box.Width - a, box.Top + box.Height - a);
      }
      box.LinkRect = e.Links.AddRect(box.LinkIndex, r, true);
    }
  }
  if (!lomo.isEmpty()) {
    const QStringList pictures = readablePictures(lomo.split(QLatin1Char('|')), lomoDir, ctx);
    if (!pictures.isEmpty()) e.Lomo = TLomoBox{pictures, static_cast<int>(e.Boxes.size()), zone2, speed};
  }
  if ((radiusGiven && box.Radius != 0) || box.Alpha < 255 || box.Mode != 0 ||
      ((box.Shape == 1 || box.Shape == 2) && (box.Filled || box.BorderWidth > 0)))
    e.NeedsEffects = true;
  if (dest) e.DestRect = box.rect();
  addBoxMark(ctx, box, box.Top + box.TextOffset);
}

void EllipseTag(TParser& p, BuildContext& ctx) {
  static const QStringList kKeywords = {QStringLiteral("COORDS"), QStringLiteral("COLOR"), QStringLiteral("BCOLOR"),
                                        QStringLiteral("BWIDTH")};
  PageState& page = ctx.page;
  TBox box;
  box.Shape = 2;
  box.Radius = 30;
  int centreY = 0;
  for (int k; (k = p.MatchKeyword(kKeywords)) >= 0 && !p.Failed();) {
    switch (k) {
      case 0: {
        const TCoords c = ReadCoords(p.PlainValue(), page.Width, page.Height, &page.PageAliases);
        box.Width = OrZero(c.w);
        box.Height = OrZero(c.h);
        box.Left = OrZero(c.x) - box.Width / 2;
        box.Top = OrZero(c.y) - box.Height / 2;
        centreY = OrZero(c.y);
        break;
      }
      case 1:
        box.FillColor = page.ReadColor(p.PlainValue());
        box.Filled = true;
        break;
      case 2: box.BorderColor = page.ReadColor(p.PlainValue()); break;
      case 3: box.BorderWidth = p.NumberValue(0, 500, 0); break;
    }
  }
  page.Elements.NeedsEffects = true;
  addBoxMark(ctx, box, centreY);
}

}  // namespace ElementTags
