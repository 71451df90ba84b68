#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "users/userhistory.h"
#include "users/usernames.h"
#include "users/userstatistics.h"

class Environment;
class QImage;

// The learners of one installation and the one who is logged in: the user
// list, the logged-in learner's answer history, its statistics and charts,
// and the user file and learning log. The user file is written when a
// learner is created, whenever the learner's answers are due to be kept
// (SaveProgress, SaveIfDue) and at logout, so that a program that dies loses
// at most the answers since the last save. Nobody logged in (anonymous use)
// is a normal state: answers are then not recorded.
//
// The login dialogs build on OpenUser and CreateUser; both refuse names that
// could leave the user directory and show the messages that belong to them.
class TXUserBase {
 public:
  enum class OpenResult {
    Opened,         // the learner is logged in
    WrongPassword,  // the user file holds another password; nobody is logged in
    NotFound,       // no user file for the name; nobody is logged in
    Damaged,        // the user file cannot be read, or its directory is not safe
                    // to use (message shown, files untouched)
    InvalidName,    // refused name (message shown); the previous learner stays logged in
  };

  struct AnswerCounts {
    int typing = 0;          // "e"
    int multipleChoice = 0;  // "m"
    int lasVegas = 0;        // "v"
    int freeFall = 0;        // "f"
  };

  // Sets the user directory (UserDir, or ProgramDir + "Benutzer/") and lists the users.
  explicit TXUserBase(Environment& env);
  TXUserBase(const TXUserBase&) = delete;
  TXUserBase& operator=(const TXUserBase&) = delete;

  // Hooks into the objects that keep per-learner settings elsewhere.
  // The backdrop's colour for SaveWindowSettings (none while there is no backdrop).
  std::function<std::optional<quint32>()> backdropColor;
  // Whether a login reads the learner's own environment values (backdrop,
  // window mode, folder of own recordings) and SaveUser writes the window
  // ones back. The editor logs learners in for their scores only: it keeps
  // its own environment and leaves the learner's values as they are.
  bool followsLearnerEnvironment = true;
  // Saves the vocabulary query settings and the Superlearning options if they
  // changed; runs in SaveUser while the learner is still logged in.
  std::function<void()> saveLearnerSettings;
  // Loads the learner's vocabulary query settings and Superlearning options
  // after a successful login.
  std::function<void()> loadLearnerSettings;
  // The learner has gone and the session goes on anonymously (until the next login).
  std::function<void()> loggedOut;
  // A login is about to end an anonymous session: what was set meanwhile is kept.
  std::function<void()> anonymousEnds;
  // A subsystem with settings of each learner's own joins the hooks above,
  // after those there already: load after every login, save with the
  // learner's data; with anonymousToo the anonymous settings too are loaded
  // when a session goes on anonymously and saved when a login ends one.
  // Either may be empty.
  void AddLearnerSettings(std::function<void()> load, std::function<void()> save, bool anonymousToo = true);
  // The current date and time; tests set a clock of their own.
  std::function<QDateTime()> clock;

  // --- Users ---
  const QString& UserDirectory() const { return userDirectory_; }
  // Refreshes the list: the names of all files "<name>_S.tmb" below the user
  // directory, subdirectories included, in name order; names that cannot be
  // logged in are left out.
  const QStringList& ListUsers();
  const QStringList& Users() const { return users_; }
  // The paths of a learner; invalid for a refused name.
  UserPaths PathsFor(const QString& name) const { return UserPaths(userDirectory_, name); }
  bool UserFileExists(const QString& name) const;
  bool UserDirectoryExists(const QString& name) const;

  // --- The logged-in learner ---
  bool IsLoggedIn() const { return !userName_.isEmpty(); }
  const QString& UserName() const { return userName_; }
  const QString& Password() const { return password_; }
  // Takes a new password; it reaches the user file at the next SaveUser.
  void SetPassword(const QString& password) { password_ = password; }
  // The learner's directory ("" while nobody is logged in); the vocabulary
  // settings and the library list live there.
  QString CurrentUserDirectory() const;
  QString UserFilePath() const;
  QDateTime LoginDateTime() const { return loginAt_; }
  // Learning time read from the user file (a time of day, whole days lost).
  qint64 StoredLearningSeconds() const { return storedLearningSeconds_; }
  // Stored learning time plus the time since login.
  qint64 LearningSeconds() const;
  const AnswerCounts& Counts() const { return counts_; }
  bool IsModified() const { return modified_; }
  // Answers recorded since the user file was last written.
  int UnsavedAnswers() const { return unsavedAnswers_; }

