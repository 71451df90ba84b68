#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class SettingsStore;
class IniFile;

// Where the installation, pages, vocabulary, users, dictionaries and speech
// recordings are, and the few settings both programs share. Directory values
// are native paths ending with "/"; an empty value means "not available".
//
// Stored data refers to recordings through path aliases ("XS:\LA\2\a.wav"),
// resolved here against the recording directories.
class Environment {
 public:
  // Settings store keys.
  static inline const QString kBaseKey = QStringLiteral("Software\\zvk\\zvk spanisch\\5");
  static inline const QString kDirectoriesKey = kBaseKey + QStringLiteral("\\Verzeichnisse");
  // The file that marks a directory as one of the course's recordings.
  static inline const QString kWaveMarker = QStringLiteral("ZVK_S");

  // Flag bits of SaveDirectories.
  enum SaveFlag : int {
    SaveWaveDir = 0x01,
    SaveOwnWaveDir = 0x02,
    SaveUserDir = 0x10,
    SaveWirtschaftDir = 0x20,
    SaveRechtDir = 0x40,
    SaveVersatz = 0x80,
  };

  // Results of ResolveAlias.
  enum AliasStatus : int { AliasFound = 0, AliasNotFound = 4, AliasNotConfigured = 5 };
  struct Resolved {
    QString path;
    int status = AliasNotFound;
  };

  Environment(const QString& programDir, SettingsStore& store);

  // The values.
  QString ProgramDir;
  QString UserDir;
  QString PageRoot;
  QString VocabularyDir;
  QString WaveDir;
  QString WaveExtensionDir;
  QString OwnWaveDir;
  QString RechtDir;
  QString WirtschaftDir;
  QString SkDir;
  QString SxDir;
  QString DictionaryFile1;
  QString DictionaryFile2;
  QString RecordingDbFile;
  bool WriteProtect = false;
  bool WindowMode = false;
  bool ShortcutRequest = false;
  // Platform colour value (red in the low byte); black while nobody is logged in.
  quint32 BackgroundColor = 0;
  // Print offset of the editor's index cards.
  int Versatz = 0;
  // The logged-in learner; empty while working anonymously.
  QString UserName;

  SettingsStore& store() const { return store_; }

  // "Software\zvk\zvk spanisch\5\" + user name, or "...\Anonym" without a login.
  QString UserKeyPath() const;
  QString iniFilePath() const;
  // Program started from a network share by its UNC name ("\\server\...").
  bool isNetworkProgramDir() const;

  void ParseCommandLine(const QStringList& arguments);
  void ReadIniSettings();
  void ReadDirectorySettings();
  // SkDir and SxDir from ProgramDir, each only when the directory exists.
  void ReadSpecialRecordingDirs();
  void ReadUserSettings();
  void SaveDirectories(int flags);
  // Writes "Hintergrund" (when a backdrop colour is given) and "Fenster-Modus".
  void SaveWindowSettings(std::optional<quint32> backdropColor = std::nullopt);
  Resolved ResolveAlias(const QString& reference) const;
  void SetWindowMode(bool on);
  void ChangeWindowMode(bool on);
  void DeleteSettingsKey();
  // Bits per pixel of the primary screen; 0 without a screen.
  static int ScreenColorBits();

  // Set by the trainer once its main window exists: moves the windows
  // between the borderless and the framed mode.
  std::function<void(bool)> onWindowModeChanged;

 private:
  // A directory value of zvk.ini as a native directory: relative values are
  // taken relative to ProgramDir.
  QString iniDirectory(const QString& value) const;
  // The form in which a directory is stored in zvk.ini: relative when below ProgramDir.
  QString iniValue(const QString& dir) const;
  QString storeString(const QString& name) const;
  bool hasWaveMarker(const QString& dir) const;

  SettingsStore& store_;
};
