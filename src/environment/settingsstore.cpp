#include "environment/settingsstore.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include "common/fileio.h"
#include "common/messagebox.h"

namespace {

// The first line of a store file; a file without it was written by an
// earlier version (through QSettings) and is read with QSettings once.
const QByteArray kHeader = "; zvk settings 1";

// "A\B\C\" -> "A\B\C": one spelling of each key.
QString normalKey(const QString& keyPath) {
  QString k = keyPath;
  k.replace(QLatin1Char('/'), QLatin1Char('\\'));
  while (k.endsWith(QLatin1Char('\\'))) k.chop(1);
  return k;
}

bool isBelow(const QString& key, const QString& parent) {
  return parent.isEmpty() || key == parent || key.startsWith(parent + QLatin1Char('\\'));
}

// Backslash escapes keep every text on one line and every name before its "=".
QString escape(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (const QChar c : text) {
    switch (c.unicode()) {
      case '\\': out += QStringLiteral("\\\\"); break;
      case '\n': out += QStringLiteral("\\n"); break;
      case '\r': out += QStringLiteral("\\r"); break;
      case '=': out += QStringLiteral("\\="); break;
      case ']': out += QStringLiteral("\\]"); break;
      default: out += c;
    }
  }
  return out;
}

QString unescape(QStringView text) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c != QLatin1Char('\\') || i + 1 == text.size()) {
      out += c;
      continue;
    }
    const QChar n = text[++i];
    out += n == QLatin1Char('n') ? QChar(u'\n') : n == QLatin1Char('r') ? QChar(u'\r') : n;
  }
  return out;
}

// The first unescaped occurrence of c, or -1.
qsizetype findUnescaped(QStringView text, QChar c) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('\\')) ++i;
    else if (text[i] == c) return i;
  }
  return -1;
}

}  // namespace

SettingsStore::SettingsStore() : SettingsStore(defaultFilePath()) {}

SettingsStore::SettingsStore(const QString& filePath) : path_(filePath) { load(); }

SettingsStore::~SettingsStore() = default;

QString SettingsStore::defaultFilePath() {
  // Read each time, so that a changed XDG_CONFIG_HOME (tests) is honoured.
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/zvk/zvk spanisch.conf");
}

QString SettingsStore::filePath() const { return path_; }

void SettingsStore::load() {
  keys_.clear();
  const auto bytes = FileIO::readBytes(path_);
  if (!bytes || bytes->isEmpty()) return;
  if (!bytes->startsWith(kHeader)) {
    loadEarlierVersion();
    return;
  }
  QString key;
  for (const QString& line : FileIO::splitLines(QString::fromUtf8(*bytes))) {
    if (line.isEmpty() || line.startsWith(QLatin1Char(';'))) continue;
    if (line.startsWith(QLatin1Char('['))) {
      const qsizetype close = findUnescaped(line, QLatin1Char(']'));
      key = close > 0 ? normalKey(unescape(QStringView(line).mid(1, close - 1))) : QString();
      continue;
    }
    const qsizetype equals = findUnescaped(line, QLatin1Char('='));
    if (key.isEmpty() || equals <= 0) continue;
    keys_[key][unescape(QStringView(line).left(equals))] = unescape(QStringView(line).mid(equals + 1));
  }
}

void SettingsStore::loadEarlierVersion() {
  QSettings earlier(path_, QSettings::IniFormat);
  for (const QString& full : earlier.allKeys()) {
    const qsizetype slash = full.lastIndexOf(QLatin1Char('/'));
    if (slash <= 0) continue;
    const QVariant v = earlier.value(full);
    if (v.typeId() == QMetaType::QStringList) continue;
    keys_[normalKey(full.left(slash))][full.mid(slash + 1)] = v.toString();
  }
}

QByteArray SettingsStore::serialize() const {
  QString text = QString::fromLatin1(kHeader) + QLatin1Char('\n');
  for (auto key = keys_.cbegin(); key != keys_.cend(); ++key) {
    if (key.value().isEmpty()) continue;
    text += QLatin1Char('[') + escape(key.key()) + QStringLiteral("]\n");
    for (auto value = key.value().cbegin(); value != key.value().cend(); ++value)
      text += escape(value.key()) + QLatin1Char('=') + escape(value.value()) + QLatin1Char('\n');
    text += QLatin1Char('\n');
  }
  return text.toUtf8();
}

