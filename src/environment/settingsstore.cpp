#include "environment/settingsstore.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace {

// "A\B\C" -> "A/B/C": QSettings groups stand for the keys.
QString groupOf(const QString& keyPath) {
  QString g = keyPath;
  g.replace(QLatin1Char('\\'), QLatin1Char('/'));
  while (g.endsWith(QLatin1Char('/'))) g.chop(1);
  return g;
}

QString fullName(const QString& keyPath, const QString& name) { return groupOf(keyPath) + QLatin1Char('/') + name; }

}  // namespace

SettingsStore::SettingsStore() : SettingsStore(defaultFilePath()) {}

SettingsStore::SettingsStore(const QString& filePath)
    : settings_(std::make_unique<QSettings>(filePath, QSettings::IniFormat)) {}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::defaultFilePath() {
  // Read each time, so that a changed XDG_CONFIG_HOME (tests) is honoured.
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/zvk/zvk spanisch.conf");
}

QString SettingsStore::filePath() const { return settings_->fileName(); }

bool SettingsStore::keyExists(const QString& keyPath) const {
  settings_->beginGroup(groupOf(keyPath));
  const bool any = !settings_->allKeys().isEmpty();
  settings_->endGroup();
  return any;
}

bool SettingsStore::valueExists(const QString& keyPath, const QString& name) const {
  return settings_->contains(fullName(keyPath, name));
}

QStringList SettingsStore::valueNames(const QString& keyPath) const {
  settings_->beginGroup(groupOf(keyPath));
  const QStringList names = settings_->childKeys();
  settings_->endGroup();
  return names;
}

QStringList SettingsStore::subKeys(const QString& keyPath) const {
  settings_->beginGroup(groupOf(keyPath));
  const QStringList keys = settings_->childGroups();
  settings_->endGroup();
  return keys;
}

std::optional<QString> SettingsStore::readString(const QString& keyPath, const QString& name) const {
  const QVariant v = settings_->value(fullName(keyPath, name));
  if (!v.isValid()) return std::nullopt;
  if (v.typeId() == QMetaType::QStringList) return std::nullopt;
  return v.toString();
}

std::optional<int> SettingsStore::readInteger(const QString& keyPath, const QString& name) const {
  const QVariant v = settings_->value(fullName(keyPath, name));
  if (!v.isValid()) return std::nullopt;
  bool ok = false;
  const int n = v.toString().trimmed().toInt(&ok);
  if (!ok) return std::nullopt;
  return n;
}

std::optional<bool> SettingsStore::readBool(const QString& keyPath, const QString& name) const {
  const QVariant v = settings_->value(fullName(keyPath, name));
  if (!v.isValid()) return std::nullopt;
  const QString s = v.toString().trimmed();
  if (s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
  if (s.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return false;
  bool ok = false;
  const int n = s.toInt(&ok);
  if (!ok) return std::nullopt;
  return n != 0;
}

bool SettingsStore::writeVariant(const QString& keyPath, const QString& name, const QVariant& value) {
  settings_->setValue(fullName(keyPath, name), value);
  return flush();
}

bool SettingsStore::writeString(const QString& keyPath, const QString& name, const QString& value) {
  return writeVariant(keyPath, name, value);
}

bool SettingsStore::writeInteger(const QString& keyPath, const QString& name, int value) {
  return writeVariant(keyPath, name, value);
}

bool SettingsStore::writeBool(const QString& keyPath, const QString& name, bool value) {
  return writeVariant(keyPath, name, value ? 1 : 0);
}

bool SettingsStore::deleteValue(const QString& keyPath, const QString& name) {
  settings_->remove(fullName(keyPath, name));
  return flush();
}

bool SettingsStore::deleteKey(const QString& keyPath) {
  if (!keyExists(keyPath)) return false;
  settings_->remove(groupOf(keyPath));
  return flush() && !keyExists(keyPath);
}

bool SettingsStore::flush() {
  settings_->sync();
  return settings_->status() == QSettings::NoError;
}
