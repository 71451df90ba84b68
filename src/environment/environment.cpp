#include "environment/environment.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

#include "common/filelookup.h"
#include "common/messagebox.h"
#include "environment/inifile.h"
#include "environment/settingsstore.h"

namespace {

const QString kSectionZvk = QStringLiteral("*zvk");
const QString kSectionSpanisch = QStringLiteral("zvk spanisch");

bool isDirectory(const QString& path) { return !path.isEmpty() && FileLookup::dirExists(path); }

}  // namespace

Environment::Environment(const QString& programDir, SettingsStore& store)
    : ProgramDir(FileLookup::withSeparator(programDir)), store_(store) {}

QString Environment::UserKeyPath() const {
  return kBaseKey + QLatin1Char('\\') + (UserName.isEmpty() ? QStringLiteral("Anonym") : UserName);
}

QString Environment::iniFilePath() const { return ProgramDir + QStringLiteral("zvk.ini"); }

bool Environment::isNetworkProgramDir() const {
  return ProgramDir.startsWith(QLatin1String("//")) || ProgramDir.startsWith(QLatin1String("\\\\"));
}

QString Environment::iniDirectory(const QString& value) const {
  const QString v = value.trimmed();
  if (v.isEmpty()) return {};
  const QString native = FileLookup::nativePath(v);
  return FileLookup::withSeparator(FileLookup::hasDriveLetter(native) ? native : ProgramDir + native);
}

QString Environment::iniValue(const QString& dir) const {
  if (!dir.isEmpty() && dir != QLatin1String("-") && dir.startsWith(ProgramDir) && dir.size() > ProgramDir.size())
    return dir.mid(ProgramDir.size());
  return dir;
}

QString Environment::storeString(const QString& name) const {
  return store_.readString(kDirectoriesKey, name).value_or(QString());
}

bool Environment::hasWaveMarker(const QString& dir) const {
  return !dir.isEmpty() && FileLookup::fileExists(dir + kWaveMarker);
}

void Environment::ParseCommandLine(const QStringList& arguments) {
  for (const QString& arg : arguments) {
    const QString word = arg.toLower();
    if (word == QLatin1String("window")) WindowMode = true;
    else if (word == QLatin1String("register")) ShortcutRequest = true;
  }
}

void Environment::ReadIniSettings() {
  IniFile ini(iniFilePath());
  bool changed = false;

  const QString userValue = ini.readString(kSectionZvk, QStringLiteral("Benutzer-Verzeichnis"));
  UserDir = iniDirectory(userValue);
  if (!UserDir.isEmpty() && !isDirectory(UserDir)) {
    ShowMessage(QStringLiteral("Das Benutzer-Verzeichnis ") + userValue + QStringLiteral(" wurde nicht gefunden!\r") +
                QStringLiteral("Für die Benutzerverwaltung wird auf das lokale Verzeichnis zurückgegriffen."));
    UserDir.clear();
  }

  WaveDir = iniDirectory(ini.readString(kSectionSpanisch, QStringLiteral("Wave-Verzeichnis")));
  if (!hasWaveMarker(WaveDir)) WaveDir.clear();

  WaveExtensionDir = iniDirectory(ini.readString(kSectionSpanisch, QStringLiteral("Wave-Erweiterungen")));
  if (!isDirectory(WaveExtensionDir)) WaveExtensionDir = ProgramDir + QStringLiteral("WaveX_S/");

  const auto readAddOnDir = [&](const QString& key, const QString& label) {
    const QString value = ini.readString(kSectionSpanisch, key);
    QString dir = iniDirectory(value);
    if (!dir.isEmpty() && !isDirectory(dir)) {
      ShowMessage(QStringLiteral("Das Verzeichnis für die ") + label + QStringLiteral("-Sprachaufnahmen ") + value +
                  QStringLiteral(" wurde nicht gefunden!"));
      dir = QStringLiteral("-");
    }
    return dir;
  };
  RechtDir = readAddOnDir(QStringLiteral("Aufnahmen Recht"), QStringLiteral("RECHT"));
  WirtschaftDir = readAddOnDir(QStringLiteral("Aufnahmen Wirtschaft"), QStringLiteral("WIRTSCHAFT"));

  if (ini.hasKey(kSectionZvk, QStringLiteral("Schreibschutz"))) {
    WriteProtect = ini.readInteger(kSectionZvk, QStringLiteral("Schreibschutz"), 0) == 1;
  } else {
    ini.writeInteger(kSectionZvk, QStringLiteral("Schreibschutz"), 0);
    WriteProtect = false;
    changed = true;
  }

  if (!ShortcutRequest && ini.readInteger(kSectionSpanisch, QStringLiteral("Register"), 0) == 1) {
    ini.writeInteger(kSectionSpanisch, QStringLiteral("Register"), 0);
    ShortcutRequest = true;
    changed = true;
  }

  // A read-only installation simply keeps its file as it is.
  if (changed) ini.save();
}