bool SettingsStore::change(const std::function<void(Keys&)>& apply) {
  // The other program may have written since: its values are kept.
  load();
  apply(keys_);
  const QFileInfo info(path_);
  if (!QDir().mkpath(info.absolutePath())) return false;
  // The store names the learners' directories: owner-only, like their files.
  const bool written = FileIO::writeAtomically(path_, serialize(), FileIO::FileAccess::Private);
  // Told once until a write succeeds again: the programs write settings often.
  if (!written && !failureShown_)
    ShowMessage(QDir::toNativeSeparators(path_) + QStringLiteral(" konnte nicht gespeichert werden!"),
                MessageKind::Stop);
  failureShown_ = !written;
  return written;
}

bool SettingsStore::keyExists(const QString& keyPath) const {
  const QString parent = normalKey(keyPath);
  for (auto key = keys_.cbegin(); key != keys_.cend(); ++key)
    if (!key.value().isEmpty() && isBelow(key.key(), parent)) return true;
  return false;
}

bool SettingsStore::valueExists(const QString& keyPath, const QString& name) const {
  return keys_.value(normalKey(keyPath)).contains(name);
}

QStringList SettingsStore::valueNames(const QString& keyPath) const { return keys_.value(normalKey(keyPath)).keys(); }

QStringList SettingsStore::subKeys(const QString& keyPath) const {
  const QString parent = normalKey(keyPath);
  QStringList names;
  for (auto key = keys_.cbegin(); key != keys_.cend(); ++key) {
    if (key.value().isEmpty() || key.key() == parent || !isBelow(key.key(), parent)) continue;
    const QString rest = parent.isEmpty() ? key.key() : key.key().mid(parent.size() + 1);
    const QString child = rest.section(QLatin1Char('\\'), 0, 0);
    if (!names.contains(child)) names.append(child);
  }
  return names;
}

std::optional<QString> SettingsStore::readString(const QString& keyPath, const QString& name) const {
  const auto key = keys_.constFind(normalKey(keyPath));
  if (key == keys_.cend() || !key.value().contains(name)) return std::nullopt;
  return key.value().value(name);
}

std::optional<int> SettingsStore::readInteger(const QString& keyPath, const QString& name) const {
  const auto text = readString(keyPath, name);
  if (!text) return std::nullopt;
  bool ok = false;
  const int n = text->trimmed().toInt(&ok);
  if (!ok) return std::nullopt;
  return n;
}

std::optional<bool> SettingsStore::readBool(const QString& keyPath, const QString& name) const {
  const auto text = readString(keyPath, name);
  if (!text) return std::nullopt;
  const QString s = text->trimmed();
  if (s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
  if (s.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return false;
  bool ok = false;
  const int n = s.toInt(&ok);
  if (!ok) return std::nullopt;
  return n != 0;
}

bool SettingsStore::writeString(const QString& keyPath, const QString& name, const QString& value) {
  const QString key = normalKey(keyPath);
  return change([&](Keys& keys) { keys[key][name] = value; });
}

bool SettingsStore::writeValues(const QString& keyPath, const QList<std::pair<QString, QString>>& values) {
  const QString key = normalKey(keyPath);
  return change([&](Keys& keys) {
    for (const auto& [name, value] : values) keys[key][name] = value;
  });
}

bool SettingsStore::writeInteger(const QString& keyPath, const QString& name, int value) {
  return writeString(keyPath, name, QString::number(value));
}

bool SettingsStore::writeBool(const QString& keyPath, const QString& name, bool value) {
  return writeString(keyPath, name, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool SettingsStore::deleteValue(const QString& keyPath, const QString& name) {
  const QString key = normalKey(keyPath);
  return change([&](Keys& keys) {
    auto found = keys.find(key);
    if (found != keys.end()) found.value().remove(name);
  });
}

bool SettingsStore::deleteKey(const QString& keyPath) {
  if (!keyExists(keyPath)) return false;
  const QString parent = normalKey(keyPath);
  return change([&](Keys& keys) {
    for (auto key = keys.begin(); key != keys.end();) {
      if (isBelow(key.key(), parent)) key = keys.erase(key);
      else ++key;
    }
  });
}
