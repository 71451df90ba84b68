#include "editor/editorscheme.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPalette>
#include <QRegularExpression>

#include "common/filelookup.h"
#include "common/fileio.h"
#include "common/textcodec.h"
#include "editor/editorpictures.h"
#include "environment/environment.h"

TElemente TElemente::PlatformDefaults() {
  TElemente s;
  const QPalette p = QApplication::palette();
  s.colours[Menu] = p.color(QPalette::Window);
  s.colours[ToolBar] = p.color(QPalette::Window);
  s.colours[List] = p.color(QPalette::Base);
  s.colours[Notes] = p.color(QPalette::Base);
  s.colours[RecordPanel] = p.color(QPalette::Window);
  s.colours[RecordField] = p.color(QPalette::Base);
  s.colours[DictionaryPanel] = p.color(QPalette::Window);
  s.colours[DictionaryField] = p.color(QPalette::Base);
  return s;
}

namespace EditorScheme {

namespace {

const QString kSilver = QStringLiteral("#C0C0C0");

QColor colourValue(const QString& value) {
  if (!value.startsWith(QLatin1Char('#'))) return QColor(kSilver);
  // One to six hexadecimal digits and nothing else (no sign, prefix or
  // blank); more than six digits is no colour either.
  static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{1,6}$"));
  const QString digits = value.mid(1);
  if (!hex.match(digits).hasMatch()) return QColor(0, 0, 255);
  return QColor::fromRgb(digits.toUInt(nullptr, 16));
}

// The installed family of that name (letter case ignored), or "Arial".
QString installedFont(const QString& name) {
  for (const QString& family : QFontDatabase::families())
    if (family.compare(name, Qt::CaseInsensitive) == 0) return family;
  return QStringLiteral("Arial");
}

}  // namespace

void ReadScheme(const QString& path, TElemente& scheme) {
  const auto bytes = FileIO::readBytes(path);
  if (!bytes) return;
  for (const QString& line : FileIO::splitLines(Cp1252::decode(*bytes))) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0) continue;
    const QString key = line.left(eq).trimmed().toUpper();
    const QString value = line.mid(eq + 1, 255).trimmed().toUpper();
    if (key == QLatin1String("SCHRIFT")) {
      scheme.font = installedFont(value);
    } else if (key == QLatin1String("FETT")) {
      scheme.bold = value == QLatin1String("1");
    } else if (key.size() == 5 && key.startsWith(QLatin1String("SIZE")) && key[4] >= u'1' && key[4] <= u'3') {
      const int i = key[4].unicode() - u'1';
      bool ok = false;
      const int size = value.toInt(&ok);
      scheme.sizes[i] = (ok && size >= 6 && size <= 14) ? size : TElemente::kDefaultSizes[i];
    } else if (key.size() == 6 && key.startsWith(QLatin1String("FARBE")) && key[5] >= u'0' && key[5] <= u'7') {
      scheme.colours[key[5].unicode() - u'0'] = colourValue(value);
    }
  }
  scheme.changed = false;
}

QString HexName(const QColor& colour) { return colour.name(QColor::HexRgb).toUpper(); }

QByteArray SchemeText(const TElemente& scheme) {
  QString text;
  const auto line = [&text](const QString& key, const QString& value) {
    text += key + QLatin1Char('=') + value + QStringLiteral("\r\n");
  };
  line(QStringLiteral("SCHRIFT"), scheme.font);
  line(QStringLiteral("FETT"), scheme.bold ? QStringLiteral("1") : QStringLiteral("0"));
  for (int i = 0; i < 3; ++i) line(QStringLiteral("SIZE%1").arg(i + 1), QString::number(scheme.sizes[i]));
  for (int i = 0; i < TElemente::kColours; ++i) line(QStringLiteral("FARBE%1").arg(i), HexName(scheme.colours[i]));
  return Cp1252::encode(text);
}

bool WriteScheme(const QString& path, const TElemente& scheme) {
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
  return FileIO::writeAtomically(path, SchemeText(scheme));
}

QString SchemeDir(const Environment& env) {
  const QString found = EditorPictures::EditorDir(env);
  return found.isEmpty() ? env.ProgramDir + QStringLiteral("Editor/") : found;
}

QString SchemeFile(const Environment& env, const QString& name) {
  const QString path = SchemeDir(env) + name + QStringLiteral(".ed");
  const QString found = FileLookup::locate(path);
  return found.isEmpty() ? path : found;
}

bool SchemeExists(const Environment& env, const QString& name) {
  return !name.isEmpty() && QFileInfo(SchemeFile(env, name)).isFile();
}

QStringList SchemeNames(const Environment& env) {
  QStringList names;
  const QStringList files = QDir(SchemeDir(env)).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
  for (const QString& file : files) {
    if (!file.endsWith(QLatin1String(".ed"), Qt::CaseInsensitive)) continue;
    const QString name = file.left(file.size() - 3);
    if (name.compare(kDefaultName, Qt::CaseInsensitive) == 0) continue;
    if (!names.contains(name, Qt::CaseInsensitive)) names.append(name);
  }
  return names;
}

QColor Lighter(const QColor& c, int amount) {
  return QColor(std::min(255, c.red() + amount), std::min(255, c.green() + amount), std::min(255, c.blue() + amount));
}

QColor Darker(const QColor& c, int amount) {
  return QColor(std::max(0, c.red() - amount), std::max(0, c.green() - amount), std::max(0, c.blue() - amount));
}

int ChannelAverage(const QColor& c) { return (c.red() + c.green() + c.blue()) / 3; }

QColor TextOn(const QColor& background) { return ChannelAverage(background) > 79 ? Qt::black : Qt::white; }

}  // namespace EditorScheme
