// A learner's data through crashes, full disks, planted links and hostile
// files: what the learner answered is kept or the old file stays whole, and
// every failure is told.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QThread>
#include <sys/stat.h>

#include "common/zstream.h"
#include "usertestsupport.h"
#include "users/privatefiles.h"
#include "users/userfile.h"
#include "users/userstatistics.h"

namespace {

using namespace Qt::StringLiterals;

int unixMode(const QString& path) {
  struct stat st {};
  return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? static_cast<int>(st.st_mode & 0777) : -1;
}

class LearnerDataTest : public ::testing::Test, public UserBaseFixture {
 protected:
  UserFile::ReadResult readUser(const QString& name) const { return UserFile::read(userFile(name)); }
  void answer(int n, int from = 0) {
    for (int i = from; i < from + n; ++i) base->RecordAnswer(u"wort%1"_s.arg(i), false, u'e', 25, 0);
  }
};

}  // namespace

// The crash test: a real process that answers and saves is killed at random
// moments; the user file it leaves is always whole, keeps the password and
// holds every answer up to the last save the process reported.
TEST(LearnerCrash, AKilledProgramLeavesAWholeFileWithEveryAnswerUpToTheLastSave) {
  TestTree program;
  const QString file = program.file(u"Benutzer/anna/anna_S.tmb"_s);
  long long saved = 0;
  int killedAfterASave = 0;
  for (int run = 0; run < 100; ++run) {
    QProcess learner;
    learner.start(QStringLiteral(ZVK_LEARNER_PROBE), {program.path(), u"3"_s});
    ASSERT_TRUE(learner.waitForStarted(5000));
    QThread::msleep(QRandomGenerator::global()->bounded(10, 200));
    learner.kill();  // SIGKILL: no orderly end
    learner.waitForFinished(5000);
    const QStringList lines = QString::fromUtf8(learner.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_FALSE(lines.filter(u"Meldung"_s).size()) << lines.join(u' ').toStdString();
    for (const QString& line : lines) {
      if (!line.startsWith(u"gespeichert "_s)) continue;
      saved = line.mid(12).toLongLong();
      ++killedAfterASave;
    }
    if (!QFile::exists(file)) continue;  // killed before the learner was made
    const UserFile::ReadResult read = UserFile::read(file);
    ASSERT_EQ(read.status, UserFile::ReadStatus::Ok) << "run " << run;
    ASSERT_FALSE(read.empty) << "the password is kept from the start";
    EXPECT_EQ(read.content.credentials, QByteArray("anna:pw"));
    // Every answer up to the last reported save, and only whole save points.
    const qsizetype records = read.content.records.size();
    ASSERT_GE(records, saved) << "run " << run;
    ASSERT_EQ(records % 3, 0) << "run " << run;
    QSet<QString> keys;
    for (const TXUserVoc& r : read.content.records) keys.insert(r.key);
    for (qsizetype i = 0; i < records; ++i) ASSERT_TRUE(keys.contains(u">0wort%1"_s.arg(i))) << i;
    saved = records;
  }
  // The kills landed while answers were being saved, not only before.
  EXPECT_GT(killedAfterASave, 0);
  // No temporary file is left over beside the user file either way.
  EXPECT_TRUE(QDir(program.file(u"Benutzer/anna"_s)).entryList(QDir::Files).filter(u".zvk-"_s).isEmpty());
}

TEST_F(LearnerDataTest, AnswersAreSavedEveryTwoMinutesAndANewLearnerAtOnce) {
  ASSERT_TRUE(base->CreateUser(u"anna"_s, u"pw"_s));
  EXPECT_EQ(readUser(u"anna"_s).content.credentials, QByteArray("anna:pw"));
  answer(4);
  EXPECT_EQ(base->UnsavedAnswers(), 4);
  EXPECT_TRUE(readUser(u"anna"_s).content.records.isEmpty());
  now = now.addSecs(TXUserBase::kSaveIntervalSeconds - 1);
  EXPECT_FALSE(base->SaveIfDue());
  now = now.addSecs(1);
  answer(1, 4);  // the answer after two minutes saves
  EXPECT_EQ(base->UnsavedAnswers(), 0);
  const UserFile::ReadResult file = readUser(u"anna"_s);
  EXPECT_EQ(file.content.records.size(), 5);
  EXPECT_EQ(file.content.learningSeconds, TXUserBase::kSaveIntervalSeconds);
  // Without new answers the timer saves nothing.
  now = now.addSecs(600);
  EXPECT_FALSE(base->SaveIfDue());
  // A save during the session keeps the learner logged in and the stored time
  // apart: the orderly end counts the whole session once.
  base->SaveUser();
  EXPECT_EQ(readUser(u"anna"_s).content.learningSeconds, 720);
}

TEST_F(LearnerDataTest, StatisticsFollowTheAnswersOfTheSession) {
  ASSERT_TRUE(base->CreateUser(u"anna"_s, QString()));
  EXPECT_EQ(base->SpecialCode(u"nr"_s), u"0"_s);
  answer(12);
  // No "stats" command in between: the page shows the answers given so far.
  EXPECT_EQ(base->SpecialCode(u"nr"_s), u"12"_s);
  EXPECT_EQ(base->SpecialCode(u"perfa"_s), u"25"_s);
  EXPECT_EQ(base->SpecialCode(u"pe"_s), u"100"_s);
  QImage chart(210, 100, QImage::Format_RGB32);
  ASSERT_TRUE(base->DrawPicture(u"absolut"_s, chart));
  // All twelve in the bucket of 25: a white bar to the top.
  const int bucket = UserStatistics::bucketOf(25);
  EXPECT_EQ(chart.pixel(bucket * 10 + 5, 1), qRgb(255, 255, 255));
}

TEST_F(LearnerDataTest, AFullDiskKeepsTheOldUserFileAndSaysSo) {
  ASSERT_TRUE(base->CreateUser(u"anna"_s, u"pw"_s));
  // Enough answers for a file of some 15 KB (random words hardly compress).
  for (int i = 0; i < 2000; ++i)
    base->RecordAnswer(u"w%1-%2"_s.arg(i).arg(QRandomGenerator::global()->generate(), 0, 36), false, u'e', 25, 0);
  ASSERT_TRUE(base->SaveProgress());
  const QByteArray before = program.read(u"Benutzer/anna/anna_S.tmb"_s);
  ASSERT_GT(before.size(), 8192);
  answer(50);
  messages.clear();
  {
    // Every size up to the old file's: the write fails at some point of
    // writing, flushing or renaming, and nothing passes for success.
    for (long long limit : {0LL, 1LL, 4096LL, 8192LL, static_cast<long long>(before.size())}) {
      ScopedFileSizeLimit full(limit);
      EXPECT_FALSE(base->SaveProgress()) << limit;
    }
  }
  EXPECT_EQ(program.read(u"Benutzer/anna/anna_S.tmb"_s), before);
  // Told once, not at every answer.
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].text, u"anna konnte nicht gespeichert werden!"_s);
  EXPECT_TRUE(QDir(program.file(u"Benutzer/anna"_s)).entryList(QDir::Files | QDir::Hidden).filter(u".zvk-"_s).isEmpty());
  // The learner can still log in with the password, history whole.
  {
    ScopedFileSizeLimit full(0);
    EXPECT_FALSE(base->SaveUser());
  }
  EXPECT_EQ(base->OpenUser(u"anna"_s, u"geheim"_s), TXUserBase::OpenResult::WrongPassword);
  ASSERT_EQ(base->OpenUser(u"anna"_s, u"pw"_s), TXUserBase::OpenResult::Opened);
  EXPECT_EQ(base->History().size(), 2000);
  // Space again: the next save keeps everything.
  answer(2);
  EXPECT_TRUE(base->SaveProgress());
  EXPECT_EQ(readUser(u"anna"_s).content.records.size(), 2002);
}

