#include "users/txuserbase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <algorithm>

#include "common/fileio.h"
#include "common/messagebox.h"
#include "environment/environment.h"
#include "users/learninglog.h"
#include "users/privatefiles.h"
#include "users/userfile.h"

namespace {

// Deep trees are not user directories; the limit also stops link loops.
constexpr int kMaxListDepth = 8;

void collectUsers(const QString& dir, int depth, QStringList& names) {
  const QFileInfoList entries =
      QDir(dir).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                              QDir::Name | QDir::IgnoreCase);
  for (const QFileInfo& info : entries) {
    if (info.isDir()) {
      if (depth < kMaxListDepth && !info.isSymLink()) collectUsers(info.filePath(), depth + 1, names);
      continue;
    }
    const QString file = info.fileName();
    if (!file.endsWith(QLatin1String(".tmb"), Qt::CaseInsensitive)) continue;
    if (!file.endsWith(UserPaths::kUserFileEnding)) continue;
    const QString name = file.left(file.size() - UserPaths::kUserFileEnding.size());
    if (UserNames::IsSafeUserName(name) && !names.contains(name)) names.append(name);
  }
}

}  // namespace

TXUserBase::TXUserBase(Environment& env) : env_(env) {
  userDirectory_ = env_.UserDir.isEmpty() ? env_.ProgramDir + QStringLiteral("Benutzer/") : env_.UserDir;
  if (!userDirectory_.endsWith(QLatin1Char('/'))) userDirectory_ += QLatin1Char('/');
  ListUsers();
}

QDateTime TXUserBase::now() const { return clock ? clock() : QDateTime::currentDateTime(); }

const QStringList& TXUserBase::ListUsers() {
  users_.clear();
  collectUsers(userDirectory_, 0, users_);
  return users_;
}

bool TXUserBase::UserFileExists(const QString& name) const {
  const UserPaths paths = PathsFor(name);
  return paths.isValid() && QFileInfo::exists(paths.userFile());
}

bool TXUserBase::UserDirectoryExists(const QString& name) const {
  const UserPaths paths = PathsFor(name);
  return paths.isValid() && QFileInfo(paths.directory()).isDir();
}

QString TXUserBase::CurrentUserDirectory() const {
  return IsLoggedIn() ? PathsFor(userName_).directory() : QString();
}

QString TXUserBase::UserFilePath() const { return IsLoggedIn() ? PathsFor(userName_).userFile() : QString(); }

qint64 TXUserBase::LearningSeconds() const {
  if (!IsLoggedIn()) return 0;
  return storedLearningSeconds_ + std::max<qint64>(0, loginAt_.secsTo(now()));
}

QString TXUserBase::InvalidNameText() { return QStringLiteral("Der Benutzername enthält unzulässige Zeichen!"); }

QString TXUserBase::OpenFailedText(const QString& name) {
  return QStringLiteral("Persönliche Daten für ") + name + QStringLiteral(" konnten nicht geöffnet werden!");
}

QString TXUserBase::SaveFailedText(const QString& name) {
  return name + QStringLiteral(" konnte nicht gespeichert werden!");
}

QString TXUserBase::CreateFailedText(const QString& path) {
  return QStringLiteral("Die Datei ") + path + QStringLiteral(" konnte nicht erzeugt werden!");
}

QString TXUserBase::UnsafeText(const QString& path) {
  return QStringLiteral("„") + path +
         QStringLiteral("“ ist eine Verknüpfung oder gehört einem anderen Konto. Persönliche Daten werden dort "
                        "weder gelesen noch gespeichert; bitte wenden Sie sich an die Person, die diesen Computer "
                        "betreut.");
}

QString TXUserBase::RefusedNameText(const QString& name) {
  if (UserNames::HasInvalidNameChar(name)) return InvalidNameText();
  return UserNames::OtherRefusal(name).value_or(InvalidNameText());
}

