#include "editor/editorsettings.h"

#include <QFileInfo>
#include <algorithm>

#include "common/filelookup.h"
#include "environment/settingsstore.h"

void RecentFiles::Add(const QString& path) {
  if (path.isEmpty()) return;
  files_.removeAll(path);
  files_.prepend(path);
  while (files_.size() > kMax) files_.removeLast();
}

void RecentFiles::Remove(const QString& path) { files_.removeAll(path); }

namespace {

// value clamped to low..high; when the range is empty the lower bound wins.
int clampLowWins(int value, int low, int high) { return std::max(low, std::min(value, high)); }

}  // namespace

EditorSettings EditorSettings::Read(const SettingsStore& store, const QString& key, QSize desktop,
                                    const QString& defaultDir,
                                    const std::function<bool(const QString&)>& schemeExists) {
  EditorSettings s;
  // "3" first, so that "0" ends as the newest.
  for (int i = RecentFiles::kMax - 1; i >= 0; --i) {
    const QString file = store.readString(key, QString::number(i)).value_or(QString());
    if (!file.isEmpty()) s.recent.Add(file);
  }
  s.lastLibrary = store.readString(key, QStringLiteral("LetzteBibliothek")).value_or(QString());
  s.statusBar = store.readBool(key, QStringLiteral("Statusleiste")).value_or(true);
  s.x = clampLowWins(store.readInteger(key, QStringLiteral("X")).value_or(-1), -1, desktop.width() - kMinWidth);
  s.y = clampLowWins(store.readInteger(key, QStringLiteral("Y")).value_or(-1), -1, desktop.height() - kMinHeight);
  s.width = clampLowWins(store.readInteger(key, QStringLiteral("W")).value_or(kMinWidth), kMinWidth, desktop.width());
  s.height =
      clampLowWins(store.readInteger(key, QStringLiteral("H")).value_or(kMinHeight), kMinHeight, desktop.height());
  const QString scheme = store.readString(key, QStringLiteral("Editor-Schema")).value_or(QString());
  if (!scheme.isEmpty() && schemeExists && schemeExists(scheme)) s.scheme = scheme;
  const QString dir = FileLookup::nativePath(store.readString(key, QStringLiteral("Vokabel-Dateien")).value_or(QString()));
  const QString folder = FileLookup::directoryPart(FileLookup::withSeparator(dir));
  s.vocabularyDir = (!dir.isEmpty() && QFileInfo(folder).isDir()) ? folder : FileLookup::withSeparator(defaultDir);
  return s;
}

bool EditorSettings::Save(SettingsStore& store, const QString& key) const {
  QList<std::pair<QString, QString>> values;
  const QStringList& files = recent.Files();
  for (int i = 0; i < RecentFiles::kMax; ++i)
    values.append({QString::number(i), i < files.size() ? files.at(i) : QString()});
  values.append({QStringLiteral("LetzteBibliothek"), lastLibrary});
  values.append({QStringLiteral("Statusleiste"), statusBar ? QStringLiteral("1") : QStringLiteral("0")});
  values.append({QStringLiteral("X"), QString::number(x)});
  values.append({QStringLiteral("Y"), QString::number(y)});
  values.append({QStringLiteral("W"), QString::number(width)});
  values.append({QStringLiteral("H"), QString::number(height)});
  values.append({QStringLiteral("Editor-Schema"), scheme});
  values.append({QStringLiteral("Vokabel-Dateien"), vocabularyDir});
  return store.writeValues(key, values);
}

QRect EditorSettings::WindowRect(QSize desktop) const {
  QRect r(x, y, width, height);
  if (x == -1 && y == -1) r.moveTopLeft({std::max(0, (desktop.width() - width) / 2), std::max(0, (desktop.height() - height) / 2)});
  return r;
}