void Environment::ReadDirectorySettings() {
  const auto hasMainPage = [](const QString& root) {
    return !root.isEmpty() && FileLookup::fileExists(root + QStringLiteral("hzvk/main.htx"));
  };
  PageRoot = FileLookup::withSeparator(storeString(QStringLiteral("HZVK")));
  if (!hasMainPage(PageRoot)) PageRoot.clear();
  if (PageRoot.isEmpty()) {
    PageRoot = ProgramDir;
    if (!hasMainPage(PageRoot)) PageRoot.clear();
  }

  if (WaveDir.isEmpty()) {
    WaveDir = FileLookup::withSeparator(storeString(QStringLiteral("Wave-Dateien")));
    if (hasWaveMarker(WaveDir)) SaveDirectories(SaveWaveDir);
    else WaveDir.clear();
  }
  if (WaveDir.isEmpty()) {
    const QString drive = FileLookup::withSeparator(storeString(QStringLiteral("CD-Laufwerk")));
    WaveDir = drive.isEmpty() ? QString() : drive + QStringLiteral("wave/");
    if (!hasWaveMarker(WaveDir)) WaveDir.clear();
  }

  const QString vocabulary = ProgramDir + QStringLiteral("Vokabeln (S)/");
  VocabularyDir = isDirectory(vocabulary + QStringLiteral("Grundwortschatz/")) ? vocabulary : QString();
  if (VocabularyDir.isEmpty()) return;

  const auto databaseFile = [&](const QString& name, const QString& fallback) {
    const QString stored = FileLookup::nativePath(storeString(name));
    return (!stored.isEmpty() && FileLookup::fileExists(stored)) ? stored : ProgramDir + fallback;
  };
  DictionaryFile1 = databaseFile(QStringLiteral("Datenbank1"), QStringLiteral("s_d.zvk"));
  DictionaryFile2 = databaseFile(QStringLiteral("Datenbank2"), QStringLiteral("d_s.zvk"));
  RecordingDbFile = databaseFile(QStringLiteral("Datenbank3"), QStringLiteral("S_wx.zvk"));
}

void Environment::ReadSpecialRecordingDirs() {
  SkDir = ProgramDir + QStringLiteral("S_SK/");
  if (!isDirectory(SkDir)) SkDir.clear();
  SxDir = ProgramDir + QStringLiteral("S_SX/");
  if (!isDirectory(SxDir)) SxDir.clear();
}

void Environment::ReadUserSettings() {
  const QString key = UserKeyPath();
  BackgroundColor = static_cast<quint32>(store_.readInteger(key, QStringLiteral("Hintergrund")).value_or(0x808080));
  if (store_.readBool(key, QStringLiteral("Fenster-Modus")).value_or(false)) {
    if (onWindowModeChanged) ChangeWindowMode(true);
    else WindowMode = true;
  }
  // "Eigene Waves" is kept under the learner's own key, where SaveDirectories writes it.
  const QString ownWaves = store_.readString(key, QStringLiteral("Eigene Waves")).value_or(QString());
  // The value names a recording in the directory, or the directory itself.
  const QString native = FileLookup::nativePath(ownWaves);
  OwnWaveDir = isDirectory(native) ? FileLookup::withSeparator(native) : FileLookup::directoryPart(native);
  if (!isDirectory(OwnWaveDir)) OwnWaveDir.clear();
}

