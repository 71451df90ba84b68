#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "common/zstream.h"
#include "usertestsupport.h"
#include "users/usernames.h"

namespace {

using namespace Qt::StringLiterals;

class UserBaseTest : public ::testing::Test, public UserBaseFixture {};

}  // namespace

TEST(UserNamesTest, NamesThatCouldLeaveTheUserDirectoryAreRefused) {
  EXPECT_EQ(UserNames::InvalidNameChars(), u"/\\*:<>|?\""_s);
  for (QChar c : UserNames::InvalidNameChars()) {
    EXPECT_TRUE(UserNames::HasInvalidNameChar(u"an"_s + c + u"na"_s)) << int(c.unicode());
    EXPECT_FALSE(UserNames::IsSafeUserName(u"an"_s + c + u"na"_s));
  }
  EXPECT_FALSE(UserNames::HasInvalidNameChar(u".."_s));
  for (const QString& bad : {QString(), u"."_s, u".."_s, u".anna"_s, u"anna."_s, u" anna"_s, u"anna "_s,
                             u"an\tna"_s, u"an\nna"_s, u"an"_s + QChar(0) + u"na"_s, u"an\u0085na"_s})
    EXPECT_FALSE(UserNames::IsSafeUserName(bad)) << bad.toStdString();
  for (const QString& good : {u"Anna Maria"_s, u"José"_s, u"a.b"_s, u"O'Neill"_s, u"x"_s})
    EXPECT_TRUE(UserNames::IsSafeUserName(good)) << good.toStdString();

  const UserPaths paths(u"/daten/Benutzer/"_s, u"anna"_s);
  EXPECT_EQ(paths.userFile(), u"/daten/Benutzer/anna/anna_S.tmb"_s);
  EXPECT_EQ(paths.logFile(), u"/daten/Benutzer/anna/anna_S_LOG.txt"_s);
  EXPECT_TRUE(paths.fileInDirectory(u"../x"_s).isEmpty());
  const UserPaths refused(u"/daten/Benutzer/"_s, u".."_s);
  EXPECT_FALSE(refused.isValid());
  EXPECT_TRUE(refused.directory().isEmpty());
  EXPECT_TRUE(refused.userFile().isEmpty());
}

