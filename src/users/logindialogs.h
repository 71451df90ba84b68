#pragma once

#include <QDialog>

#include "users/loginflow.h"

class QComboBox;
class QLabel;
class QLineEdit;
class TXPage;

// The wizard for the first learner: a page control showing "login1.htx" and
// "login3.htx"; the pages send "name" and "password".
class TXLogInWizard : public QDialog {
  Q_OBJECT

 public:
  explicit TXLogInWizard(const QString& pageDirectory, QWidget* parent = nullptr);
  TXPage* XP1() const { return page_; }
  // The page commands of the wizard.
  void com(const QString& command);

 private:
  TXPage* page_;
};

// "Passwort": a name (chosen or typed) and a password.
class TXPasswort : public QDialog {
  Q_OBJECT

 public:
  explicit TXPasswort(QWidget* parent = nullptr);
  QComboBox* Name;
  QLineEdit* Password;
  // Why the dialog asks again; hidden while empty.
  QLabel* Note;
};

// "Neuen Benutzer anlegen": the password must be typed twice alike.
class TXNewUser : public QDialog {
  Q_OBJECT

 public:
  explicit TXNewUser(QWidget* parent = nullptr);
  void OKBtnClick();
  QLineEdit* Name;
  QLineEdit* Password;
  QLineEdit* PW2;
};

// "zvk spanisch - Passwort ändern".
class TXChangePW : public QDialog {
  Q_OBJECT

 public:
  explicit TXChangePW(const QString& name, QWidget* parent = nullptr);
  QComboBox* Name;
  QLineEdit* oPassword;
  QLineEdit* nPassword;
  QLineEdit* nPassword2;
};

// The login dialogs as modal Qt dialogs.
class QtLoginDialogs : public LoginDialogs {
 public:
  std::optional<Credentials> Wizard(const QString& pageDirectory) override;
  std::optional<Credentials> Password(const QString& caption, const QStringList& names, int selected,
                                      bool fixedName, const QString& note) override;
  std::optional<Credentials> NewUser() override;
  std::optional<PasswordChange> ChangePassword(const QString& name) override;
};
