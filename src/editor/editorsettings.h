#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>

class SettingsStore;

// The editor's recent library files: at most four, the newest first; adding
// a file takes an equal entry out first.
class RecentFiles {
 public:
  static constexpr int kMax = 4;
  void Add(const QString& path);
  void Remove(const QString& path);
  const QStringList& Files() const { return files_; }

 private:
  QStringList files_;
};

// What the editor keeps between runs, under the learner's settings key +
// "\Editor": the recent files ("0" the newest .. "3"), the library to open
// at start-up, the status bar, the window's place and size, the colour
// scheme and the directory of the file dialogs.
struct EditorSettings {
  static inline const QString kSubKey = QStringLiteral("\\Editor");
  static constexpr int kMinWidth = 640;
  static constexpr int kMinHeight = 480;

  RecentFiles recent;
  QString lastLibrary;       // "LetzteBibliothek"; "-" after a failed load
  bool statusBar = true;     // "Statusleiste"
  int x = -1;                // "X", "Y": -1 and -1 centre the window
  int y = -1;
  int width = kMinWidth;     // "W", "H": the window's outer size
  int height = kMinHeight;
  QString scheme = QStringLiteral("default");  // "Editor-Schema"
  QString vocabularyDir;     // "Vokabel-Dateien", native, ends with "/"

  // Reads the values below key; each missing or unusable one keeps its
  // default. The place is clamped to -1 .. desktop - 640 x 480 and the size
  // to 640 x 480 .. desktop (on a desktop smaller than 640 x 480 the lower
  // bounds win). schemeExists tells whether a scheme file of that name is
  // there; a directory whose folder is missing falls back to defaultDir.
  static EditorSettings Read(const SettingsStore& store, const QString& key, QSize desktop,
                             const QString& defaultDir, const std::function<bool(const QString&)>& schemeExists);
  // Writes every value in one rewrite; false when the store could not be written.
  bool Save(SettingsStore& store, const QString& key) const;

  // The window's outer rectangle on the desktop: the stored place, or centred.
  QRect WindowRect(QSize desktop) const;
};