void Environment::SaveDirectories(int flags) {
  const bool writeIni = ((flags & SaveUserDir) && !UserDir.isEmpty()) ||
                        ((flags & SaveWaveDir) && !WaveDir.isEmpty()) ||
                        ((flags & SaveWirtschaftDir) && !WirtschaftDir.isEmpty()) ||
                        ((flags & SaveRechtDir) && !RechtDir.isEmpty() && !isNetworkProgramDir());
  if (writeIni) {
    IniFile ini(iniFilePath());
    // A directory that is only missing at this start (an unmounted drive) must
    // not be erased: an empty value is written only when its own bit asks for it.
    if (!UserDir.isEmpty() || (flags & SaveUserDir))
      ini.writeString(kSectionZvk, QStringLiteral("Benutzer-Verzeichnis"), iniValue(UserDir));
    if (!WaveDir.isEmpty() || (flags & SaveWaveDir))
      ini.writeString(kSectionSpanisch, QStringLiteral("Wave-Verzeichnis"), iniValue(WaveDir));
    const auto addOn = [&](const QString& key, const QString& dir, int bit) {
      if (dir == QLatin1String("-")) ini.writeString(kSectionSpanisch, key, QString());
      else if (flags & bit) ini.writeString(kSectionSpanisch, key, iniValue(dir));
    };
    addOn(QStringLiteral("Aufnahmen Recht"), RechtDir, SaveRechtDir);
    addOn(QStringLiteral("Aufnahmen Wirtschaft"), WirtschaftDir, SaveWirtschaftDir);
    if (!ini.save())
      ShowMessage(QDir::toNativeSeparators(iniFilePath()) + QStringLiteral(" konnte nicht gespeichert werden!"),
                  MessageKind::Stop);
  }

  if (flags & ~(SaveWaveDir | SaveUserDir)) {
    if ((flags & SaveOwnWaveDir) && !OwnWaveDir.isEmpty())
      store_.writeString(UserKeyPath(), QStringLiteral("Eigene Waves"), OwnWaveDir);
    if (flags & SaveVersatz) store_.writeInteger(kDirectoriesKey, QStringLiteral("Versatz"), Versatz);
  }
}

void Environment::SaveWindowSettings(std::optional<quint32> backdropColor) {
  const QString key = UserKeyPath();
  if (backdropColor) store_.writeInteger(key, QStringLiteral("Hintergrund"), static_cast<int>(*backdropColor));
  store_.writeBool(key, QStringLiteral("Fenster-Modus"), WindowMode);
}

Environment::Resolved Environment::ResolveAlias(const QString& reference) const {
  if (reference.isEmpty()) return {};
  struct Alias {
    const char* name;
    const QString* dir;
    int missing;
  };
  const Alias aliases[] = {
      {"XS:", &WaveDir, AliasNotFound},          {"XX:", &WaveExtensionDir, AliasNotConfigured},
      {"XU:", &OwnWaveDir, AliasNotConfigured},  {"XR:", &RechtDir, AliasNotConfigured},
      {"XW:", &WirtschaftDir, AliasNotConfigured}, {"SK:", &SkDir, AliasNotFound},
      {"SX:", &SxDir, AliasNotFound},
  };
  QString working = FileLookup::nativePath(reference);
  const QString head = reference.left(3);
  for (const Alias& a : aliases) {
    if (head != QLatin1String(a.name)) continue;
    if (a.dir->isEmpty()) return {QString(), a.missing};
    working = *a.dir + FileLookup::nativePath(reference.mid(4));
    break;
  }
  const QString found = FileLookup::locate(working);
  if (!found.isEmpty() && QFileInfo(found).isFile()) return {found, AliasFound};
  return {QString(), AliasNotFound};
}

void Environment::SetWindowMode(bool on) {
  WindowMode = on;
  if (onWindowModeChanged) onWindowModeChanged(on);
}

void Environment::ChangeWindowMode(bool on) {
  if (on != WindowMode) SetWindowMode(on);
}

void Environment::DeleteSettingsKey() {
  const QString shown = QStringLiteral("Software\\zvk\\zvk spanisch\\5");
  if (!store_.keyExists(kBaseKey)) {
    ShowMessage(QStringLiteral("Der Schlüssel ") + shown + QStringLiteral(" existiert nicht (mehr)."));
    return;
  }
  if (AskQuestion(QStringLiteral("Soll der Schlüssel ") + shown +
                  QStringLiteral(" mit allen Benutzereinstellungen gelöscht werden?")) != MessageAnswer::Yes)
    return;
  if (store_.deleteKey(QStringLiteral("Software\\zvk\\zvk spanisch")))
    ShowMessage(QStringLiteral("Der Schlüssel ") + shown + QStringLiteral(" wurde gelöscht."), MessageKind::Information);
  else
    ShowMessage(QStringLiteral("Fehler!"));
}

int Environment::ScreenColorBits() {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return 0;
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->depth() : 0;
}
