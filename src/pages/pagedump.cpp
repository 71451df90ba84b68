#include "pages/pagedump.h"

#include "pages/colorvalue.h"
#include "pages/pagestate.h"

namespace {

// Pictures are shown by file name only, so dumps do not depend on where the page lies.
QString QFileInfoName(const TPicture& p) {
  if (p.HostPicture) return p.Source;
  return p.Source.mid(p.Source.lastIndexOf(QLatin1Char('/')) + 1);
}

QString quote(const QString& text) {
  QString t = text;
  t.replace(QLatin1Char('"'), QStringLiteral("\\\""));
  // One line per element: line ends inside a text are written as \r and \n.
  t.replace(QLatin1Char('\r'), QStringLiteral("\\r")).replace(QLatin1Char('\n'), QStringLiteral("\\n"));
  return QLatin1Char('"') + t + QLatin1Char('"');
}

QString styleLetters(int style) {
  QString s;
  if (style & StyleBold) s += QLatin1Char('b');
  if (style & StyleItalic) s += QLatin1Char('i');
  if (style & StyleUnderline) s += QLatin1Char('u');
  return s.isEmpty() ? QStringLiteral("-") : s;
}

QString boolText(bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); }

void fontFields(const FontState& f, const FontState& d, QStringList& out) {
  if (f.Size != d.Size) out << QStringLiteral("Size=%1").arg(f.Size);
  if (f.FaceName != d.FaceName) out << QStringLiteral("FaceName=") + quote(f.FaceName);
  if (f.Style != d.Style) out << QStringLiteral("Style=") + styleLetters(f.Style);
  if (f.TextColor != d.TextColor) out << QStringLiteral("TextColor=") + ColorText(f.TextColor);
  if (f.LinkColor != d.LinkColor) out << QStringLiteral("LinkColor=") + ColorText(f.LinkColor);
  if (f.BackColor != d.BackColor) out << QStringLiteral("BackColor=") + ColorText(f.BackColor);
  if (f.NoBack != d.NoBack) out << QStringLiteral("NoBack=") + boolText(f.NoBack);
  if (f.FlashColor != d.FlashColor) out << QStringLiteral("FlashColor=") + ColorText(f.FlashColor);
  if (f.Hot != d.Hot) out << QStringLiteral("Hot=") + boolText(f.Hot);
  if (f.Charset != d.Charset) out << QStringLiteral("Charset=%1").arg(f.Charset);
}

QString bodyLine(const BodyColors& b) {
  return QStringLiteral("body BGCOLOR=%1 TEXT=%2 LINK=%3 GAP=%4 KLOTZ=%5 KBGR=%6 MCHAN=%7 MCHAUS=%8")
      .arg(ColorText(b.Background), ColorText(b.Text), ColorText(b.Link), ColorText(b.Gap), ColorText(b.Klotz),
           ColorText(b.Kbgr), ColorText(b.MchAn), ColorText(b.MchAus));
}

