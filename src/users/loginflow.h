#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class Environment;
class TXUserBase;

// The dialogs the login needs. The programs show real dialogs; tests answer
// them from a script.
class LoginDialogs {
 public:
  virtual ~LoginDialogs() = default;

  struct Credentials {
    QString name;
    QString password;
  };
  // The wizard for the very first learner (pages "login1.htx" and "login3.htx");
  // no value when the learner goes on without a login.
  virtual std::optional<Credentials> Wizard(const QString& pageDirectory) = 0;
  // "Passwort": names to choose from (editable), the one selected first; with
  // fixedName the name is shown and cannot be changed; a note, when not
  // empty, says why the dialog asks again. No value on Cancel.
  virtual std::optional<Credentials> Password(const QString& caption, const QStringList& names, int selected,
                                              bool fixedName, const QString& note) = 0;
  // "Neuen Benutzer anlegen": name, password and its confirmation (checked by the dialog).
  virtual std::optional<Credentials> NewUser() = 0;
  struct PasswordChange {
    QString oldPassword;
    QString newPassword;
    QString confirmation;
  };
  virtual std::optional<PasswordChange> ChangePassword(const QString& name) = 0;
};

// Opening learners: the login at start-up, user change, new users and
// passwords, in both programs.
class TLogin {
 public:
  TLogin(Environment& environment, TXUserBase& users, LoginDialogs& dialogs)
      : env_(environment), users_(users), dialogs_(dialogs) {}

  void StartLogin();
  // Opens a learner; true when someone is logged in afterwards. A name
  // without a user file makes a new learner; creationConfirmed tells that the
  // learner has already been asked whether to create it.
  bool Login(const QString& name, const QString& password, bool creationConfirmed = false);
  // The line the password dialog shows after a wrong password.
  static QString WrongPasswordNote(int triesLeft);
  void NewUser();
  void ChangeUser();
  void ChangePassword();

  // Called after every successful login: the learner's own settings are read.
  std::function<void()> OnLoggedIn;

 private:
  Environment& env_;
  TXUserBase& users_;
  LoginDialogs& dialogs_;
};
