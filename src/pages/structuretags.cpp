// Tags that change the page's state: title, conditions, inclusion,
// variable, alias and colour definitions, BODY.
#include <QFileInfo>
#include <QStringList>

#include "common/filelookup.h"
#include "common/messagebox.h"
#include "pages/pagebuilder.h"
#include "pages/pageloader.h"
#include "pages/pagepaths.h"
#include "pages/pagestate.h"
#include "pages/tparser.h"

namespace {

// Whether IF skips for its condition text.
bool ifSkips(const QString& condition, BuildContext& ctx) {
  PageState& page = ctx.page;
  if (condition.startsWith(QLatin1Char('$'))) {
    const qsizetype eq = condition.indexOf(QLatin1Char('='));
    if (eq < 0) return page.GetVariable(condition.mid(1).trimmed()).isEmpty();
    const QString value = page.GetVariable(condition.mid(1, eq - 1).trimmed());
    return value.toLower() == condition.mid(eq + 1).trimmed().toLower();
  }
  if (condition.startsWith(QLatin1Char('?'))) {
    QString code = condition.mid(1);
    if (!page.AskHost(code)) return true;
    return code != QLatin1String("+");
  }
  if (condition.compare(QLatin1String("#ex"), Qt::CaseInsensitive) == 0) return !page.BuildingExercise;
  if (condition.startsWith(QLatin1Char('#')))
    return page.PageAliases.IsEmpty() || page.PageAliases.Value(condition).isEmpty();
  return !page.IsCondition(condition);
}

bool elseSkips(const QString& condition, BuildContext& ctx) {
  if (condition.startsWith(QLatin1Char('$')) || condition.startsWith(QLatin1Char('?'))) return !ctx.skipMode;
  if (condition.startsWith(QLatin1Char('#'))) return !ctx.page.PageAliases.Value(condition).isEmpty();
  return ctx.page.IsCondition(condition);
}

void includeTag(TParser& p, BuildContext& ctx) {
  static const QStringList kKeywords = {QStringLiteral("HREF")};
  QString href;
  if (p.MatchKeyword(kKeywords) == 0) href = p.QuotedValue();
  if (p.Failed() || href.isEmpty()) {
    ShowMessage(QStringLiteral("Fehler bei INCLUDE <2>!!!"), MessageKind::Information);
    return;
  }
  QString path = ctx.loader.ResolvePath(href);
  if (path.startsWith(QLatin1Char('*'))) path.remove(0, 1);
  const QString located = FileLookup::locate(path);
  // One message per build, however many includes fail.
  if (located.isEmpty() || !QFileInfo(located).isFile()) {
    if (ctx.loader.FirstIncludeFailure())
      ShowMessage(QStringLiteral("INCLUDE-Datei wurde nicht gefunden ") + path + QStringLiteral("!!!"),
                  MessageKind::Stop);
    return;
  }
  if (ctx.loader.LoadPage(located, false) != PageLoader::Result::Ok) {
    if (ctx.loader.FirstIncludeFailure())
      ShowMessage(QStringLiteral("Fehler bei INCLUDE!!!"), MessageKind::Information);
    return;
  }
  // The including text goes on with the format the included text ended with.
  ctx.fmt = ctx.page.CurrentFormat;
}

// Pairs of a prefixed name (starting with marker), "=" and a quoted value.
template <typename Store>
void namedPairs(const QString& text, QChar marker, bool keepMarker, Store store) {
  qsizetype pos = 0;
  while (true) {
    const qsizetype start = text.indexOf(marker, pos);
    if (start < 0) return;
    const qsizetype eq = text.indexOf(QLatin1Char('='), start + 1);
    if (eq < 0) return;
    const qsizetype open = text.indexOf(QLatin1Char('"'), eq + 1);
    if (open < 0) return;
    const qsizetype close = text.indexOf(QLatin1Char('"'), open + 1);
    if (close < 0) return;
    const QString name = text.mid(keepMarker ? start : start + 1, eq - (keepMarker ? start : start + 1)).trimmed();
    const QString value = text.mid(open + 1, close - open - 1);
    pos = close + 1;
    const bool emptyName = keepMarker ? name.size() <= 1 : name.isEmpty();
    if (!emptyName) store(name, value);
  }
}

void defineTag(TParser& p, BuildContext& ctx) {
  namedPairs(p.Rest(), QLatin1Char('$'), false, [&](const QString& name, QString value) {
    if (value.contains(QLatin1Char('{'))) {
      value.replace(QLatin1Char('\''), QLatin1Char('"'));
      value.replace(QLatin1Char('{'), QLatin1Char('<'));
      value.replace(QLatin1Char('}'), QLatin1Char('>'));
    }
    ctx.page.SetVariable(name, value);
  });
}

void aliasTag(TParser& p, BuildContext& ctx) {
  namedPairs(p.Rest(), QLatin1Char('#'), true, [&](const QString& name, QString value) {
    if (value.startsWith(QLatin1String("!+")) || value.startsWith(QLatin1String("!-"))) {
      const auto numbered = PagePaths::PageNumberAlias(value, ctx.page.XFile, ctx.page.XPath);
      ctx.page.SetCondition(numbered.condition, numbered.exists);
      value = numbered.path;
    }
    ctx.page.PageAliases.SetValue(name, value);
  });
}

void colorsTag(TParser& p, BuildContext& ctx) {
  const QString text = p.Rest();
  qsizetype pos = 0;
  while (true) {
    const qsizetype eq = text.indexOf(QLatin1Char('='), pos);
    if (eq < 0) return;
    const QString name = text.mid(pos, eq - pos).trimmed().toLower();
    qsizetype start = eq + 1;
    while (start < text.size() && text[start] == QLatin1Char(' ')) ++start;
    qsizetype end = start;
    while (end < text.size() && text[end].unicode() > 32) ++end;
    if (!name.isEmpty()) ctx.page.ColorNames.Define(name, text.mid(start, end - start));
    pos = end;
  }
}

// A BODY value, quoted or not; '$name' is replaced by the variable.
QString bodyText(TParser& p, BuildContext& ctx, bool needsEquals) {
  if (needsEquals) {
    if (!p.ExpectEquals()) return {};
  } else {
    p.SkipBlanks();
    if (p.Peek() == QLatin1Char('=')) p.ExpectEquals();
  }
  const QString value = p.Peek() == QLatin1Char('$') ? p.ReadUntilBlank() : p.ReadQuoted();
  return value.startsWith(QLatin1Char('$')) ? ctx.page.GetVariable(value.mid(1)) : value;
}

void bodyTag(TParser& p, BuildContext& ctx) {
  static const QStringList kKeywords = {
      QStringLiteral("BGCOLOR"), QStringLiteral("TEXT"),       QStringLiteral("LINK"),   QStringLiteral("GAP"),
      QStringLiteral("KLOTZ"),   QStringLiteral("KBGR"),       QStringLiteral("BACKGROUND"), QStringLiteral("MCHAN"),
      QStringLiteral("MCHAUS"),  QStringLiteral("WAIT"),       QStringLiteral("ONSHOW"), QStringLiteral("FORM"),
  };
  PageState& page = ctx.page;
  BodyColors& body = page.Body;
  for (int k; (k = p.MatchKeyword(kKeywords)) >= 0 && !p.Failed();) {
    switch (k) {
      case 0: body.Background = page.ReadColor(p.PlainValue()); break;
      case 1: body.Text = page.ReadColor(p.PlainValue()); break;
      case 2: body.Link = page.ReadColor(p.PlainValue()); break;
      case 3: body.Gap = page.ReadColor(p.PlainValue()); break;
      case 4: body.Klotz = page.ReadColor(p.PlainValue()); break;
      case 5: body.Kbgr = page.ReadColor(p.PlainValue()); break;
      case 6: {
        const QString file = p.PlainValue();
        if (!file.isEmpty()) page.BackgroundPicture = ctx.loader.ResolvePath(file);
        break;
      }
      case 7: body.MchAn = page.ReadColor(p.PlainValue()); break;
      case 8: body.MchAus = page.ReadColor(p.PlainValue()); break;
      case 9: {  // WAIT="milliseconds,target"
        const QString value = bodyText(p, ctx, true);
        const qsizetype comma = value.indexOf(QLatin1Char(','));
        bool ok = false;
        const int ms = (comma < 0 ? value : value.left(comma)).trimmed().toInt(&ok);
        const QString target = comma < 0 ? QString() : value.mid(comma + 1).trimmed();
        if (ok && ms > 0 && !target.isEmpty()) {
          page.WaitTime = ms;
          page.WaitTarget = target;
        }
        break;
      }
      case 10: page.ShowCommand = bodyText(p, ctx, false); break;
      case 11:  // FORM: the parent window takes the background as set so far; the rest is ignored
        page.FormColor = body.Background;
        return;
    }
  }
}



}  // namespace

