#include "pages/pagedump.h"

#include "pages/colorvalue.h"
#include "pages/pagestate.h"

namespace {

QString quote(const QString& text) {
  QString t = text;
  t.replace(QLatin1Char('"'), QStringLiteral("\\\""));
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
