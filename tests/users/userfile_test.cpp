#include <gtest/gtest.h>

#include <QFile>
#include <sys/stat.h>

#include "common/zstream.h"
#include "usertestsupport.h"
#include "users/userfile.h"

namespace {

using namespace Qt::StringLiterals;

int unixMode(const QString& path) {
  struct stat st {};
  return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? static_cast<int>(st.st_mode & 0777) : -1;
}

class UserFileTest : public ::testing::Test, public UserBaseFixture {
 protected:
  QByteArray inflatedUserFile(const QString& name) const {
    return ZStream::decompress(program.read("Benutzer/"_L1 + name + "/"_L1 + name + "_S.tmb"_L1)).value_or("?");
  }
  // Answers to three words of different kinds; "casa" twice.
  void answerScript() {
    base->RecordAnswer(u"casa"_s, false, u'e', 25, 0);
    base->RecordAnswer(u"Haus"_s, true, u'm', 12, 0);
    base->RecordAnswer(u"perro"_s, false, u'm', -12, 0);
    base->RecordAnswer(u"Casa "_s, false, u'm', 12, 0);
  }
};

const QByteArray kScriptContent = raw("anna:geheim\0!00:30:15\0") +
                                  raw(">0perro\0" "5\0" "m\0") +
                                  raw(">0casa\0" "MZ\0" "me\0") +
                                  raw("<0Haus\0" "M\0" "m\0");

}  // namespace

TEST_F(UserFileTest, ScriptedAnswersGiveExactFileAndLogLine) {
  ASSERT_TRUE(base->CreateUser(u"anna"_s, u"geheim"_s));
  answerScript();
  now = at("05.03.2024 10:30:15");
  EXPECT_TRUE(base->SaveUser());
  EXPECT_FALSE(base->IsLoggedIn());

  const QByteArray raw = program.read(u"Benutzer/anna/anna_S.tmb"_s);
  EXPECT_EQ(raw, ZStream::compress(kScriptContent, 1));
  EXPECT_EQ(raw.left(2), QByteArray("\x78\x01"));  // zlib header of level 1
  EXPECT_EQ(inflatedUserFile(u"anna"_s), kScriptContent);

  // perro -12 / rel -100, casa 37 / rel 100, Haus 12 / rel 100.
  EXPECT_EQ(program.read(u"Benutzer/anna/anna_S_LOG.txt"_s),
            QByteArray("05.03.2024 10:00:00 00:30:15 Eintippen:\t1\tMult. Ch.:\t3\tLas Vegas:\t0\tFree Fall:\t0\t"
                       "Performance Insgesamt: abs: 12% rel: 33% 3 verschiedene Vokabeln\r\n"));
  EXPECT_TRUE(messages.messages().isEmpty());

  // Read back and written again: only the learning time differs; the log grows by one line.
  now = at("06.03.2024 23:58:00");
  ASSERT_EQ(base->OpenUser(u"anna"_s, u"geheim"_s), TXUserBase::OpenResult::Opened);
  EXPECT_EQ(base->History().size(), 3);
  EXPECT_EQ(base->ItemScore(u"CASA"_s, false, 0), 37);
  now = at("07.03.2024 00:03:00");  // across midnight: five minutes
  EXPECT_TRUE(base->SaveUser());
  QByteArray expected = kScriptContent;
  expected.replace("!00:30:15", "!00:35:15");
  EXPECT_EQ(inflatedUserFile(u"anna"_s), expected);
  const QList<QByteArray> log = program.read(u"Benutzer/anna/anna_S_LOG.txt"_s).split('\n');
  ASSERT_EQ(log.size(), 3);
  EXPECT_TRUE(log[1].startsWith("06.03.2024 23:58:00 00:05:00 Eintippen:\t0\t"));
}

TEST_F(UserFileTest, LearningTimeKeepsOnlyTheTimeOfDay) {
  program.write(u"Benutzer/bert/bert_S.tmb"_s, ZStream::compress(raw("bert:\0!20:00:00\0")));
  ASSERT_EQ(base->OpenUser(u"bert"_s, QString()), TXUserBase::OpenResult::Opened);
  EXPECT_EQ(base->SpecialCode(u"zeit"_s), u"20 Stunden 0 Minuten"_s);
  now = at("05.03.2024 15:01:00");
  EXPECT_EQ(base->SpecialCode(u"zeit"_s), u"25 Stunden 1 Minute"_s);
  EXPECT_TRUE(base->SaveUser());
  EXPECT_EQ(inflatedUserFile(u"bert"_s), raw("bert:\0!01:01:00\0"));

  EXPECT_EQ(UserFile::parseTimeOfDay(u"7:05:09"_s), 7 * 3600 + 5 * 60 + 9);
  EXPECT_EQ(UserFile::parseTimeOfDay(u"12:30"_s), 12 * 3600 + 30 * 60);
  EXPECT_FALSE(UserFile::parseTimeOfDay(u"24:00:00"_s));
  EXPECT_FALSE(UserFile::parseTimeOfDay(u"10.30.00"_s));
  EXPECT_EQ(learningTimeText(3600 + 60), u"1 Stunde 1 Minute"_s);
}

