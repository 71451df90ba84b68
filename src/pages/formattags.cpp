// Tags that change the format record only: character formatting, headings,
// fonts, tabs, alignment, styles, paragraphs and line breaks.
#include <QStringList>

#include "common/messagebox.h"
#include "common/random.h"
#include "pages/fontcatalog.h"
#include "pages/pagebuilder.h"
#include "pages/pagestate.h"
#include "pages/tparser.h"

namespace {

constexpr int kMaxFaceName = 40;

void setStyle(tHTML_format& f, int bits, bool on) {
  if (on) f.Font.Style |= bits;
  else f.Font.Style &= ~bits;
}

int charsetNumber(const QString& name) {
  static const std::pair<const char*, int> kCharsets[] = {
      {"ANSI", 0},        {"ARABIC", 178}, {"BALTIC", 186}, {"DEFAULT", 1},  {"EASTEUROPE", 238},
      {"GREEK", 161},     {"RUSSIAN", 204}, {"THAI", 222},  {"TURKISH", 162}, {"JAPANESE", 128},
  };
  const QString upper = name.toUpper();
  for (const auto& [n, v] : kCharsets)
    if (upper == QLatin1String(n)) return v;
  return 0;
}

// X<n> and X!<n>: a tab request for the next word.
void tabTag(const QString& name, BuildContext& ctx) {
  QString rest = name.mid(1);
  const bool justified = rest.startsWith(QLatin1Char('!'));
  if (justified) rest.remove(0, 1);
  if (rest.isEmpty() || !(rest[0].isDigit() || rest[0] == QLatin1Char('-'))) return;
  bool ok = false;
  const int n = rest.toInt(&ok);
  if (!ok) return;  // "X4a": the tag is ignored
  ctx.fmt.Align = justified ? 3 : 0;
  if (n == 0) return;
  ctx.tagTabPos = (rest.size() == 1 && n >= 1 && n <= 9) ? 100 + n : n;
}

void fontTag(TParser& p, BuildContext& ctx) {
  static const QStringList kKeywords = {
      QStringLiteral("SIZE"),     QStringLiteral("COLOR"),  QStringLiteral("FACE"),  QStringLiteral("LINESPACE"),
      QStringLiteral("ID"),       QStringLiteral("TRACKING"), QStringLiteral("BCOLOR"), QStringLiteral("FLASH"),
      QStringLiteral("LINK"),     QStringLiteral("CHARSET"),
  };
  tHTML_format& f = ctx.fmt;
  FontState& slot = ctx.page.Slots.Font;
  const FontState atStart = f.Font;
  const int lineSpaceBefore = f.LineSpace;
  const int trackingBefore = f.Tracking;
  std::optional<int> lineSpace, tracking;

  for (int k; (k = p.MatchKeyword(kKeywords)) >= 0 && !p.Failed();) {
    switch (k) {
      case 0: {  // SIZE
        const int size = p.NumberValue(0, 720, 3);
        slot = f.Font;
        f.Font.Size = size;
        break;
      }
      case 1: {  // COLOR
        const TColor c = ctx.page.ReadColor(p.PlainValue());
        slot = f.Font;
        f.Font.TextColor = c;
        break;
      }
      case 2: {  // FACE: the first installed name of the list
        const QStringList faces = p.QuotedValue().split(QLatin1Char(','));
        for (const QString& face : faces) {
          if (FontCatalog::IsInstalled(face)) {
            slot = f.Font;
            f.Font.FaceName = face.trimmed().left(kMaxFaceName);
            break;
          }
        }
        break;
      }
      case 3: {  // LINESPACE
        int v = 0;
        if (p.TryNumberValue(-500, 500, &v)) {
          f.LineSpace = v == 0 ? 0 : v + 2000;
          lineSpace = v;
        }
        break;
      }
      case 4: {  // ID: the state so far becomes a style; the text keeps its format
        TXStyle style;
        style.Name = p.PlainValue();
        style.Font = f.Font;
        style.LineSpace = lineSpace.value_or(f.LineSpace);
        style.Tracking = tracking.value_or(f.Tracking);
        ctx.page.Styles.Add(style);
        if (lineSpace || tracking) {
          f.LineSpace = lineSpaceBefore;
          f.Tracking = trackingBefore;
        }
        f.Font = atStart;
        break;
      }
      case 5: {  // TRACKING
        int v = 0;
        if (p.TryNumberValue(-500, 500, &v)) {
          f.Tracking = v;
          tracking = v;
        }
        break;
      }
      case 6: {  // BCOLOR
        const QString value = p.PlainValue();
        slot = f.Font;
        if (value.compare(QLatin1String("OFF"), Qt::CaseInsensitive) == 0) {
          f.Font.NoBack = true;
        } else {
          f.Font.BackColor = ctx.page.ReadColor(value);
          f.Font.NoBack = false;
        }
        break;
      }
      case 7: {  // FLASH
        const TColor c = ctx.page.ReadColor(p.PlainValue());
        slot = f.Font;
        f.Font.FlashColor = c;
        break;
      }
      case 8: {  // LINK
        const TColor c = ctx.page.ReadColor(p.PlainValue());
        slot = f.Font;
        f.Font.LinkColor = c;
        break;
      }
      case 9: {  // CHARSET
        const int charset = charsetNumber(p.PlainValue());
        slot = f.Font;
        f.Font.Charset = static_cast<quint8>(charset);
        break;
      }
    }
  }
}

// "<+name>": the style defined with ID=NAME.
void applyStyle(const QString& name, BuildContext& ctx) {
  const TXStyle* style = ctx.page.Styles.Find(name.mid(1));
  if (!style) {
    ShowMessage(QStringLiteral("KEIN + gefunden! ") + ctx.tagText, MessageKind::Information);
    return;
  }
  tHTML_format& f = ctx.fmt;
  f.Tracking = style->Tracking;
  const bool keepBackground = style->Font.NoBack && !f.Font.NoBack;
  const TColor back = f.Font.BackColor;
  f.Font = style->Font;
  if (keepBackground) {
    f.Font.NoBack = false;
    f.Font.BackColor = back;
  }
  if (f.LineSpace < 1000) f.LineSpace = style->LineSpace;
}

}  // namespace