void TXUserBase::logIn(const QString& name, const QString& password) {
  if (userName_.isEmpty() && anonymousEnds) anonymousEnds();
  userName_ = name;
  password_ = password;
  loginAt_ = now();
  modified_ = false;
  unsavedAnswers_ = 0;
  lastSave_ = loginAt_;
  saveFailureShown_ = false;
  env_.UserName = name;
  // Figures of the previous learner must not show on the new learner's pages.
  ComputeStatistics();
  if (followsLearnerEnvironment) env_.ReadUserSettings();
  if (loadLearnerSettings) loadLearnerSettings();
}

void TXUserBase::AddLearnerSettings(std::function<void()> load, std::function<void()> save, bool anonymousToo) {
  const auto chain = [](std::function<void()>& hook, const std::function<void()>& next) {
    hook = [before = hook, next] {
      if (before) before();
      next();
    };
  };
  if (load) chain(loadLearnerSettings, load);
  if (load && anonymousToo) chain(loggedOut, load);
  if (save) chain(saveLearnerSettings, save);
  if (save && anonymousToo) chain(anonymousEnds, save);
}

void TXUserBase::logOut() {
  const bool someone = !userName_.isEmpty();
  userName_.clear();
  password_.clear();
  history_.clear();
  storedLearningSeconds_ = 0;
  counts_ = {};
  modified_ = false;
  unsavedAnswers_ = 0;
  statisticsStale_ = true;
  env_.UserName.clear();
  if (someone && loggedOut) loggedOut();
}

TXUserBase::OpenResult TXUserBase::OpenUser(const QString& name, const QString& password) {
  const UserPaths paths = PathsFor(name);
  if (!paths.isValid()) {
    ShowMessage(RefusedNameText(name));
    return OpenResult::InvalidName;
  }
  if (IsLoggedIn()) SaveUser();
  logOut();

  // A link or a foreign directory could make the saves write elsewhere.
  for (const QString& path : {paths.directory(), paths.userFile(), paths.logFile()}) {
    if (!PrivateFiles::isSafe(path.endsWith(QLatin1Char('/')) ? path.chopped(1) : path)) {
      ShowMessage(UnsafeText(QDir::toNativeSeparators(path)), MessageKind::Stop);
      return OpenResult::Damaged;
    }
  }
  UserFile::ReadResult file = UserFile::read(paths.userFile());
  switch (file.status) {
    case UserFile::ReadStatus::Missing:
      return OpenResult::NotFound;
    case UserFile::ReadStatus::Damaged:
      ShowMessage(OpenFailedText(name), MessageKind::Stop);
      return OpenResult::Damaged;
    case UserFile::ReadStatus::Ok:
      break;
  }
  if (!file.empty && file.content.credentials != UserFile::credentials(name, password))
    return OpenResult::WrongPassword;
  // Others may not enter the directory that holds the learner's password.
  if (!PrivateFiles::makeDirectory(paths.directory())) {
    ShowMessage(UnsafeText(QDir::toNativeSeparators(paths.directory())), MessageKind::Stop);
    return OpenResult::Damaged;
  }
  if (!file.empty) {
    storedLearningSeconds_ = file.content.learningSeconds;
    for (TXUserVoc& r : file.content.records) history_.append(std::move(r));
  }
  logIn(name, password);
  return OpenResult::Opened;
}

bool TXUserBase::CreateUser(const QString& name, const QString& password) {
  const UserPaths paths = PathsFor(name);
  if (!paths.isValid()) {
    ShowMessage(RefusedNameText(name));
    return false;
  }
  if (IsLoggedIn()) SaveUser();
  logOut();
  // Never over an existing file (also a link); the file appears whole, with
  // the password, in one step: a program that dies here leaves no empty file
  // that would open with any password.
  const bool exists = QFileInfo::exists(paths.userFile()) || FileIO::isSymbolicLink(paths.userFile());
  if (exists || !PrivateFiles::makeDirectory(paths.directory())) {
    ShowMessage(CreateFailedText(QDir::toNativeSeparators(paths.userFile())), MessageKind::Stop);
    return false;
  }
  if (!users_.contains(name)) users_.append(name);
  logIn(name, password);
  if (!writeUserFile()) {
    logOut();
    ShowMessage(CreateFailedText(QDir::toNativeSeparators(paths.userFile())), MessageKind::Stop);
    return false;
  }
  return true;
}