  // Saves the current learner, then opens the user file of name and compares
  // its credentials with name and password. An empty user file accepts any
  // password. Shows "Persönliche Daten für <name> konnten nicht geöffnet
  // werden!" for a damaged file and the invalid-name warning for a refused
  // name; WrongPassword and NotFound are left to the caller's dialogs.
  OpenResult OpenUser(const QString& name, const QString& password);

  // Saves the current learner, creates the learner's directory and the user
  // file (never over an existing one) and logs the new learner in with the
  // password, which the file keeps from this moment on. On failure shows
  // "Die Datei <path> konnte nicht erzeugt werden!" (or the message for a
  // refused name) and nobody is logged in.
  bool CreateUser(const QString& name, const QString& password);

  // Writes the user file of the logged-in learner with every answer so far
  // and the learning time up to now, and stays logged in. A failure is
  // reported once ("<name> konnte nicht gespeichert werden!") until a save
  // succeeds again; the previous file stays whole. False when nobody is
  // logged in or writing failed.
  bool SaveProgress();
  // SaveProgress when answers are unsaved and the last save lies
  // kSaveInterval or more in the past; true when it saved.
  bool SaveIfDue();
  static constexpr qint64 kSaveIntervalSeconds = 120;

  // Logout: window settings (also anonymous), learner settings, user file,
  // a learning-log line; then nobody is logged in. Returns whether the user
  // file was written; a failure is reported with "<name> konnte nicht
  // gespeichert werden!" and leaves the previous file whole.
  bool SaveUser();

  // Asks, then deletes the learner's user file, log, vocabulary settings and
  // library list and the directory when it is empty; nobody is logged in
  // afterwards and the history is discarded without saving. False when
  // nobody was logged in, on Cancel or on failure.
  bool DeleteUser();

  // --- History ---
  // Records one answer of the logged-in learner (nothing while anonymous).
  // kind: 'e' typing, 'm' multiple choice, 'v' "Las Vegas", 'f' "Free Fall".
  void RecordAnswer(const QString& text, bool deutsch, QChar kind, int score, int wortart);
  // The absolute score of the item's record, 0 without one.
  int ItemScore(const QString& text, bool deutsch, int wortart) const;
  int ItemRelativeScore(const QString& text, bool deutsch, int wortart) const;
  const UserHistory& History() const { return history_; }
  // Deletes the n newest answers of the item's record; returns its new absolute score.
  int ResetHistory(const QString& text, bool deutsch, int n, int wortart);
  void ResetAllHistories(bool positiveOnly, int n);

  // --- Statistics ---
  // The figures are computed again whenever the history changed since they
  // were last computed, so every page shows the answers given so far.
  void ComputeStatistics();
  const UserStatistics& Statistics() const;
  // Draws chart 0..3 of the current statistics into the image.
  void DrawChart(QImage& bmp, int chart) const;
  // Picture requests "absolut", "relativ", "deutsch", "fremd" while a learner is
  // logged in; false (image untouched) otherwise.
  bool DrawPicture(const QString& code, QImage& bmp) const;
  // The special codes of the statistics pages: "user", "perfa", "perfr",
  // "perfd", "perff", "nr", "nrd", "nrf", "pe", "pm", "pv", "pf", "zeit".
  // Empty texts while nobody is logged in; nullopt for any other code.
  std::optional<QString> SpecialCode(const QString& code) const;

  // Message texts.
  static QString InvalidNameText();
  static QString OpenFailedText(const QString& name);
  static QString SaveFailedText(const QString& name);
  static QString CreateFailedText(const QString& path);
  // A learner's directory or file that is a symbolic link or belongs to
  // another account.
  static QString UnsafeText(const QString& path);
  // The message for a name that UserPaths refuses.
  static QString RefusedNameText(const QString& name);

 private:
  QDateTime now() const;
  void logIn(const QString& name, const QString& password);
  void logOut();
  // The user file with the learning time up to now; false on failure.
  bool writeUserFile();
  // Reports a failed save once until a save succeeds again.
  void reportSave(bool written);

  Environment& env_;
  QString userDirectory_;
  QStringList users_;
  QString userName_;
  QString password_;
  UserHistory history_;
  QDateTime loginAt_;
  qint64 storedLearningSeconds_ = 0;
  AnswerCounts counts_;
  mutable UserStatistics statistics_;
  mutable bool statisticsStale_ = false;
  bool modified_ = false;
  int unsavedAnswers_ = 0;
  QDateTime lastSave_;
  bool saveFailureShown_ = false;
};