namespace FormattingTags {

bool Handle(const QString& name, TParser& p, BuildContext& ctx) {
  tHTML_format& f = ctx.fmt;
  SaveSlots& slots = ctx.page.Slots;
  if (name == QLatin1String("B") || name == QLatin1String("STRONG")) setStyle(f, StyleBold, true);
  else if (name == QLatin1String("/B") || name == QLatin1String("/STRONG")) setStyle(f, StyleBold, false);
  else if (name == QLatin1String("I") || name == QLatin1String("CITE")) setStyle(f, StyleItalic, true);
  else if (name == QLatin1String("/I") || name == QLatin1String("/CITE")) setStyle(f, StyleItalic, false);
  else if (name == QLatin1String("U")) setStyle(f, StyleUnderline, true);
  else if (name == QLatin1String("/U")) setStyle(f, StyleUnderline, false);
  else if (name == QLatin1String("EM")) {
    slots.Emphasis = f.Font;
    setStyle(f, StyleBold | StyleItalic, true);
  } else if (name == QLatin1String("/EM")) {
    setStyle(f, StyleBold | StyleItalic, false);
  } else if (name == QLatin1String("TT")) {
    slots.Teletype = f.Font;
    f.Font.FaceName = QStringLiteral("Courier New");
    f.Font.Size -= 1;
  } else if (name == QLatin1String("/TT")) {
    f.Font.Size += 1;
    f.Font.FaceName = slots.Teletype.FaceName;
  } else if (name == QLatin1String("PRE")) {
    slots.Pre = f.Font;
    f.Font.FaceName = QStringLiteral("Courier New");
    f.Font.Size = 2;
    f.Pre = true;
  } else if (name == QLatin1String("/PRE")) {
    f.Font.FaceName = slots.Pre.FaceName;
    f.Font.Size = slots.Pre.Size;
    f.Pre = false;
  } else if (name == QLatin1String("CENTER")) {
    f.Align = 1;
  } else if (name == QLatin1String("/CENTER")) {
    f.Align = 0;
  } else if (name == QLatin1String("RIGHT")) {
    f.Align = 2;
  } else if (name == QLatin1String("BLOCK")) {
    f.Align = 3;
  } else if (name == QLatin1String("INV")) {
    FontState& font = f.Font;
    if (font.TextColor == font.BackColor) {
      if (font.TextColor == kWhite) font.BackColor = kBlack;
      else if (font.TextColor == kBlack) font.BackColor = kWhite;
    }
    std::swap(font.TextColor, font.BackColor);
    font.NoBack = false;
  } else if (name == QLatin1String("/INV")) {
    std::swap(f.Font.TextColor, f.Font.BackColor);
    f.Font.NoBack = true;
  } else if (name == QLatin1String("CLEAR")) {
    f.Font.NoBack = true;
  } else if (name == QLatin1String("W")) {
    // Each group gets its own number, so two groups never merge into one expression.
    QList<int>& used = ctx.page.Elements.UsedWordGroups;
    int group = Random::below(100);
    if (used.size() >= 100) group = 100 + static_cast<int>(used.size());
    else
      while (used.contains(group)) group = Random::below(100);
    used.append(group);
    f.WordGroup = group;
  } else if (name == QLatin1String("/W")) {
    f.WordGroup = -1;
  } else if (name == QLatin1String("P")) {
    ctx.AddMark(ElementKind::Paragraph);
  } else if (name == QLatin1String("/P")) {
  } else if (name == QLatin1String("BR")) {
    ctx.AddMark(ElementKind::LineBreak);
  } else if (name == QLatin1String("FONT")) {
    fontTag(p, ctx);
  } else if (name == QLatin1String("/FONT")) {
    f.Font.Size = slots.Font.Size;
    f.Font.TextColor = slots.Font.TextColor;
    f.Font.FaceName = slots.Font.FaceName;
  } else if (name.size() == 2 && name[0] == QLatin1Char('H') && name[1] >= QLatin1Char('1') && name[1] <= QLatin1Char('6')) {
    slots.Heading = f.Font;
    f.Font.Size = 7 - (name[1].unicode() - '0');
    setStyle(f, StyleBold, true);
  } else if (name.size() == 3 && name.startsWith(QLatin1String("/H")) && name[2] >= QLatin1Char('1') &&
             name[2] <= QLatin1Char('6')) {
    f.Font.Size = slots.Heading.Size;
    f.Font.Style = slots.Heading.Style;
  } else if (name.startsWith(QLatin1Char('+'))) {
    applyStyle(name, ctx);
  } else if (name.startsWith(QLatin1Char('X')) && name != QLatin1String("XSTYLE")) {
    tabTag(name, ctx);
  } else if (name.startsWith(QLatin1Char('H')) && name != QLatin1String("HTML")) {
    // other tags beginning with H are ignored
  } else {
    return false;
  }
  return true;
}

}  // namespace FormattingTags
