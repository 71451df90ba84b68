// Links, gaps, checkboxes and image maps.
#include <QStringList>

#include "pages/coordinates.h"
#include "pages/elementtags.h"
#include "pages/pagebuilder.h"
#include "pages/pageloader.h"
#include "pages/pagepaths.h"
#include "pages/pagestate.h"
#include "pages/tparser.h"

namespace ElementTags {

namespace {

// The HREF target after aliases and variables; no value when the link leads
// to the page itself (it is then plain text).
std::optional<QString> linkTarget(QString target, BuildContext& ctx) {
  PageState& page = ctx.page;
  if (target.startsWith(QLatin1Char('*'))) target.remove(0, 1);
  if (target.startsWith(QLatin1Char('#')) && !page.PageAliases.IsEmpty()) {
    target = page.PageAliases.Value(target);
    if (target.startsWith(QLatin1Char('*'))) target.remove(0, 1);
  } else if (target.startsWith(QLatin1Char('$'))) {
    target = page.GetVariable(target.mid(1));
  } else if (target.startsWith(QLatin1String("!+")) || target.startsWith(QLatin1String("!-"))) {
    const auto numbered = PagePaths::PageNumberAlias(target, page.XFile, page.XPath);
    page.SetCondition(numbered.condition, numbered.exists);
    target = numbered.path;
  } else if (!page.CurrentFile.isEmpty() && !target.isEmpty() &&
             ctx.loader.ResolvePath(target) == page.XPath + page.XFile) {
    return std::nullopt;
  }
  return target;
}

// A GAP's sub-attributes: lsg and help (required), then tip and reaction.
bool readGap(TParser& p, TGapSpec& gap) {
  static const QStringList kLsg = {QStringLiteral("LSG")};
  static const QStringList kHelp = {QStringLiteral("HELP")};
  static const QStringList kTip = {QStringLiteral("TIP")};
  static const QStringList kReaction = {QStringLiteral("REACTION")};
  if (p.MatchKeyword(kLsg) != 0) return false;
  const QString lsg = p.QuotedValue();
  if (p.Failed() || p.MatchKeyword(kHelp) != 0) return false;
  gap.Hilfe = p.QuotedValue();
  if (p.Failed()) return false;
  gap.Lsg = lsg.split(QStringLiteral("; "));
  if (p.MatchKeyword(kTip) == 0) gap.Tip = p.QuotedValue();
  if (p.MatchKeyword(kReaction) == 0) gap.Command = p.QuotedValue();
  return true;
}

}  // namespace

void LinkTag(TParser& p, BuildContext& ctx) {
  static const QStringList kKeywords = {
      QStringLiteral("HREF"), QStringLiteral("RETURN"), QStringLiteral("GAP"),   QStringLiteral("HOT"),
      QStringLiteral("DRAG"), QStringLiteral("FOCUS"),  QStringLiteral("KEY"),   QStringLiteral("NOBORDER"),
  };
  PageState& page = ctx.page;
  tHTML_format& f = ctx.fmt;
  QString registered;  // the target as registered
  bool hasTarget = false;
  TGapSpec* gap = nullptr;

  for (int k; (k = p.MatchKeyword(kKeywords)) >= 0 && !p.Failed();) {
    switch (k) {
      case 0: {  // HREF
        page.Slots.Link = f.Font;
        const QString raw = p.QuotedValue();
        const qsizetype at = raw.indexOf(QLatin1Char('@'));
        const QString hint = at < 0 ? QString() : raw.mid(at + 1);
        const auto target = linkTarget(at < 0 ? raw : raw.left(at), ctx);
        if (!target) return;  // a link to this page is plain text
        // FLASH anywhere further on in the tag decides the highlight.
        const qsizetype flash = p.Rest().indexOf(QLatin1String("FLASH"), 0, Qt::CaseInsensitive);
        if (flash >= 0) {
          TParser rest(p.Rest().mid(flash + 5));
          f.Font.FlashColor = page.ReadColor(rest.PlainValue());
          f.Flash = true;
          p = TParser(rest.Rest());
        } else {
          f.Flash = f.Font.FlashColor != kNoColor;
        }
        registered = at < 0 ? *target : *target + QLatin1Char('@') + hint;
        if (registered.startsWith(QLatin1Char('@'))) {
          f.Font.Hot = true;
          ctx.RegisterLink(QLatin1Char('%') + registered);
        } else {
          f.Font.TextColor = f.Font.LinkColor != kNoColor ? f.Font.LinkColor : kPageLinkColor;
          if (!f.Flash) f.Font.Style |= StyleUnderline;
          ctx.RegisterLink(registered);
        }
        hasTarget = !registered.isEmpty();
        break;
      }
      case 1:  // RETURN
        if (hasTarget) page.EnterTarget = registered;
        break;
      case 2: {  // GAP
        TGapSpec settings;
        settings.Font = f.Font;
        if (!readGap(p, settings)) return;
        if (static_cast<int>(page.Elements.Gaps.size()) >= kMaxTypingGaps) break;  // stays plain text
        page.Slots.Link = f.Font;
        f.Font.TextColor = page.Body.Gap;
        ctx.RegisterLink(QString());
        page.Elements.Gaps.push_back(settings);
        gap = &page.Elements.Gaps.back();
        f.GapIndex = static_cast<int>(page.Elements.Gaps.size()) - 1;
        break;
      }
      case 3: {  // HOT
        page.Slots.Link = f.Font;
        const QString text = p.QuotedValue();
        if (!text.isEmpty()) {
          f.Font.Hot = true;
          ctx.RegisterLink(QLatin1Char('@') + text);
        }
        break;
      }
      case 4:  // DRAG
        page.Slots.Link = f.Font;
        ctx.RegisterLink(QString());
        page.Elements.Drag.Gaps.push_back(TDropGap());
        f.GapIndex = static_cast<int>(page.Elements.Drag.Gaps.size()) - 1 + 255;
        break;
      case 5:  // FOCUS: accepted, no effect
        break;
      case 6: {  // KEY
        QString key = p.PlainValue();
        if (!hasTarget) break;
        if (key.compare(QLatin1String("ESC"), Qt::CaseInsensitive) == 0) key = QString(QChar(27));
        page.KeyLinks.SetValue(key, registered);
        break;
      }
      case 7:  // NOBORDER: only for a gap of this tag
        if (gap) gap->NoBorder = true;
        break;
    }
  }
}

void EndLinkTag(BuildContext& ctx) {
  tHTML_format& f = ctx.fmt;
  f.LinkIndex = -1;
  f.GapIndex = -1;
  f.Font.Hot = false;
  f.Font.TextColor = ctx.page.Slots.Link.TextColor;
  f.Font.Style = ctx.page.Slots.Link.Style;
}

void OnClickTag(TParser& p, BuildContext& ctx) {
  static const QStringList kKeywords = {QStringLiteral("HREF")};
  if (p.MatchKeyword(kKeywords) != 0) return;
  const QString target = p.QuotedValue();
  if (p.Failed()) return;
  ctx.page.ClickTarget = target;
  if (p.Rest().contains(QLatin1String("RETURN"), Qt::CaseInsensitive) && ctx.page.EnterTarget.isEmpty())
    ctx.page.EnterTarget = target;
}

void CheckBoxTag(TParser& p, BuildContext& ctx) {
  static const QStringList kKeywords = {QStringLiteral("COORDS"), QStringLiteral("FLASH"), QStringLiteral("NAME"),
                                        QStringLiteral("CHECKED")};
  PageState& page = ctx.page;
  tHTML_format& f = ctx.fmt;
  TCheckBox box;
  bool checked = false;
  for (int k; (k = p.MatchKeyword(kKeywords)) >= 0 && !p.Failed();) {
    switch (k) {
      case 0: {
        const QStringList parts = p.PlainValue().split(QLatin1Char(','));
        f.CheckSize = parts.value(0).trimmed().toInt();
        f.CheckSpacing = parts.value(1).trimmed().toInt();
        break;
      }
      case 1: f.Font.FlashColor = page.ReadColor(p.PlainValue()); break;
      case 2: box.Name = p.QuotedValue(); break;
      case 3: checked = true; break;
    }
  }
  box.Width = box.Height = f.CheckSize;
  box.Checked = checked || page.IsCondition(box.Name);
  page.Elements.CheckBoxes.push_back(box);
  f.CheckIndex = static_cast<int>(page.Elements.CheckBoxes.size()) - 1;
  f.Flash = false;
  f.Font.TextColor = kPageLinkColor;
  ctx.RegisterLink(QLatin1Char('+') + box.Name);
  ctx.AddMark(ElementKind::CheckMark);
  f.LinkIndex = -1;
}

void MapTag(TParser& p, BuildContext& ctx) {
  static const QStringList kKeywords = {QStringLiteral("NAME")};
  if (p.MatchKeyword(kKeywords) != 0) return;
  const QString name = p.QuotedValue();
  if (p.Failed()) return;
  ctx.page.Elements.Maps.push_back(tMap{name, {}});
}

void AreaTag(TParser& p, BuildContext& ctx) {
  static const QStringList kKeywords = {QStringLiteral("SHAPE"), QStringLiteral("COORDS"), QStringLiteral("HREF")};
  PageState& page = ctx.page;
  if (page.Elements.Maps.empty()) return;
  QString shape, coords, target;
  bool hasTarget = false;
  for (int k; (k = p.MatchKeyword(kKeywords)) >= 0 && !p.Failed();) {
    switch (k) {
      case 0: shape = p.PlainValue(); break;
      case 1: coords = p.QuotedValue(); break;
      case 2:
        target = p.QuotedValue();
        hasTarget = !p.Failed();
        break;
    }
  }
  if (shape.compare(QLatin1String("RECT"), Qt::CaseInsensitive) != 0 || !hasTarget) return;
  const TCoords c = ReadCoords(coords, page.Width, page.Height, &page.PageAliases);
  QRect r;
  r.setCoords(c.x, c.y, c.w - 1, c.h - 1);  // right and bottom edges, exclusive
  page.Elements.Maps.back().Areas.push_back(tArea{target, r});
}

}  // namespace ElementTags
