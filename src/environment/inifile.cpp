#include "environment/inifile.h"

#include "common/fileio.h"

namespace {

// The name of a section header line "[name]", or no value.
std::optional<QString> headerName(const QString& line) {
  const QString t = line.trimmed();
  if (!t.startsWith(QLatin1Char('['))) return std::nullopt;
  const qsizetype close = t.indexOf(QLatin1Char(']'));
  if (close < 0) return std::nullopt;
  return t.mid(1, close - 1).trimmed();
}

bool isComment(const QString& line) {
  const QString t = line.trimmed();
  return t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#'));
}

// The key of a "key=value" line, or no value.
std::optional<QString> keyOf(const QString& line) {
  if (isComment(line)) return std::nullopt;
  const qsizetype eq = line.indexOf(QLatin1Char('='));
  if (eq < 0) return std::nullopt;
  return line.left(eq).trimmed();
}

QString valueOf(const QString& line) {
  QString v = line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
  if (v.size() >= 2 && v.startsWith(QLatin1Char('"')) && v.endsWith(QLatin1Char('"'))) v = v.mid(1, v.size() - 2);
  return v;
}

bool sameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

}  // namespace

IniFile::IniFile(const QString& path) : path_(path) { load(); }

bool IniFile::load() {
  lines_.clear();
  existed_ = false;
  const auto text = FileIO::readText(path_);
  if (!text) return false;
  existed_ = true;
  lines_ = FileIO::splitLines(*text);
  return true;
}

bool IniFile::save(FileIO::FileAccess access) const { return FileIO::writeTextLines(path_, lines_, false, access); }

void IniFile::setText(const QString& text) { lines_ = FileIO::splitLines(text); }

QString IniFile::text() const {
  QString t;
  for (const QString& l : lines_) t += l + QStringLiteral("\r\n");
  return t;
}

qsizetype IniFile::findSection(const QString& section) const {
  for (qsizetype i = 0; i < lines_.size(); ++i) {
    const auto name = headerName(lines_[i]);
    if (name && sameName(*name, section)) return i;
  }
  return -1;
}

qsizetype IniFile::sectionEnd(qsizetype header) const {
  qsizetype i = header + 1;
  while (i < lines_.size() && !headerName(lines_[i])) ++i;
  return i;
}

qsizetype IniFile::findKey(const QString& section, const QString& key) const {
  const qsizetype header = findSection(section);
  if (header < 0) return -1;
  const qsizetype end = sectionEnd(header);
  for (qsizetype i = header + 1; i < end; ++i) {
    const auto k = keyOf(lines_[i]);
    if (k && sameName(*k, key)) return i;
  }
  return -1;
}

bool IniFile::hasSection(const QString& section) const { return findSection(section) >= 0; }

bool IniFile::hasKey(const QString& section, const QString& key) const { return findKey(section, key) >= 0; }

QStringList IniFile::sections() const {
  QStringList result;
  for (const QString& l : lines_)
    if (const auto name = headerName(l)) result.append(*name);
  return result;
}

QStringList IniFile::keys(const QString& section) const {
  QStringList result;
  const qsizetype header = findSection(section);
  if (header < 0) return result;
  const qsizetype end = sectionEnd(header);
  for (qsizetype i = header + 1; i < end; ++i)
    if (const auto k = keyOf(lines_[i]); k && !k->isEmpty()) result.append(*k);
  return result;
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const {
  const qsizetype i = findKey(section, key);
  if (i < 0) return std::nullopt;
  return valueOf(lines_[i]);
}

QString IniFile::readString(const QString& section, const QString& key, const QString& fallback) const {
  return value(section, key).value_or(fallback);
}

int IniFile::readInteger(const QString& section, const QString& key, int fallback) const {
  const auto v = value(section, key);
  if (!v) return fallback;
  bool ok = false;
  const int n = v->toInt(&ok);
  return ok ? n : fallback;
}

bool IniFile::readBool(const QString& section, const QString& key, bool fallback) const {
  const auto v = value(section, key);
  if (!v) return fallback;
  return *v != QLatin1String("0");
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value) {
  const qsizetype i = findKey(section, key);
  if (i >= 0) {
    const QString& line = lines_[i];
    lines_[i] = line.left(line.indexOf(QLatin1Char('='))) + QLatin1Char('=') + value;
    return;
  }
  const qsizetype header = findSection(section);
  if (header < 0) {
    lines_.append(QLatin1Char('[') + section + QLatin1Char(']'));
    lines_.append(key + QLatin1Char('=') + value);
    return;
  }
  // After the section's last non-blank line, so blank separator lines stay below.
  qsizetype at = sectionEnd(header);
  while (at > header + 1 && lines_[at - 1].trimmed().isEmpty()) --at;
  lines_.insert(at, key + QLatin1Char('=') + value);
}

void IniFile::writeInteger(const QString& section, const QString& key, int value) {
  writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value) {
  writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::removeKey(const QString& section, const QString& key) {
  const qsizetype i = findKey(section, key);
  if (i >= 0) lines_.removeAt(i);
}

void IniFile::removeSection(const QString& section) {
  const qsizetype header = findSection(section);
  if (header < 0) return;
  lines_.remove(header, sectionEnd(header) - header);
}
