#include "users/loginflow.h"

#include <QDir>

#include "common/messagebox.h"
#include "environment/environment.h"
#include "users/txuserbase.h"
#include "users/usernames.h"

void TLogin::StartLogin() {
  if (users_.IsLoggedIn()) users_.SaveUser();
  const QStringList users = users_.ListUsers();
  if (users.isEmpty()) {
    const auto typed = dialogs_.Wizard(env_.PageRoot + QStringLiteral("hzvk/"));
    if (typed) Login(typed->name, typed->password);
    return;
  }
  if (users.size() == 1) {
    Login(users.first(), QString());
    return;
  }
  const auto chosen = dialogs_.Password(QStringLiteral("*zvk spanisch"), users, 0, false, QString());
  if (chosen && !chosen->name.isEmpty()) Login(chosen->name, chosen->password);
}

QString TLogin::WrongPasswordNote(int triesLeft) {
  return QStringLiteral("Das Passwort stimmt nicht. ") +
         (triesLeft == 1 ? QStringLiteral("Sie haben noch einen Versuch.")
                         : QStringLiteral("Sie haben noch %1 Versuche.").arg(triesLeft));
}

bool TLogin::Login(const QString& name, const QString& password, bool creationConfirmed) {
  QString typed = password;
  TXUserBase::OpenResult result = users_.OpenUser(name, typed);
  // Up to three more tries with the password dialog; Cancel stops asking.
  // A password the learner typed is wrong: the dialog says so.
  bool typedByLearner = !password.isEmpty();
  for (int tries = 0; result == TXUserBase::OpenResult::WrongPassword && tries < 3; ++tries) {
    const QString note = typedByLearner ? WrongPasswordNote(3 - tries) : QString();
    const auto again = dialogs_.Password(QStringLiteral("Passwort"), {name}, 0, true, note);
    if (!again) break;
    typedByLearner = true;
    typed = again->password;
    result = users_.OpenUser(name, typed);
  }
  switch (result) {
    case TXUserBase::OpenResult::Opened:
      break;
    case TXUserBase::OpenResult::NotFound: {
      if (!creationConfirmed && !users_.ListUsers().isEmpty() &&
          AskQuestion(QStringLiteral("Neuen Benutzer ") + name + QStringLiteral(" anlegen?")) != MessageAnswer::Yes)
        return false;
      if (!users_.CreateUser(name, typed)) return false;
      break;
    }
    case TXUserBase::OpenResult::WrongPassword:
      ShowMessage(TXUserBase::OpenFailedText(name), MessageKind::Stop);
      return false;
    case TXUserBase::OpenResult::Damaged:
    case TXUserBase::OpenResult::InvalidName:
      return false;  // the user base has said why
  }
  env_.UserName = users_.UserName();
  if (users_.followsLearnerEnvironment) env_.ReadUserSettings();
  if (OnLoggedIn) OnLoggedIn();
  return true;
}

void TLogin::NewUser() {
  const auto typed = dialogs_.NewUser();
  if (!typed) return;
  if (typed->name.isEmpty()) {
    ShowMessage(QStringLiteral("Ein Benutzername ist erforderlich!"));
    return;
  }
  if (UserNames::HasInvalidNameChar(typed->name)) {
    ShowMessage(QStringLiteral("Der Name darf keines der folgenden Zeichen enthalten: ") + UserNames::InvalidNameChars());
    return;
  }
  if (const auto refusal = UserNames::OtherRefusal(typed->name)) {
    ShowMessage(*refusal);
    return;
  }
  if (users_.UserFileExists(typed->name)) {
    ShowMessage(typed->name + QStringLiteral(" existiert bereits!"));
    return;
  }
  Login(typed->name, typed->password);
}

void TLogin::ChangeUser() {
  const QStringList users = users_.ListUsers();
  if (users.isEmpty() || (users.size() == 1 && users_.IsLoggedIn() && users.first() == users_.UserName())) {
    NewUser();
    return;
  }
  const int selected = users.first() == users_.UserName() && users.size() > 1 ? 1 : 0;
  const auto chosen = dialogs_.Password(QStringLiteral("zvk spanisch"), users, selected, false, QString());
  if (!chosen || chosen->name.isEmpty()) return;
  bool confirmed = false;
  if (!users_.UserDirectoryExists(chosen->name)) {
    const Message question{MessageKind::Question, MessageButtons::OkCancel,
                           chosen->name + QStringLiteral(" existiert noch nicht! Neu anlegen?")};
    if (MessageBoxService::show(question) != MessageAnswer::Ok) return;
    // Asked once: the login does not ask again whether to create the learner.
    confirmed = true;
  }
  Login(chosen->name, chosen->password, confirmed);
}

void TLogin::ChangePassword() {
  if (!users_.IsLoggedIn()) {
    ShowMessage(QStringLiteral("Nur angemeldete Benutzer können Passwörter ändern!"), MessageKind::Stop);
    return;
  }
  const auto change = dialogs_.ChangePassword(users_.UserName());
  if (!change) return;
  if (change->oldPassword != users_.Password()) {
    ShowMessage(QStringLiteral("Das alte Passwort stimmt nicht!"), MessageKind::Stop);
  } else if (change->newPassword != change->confirmation) {
    ShowMessage(QStringLiteral("Das neue Passwort und die Bestätigung stimmen nicht überein!"), MessageKind::Stop);
  } else if (change->newPassword == change->oldPassword) {
    ShowMessage(QStringLiteral("Das Passwort wurde nicht geändert."), MessageKind::Information);
  } else {
    users_.SetPassword(change->newPassword);
    ShowMessage(change->newPassword.isEmpty() ? QStringLiteral("Das Passwort wurde deaktiviert.")
                                              : QStringLiteral("Das Passwort wurde geändert."),
                MessageKind::Information);
  }
}