TEST_F(UserBaseTest, RefusedNamesCreateNothingAndKeepTheCurrentLearner) {
  ASSERT_TRUE(base->CreateUser(u"anna"_s, QString()));
  messages.clear();
  for (const QString& name : {u".."_s, u"../boese"_s, u"wer?"_s, u" anna"_s}) {
    EXPECT_EQ(base->OpenUser(name, QString()), TXUserBase::OpenResult::InvalidName);
    EXPECT_FALSE(base->CreateUser(name, QString()));
  }
  ASSERT_EQ(messages.messages().size(), 8);
  // Each refusal names its own reason.
  const QString dots = u"Ein Benutzername darf nicht mit einem Punkt oder einem Leerzeichen beginnen oder enden!"_s;
  EXPECT_EQ(messages.messages()[0].text, dots);
  EXPECT_EQ(messages.messages()[2].text, u"Der Benutzername enthält unzulässige Zeichen!"_s);
  EXPECT_EQ(messages.messages()[4].text, u"Der Benutzername enthält unzulässige Zeichen!"_s);
  EXPECT_EQ(messages.messages()[6].text, dots);
  EXPECT_EQ(base->UserName(), u"anna"_s);
  EXPECT_EQ(QDir(program.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{u"Benutzer"_s});
  EXPECT_EQ(QDir(program.file(u"Benutzer"_s)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            QStringList{u"anna"_s});
}

TEST_F(UserBaseTest, UserListFindsUserFilesBelowTheDirectory) {
  EXPECT_EQ(base->UserDirectory(), program.file(u"Benutzer/"_s));
  EXPECT_TRUE(base->ListUsers().isEmpty());
  program.write(u"Benutzer/bert/bert_S.tmb"_s);
  program.write(u"Benutzer/anna/anna_S.tmb"_s);
  program.write(u"Benutzer/alt/tief/carl_S.tmb"_s);
  program.write(u"Benutzer/dora/dora_s.tmb"_s);    // ending not exact
  program.write(u"Benutzer/emil/emil_S.TMB"_s);    // ending not exact
  program.write(u"Benutzer/fred/fred_S.tmb.bak"_s);
  program.write(u"Benutzer/gast/.x_S.tmb"_s);      // not a name that can log in
  // Name order, directories entered where they come ("alt" before "anna").
  EXPECT_EQ(base->ListUsers(), (QStringList{u"carl"_s, u"anna"_s, u"bert"_s}));

  // A configured user directory replaces ProgramDir + "Benutzer/".
  env.UserDir = program.mkdir(u"andere"_s);
  makeBase();
  EXPECT_EQ(base->UserDirectory(), program.file(u"andere/"_s));
  EXPECT_TRUE(base->Users().isEmpty());
  EXPECT_TRUE(base->CreateUser(u"hugo"_s, QString()));
  EXPECT_TRUE(QFile::exists(program.file(u"andere/hugo/hugo_S.tmb"_s)));
}

TEST_F(UserBaseTest, SaveUserRunsSettingsHooksAndLogsOut) {
  QStringList calls;
  base->saveLearnerSettings = [&] { calls << u"save "_s + env.UserName; };
  base->loadLearnerSettings = [&] { calls << u"load "_s + env.UserName; };
  base->backdropColor = [] { return std::optional<quint32>(0xC0C0C0); };
  store.writeInteger(u"Software\\zvk\\zvk spanisch\\5\\anna"_s, u"Hintergrund"_s, 0xFFFFFF);

  EXPECT_FALSE(base->SaveUser());  // anonymous: only the window settings
  EXPECT_EQ(store.readInteger(u"Software\\zvk\\zvk spanisch\\5\\Anonym"_s, u"Hintergrund"_s), 0xC0C0C0);

  ASSERT_TRUE(base->CreateUser(u"anna"_s, u"pw"_s));
  EXPECT_EQ(env.BackgroundColor, 0xFFFFFFu);  // the learner's own settings are read
  EXPECT_EQ(base->CurrentUserDirectory(), program.file(u"Benutzer/anna/"_s));
  EXPECT_TRUE(base->SaveUser());
  EXPECT_EQ(calls, (QStringList{u"load anna"_s, u"save anna"_s}));
  EXPECT_EQ(store.readInteger(u"Software\\zvk\\zvk spanisch\\5\\anna"_s, u"Hintergrund"_s), 0xC0C0C0);
  EXPECT_FALSE(base->IsLoggedIn());
  EXPECT_TRUE(env.UserName.isEmpty());
  EXPECT_TRUE(base->CurrentUserDirectory().isEmpty());
  EXPECT_TRUE(base->History().isEmpty());
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(UserBaseTest, FailedSaveIsReportedAndOpeningAnotherLearnerGoesOn) {
  ASSERT_TRUE(base->CreateUser(u"anna"_s, QString()));
  base->RecordAnswer(u"casa"_s, false, u'e', 25, 0);
  // Something that cannot be replaced by a file now sits at the user file's place.
  QFile::remove(userFile(u"anna"_s));
  program.mkdir(u"Benutzer/anna/anna_S.tmb/x"_s);
  program.write(u"Benutzer/bert/bert_S.tmb"_s);
  EXPECT_EQ(base->OpenUser(u"bert"_s, QString()), TXUserBase::OpenResult::Opened);
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].text, u"anna konnte nicht gespeichert werden!"_s);
  EXPECT_EQ(messages.messages()[0].kind, MessageKind::Warning);
  EXPECT_EQ(base->UserName(), u"bert"_s);
  EXPECT_TRUE(base->History().isEmpty());
}

TEST_F(UserBaseTest, DeleteUserRemovesOnlyTheLearnersOwnFiles) {
  EXPECT_FALSE(base->DeleteUser());
  ASSERT_TRUE(base->CreateUser(u"anna"_s, QString()));
  program.write(u"Benutzer/anna/zvk_S.ini"_s, "[*zvk]\r\n");
  messages.queueAnswer(MessageAnswer::Cancel);
  EXPECT_FALSE(base->DeleteUser());
  EXPECT_TRUE(base->IsLoggedIn());
  EXPECT_TRUE(QFile::exists(userFile(u"anna"_s)));

  EXPECT_TRUE(base->DeleteUser());
  EXPECT_FALSE(base->IsLoggedIn());
  EXPECT_FALSE(QFile::exists(program.file(u"Benutzer/anna"_s)));
  EXPECT_EQ(messages.messages().last().text, u"Benutzer \"anna\" wurde gelöscht."_s);

  // Files the learner put there stay, and so does the directory.
  ASSERT_TRUE(base->CreateUser(u"bert"_s, QString()));
  program.write(u"Benutzer/bert/Auswahl.xsl"_s, "Grundwortschatz\\a.asc\r\n");
  EXPECT_FALSE(base->DeleteUser());
  EXPECT_FALSE(base->IsLoggedIn());
  EXPECT_FALSE(QFile::exists(userFile(u"bert"_s)));
  EXPECT_TRUE(QFile::exists(program.file(u"Benutzer/bert/Auswahl.xsl"_s)));
  EXPECT_EQ(messages.messages().last().kind, MessageKind::Stop);
  EXPECT_EQ(messages.messages().last().text,
            u"\""_s + program.file(u"Benutzer/bert/"_s) + u"\" konnte nicht gelöscht werden!"_s);
}
