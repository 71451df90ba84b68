#include "startup/programstartup.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <csignal>

#include "common/filelookup.h"
#include "common/messagebox.h"
#include "common/random.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"

ProgramStartup::ProgramStartup(const QString& programDir, std::unique_ptr<SettingsStore> store)
    : store_(std::move(store)),
      environment_(std::make_unique<Environment>(programDir, *store_)),
      mainRecordings_(std::make_unique<TXWaveBase>(TXWaveBase::IgnoreDuplicates)),
      secondaryRecordings_(std::make_unique<TXWaveBase>(TXWaveBase::IgnoreDuplicates)) {}

ProgramStartup::~ProgramStartup() = default;

void ProgramStartup::PrepareApplication() {
  std::signal(SIGXFSZ, SIG_IGN);
  const QLocale german(QLocale::German, QLocale::Germany);
  QLocale::setDefault(german);
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (translator->load(german, QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(translator);
  else
    delete translator;
}

QString ProgramStartup::incompleteInstallationText() {
  return QStringLiteral("*zvk spanisch kann nicht gestartet werden!\nDie Installation ist unvollständig.");
}

QString ProgramStartup::recordingDatabaseFailedText() {
  return QStringLiteral("Verzeichnis der Sprachaufnahmen konnte nicht erzeugt werden");
}

void ProgramStartup::Begin(const QStringList& arguments) {
  environment_->ParseCommandLine(arguments);
  Random::seedFromClock();
}

bool ProgramStartup::ReadSettings() {
  Environment& env = *environment_;
  if (!env.isNetworkProgramDir()) env.ReadIniSettings();
  env.ReadDirectorySettings();
  if (env.PageRoot.isEmpty() || env.VocabularyDir.isEmpty()) {
    ShowMessage(incompleteInstallationText(), MessageKind::Stop);
    return false;
  }
  env.ReadSpecialRecordingDirs();
  return true;
}

void ProgramStartup::CreateMainRecordingDatabase() {
  Environment& env = *environment_;
  if (!env.RecordingDbFile.isEmpty() && FileLookup::fileExists(env.RecordingDbFile)) {
    mainRecordings_->Load(env.RecordingDbFile);
    return;
  }
  mainRecordings_->SetFileName(env.ProgramDir + QStringLiteral("S_wx.zvk"));
  if (!mainRecordings_->CreateEmpty()) ShowMessage(recordingDatabaseFailedText(), MessageKind::Stop);
}

void ProgramStartup::CreateSecondaryRecordingDatabase() {
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

RecordingLookup ProgramStartup::RecordingPaths() const { return MakeRecordingLookup(Recordings(), *environment_); }
