#include "trainer/startup.h"

#include "common/filelookup.h"
#include "common/messagebox.h"
#include "common/random.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "users/txuserbase.h"
#include "vocabulary/tbibliothek.h"

namespace {

QString joinLines(const QStringList& lines) { return lines.join(QLatin1Char('\r')); }

const QStringList kTipLines = {
    QStringLiteral("Tip:"),
    QStringLiteral("Bei den meisten Grafikkarten ändert man die Auflösung in der"),
    QStringLiteral("Systemsteuerung unter \"Anzeige\" auf Seite \"Einstellungen\"."),
};

}  // namespace

TrainerStartup::TrainerStartup(const QString& programDir, std::unique_ptr<SettingsStore> store)
    : store_(std::move(store)),
      environment_(std::make_unique<Environment>(programDir, *store_)),
      mainRecordings_(std::make_unique<TXWaveBase>(TXWaveBase::IgnoreDuplicates)),
      secondaryRecordings_(std::make_unique<TXWaveBase>(TXWaveBase::IgnoreDuplicates)) {}

TrainerStartup::~TrainerStartup() {
  if (Environment::current() == environment_.get()) Environment::setCurrent(nullptr);
}

QString TrainerStartup::notEnoughColorsText() {
  return joinLines(QStringList{
                       QStringLiteral("Nicht genug Farben!"),
                       QString(),
                       QStringLiteral("*zvk spanisch benötigt mehr als 256 Farben bei einer Auflösung"),
                       QStringLiteral("von (mindestens) 800 x 600 Pixel. Bitte ändern Sie die Farben"),
                       QStringLiteral("auf High Color (16 Bit) oder True-Color (24 bzw. 32 Bit)."),
                       QString(),
                   } +
                   kTipLines);
}

QString TrainerStartup::resolutionTooLowText() {
  return joinLines(QStringList{
                       QStringLiteral("Zu geringe Auflösung!"),
                       QString(),
                       QStringLiteral("*zvk spanisch benötigt eine Auflösung von 800 x 600 Pixel"),
                       QStringLiteral("bei mehr als 256 Farben (High Color oder True Color)."),
                       QStringLiteral("Bitte ändern Sie die Auflösung auf 800 x 600 Pixel."),
                       QString(),
                   } +
                   kTipLines);
}

QString TrainerStartup::incompleteInstallationText() {
  return QStringLiteral("*zvk spanisch kann nicht gestartet werden!\nDie Installation ist unvollständig.");
}

QString TrainerStartup::recordingDatabaseFailedText() {
  return QStringLiteral("Verzeichnis der Sprachaufnahmen konnte nicht erzeugt werden");
}

bool TrainerStartup::run(const QStringList& arguments, const Screen& screen) {
  Environment& env = *environment_;
  Environment::setCurrent(&env);
  env.ParseCommandLine(arguments);
  Random::seedFromClock();

  if (screen.colorBits <= 8) {
    ShowMessage(notEnoughColorsText(), MessageKind::Stop);
    return false;
  }
  if (screen.width < 800 || screen.height < 600) {
    ShowMessage(resolutionTooLowText(), MessageKind::Stop);
    return false;
  }

  if (!env.isNetworkProgramDir()) env.ReadIniSettings();
  env.ReadDirectorySettings();
  if (env.PageRoot.isEmpty() || env.VocabularyDir.isEmpty()) {
    ShowMessage(incompleteInstallationText(), MessageKind::Stop);
    return false;
  }
  env.ReadSpecialRecordingDirs();
  return true;
}

// --- The vocabulary library and the learners ---

void TrainerStartup::ConnectVocabulary(TBibliothek& library, TXUserBase& users) {
  library.setUserBase(&users);
  users.loadLearnerSettings = [&library, before = users.loadLearnerSettings] {
    if (before) before();
    library.Einstellungen.Load();
  };
  users.saveLearnerSettings = [&library, before = users.saveLearnerSettings] {
    if (before) before();
    if (library.Einstellungen.Modified()) library.Einstellungen.Save();
  };
}

void TrainerStartup::LoadVocabularySettings(TBibliothek& library) {
  if (!library.Einstellungen.Loaded()) library.Einstellungen.Load();
}

void TrainerStartup::CreateMainRecordingDatabase() {
  Environment& env = *environment_;
  if (!env.RecordingDbFile.isEmpty() && FileLookup::fileExists(env.RecordingDbFile)) {
    mainRecordings_->Load(env.RecordingDbFile);
    return;
  }
  mainRecordings_->SetFileName(env.ProgramDir + QStringLiteral("S_wx.zvk"));
  if (!mainRecordings_->CreateEmpty()) ShowMessage(recordingDatabaseFailedText(), MessageKind::Stop);
}

void TrainerStartup::CreateSecondaryRecordingDatabase() {
  Environment& env = *environment_;
  const QString course = env.ProgramDir + QStringLiteral("s_w.zvk");
  if ((!env.WaveDir.isEmpty() || !env.WirtschaftDir.isEmpty() || !env.RechtDir.isEmpty()) &&
      FileLookup::fileExists(course))
    secondaryRecordings_->Load(course);
  const auto addOn = [this](QString& dir, const QString& name) {
    if (!dir.isEmpty() && FileLookup::fileExists(dir + name)) secondaryRecordings_->Load(dir + name);
    else dir.clear();
  };
  addOn(env.SkDir, QStringLiteral("S_sk.zvk"));
  addOn(env.SxDir, QStringLiteral("S_sx.zvk"));
}