namespace StructureTags {

bool Handle(const QString& name, TParser& p, BuildContext& ctx) {
  if (name == QLatin1String("HTML") || name == QLatin1String("/HTML")) {
  } else if (name == QLatin1String("TITLE")) {
    ctx.skipMode = true;
    ctx.titleMode = true;
  } else if (name == QLatin1String("/TITLE")) {
    ctx.skipMode = false;
  } else if (name == QLatin1String("IF")) {
    ctx.titleMode = false;
    ctx.ifCondition = p.Rest().trimmed();
    ctx.skipMode = ifSkips(ctx.ifCondition, ctx);
  } else if (name == QLatin1String("ELSE")) {
    ctx.skipMode = elseSkips(ctx.ifCondition, ctx);
  } else if (name == QLatin1String("/IF")) {
    ctx.skipMode = false;
  } else if (name == QLatin1String("INCLUDE")) {
    includeTag(p, ctx);
  } else if (name == QLatin1String("DEFINE")) {
    defineTag(p, ctx);
  } else if (name == QLatin1String("ALIAS")) {
    aliasTag(p, ctx);
  } else if (name == QLatin1String("COLORS")) {
    colorsTag(p, ctx);
  } else if (name == QLatin1String("BODY")) {
    bodyTag(p, ctx);
  } else {
    return false;
  }
  return true;
}

}  // namespace StructureTags
