#include "editor/cardtemplate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "common/textcodec.h"
#include "common/fileio.h"
#include "vocabulary/tvokabel.h"

namespace CardTemplates {

int Length(const QString& value) {
  const QString v = value.trimmed();
  bool ok = false;
  double number = 0;
  if (v.startsWith(QLatin1Char('!'))) {
    number = v.mid(1).trimmed().toDouble(&ok);
  } else {
    number = QString(v).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok) * 10;
  }
  if (!ok || number <= 0) return 0;
  return static_cast<int>(number + 0.5);
}

namespace {

int count(const QString& value) {
  bool ok = false;
  const int n = value.trimmed().toInt(&ok);
  return ok && n > 0 ? n : 0;
}

}  // namespace

QString Placeholder(const QString& text, const TVokabel& record, const QString& title) {
  const QString key = text.trimmed().toUpper();
  if (key == QLatin1String("$VOKABEL")) return record.Vokabel;
  if (key == QLatin1String("$BEDEUTUNGEN"))
    return record.Bedeutung[1].isEmpty() ? record.Bedeutung[0]
                                         : record.Bedeutung[0] + QLatin1String("; ") + record.Bedeutung[1];
  if (key == QLatin1String("$WORTART")) return Vocabulary::WortartTrainerName(record.Wortart);
  if (key == QLatin1String("$BUCHSTABE")) return record.Deutsch ? QStringLiteral("D") : QStringLiteral("S");
  if (key == QLatin1String("$KONTEXTE")) {
    // Only the contexts there are, one to a line.
    QStringList contexts;
    for (const QString& k : record.Kontext)
      if (!k.isEmpty()) contexts << k;
    return contexts.join(QLatin1Char('\n'));
  }
  if (key == QLatin1String("$TITEL")) return title;
  return text;
}

Loaded Load(const QString& path) {
  if (!QFileInfo(path).isFile())
    return {std::nullopt, QStringLiteral("Datei ") + QDir::toNativeSeparators(path) + QStringLiteral(" existiert nicht!")};
  const std::optional<QByteArray> bytes = FileIO::readBytes(path);
  if (!bytes) return {std::nullopt, QStringLiteral("Datei konnte nicht geöffnet werden!")};
  // Templates are written in Windows-1252 like every text file of the
  // course, or in UTF-8 by today's editors.
  QString text = QString::fromUtf8(*bytes);
  if (text.contains(QChar::ReplacementCharacter)) text = Cp1252::decode(*bytes);
  return {CardTemplate::Read(text), QString()};
}

}  // namespace CardTemplates

CardTemplate CardTemplate::Read(const QString& text) {
  CardTemplate t;
  TTextElement* element = nullptr;
  for (QString line : FileIO::splitLines(text)) {
    line = line.trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char('/'))) continue;
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    const QString key = (equals < 0 ? line : line.left(equals)).trimmed().toUpper();
    const QString value = equals < 0 ? QString() : line.mid(equals + 1).trimmed();
    using CardTemplates::Length;
    if (key == QLatin1String("PW")) t.PW = Length(value);
    else if (key == QLatin1String("PH")) t.PH = Length(value);
    else if (key == QLatin1String("LM")) t.LM = Length(value);
    else if (key == QLatin1String("TM")) t.TM = Length(value);
    else if (key == QLatin1String("CW")) t.CW = Length(value);
    else if (key == QLatin1String("CH")) t.CH = Length(value);
    else if (key == QLatin1String("CX")) t.CX = CardTemplates::count(value);
    else if (key == QLatin1String("CY")) t.CY = CardTemplates::count(value);
    else if (key == QLatin1String("SF")) t.SF = value;
    else if (key == QLatin1String("ID")) {
      t.elements.append(TTextElement{});
      element = &t.elements.last();
      element->id = value;
    } else if (element) {
      // The keys of an element; before the first "ID" there is none to take them.
      if (key == QLatin1String("TEXT")) element->text = value;
      else if (key == QLatin1String("BACK")) element->back = true;
      else if (key == QLatin1String("X")) element->x = Length(value);
      else if (key == QLatin1String("Y")) element->y = Length(value);
      else if (key == QLatin1String("W")) element->width = Length(value);
      else if (key == QLatin1String("H")) element->height = Length(value);
      else if (key == QLatin1String("FH")) element->fontHeight = Length(value);
      else if (key == QLatin1String("FN")) element->fontName = value;
      else if (key == QLatin1String("COL")) {
        const QColor c(value);
        if (value.startsWith(QLatin1Char('#')) && value.size() == 7 && c.isValid()) element->colour = c;
      } else if (key == QLatin1String("FS")) {
        const QString style = value.toUpper();
        element->bold = style.contains(QLatin1Char('B'));
        element->italic = style.contains(QLatin1Char('I'));
        element->underline = style.contains(QLatin1Char('U'));
      }
    }
  }
  for (TTextElement& e : t.elements)
    if (e.width == 0) e.width = std::max(0, t.CW - e.x - 20);
  return t;
}