TEST_F(LearnerDataTest, PlantedLinksAndForeignDirectoriesAreNeverWrittenThrough) {
  ASSERT_TRUE(base->CreateUser(u"anna"_s, u"pw"_s));
  base->SaveUser();
  TestTree elsewhere;
  const QString victim = elsewhere.write(u"victim.txt"_s, "keep me");

  // The log a link: saving does not append to the file it points to.
  const QString log = program.file(u"Benutzer/anna/anna_S_LOG.txt"_s);
  QFile::remove(log);
  ASSERT_TRUE(QFile::link(victim, log));
  messages.clear();
  EXPECT_EQ(base->OpenUser(u"anna"_s, u"pw"_s), TXUserBase::OpenResult::Damaged);
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_TRUE(messages.messages()[0].text.contains(u"Verknüpfung"_s));
  EXPECT_FALSE(base->IsLoggedIn());
  QFile::remove(log);

  // The user file a link: no login through it, and the target stays.
  const QString user = userFile(u"anna"_s);
  const QByteArray userBytes = program.read(u"Benutzer/anna/anna_S.tmb"_s);
  const QString copy = elsewhere.write(u"anna_S.tmb"_s, userBytes);
  QFile::remove(user);
  ASSERT_TRUE(QFile::link(copy, user));
  EXPECT_EQ(base->OpenUser(u"anna"_s, u"pw"_s), TXUserBase::OpenResult::Damaged);
  EXPECT_EQ(elsewhere.read(u"anna_S.tmb"_s), userBytes);
  EXPECT_FALSE(PrivateFiles::replace(user, "x"));
  EXPECT_FALSE(PrivateFiles::append(user, "x"));
  EXPECT_EQ(elsewhere.read(u"anna_S.tmb"_s), userBytes);
  EXPECT_EQ(elsewhere.read(u"victim.txt"_s), QByteArray("keep me"));
  QFile::remove(user);
  program.write(u"Benutzer/anna/anna_S.tmb"_s, userBytes);

  // A learner directory open to everybody is made owner-only at the login.
  ::chmod(QFile::encodeName(program.file(u"Benutzer/anna"_s)).constData(), 0777);
  ASSERT_EQ(base->OpenUser(u"anna"_s, u"pw"_s), TXUserBase::OpenResult::Opened);
  EXPECT_EQ(unixMode(program.file(u"Benutzer/anna"_s)), 0700);
  base->SaveUser();
  EXPECT_EQ(unixMode(user), 0600);
}

