#include "users/logindialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/messagebox.h"
#include "pages/txpage.h"
#include "users/usernames.h"

namespace {

QDialogButtonBox* okCancel(QDialog* dialog) {
  auto* box = new QDialogButtonBox(dialog);
  box->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
  box->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
  QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return box;
}

QLineEdit* hidden(QWidget* parent, const QString& hint = {}) {
  auto* edit = new QLineEdit(parent);
  edit->setEchoMode(QLineEdit::Password);
  if (!hint.isEmpty()) edit->setToolTip(hint);
  return edit;
}

}  // namespace

TXLogInWizard::TXLogInWizard(const QString& pageDirectory, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("*zvk spanisch"));
  page_ = new TXPage(this);
  setFixedSize(page_->size());
  page_->SetCondition(QStringLiteral("s"), true);
  // The course's pages leave out their navigation bar inside the wizard.
  page_->SetCondition(QStringLiteral("wizard"), true);
  page_->OnCommand = [this](TXPage*, const QString& command) { com(command); };
  page_->setXPath(pageDirectory);
  page_->setXFile(QStringLiteral("login1.htx"));
}

void TXLogInWizard::com(const QString& command) {
  if (command == QLatin1String("name")) {
    const QString name = page_->GetVariable(QStringLiteral("name"));
    if (name.isEmpty()) {
      if (AskQuestion(QStringLiteral("Wirklich ohne Anmeldung fortsetzen?")) == MessageAnswer::Yes) reject();
      return;
    }
    if (UserNames::HasInvalidNameChar(name)) {
      ShowMessage(QStringLiteral("Der Benutzername enthält unzulässige Zeichen!"));
      return;
    }
    if (const auto refusal = UserNames::OtherRefusal(name)) {
      ShowMessage(*refusal);
      return;
    }
    page_->setXFile(QStringLiteral("login3.htx"));
  } else if (command == QLatin1String("password")) {
    accept();
  }
}

TXPasswort::TXPasswort(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Passwort"));
  auto* form = new QFormLayout(this);
  Name = new QComboBox(this);
  Name->setEditable(true);
  Password = hidden(this);
  Note = new QLabel(this);
  Note->setStyleSheet(QStringLiteral("color: #b00000"));
  Note->setWordWrap(true);
  Note->hide();
  form->addRow(Note);
  form->addRow(QStringLiteral("Name:"), Name);
  form->addRow(QStringLiteral("Passwort:"), Password);
  auto* buttons = okCancel(this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  form->addRow(buttons);
}

TXNewUser::TXNewUser(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Neuen Benutzer anlegen"));
  auto* form = new QFormLayout(this);
  Name = new QLineEdit(this);
  Password = hidden(this);
  PW2 = hidden(this);
  form->addRow(QStringLiteral("Name:"), Name);
  form->addRow(QStringLiteral("Passwort:"), Password);
  form->addRow(QStringLiteral("Bestätigung:"), PW2);
  auto* buttons = okCancel(this);
  connect(buttons, &QDialogButtonBox::accepted, this, &TXNewUser::OKBtnClick);
  form->addRow(buttons);
}

void TXNewUser::OKBtnClick() {
  if (Password->text() != PW2->text()) {
    ShowMessage(QStringLiteral("Passwort und Bestätigung stimmen nicht überein!"), MessageKind::Stop);
    Password->clear();
    PW2->clear();
    return;
  }
  accept();
}

TXChangePW::TXChangePW(const QString& name, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("zvk spanisch - Passwort ändern"));
  auto* form = new QFormLayout(this);
  Name = new QComboBox(this);
  Name->addItem(name);
  Name->setEnabled(false);
  oPassword = hidden(this, QStringLiteral("Bisheriges Passwort eingeben"));
  nPassword = hidden(this, QStringLiteral("Neues Passwort eingeben"));
  nPassword2 = hidden(this, QStringLiteral("Neues Passwort zur Bestätigung eingeben"));
  form->addRow(QStringLiteral("Name:"), Name);
  form->addRow(QStringLiteral("Altes Passwort:"), oPassword);
  form->addRow(QStringLiteral("Neues Passwort:"), nPassword);
  form->addRow(QStringLiteral("Bestätigung:"), nPassword2);
  auto* buttons = okCancel(this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  form->addRow(buttons);
}

std::optional<LoginDialogs::Credentials> QtLoginDialogs::Wizard(const QString& pageDirectory) {
  TXLogInWizard wizard(pageDirectory);
  if (wizard.exec() != QDialog::Accepted) return std::nullopt;
  return Credentials{wizard.XP1()->GetVariable(QStringLiteral("name")), wizard.XP1()->GetVariable(QStringLiteral("password"))};
}

std::optional<LoginDialogs::Credentials> QtLoginDialogs::Password(const QString& caption, const QStringList& names,
                                                                  int selected, bool fixedName,
                                                                  const QString& note) {
  TXPasswort dialog;
  dialog.setWindowTitle(caption);
  dialog.Note->setText(note);
  dialog.Note->setVisible(!note.isEmpty());
  dialog.Name->addItems(names);
  dialog.Name->setCurrentIndex(selected);
  dialog.Name->setEnabled(!fixedName);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return Credentials{dialog.Name->currentText().trimmed(), dialog.Password->text()};
}

std::optional<LoginDialogs::Credentials> QtLoginDialogs::NewUser() {
  TXNewUser dialog;
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return Credentials{dialog.Name->text().trimmed(), dialog.Password->text()};
}

std::optional<LoginDialogs::PasswordChange> QtLoginDialogs::ChangePassword(const QString& name) {
  TXChangePW dialog(name);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return PasswordChange{dialog.oPassword->text(), dialog.nPassword->text(), dialog.nPassword2->text()};
}