TEST_F(UserFileTest, ReaderAcceptsOldAndUntidyFiles) {
  // No "!" text, blanks around the texts, an unreadable time elsewhere, a last text without its NUL.
  const auto parsed = UserFile::parse(raw("anna:x\0 >0casa \0 ZZ\0ee \0<3Tisch\0A"));
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->credentials, QByteArray("anna:x"));
  EXPECT_EQ(parsed->learningSeconds, 0);
  ASSERT_EQ(parsed->records.size(), 2);
  EXPECT_EQ(parsed->records[0].key, u">0casa"_s);
  EXPECT_EQ(parsed->records[0].results, u"ZZ"_s);
  EXPECT_EQ(parsed->records[0].kinds, u"ee"_s);
  EXPECT_EQ(parsed->records[1].results, u"A"_s);
  EXPECT_TRUE(parsed->records[1].kinds.isEmpty());
  EXPECT_EQ(UserFile::parse(raw("a:\0!Mittag\0"))->learningSeconds, 0);

  // Windows-1252 texts survive a round trip.
  std::deque<TXUserVoc> records{{u">0niño"_s, u"Z"_s, u"e"_s}};
  const QByteArray content = UserFile::serialize(UserFile::credentials(u"José"_s, u"ñ"_s), 0, records);
  EXPECT_TRUE(content.startsWith("Jos\xE9:\xF1"));
  EXPECT_EQ(UserFile::parse(content)->records[0].key, u">0niño"_s);
}

TEST_F(UserFileTest, DamagedOrForeignFilesFailTheLoginAndStayUntouched) {
  const QByteArray valid = ZStream::compress(raw("anna:\0!00:00:01\0>0casa\0Z\0e\0"));
  const QList<QByteArray> damaged = {
      QByteArray("kein zlib-Strom"),
      valid.left(valid.size() / 2),                      // truncated stream
      ZStream::compress("Nur Text ohne Trennzeichen"),  // a foreign stream
  };
  for (const QByteArray& bytes : damaged) {
    messages.clear();
    const QString path = program.write(u"Benutzer/anna/anna_S.tmb"_s, bytes);
    EXPECT_EQ(base->OpenUser(u"anna"_s, QString()), TXUserBase::OpenResult::Damaged);
    EXPECT_FALSE(base->IsLoggedIn());
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.messages()[0].kind, MessageKind::Stop);
    EXPECT_EQ(messages.messages()[0].text, u"Persönliche Daten für anna konnten nicht geöffnet werden!"_s);
    base->SaveUser();
    EXPECT_EQ(program.read(u"Benutzer/anna/anna_S.tmb"_s), bytes);
    EXPECT_FALSE(QFile::exists(program.file(u"Benutzer/anna/anna_S_LOG.txt"_s)));
    // Creating the user anew never writes over it either.
    EXPECT_FALSE(base->CreateUser(u"anna"_s, QString()));
    EXPECT_EQ(program.read(u"Benutzer/anna/anna_S.tmb"_s), bytes);
    QFile::remove(path);
  }
  program.mkdir(u"Benutzer/dora/dora_S.tmb"_s);
  EXPECT_EQ(base->OpenUser(u"dora"_s, QString()), TXUserBase::OpenResult::Damaged);
}

TEST_F(UserFileTest, PasswordIsComparedExactlyAndEmptyFileAcceptsAny) {
  program.write(u"Benutzer/anna/anna_S.tmb"_s, ZStream::compress(raw("anna:Geheim\0>0casa\0Z\0e\0")));
  const QByteArray before = program.read(u"Benutzer/anna/anna_S.tmb"_s);
  EXPECT_EQ(base->OpenUser(u"anna"_s, u"geheim"_s), TXUserBase::OpenResult::WrongPassword);
  EXPECT_FALSE(base->IsLoggedIn());
  EXPECT_TRUE(messages.messages().isEmpty());
  EXPECT_EQ(program.read(u"Benutzer/anna/anna_S.tmb"_s), before);
  ASSERT_EQ(base->OpenUser(u"anna"_s, u"Geheim"_s), TXUserBase::OpenResult::Opened);
  EXPECT_EQ(base->ItemScore(u"casa"_s, false, 0), 25);
  EXPECT_EQ(env.UserName, u"anna"_s);

  EXPECT_EQ(base->OpenUser(u"nina"_s, QString()), TXUserBase::OpenResult::NotFound);
  EXPECT_FALSE(base->IsLoggedIn());
  EXPECT_TRUE(env.UserName.isEmpty());

  // A new learner's password is in the file at once: a program that dies
  // before the first logout does not leave a file that opens with any password.
  ASSERT_TRUE(base->CreateUser(u"nina"_s, u"pw"_s));
  const UserFile::ReadResult created = UserFile::read(userFile(u"nina"_s));
  ASSERT_EQ(created.status, UserFile::ReadStatus::Ok);
  EXPECT_EQ(created.content.credentials, QByteArray("nina:pw"));
  EXPECT_TRUE(created.content.records.isEmpty());
  EXPECT_EQ(unixMode(program.file(u"Benutzer/nina"_s)), 0700);
  EXPECT_EQ(unixMode(userFile(u"nina"_s)), 0600);
  base->SaveUser();
  ASSERT_EQ(base->OpenUser(u"nina"_s, u"pw"_s), TXUserBase::OpenResult::Opened);
  base->SaveUser();
  EXPECT_EQ(unixMode(userFile(u"nina"_s)), 0600);
  EXPECT_EQ(unixMode(program.file(u"Benutzer/nina/nina_S_LOG.txt"_s)), 0600);

  // An empty user file (a new user never saved) accepts any password.
  program.write(u"Benutzer/olga/olga_S.tmb"_s);
  ASSERT_EQ(base->OpenUser(u"olga"_s, u"beliebig"_s), TXUserBase::OpenResult::Opened);
  EXPECT_EQ(base->Password(), u"beliebig"_s);
}