bool TXUserBase::writeUserFile() {
  const QDateTime at = now();
  // Measured between full dates, so a session across midnight counts forwards.
  const qint64 session = std::max<qint64>(0, loginAt_.secsTo(at));
  const UserPaths paths = PathsFor(userName_);
  const bool written = PrivateFiles::makeDirectory(paths.directory()) &&
                       UserFile::write(paths.userFile(), UserFile::credentials(userName_, password_),
                                       storedLearningSeconds_ + session, history_.records());
  if (written) {
    unsavedAnswers_ = 0;
    lastSave_ = at;
  }
  return written;
}

void TXUserBase::reportSave(bool written) {
  if (written) {
    saveFailureShown_ = false;
    return;
  }
  if (saveFailureShown_) return;
  saveFailureShown_ = true;
  ShowMessage(SaveFailedText(userName_));
}

bool TXUserBase::SaveProgress() {
  if (!IsLoggedIn()) return false;
  const bool written = writeUserFile();
  reportSave(written);
  return written;
}

bool TXUserBase::SaveIfDue() {
  if (!IsLoggedIn() || unsavedAnswers_ == 0) return false;
  if (lastSave_.isValid() && lastSave_.secsTo(now()) < kSaveIntervalSeconds) return false;
  return SaveProgress();
}

bool TXUserBase::SaveUser() {
  if (followsLearnerEnvironment) env_.SaveWindowSettings(backdropColor ? backdropColor() : std::nullopt);
  if (!IsLoggedIn()) return false;
  if (saveLearnerSettings) saveLearnerSettings();

  const qint64 session = std::max<qint64>(0, loginAt_.secsTo(now()));
  const UserPaths paths = PathsFor(userName_);
  const bool written = writeUserFile();
  // The learner leaves: a failure is told even when an earlier one was.
  if (!written) ShowMessage(SaveFailedText(userName_));

  ComputeStatistics();
  LearningLog::Entry entry;
  entry.login = loginAt_;
  entry.durationSeconds = session;
  entry.typing = counts_.typing;
  entry.multipleChoice = counts_.multipleChoice;
  entry.lasVegas = counts_.lasVegas;
  entry.freeFall = counts_.freeFall;
  entry.averageAbsolute = statistics_.averageAbsolute;
  entry.averageRelative = statistics_.averageRelative;
  entry.records = history_.size();
  // The log is a record for the learner; the history is safe without it.
  LearningLog::append(paths.logFile(), entry);

  logOut();
  return written;
}

bool TXUserBase::DeleteUser() {
  if (!IsLoggedIn()) return false;
  const QString name = userName_;
  const QString quote = QStringLiteral("\"");
  if (AskQuestion(QStringLiteral("Benutzer ") + quote + name + quote + QStringLiteral(" wirklich löschen?"),
                  MessageButtons::OkCancel) != MessageAnswer::Ok)
    return false;
  const UserPaths paths = PathsFor(name);
  const QString dir = paths.directory();
  bool ok = true;
  // Only the files this system keeps for the learner; anything else the
  // learner put there stays, and so does the directory then.
  for (const QString& file : {paths.userFile(), paths.logFile(), paths.fileInDirectory(QStringLiteral("zvk_S.ini")),
                              paths.fileInDirectory(QStringLiteral("S_Bibliotheken.txt"))}) {
    if (QFileInfo::exists(file) && !QFile::remove(file)) ok = false;
  }
  if (QFileInfo(dir).isDir() && !QDir().rmdir(dir)) ok = false;
  logOut();
  users_.removeAll(name);
  if (ok)
    ShowMessage(QStringLiteral("Benutzer ") + quote + name + quote + QStringLiteral(" wurde gelöscht."),
                MessageKind::Information);
  else
    ShowMessage(quote + QDir::toNativeSeparators(dir) + quote + QStringLiteral(" konnte nicht gelöscht werden!"),
                MessageKind::Stop);
  return ok;
}

