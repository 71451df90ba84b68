#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <utility>

// The per-user settings store: nested keys named with backslashes
// ("Software\zvk\zvk spanisch\5\Verzeichnisse") holding named string, integer
// and boolean values, with recursive key deletion. Kept in the user's
// configuration directory ($XDG_CONFIG_HOME/zvk/zvk spanisch.conf, owner-only)
// and shared by the trainer and the editor: every write reads the file again,
// so the other program's values stay, and replaces it whole through a checked
// atomic save. A file of an earlier version is read and kept until the first
// write. The file is UTF-8 text: a first line "; zvk settings 1", then per key
// a line "[key]" and its "name=value" lines, with "\\", "\n", "\r", "\=" and
// "\]" escaping those characters.
class SettingsStore {
 public:
  // The store of the current user.
  SettingsStore();
  // A store in the given file (tests, tools).
  explicit SettingsStore(const QString& filePath);
  ~SettingsStore();
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;

  static QString defaultFilePath();
  QString filePath() const;

  // True when the key or any key below it holds a value.
  bool keyExists(const QString& keyPath) const;
  bool valueExists(const QString& keyPath, const QString& name) const;
  QStringList valueNames(const QString& keyPath) const;
  QStringList subKeys(const QString& keyPath) const;

  // No value when the value is missing or not of the asked type.
  std::optional<QString> readString(const QString& keyPath, const QString& name) const;
  std::optional<int> readInteger(const QString& keyPath, const QString& name) const;
  // Booleans are kept as integers 0 and 1; any other integer reads as true.
  std::optional<bool> readBool(const QString& keyPath, const QString& name) const;

  // Writes return false (and leave the file as it was) when it cannot be saved.
  bool writeString(const QString& keyPath, const QString& name, const QString& value);
  bool writeInteger(const QString& keyPath, const QString& name, int value);
  bool writeBool(const QString& keyPath, const QString& name, bool value);
  // Several values of one key in one rewrite of the file (name, value as text).
  bool writeValues(const QString& keyPath, const QList<std::pair<QString, QString>>& values);
  bool deleteValue(const QString& keyPath, const QString& name);

  // Deletes the key with all values and keys below it; false when it did not exist
  // or could not be written.
  bool deleteKey(const QString& keyPath);

 private:
  using Keys = QMap<QString, QMap<QString, QString>>;
  void load();
  void loadEarlierVersion();
  QByteArray serialize() const;
  // Reads the file again, applies the change and saves the whole file.
  bool change(const std::function<void(Keys&)>& apply);

  QString path_;
  Keys keys_;
  bool failureShown_ = false;
};
