// Fields and buttons on the page: INPUT, EDIT, BUTTON, RECORDER.
#include <QStringList>

#include "pages/coordinates.h"
#include "pages/elementtags.h"
#include "pages/pagebuilder.h"
#include "pages/pageloader.h"
#include "pages/pagestate.h"
#include "pages/tparser.h"

namespace ElementTags {

namespace {

QRect rectOf(const QString& value, const PageState& page) {
  const TCoords c = ReadCoords(value, page.Width, page.Height, &page.PageAliases);
  return QRect(OrZero(c.x), OrZero(c.y), OrZero(c.w), OrZero(c.h));
}

// A quoted value in which '$name' stands for the variable.
QString quotedOrVariable(TParser& p, const PageState& page) {
  const QString v = p.QuotedValue();
  return v.startsWith(QLatin1Char('$')) ? page.GetVariable(v.mid(1)) : v;
}

}  // namespace

void InputTag(TParser& p, BuildContext& ctx) {
  static const QStringList kKeywords = {
      QStringLiteral("COORDS"),   QStringLiteral("NAME"), QStringLiteral("VALUE"), QStringLiteral("COLOR"),
      QStringLiteral("NOBORDER"), QStringLiteral("PASSWORD"), QStringLiteral("MAXL"), QStringLiteral("UPPER"),
      QStringLiteral("LOWER"),
  };
  PageState& page = ctx.page;
  page.Slots.Link = ctx.fmt.Font;
  TInputSpec input;
  input.Font = ctx.fmt.Font;
  QString value;
  for (int k; (k = p.MatchKeyword(kKeywords)) >= 0 && !p.Failed();) {
    switch (k) {
      case 0: input.Rect = rectOf(p.PlainValue(), page); break;
      case 1: input.Name = p.QuotedValue(); break;
      case 2: value = p.QuotedValue(); break;
      case 3: input.Color = page.ReadColor(p.PlainValue()); break;
      case 4: input.NoBorder = true; break;
      case 5: input.Password = true; break;
      case 6: input.MaxLength = p.NumberValue(0, 200, 0); break;
      case 7: input.Upper = true; break;
      case 8: input.Lower = true; break;
    }
  }
  if (!value.isEmpty() && !input.Name.isEmpty()) page.SetVariable(input.Name, value);
  page.Elements.Input = input;
}

void EditTag(TParser& p, BuildContext& ctx) {
  static const QStringList kKeywords = {
      QStringLiteral("COORDS"), QStringLiteral("LSG"),   QStringLiteral("HELP"),     QStringLiteral("TIP"),
      QStringLiteral("REACTION"), QStringLiteral("COLOR"), QStringLiteral("NOBORDER"), QStringLiteral("INIT"),
  };
  PageState& page = ctx.page;
  tHTML_format& f = ctx.fmt;
  page.Slots.Link = f.Font;
  f.Font.TextColor = page.Body.Gap;
  ctx.RegisterLink(QString());
  TGapSpec gap;
  gap.FreeStanding = true;
  gap.Font = f.Font;
  for (int k; (k = p.MatchKeyword(kKeywords)) >= 0 && !p.Failed();) {
    switch (k) {
      case 0: gap.Bounds = rectOf(p.PlainValue(), page); break;
      case 1: gap.Lsg = SplitSolutions(quotedOrVariable(p, page)); break;
      case 2: gap.Hilfe = quotedOrVariable(p, page); break;
      case 3: gap.Tip = quotedOrVariable(p, page); break;
      case 4: gap.Command = p.QuotedValue(); break;
      case 5: gap.Color = page.ReadColor(p.PlainValue()); break;
      case 6: gap.NoBorder = true; break;
      case 7: gap.Init = quotedOrVariable(p, page); break;
    }
  }
  if (static_cast<int>(page.Elements.Gaps.size()) >= kMaxTypingGaps) return;
  page.Elements.Gaps.push_back(gap);
  f.GapIndex = static_cast<int>(page.Elements.Gaps.size()) - 1;
}

void ButtonTag(TParser& p, BuildContext& ctx) {
  static const QStringList kKeywords = {QStringLiteral("COORDS"), QStringLiteral("CAPTION"), QStringLiteral("HREF"),
                                        QStringLiteral("COLOR"),  QStringLiteral("FLASH"),   QStringLiteral("3D")};
  PageState& page = ctx.page;
  TButtonSpec button;
  button.Font = ctx.fmt.Font;
  for (int k; (k = p.MatchKeyword(kKeywords)) >= 0 && !p.Failed();) {
    switch (k) {
      case 0: button.Rect = rectOf(p.PlainValue(), page); break;
      case 1: button.Caption = p.QuotedValue(); break;
      case 2: button.Target = p.QuotedValue(); break;
      case 3: button.Color = page.ReadColor(p.PlainValue()); break;
      case 4: button.FlashColor = page.ReadColor(p.PlainValue()); break;
      case 5: button.ThreeD = true; break;
    }
  }
  page.Elements.Buttons.push_back(button);
}

void RecorderTag(TParser& p, BuildContext& ctx) {
  static const QStringList kKeywords = {QStringLiteral("C-REC"), QStringLiteral("C-PLAY"), QStringLiteral("PICTURES"),
                                        QStringLiteral("COLOR"), QStringLiteral("MAX")};
  PageState& page = ctx.page;
  PageElements& e = page.Elements;
  TRecorderSpec recorder;
  for (int k; (k = p.MatchKeyword(kKeywords)) >= 0 && !p.Failed();) {
    switch (k) {
      case 0:
        recorder.RecRect = rectOf(p.PlainValue(), page);
        e.Links.AddRect(e.Links.AddName(QStringLiteral("§rec@REC")), recorder.RecRect, false);
        break;
      case 1:
        recorder.PlayRect = rectOf(p.PlainValue(), page);
        e.Links.AddRect(e.Links.AddName(QStringLiteral("§play@PLAY")), recorder.PlayRect, false);
        break;
      case 2: recorder.Pictures = ctx.loader.ResolvePath(p.QuotedValue()); break;
      case 3: recorder.Color = page.ReadColor(p.PlainValue()); break;
      case 4: {
        const int max = p.NumberValue(2, 20, 4);
        recorder.Max = max == 20 ? 4 : max;
        break;
      }
    }
  }
  e.Recorder = recorder;
}

}  // namespace ElementTags