void TXUserBase::RecordAnswer(const QString& text, bool deutsch, QChar kind, int score, int wortart) {
  if (!IsLoggedIn()) return;
  switch (kind.unicode()) {
    case 'e': ++counts_.typing; break;
    case 'm': ++counts_.multipleChoice; break;
    case 'v': ++counts_.lasVegas; break;
    case 'f': ++counts_.freeFall; break;
    default: break;
  }
  history_.record(UserScores::makeKey(text, deutsch, wortart), kind, score);
  modified_ = true;
  statisticsStale_ = true;
  ++unsavedAnswers_;
  SaveIfDue();
}

int TXUserBase::ItemScore(const QString& text, bool deutsch, int wortart) const {
  const TXUserVoc* r = history_.findItem(text, deutsch, wortart);
  return r ? UserScores::absolute(r->results) : 0;
}

int TXUserBase::ItemRelativeScore(const QString& text, bool deutsch, int wortart) const {
  const TXUserVoc* r = history_.findItem(text, deutsch, wortart);
  return r ? UserScores::relative(r->results, r->kinds) : 0;
}

int TXUserBase::ResetHistory(const QString& text, bool deutsch, int n, int wortart) {
  const int score = history_.resetNewest(UserScores::makeKey(text, deutsch, wortart), n);
  statisticsStale_ = true;
  if (IsLoggedIn() && n > 0) modified_ = true;
  return score;
}

void TXUserBase::ResetAllHistories(bool positiveOnly, int n) {
  history_.resetAllNewest(positiveOnly, n);
  statisticsStale_ = true;
  if (IsLoggedIn() && n > 0) modified_ = true;
}

void TXUserBase::ComputeStatistics() {
  statistics_ = UserStatistics::compute(history_.records());
  statisticsStale_ = false;
}

const UserStatistics& TXUserBase::Statistics() const {
  if (statisticsStale_) {
    statistics_ = UserStatistics::compute(history_.records());
    statisticsStale_ = false;
  }
  return statistics_;
}

void TXUserBase::DrawChart(QImage& bmp, int chart) const { Statistics().draw(bmp, chart); }

bool TXUserBase::DrawPicture(const QString& code, QImage& bmp) const {
  if (!IsLoggedIn()) return false;
  static const QStringList kCharts = {QStringLiteral("absolut"), QStringLiteral("relativ"), QStringLiteral("deutsch"),
                                      QStringLiteral("fremd")};
  const int chart = static_cast<int>(kCharts.indexOf(code));
  if (chart < 0) return false;
  DrawChart(bmp, chart);
  return true;
}

std::optional<QString> TXUserBase::SpecialCode(const QString& code) const {
  static const QStringList kCodes = {QStringLiteral("user"), QStringLiteral("perfa"), QStringLiteral("perfr"),
                                     QStringLiteral("perfd"), QStringLiteral("perff"), QStringLiteral("nr"),
                                     QStringLiteral("nrd"), QStringLiteral("nrf"), QStringLiteral("pe"),
                                     QStringLiteral("pm"), QStringLiteral("pv"), QStringLiteral("pf"),
                                     QStringLiteral("zeit"), QStringLiteral("treffer"), QStringLiteral("sitzung")};
  const qsizetype which = kCodes.indexOf(code);
  if (which < 0) return std::nullopt;
  if (!IsLoggedIn()) return QString();
  const UserStatistics& s = Statistics();
  switch (which) {
    case 0: return userName_;
    case 1: return QString::number(s.averageAbsolute);
    case 2: return QString::number(s.averageRelative);
    case 3: return QString::number(s.averageGerman);
    case 4: return QString::number(s.averageSpanish);
    case 5: return QString::number(history_.size());
    case 6: return QString::number(s.germanCount);
    case 7: return QString::number(s.spanishCount);
    case 8: return QString::number(s.percentTyping);
    case 9: return QString::number(s.percentMultipleChoice);
    case 10: return QString::number(s.percentLasVegas);
    case 11: return QString::number(s.percentFreeFall);
    case 12: return learningTimeText(LearningSeconds());
    case 13: return QString::number(s.percentRight);
    default:  // "sitzung": the answers given since the login
      return QString::number(counts_.typing + counts_.multipleChoice + counts_.lasVegas + counts_.freeFall);
  }
}