QString rectText(const QRect& r) { return QStringLiteral("%1,%2,%3,%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()); }

QString optionalColor(const std::optional<TColor>& c) { return c ? ColorText(*c) : QStringLiteral("none"); }

QString fontText(const FontState& f) {
  QStringList fields;
  fontFields(f, FontState(), fields);
  return fields.isEmpty() ? QString() : QLatin1Char(' ') + fields.join(QLatin1Char(' '));
}

void dumpElements(const PageState& page, QStringList& lines) {
  const PageElements& e = page.Elements;
  for (qsizetype i = 0; i < e.Links.Names.size(); ++i) lines << QStringLiteral("link %1 %2").arg(i).arg(quote(e.Links.Names[i]));
  // The rectangles the build registered; those of the layout are in DumpLayout.
  for (size_t i = 0; i < e.Links.Rects.size() && static_cast<int>(i) < e.Links.BuildRects; ++i) {
    const tNamedRect& r = e.Links.Rects[i];
    lines << QStringLiteral("rect %1 link=%2 %3%4")
                 .arg(i)
                 .arg(r.NameIndex)
                 .arg(rectText(r.Rect), r.Highlight ? QStringLiteral(" highlight") : QString());
  }
  for (size_t i = 0; i < e.Boxes.size(); ++i) {
    const TBox& b = e.Boxes[i];
    lines << QStringLiteral("box %1 Left=%2 Top=%3 Width=%4 Height=%5 Filled=%6 FillColor=%7 OnColor=%8 OffColor=%9")
                 .arg(i)
                 .arg(b.Left)
                 .arg(b.Top)
                 .arg(b.Width)
                 .arg(b.Height)
                 .arg(boolText(b.Filled), ColorText(b.FillColor), ColorText(b.OnColor), ColorText(b.OffColor)) +
                 QStringLiteral(" OnColor2=%1 OffColor2=%2 LinkRect=%3 TextOffset=%4 BorderColor=%5 BorderWidth=%6")
                     .arg(ColorText(b.OnColor2), ColorText(b.OffColor2))
                     .arg(b.LinkRect)
                     .arg(b.TextOffset)
                     .arg(ColorText(b.BorderColor))
                     .arg(b.BorderWidth) +
                 QStringLiteral(" AutoHeight=%1 OnTop=%2 Shape=%3 Radius=%4 Offset=%5 Alpha=%6 Mode=%7 Target=%8")
                     .arg(boolText(b.AutoHeight), boolText(b.OnTop))
                     .arg(b.Shape)
                     .arg(b.Radius)
                     .arg(b.Offset)
                     .arg(b.Alpha)
                     .arg(b.Mode)
                     .arg(quote(b.Target));
  }
  if (e.Lomo)
    lines << QStringLiteral("lomo box=%1 speed=%2 zone2=%3 pictures %4")
                 .arg(e.Lomo->BoxIndex)
                 .arg(e.Lomo->Speed)
                 .arg(e.Lomo->Zone2 ? rectText(*e.Lomo->Zone2) : QStringLiteral("none"), quote(e.Lomo->Pictures.join(QLatin1Char('|'))));
  for (size_t i = 0; i < e.CheckBoxes.size(); ++i) {
    const TCheckBox& c = e.CheckBoxes[i];
    lines << QStringLiteral("checkbox %1 %2 size=%3 checked=%4").arg(i).arg(quote(c.Name)).arg(c.Width).arg(boolText(c.Checked));
  }
  for (const tMap& m : e.Maps) {
    lines << QStringLiteral("map ") + quote(m.Name);
    for (const tArea& a : m.Areas)
      lines << QStringLiteral("area %1,%2,%3,%4 %5")
                   .arg(a.Rect.left())
                   .arg(a.Rect.top())
                   .arg(a.Rect.right() + 1)
                   .arg(a.Rect.bottom() + 1)
                   .arg(quote(a.Target));
  }
  for (size_t i = 0; i < e.Pictures.size(); ++i) {
    const TPicture& p = e.Pictures[i];
    lines << QStringLiteral("picture %1 %2 %3x%4%5%6")
                 .arg(i)
                 .arg(quote(QFileInfoName(p)))
                 .arg(p.Image.width())
                 .arg(p.Image.height())
                 .arg(p.Keep ? QStringLiteral(" keep") : QString(), p.HostPicture ? QStringLiteral(" host") : QString());
  }
  if (e.Input)
    lines << QStringLiteral("input %1 name=%2 color=%3 noborder=%4 password=%5 maxl=%6 upper=%7 lower=%8%9")
                 .arg(rectText(e.Input->Rect), quote(e.Input->Name), optionalColor(e.Input->Color),
                      boolText(e.Input->NoBorder), boolText(e.Input->Password))
                 .arg(e.Input->MaxLength)
                 .arg(boolText(e.Input->Upper), boolText(e.Input->Lower), fontText(e.Input->Font));
  for (size_t i = 0; i < e.Gaps.size(); ++i) {
    const TGapSpec& g = e.Gaps[i];
    QString line = QStringLiteral("gap %1 lsg=%2 help=%3 tip=%4 reaction=%5 noborder=%6 element=%7")
                       .arg(i)
                       .arg(quote(g.Lsg.join(QStringLiteral("; "))), quote(g.Hilfe), quote(g.Tip), quote(g.Command),
                            boolText(g.NoBorder))
                       .arg(g.Element);
    if (g.FreeStanding)
      line += QStringLiteral(" edit=%1 color=%2 init=%3").arg(rectText(g.Bounds), optionalColor(g.Color), quote(g.Init));
    lines << line + fontText(g.Font);
  }
  for (const TButtonSpec& b : e.Buttons)
    lines << QStringLiteral("button %1 caption=%2 href=%3 color=%4 flash=%5 3d=%6%7")
                 .arg(rectText(b.Rect), quote(b.Caption), quote(b.Target), optionalColor(b.Color),
                      optionalColor(b.FlashColor), boolText(b.ThreeD), fontText(b.Font));
  const TDragExercise& d = e.Drag;
  if (d.Configured)
    lines << QStringLiteral("klotz falsch=%1 y=%2 nr=%3 left=%4 right=%5 width=%6")
                 .arg(quote(d.ExtraWrong.join(QLatin1Char('/'))))
                 .arg(d.TrayTop)
                 .arg(d.PerRow)
                 .arg(d.TrayLeft)
                 .arg(d.TrayRight)
                 .arg(d.BlockWidth);
  for (size_t i = 0; i < d.Gaps.size(); ++i)
    lines << QStringLiteral("dropgap %1 %2 element=%3").arg(i).arg(quote(d.Gaps[i].Expected)).arg(d.Gaps[i].Element);
  for (const TSentence& s : e.Sentences) lines << QStringLiteral("satz %1 %2").arg(rectText(s.Rect), quote(s.Text));
  if (e.Recorder)
    lines << QStringLiteral("recorder rec=%1 play=%2 pictures=%3 color=%4 max=%5")
                 .arg(rectText(e.Recorder->RecRect), rectText(e.Recorder->PlayRect), quote(e.Recorder->Pictures),
                      optionalColor(e.Recorder->Color))
                 .arg(e.Recorder->Max);
  if (e.DestRect) lines << QStringLiteral("dest ") + rectText(*e.DestRect);
  if (e.NeedsEffects) lines << QStringLiteral("effects");
  const TMultipleChoice& mc = page.Multiple;
  if (!mc.Answers.isEmpty() || !mc.Markup.isEmpty()) {
    lines << QStringLiteral("multiple answers=%1 right=%2 reaction=%3 answered=%4")
                 .arg(quote(mc.Answers.join(QLatin1Char('|'))), quote(mc.Right), quote(mc.Reaction), boolText(mc.Answered));
    lines << QStringLiteral("multiple markup ") + quote(mc.Markup);
  }
  for (const TXAlias& k : page.KeyLinks.Items()) lines << QStringLiteral("key %1 %2").arg(quote(k.Name), quote(k.Value));
  if (!page.EnterTarget.isEmpty()) lines << QStringLiteral("enter ") + quote(page.EnterTarget);
  if (!page.ClickTarget.isEmpty()) lines << QStringLiteral("click ") + quote(page.ClickTarget);
}

}  // namespace

QStringList DumpFormatFields(const tHTML_format& f) {
  const tHTML_format d;
  QStringList out;
  fontFields(f.Font, d.Font, out);
  const auto number = [&](const char* name, int value, int def) {
    if (value != def) out << QStringLiteral("%1=%2").arg(QLatin1String(name)).arg(value);
  };
  number("Align", f.Align, d.Align);
  number("TabPos", f.TabPos, d.TabPos);
  number("LinkIndex", f.LinkIndex, d.LinkIndex);
  number("GapIndex", f.GapIndex, d.GapIndex);
  number("BoxIndex", f.BoxIndex, d.BoxIndex);
  number("BoxLeft", f.BoxLeft, d.BoxLeft);
  number("BoxTop", f.BoxTop, d.BoxTop);
  number("BoxWidth", f.BoxWidth, d.BoxWidth);
  number("CheckIndex", f.CheckIndex, d.CheckIndex);
  number("CheckSize", f.CheckSize, d.CheckSize);
  number("CheckSpacing", f.CheckSpacing, d.CheckSpacing);
  number("WordGroup", f.WordGroup, d.WordGroup);
  number("LineSpace", f.LineSpace, d.LineSpace);
  number("Tracking", f.Tracking, d.Tracking);
  if (f.Flash != d.Flash) out << QStringLiteral("Flash=") + boolText(f.Flash);
  if (f.Pre != d.Pre) out << QStringLiteral("Pre=") + boolText(f.Pre);
  number("PictureIndex", f.PictureIndex, d.PictureIndex);
  if (f.PictureIndex >= 0) {
    number("ImgRadius", f.ImgRadius, d.ImgRadius);
    number("ImgAlpha", f.ImgAlpha, d.ImgAlpha);
    number("ImgMode", f.ImgMode, d.ImgMode);
    number("ImgColor", f.ImgColor, d.ImgColor);
    number("ImgSecond", f.ImgSecond, d.ImgSecond);
    number("ImgScale", f.ImgScale, d.ImgScale);
    number("ImgBase", f.ImgBase, d.ImgBase);
    number("ImgAlign", f.ImgAlign, d.ImgAlign);
    if (!f.ImgAlt.isEmpty()) out << QStringLiteral("ImgAlt=") + quote(f.ImgAlt);
    if (!f.ImgUseMap.isEmpty()) out << QStringLiteral("ImgUseMap=") + quote(f.ImgUseMap);
  }
  return out;
}

QStringList DumpPage(const PageState& page, const QList<Message>& messages) {
  QStringList lines;
  for (size_t i = 0; i < page.Document.size(); ++i) {
    const TXText& e = page.Document[i];
    QStringList parts{QString::number(i), QLatin1String(ElementKindName(e.Kind)), quote(e.Text)};
    parts += DumpFormatFields(e.Format);
    lines << parts.join(QLatin1Char(' '));
  }
  dumpElements(page, lines);
  lines << QStringLiteral("title ") + quote(page.PageTitle);
  for (const QString& c : page.Bedingung) lines << QStringLiteral("condition ") + c;
  for (const TXAlias& v : page.Variables.Items()) lines << QStringLiteral("variable %1 %2").arg(v.Name, quote(v.Value));
  for (const TXAlias& a : page.PageAliases.Items()) lines << QStringLiteral("alias %1 %2").arg(a.Name, quote(a.Value));
  for (const auto& [name, value] : page.ColorNames.Items())
    lines << QStringLiteral("color %1 %2").arg(name, quote(value));
  for (const TXStyle& s : page.Styles.Items()) {
    QStringList parts{QStringLiteral("style"), quote(s.Name)};
    QStringList fields;
    fontFields(s.Font, FontState(), fields);
    parts += fields;
    parts << QStringLiteral("LineSpace=%1").arg(s.LineSpace) << QStringLiteral("Tracking=%1").arg(s.Tracking);
    lines << parts.join(QLatin1Char(' '));
  }
  lines << bodyLine(page.Body);
  if (!page.BackgroundPicture.isEmpty()) lines << QStringLiteral("background ") + quote(page.BackgroundPicture);
  if (page.FormColor) lines << QStringLiteral("form ") + ColorText(*page.FormColor);
  if (page.WaitTime > 0) lines << QStringLiteral("wait %1 %2").arg(page.WaitTime).arg(quote(page.WaitTarget));
  if (!page.ShowCommand.isEmpty()) lines << QStringLiteral("onshow ") + quote(page.ShowCommand);
  if (page.Exercises.Count() > 0 || !page.Exercises.Header.isEmpty())
    lines << QStringLiteral("exercises %1 pick %2").arg(page.Exercises.Count()).arg(page.Exercises.FilePick);
  for (const Message& m : messages)
    lines << QStringLiteral("message %1 %2").arg(MessageBoxService::kindName(m.kind), quote(m.text));
  return lines;
}

QStringList DumpLayout(const PageState& page) {
  QStringList lines;
  const TPageLayout& l = page.Layout;
  for (size_t i = 0; i < l.Elements.size(); ++i) {
    const TXText& e = l.Elements[i];
    lines << QStringLiteral("%1 %2 %3 X=%4 Y=%5 Width=%6 Height=%7 Ascent=%8 Descent=%9")
                 .arg(i)
                 .arg(QLatin1String(ElementKindName(e.Kind)), quote(e.Text))
                 .arg(e.X)
                 .arg(e.Y)
                 .arg(e.Width)
                 .arg(e.Height)
                 .arg(e.Ascent)
                 .arg(e.Descent);
  }
  const auto& links = page.Elements.Links;
  for (const tNamedRect& r : links.Rects)
    lines << QStringLiteral("rect %1 element=%2 %3%4")
                 .arg(quote(links.Names.value(r.NameIndex)))
                 .arg(r.Element)
                 .arg(rectText(r.Rect), r.Highlight ? QStringLiteral(" highlight") : QString());
  for (const auto& [rect, index] : l.Words.Rects)
    lines << QStringLiteral("word %1 %2").arg(quote(l.Words.Words.value(index)), rectText(rect));
  lines << QStringLiteral("height %1").arg(l.DocumentHeight);
  return lines;
}