TEST_F(LearnerDataTest, NamesAreLimitedSoThatEveryFileFits) {
  // The longest name, of three-byte characters, still makes file names the file system takes.
  const QString name = QString(UserNames::kMaxNameLength, QChar(0x20AC));
  ASSERT_TRUE(base->CreateUser(name, u"pw"_s));
  base->RecordAnswer(u"casa"_s, false, u'e', 25, 0);
  EXPECT_TRUE(base->SaveUser());
  ASSERT_EQ(base->OpenUser(name, u"pw"_s), TXUserBase::OpenResult::Opened);
  EXPECT_EQ(base->History().size(), 1);

  // One character more is refused with a message that says why.
  messages.clear();
  EXPECT_FALSE(base->CreateUser(name + u'n', u"pw"_s));
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].text, u"Ein Benutzername darf höchstens 60 Zeichen lang sein!"_s);
}

TEST_F(LearnerDataTest, AUserFileThatInflatesBeyondAnyHistoryIsDamagedAndUntouched) {
  // Some 100 MB of NULs in a stream of a few hundred kilobytes.
  const QByteArray bomb = ZStream::compress(QByteArray(100 * 1024 * 1024, '\0'), 9);
  program.write(u"Benutzer/anna/anna_S.tmb"_s, bomb);
  EXPECT_EQ(base->OpenUser(u"anna"_s, QString()), TXUserBase::OpenResult::Damaged);
  EXPECT_EQ(program.read(u"Benutzer/anna/anna_S.tmb"_s), bomb);
  // Within the inflating limit but millions of empty records: damaged as well.
  const QByteArray pairs = ZStream::compress(raw("anna:\0") + QByteArray(12 * 1024 * 1024, '\0'), 9);
  program.write(u"Benutzer/anna/anna_S.tmb"_s, pairs);
  EXPECT_EQ(base->OpenUser(u"anna"_s, QString()), TXUserBase::OpenResult::Damaged);
  ASSERT_GE(messages.messages().size(), 2);
  EXPECT_EQ(messages.messages().back().text, u"Persönliche Daten für anna konnten nicht geöffnet werden!"_s);
}
