#include <gtest/gtest.h>

#include <deque>

#include "common/messagerecorder.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "testsupport.h"
#include "users/loginflow.h"
#include "users/txuserbase.h"

namespace {

// Dialogs answered from a script; every call is recorded.
struct ScriptedDialogs : LoginDialogs {
  std::deque<std::optional<Credentials>> passwords;
  std::optional<Credentials> wizard;
  std::optional<Credentials> newUser;
  std::optional<PasswordChange> change;
  QStringList calls;
  QStringList notes;  // what each password dialog said about the last try
  std::optional<Credentials> Wizard(const QString&) override {
    calls << QStringLiteral("wizard");
    return wizard;
  }
  std::optional<Credentials> Password(const QString& caption, const QStringList& names, int selected, bool fixed,
                                      const QString& note) override {
    calls << QStringLiteral("password %1 %2 %3 %4").arg(caption, names.join(QLatin1Char('|'))).arg(selected).arg(fixed);
    notes << note;
    if (passwords.empty()) return std::nullopt;
    auto answer = passwords.front();
    passwords.pop_front();
    return answer;
  }
  std::optional<Credentials> NewUser() override {
    calls << QStringLiteral("newuser");
    return newUser;
  }
  std::optional<PasswordChange> ChangePassword(const QString& name) override {
    calls << QStringLiteral("change ") + name;
    return change;
  }
};

struct LoginFixture {
  LoginFixture() : env(program.path(), store), users(env), login(env, users, dialogs) {}
  // A saved user with a password.
  void makeUser(const QString& name, const QString& password) {
    ASSERT_TRUE(users.CreateUser(name, password));
    users.SaveUser();
    users.ListUsers();
  }
  TestTree program;
  ScopedConfigHome home;
  SettingsStore store;
  MessageRecorder messages;
  Environment env;
  TXUserBase users;
  ScriptedDialogs dialogs;
  TLogin login;
};

}  // namespace

TEST(Login, FirstLearnerComesThroughTheWizard) {
  LoginFixture f;
  f.dialogs.wizard = LoginDialogs::Credentials{QStringLiteral("Ana"), QStringLiteral("sol")};
  f.login.StartLogin();
  EXPECT_EQ(f.dialogs.calls, QStringList{QStringLiteral("wizard")});
  EXPECT_TRUE(f.users.IsLoggedIn());
  EXPECT_EQ(f.env.UserName, QStringLiteral("Ana"));
  EXPECT_TRUE(f.messages.messages().isEmpty());  // no question with an empty user list
}

TEST(Login, ASingleUserWithoutPasswordNeedsNoDialog) {
  LoginFixture f;
  f.makeUser(QStringLiteral("Ana"), QString());
  f.login.StartLogin();
  EXPECT_TRUE(f.dialogs.calls.isEmpty());
  EXPECT_EQ(f.users.UserName(), QStringLiteral("Ana"));
}

TEST(Login, ThreeWrongPasswordsLeaveNobodyLoggedIn) {
  LoginFixture f;
  f.makeUser(QStringLiteral("Ana"), QStringLiteral("geheim"));
  for (int i = 0; i < 3; ++i) f.dialogs.passwords.push_back(LoginDialogs::Credentials{QStringLiteral("Ana"), QStringLiteral("falsch")});
  f.login.StartLogin();
  EXPECT_EQ(f.dialogs.calls.size(), 3);
  EXPECT_EQ(f.dialogs.calls[0], QStringLiteral("password Passwort Ana 0 1"));
  // The first dialog asks; the next ones say that the typed password was wrong.
  EXPECT_EQ(f.dialogs.notes, (QStringList{QString(), QStringLiteral("Das Passwort stimmt nicht. Sie haben noch 2 Versuche."),
                                          QStringLiteral("Das Passwort stimmt nicht. Sie haben noch einen Versuch.")}));
  EXPECT_FALSE(f.users.IsLoggedIn());
  ASSERT_EQ(f.messages.messages().size(), 1);
  EXPECT_EQ(f.messages.messages()[0].text, QStringLiteral("Persönliche Daten für Ana konnten nicht geöffnet werden!"));

  // Cancel in the first dialog: nobody at once; the right password on the second try: logged in.
  LoginFixture g;
  g.makeUser(QStringLiteral("Ana"), QStringLiteral("geheim"));
  g.login.StartLogin();
  EXPECT_FALSE(g.users.IsLoggedIn());
  g.dialogs.passwords = {LoginDialogs::Credentials{QStringLiteral("Ana"), QStringLiteral("x")},
                         LoginDialogs::Credentials{QStringLiteral("Ana"), QStringLiteral("geheim")}};
  EXPECT_TRUE(g.login.Login(QStringLiteral("Ana"), QString()));

  // A wrong password typed in the chooser: the first dialog already says so.
  g.users.SaveUser();
  g.dialogs.notes.clear();
  g.dialogs.passwords = {LoginDialogs::Credentials{QStringLiteral("Ana"), QStringLiteral("geheim")}};
  EXPECT_TRUE(g.login.Login(QStringLiteral("Ana"), QStringLiteral("gehiem")));
  EXPECT_EQ(g.dialogs.notes, QStringList{QStringLiteral("Das Passwort stimmt nicht. Sie haben noch 3 Versuche.")});
}

TEST(Login, SeveralUsersChooseAndUnknownNamesAreAskedAbout) {
  LoginFixture f;
  f.makeUser(QStringLiteral("Ana"), QString());
  f.makeUser(QStringLiteral("Ben"), QString());
  f.dialogs.passwords.push_back(LoginDialogs::Credentials{QStringLiteral("Carla"), QStringLiteral("pw")});
  f.messages.queueAnswer(MessageAnswer::No);
  f.login.StartLogin();
  EXPECT_EQ(f.dialogs.calls, QStringList{QStringLiteral("password *zvk spanisch Ana|Ben 0 0")});
  ASSERT_EQ(f.messages.messages().size(), 1);
  EXPECT_EQ(f.messages.messages()[0].text, QStringLiteral("Neuen Benutzer Carla anlegen?"));
  EXPECT_FALSE(f.users.IsLoggedIn());
}

TEST(Login, NewUsersAndBadNames) {
  LoginFixture f;
  f.makeUser(QStringLiteral("Ana"), QString());
  f.dialogs.newUser = LoginDialogs::Credentials{QStringLiteral("wer?"), QString()};
  f.login.NewUser();
  f.dialogs.newUser = LoginDialogs::Credentials{QStringLiteral(".."), QString()};
  f.login.NewUser();
  f.dialogs.newUser = LoginDialogs::Credentials{QString(), QString()};
  f.login.NewUser();
  f.dialogs.newUser = LoginDialogs::Credentials{QStringLiteral("Ana"), QString()};
  f.login.NewUser();
  const auto& m = f.messages.messages();
  ASSERT_EQ(m.size(), 4);
  EXPECT_EQ(m[0].text, QStringLiteral("Der Name darf keines der folgenden Zeichen enthalten: /\\*:<>|?\""));
  // ".." has none of the nine characters: the message says what is wrong with it.
  EXPECT_EQ(m[1].text,
            QStringLiteral("Ein Benutzername darf nicht mit einem Punkt oder einem Leerzeichen beginnen oder enden!"));
  EXPECT_EQ(m[2].text, QStringLiteral("Ein Benutzername ist erforderlich!"));
  EXPECT_EQ(m[3].text, QStringLiteral("Ana existiert bereits!"));

  f.messages.queueAnswer(MessageAnswer::Yes);
  f.dialogs.newUser = LoginDialogs::Credentials{QStringLiteral("Ben"), QStringLiteral("luna")};
  f.login.NewUser();
  EXPECT_EQ(f.users.UserName(), QStringLiteral("Ben"));
}

TEST(Login, ChangingPasswords) {
  LoginFixture f;
  f.login.ChangePassword();
  EXPECT_EQ(f.messages.messages().last().text, QStringLiteral("Nur angemeldete Benutzer können Passwörter ändern!"));
  f.makeUser(QStringLiteral("Ana"), QStringLiteral("alt"));
  ASSERT_TRUE(f.login.Login(QStringLiteral("Ana"), QStringLiteral("alt")));
  const auto change = [&](const char* o, const char* n, const char* c) {
    f.dialogs.change = LoginDialogs::PasswordChange{QLatin1String(o), QLatin1String(n), QLatin1String(c)};
    f.login.ChangePassword();
    return f.messages.messages().last().text;
  };
  EXPECT_EQ(change("x", "neu", "neu"), QStringLiteral("Das alte Passwort stimmt nicht!"));
  EXPECT_EQ(change("alt", "neu", "nue"), QStringLiteral("Das neue Passwort und die Bestätigung stimmen nicht überein!"));
  EXPECT_EQ(change("alt", "alt", "alt"), QStringLiteral("Das Passwort wurde nicht geändert."));
  EXPECT_EQ(change("alt", "neu", "neu"), QStringLiteral("Das Passwort wurde geändert."));
  EXPECT_EQ(change("neu", "", ""), QStringLiteral("Das Passwort wurde deaktiviert."));
  f.users.SaveUser();
  EXPECT_TRUE(f.login.Login(QStringLiteral("Ana"), QString()));  // no password any more
}

TEST(Login, ChangingToANewNameWithOneUserAsksOnce) {
  LoginFixture f;
  f.makeUser(QStringLiteral("Ana"), QString());
  // Nobody logged in, one user: the list, a new name typed in.
  f.dialogs.passwords.push_back(LoginDialogs::Credentials{QStringLiteral("Carla"), QStringLiteral("pw")});
  f.messages.queueAnswer(MessageAnswer::Ok);
  f.login.ChangeUser();
  ASSERT_EQ(f.messages.messages().size(), 1);
  EXPECT_EQ(f.messages.messages()[0].text, QStringLiteral("Carla existiert noch nicht! Neu anlegen?"));
  EXPECT_EQ(f.users.UserName(), QStringLiteral("Carla"));
}
