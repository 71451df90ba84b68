#include <gtest/gtest.h>

#include <QImage>

#include "common/zstream.h"
#include "usertestsupport.h"
#include "users/userfile.h"

namespace {

using namespace Qt::StringLiterals;

class UserHistoryTest : public ::testing::Test, public UserBaseFixture {
 protected:
  void SetUp() override { ASSERT_TRUE(base->CreateUser(u"anna"_s, QString())); }
  const TXUserVoc& record(qsizetype i) const { return base->History().records()[static_cast<size_t>(i)]; }
};

}  // namespace

TEST_F(UserHistoryTest, AnswersKeepTheNewestFiveAndOrderRecordsByLanguage) {
  for (int i = 1; i <= 6; ++i) base->RecordAnswer(u"casa"_s, false, i % 2 ? u'e' : u'm', i, 0);
  EXPECT_EQ(record(0).results, u"GFEDC"_s);  // 6, 5, 4, 3, 2
  EXPECT_EQ(record(0).kinds, u"meme"_s + u'm');
  EXPECT_EQ(base->ItemScore(u"casa"_s, false, 0), 20);

  // The same text as German and as Spanish entry, and in another word class: separate records.
  base->RecordAnswer(u"casa"_s, true, u'e', 1, 0);
  base->RecordAnswer(u"casa"_s, false, u'e', 1, 3);
  ASSERT_EQ(base->History().size(), 3);
  EXPECT_EQ(record(0).key, u">3casa"_s);  // Spanish entries go to the front
  EXPECT_EQ(record(1).key, u">0casa"_s);
  EXPECT_EQ(record(2).key, u"<0casa"_s);  // German entries to the end
  EXPECT_EQ(base->ItemScore(u"casa"_s, true, 0), 1);
  EXPECT_EQ(base->ItemScore(u"perro"_s, false, 0), 0);
  EXPECT_EQ(base->History().size(), 3);  // looking up creates nothing

  const TXUserBase::AnswerCounts& counts = base->Counts();
  EXPECT_EQ(counts.typing, 5);
  EXPECT_EQ(counts.multipleChoice, 3);
  EXPECT_TRUE(base->IsModified());
}

TEST_F(UserHistoryTest, LookupTakesTheFirstRecordIgnoringLetterCase) {
  base->SaveUser();
  program.write(u"Benutzer/anna/anna_S.tmb"_s,
                ZStream::compress(raw("anna:\0>0Casa\0Z\0e\0>0casa\0A\0e\0<0CASA\0ZZ\0em\0")));
  ASSERT_EQ(base->OpenUser(u"anna"_s, QString()), TXUserBase::OpenResult::Opened);
  EXPECT_EQ(base->ItemScore(u"cAsA"_s, false, 0), 25);
  EXPECT_EQ(base->ItemScore(u" casa "_s, true, 0), 50);
  EXPECT_EQ(base->ItemRelativeScore(u"casa"_s, true, 0), 100);  // 50 * 100 / 32, limited
  base->RecordAnswer(u"CASA"_s, false, u'm', 12, 0);
  EXPECT_EQ(record(0).results, u"MZ"_s);
  EXPECT_EQ(record(1).results, u"A"_s);

  // Word classes of two digits and accented capitals.
  base->RecordAnswer(u"Árbol"_s, false, u'e', 25, 12);
  EXPECT_EQ(base->ItemScore(u"ÁRBOL "_s, false, 12), 25);
  EXPECT_EQ(base->ItemScore(u"árbol"_s, false, 1), 0);
}

TEST_F(UserHistoryTest, ScoresFollowResultsAndKinds) {
  EXPECT_EQ(UserScores::absolute(u"ZZ"_s), 50);
  EXPECT_EQ(UserScores::weight(u"ee"_s), 40);
  EXPECT_EQ(UserScores::relative(u"ZZ"_s, u"ee"_s), 100);
  EXPECT_EQ(UserScores::weight(QString()), 100);
  EXPECT_EQ(UserScores::weight(u"efmvx"_s), 20 + 16 + 12 + 8 + 10);
  EXPECT_EQ(UserScores::absolute(u"~~"_s), 100);               // 122, limited
  EXPECT_EQ(UserScores::absolute(u"9"_s), -8);
  EXPECT_EQ(UserScores::relative(u"B"_s, u"ee"_s), 3);          // 2.5 rounds away from zero
  EXPECT_EQ(UserScores::relative(u"@"_s, u"ee"_s), -3);         // -2.5
}

TEST_F(UserHistoryTest, ExtremeScoresAndKindsStayPrintable) {
  base->RecordAnswer(u"perro"_s, false, u'e', -65, 0);   // would be a NUL
  base->RecordAnswer(u"perro"_s, false, u'e', -33, 0);   // would be a blank
  base->RecordAnswer(u"perro"_s, false, u'e', 200, 0);
  base->RecordAnswer(u"perro"_s, false, QChar(0), 1, 0);
  EXPECT_EQ(record(0).results, u"B~!!"_s);
  EXPECT_EQ(record(0).kinds, u"?eee"_s);
  now = now.addSecs(60);
  base->SaveUser();
  ASSERT_EQ(base->OpenUser(u"anna"_s, QString()), TXUserBase::OpenResult::Opened);
  EXPECT_EQ(record(0).results, u"B~!!"_s);
  EXPECT_EQ(record(0).kinds, u"?eee"_s);
}

TEST_F(UserHistoryTest, ResetDeletesNewestAnswersButKeepsRecords) {
  for (int score : {10, 20, 30}) base->RecordAnswer(u"casa"_s, false, u'e', score, 0);
  base->RecordAnswer(u"Haus"_s, true, u'm', -12, 0);
  EXPECT_EQ(base->ResetHistory(u"CASA"_s, false, 2, 0), 10);
  EXPECT_EQ(base->ResetHistory(u"gato"_s, false, 2, 0), 0);
  EXPECT_EQ(base->ResetHistory(u"casa"_s, false, 9, 0), 0);
  EXPECT_EQ(base->History().size(), 2);
  EXPECT_TRUE(record(0).results.isEmpty());

  base->RecordAnswer(u"casa"_s, false, u'e', 5, 0);
  base->ResetAllHistories(true, 1);  // only records above 0
  EXPECT_TRUE(record(0).results.isEmpty());
  EXPECT_EQ(record(1).results, u"5"_s);
  base->ResetAllHistories(false, 1);
  EXPECT_TRUE(record(1).results.isEmpty());

  // Empty records are stored and read back in place.
  base->SaveUser();
  EXPECT_EQ(ZStream::decompress(program.read(u"Benutzer/anna/anna_S.tmb"_s)),
            raw("anna:\0!00:00:00\0>0casa\0\0\0<0Haus\0\0\0"));
}

TEST_F(UserHistoryTest, StatisticsFiguresAndBuckets) {
  EXPECT_EQ(UserStatistics::bucketOf(-100), 0);
  EXPECT_EQ(UserStatistics::bucketOf(-91), 0);
  EXPECT_EQ(UserStatistics::bucketOf(-90), 1);
  EXPECT_EQ(UserStatistics::bucketOf(0), 10);
  EXPECT_EQ(UserStatistics::bucketOf(100), 20);

  base->ComputeStatistics();
  for (const char* code : {"perfa", "perfr", "perfd", "perff", "nr", "pe", "pm", "pv", "pf", "treffer", "sitzung"})
    EXPECT_EQ(base->SpecialCode(QString::fromLatin1(code)), u"0"_s) << code;

  base->RecordAnswer(u"a"_s, false, u'e', 25, 0);
  base->RecordAnswer(u"a"_s, false, u'e', 25, 0);  // 50, relative 100
  base->RecordAnswer(u"b"_s, true, u'm', -12, 1);   // -12, relative -100
  base->RecordAnswer(u"c"_s, true, u'v', 8, 2);     // 8, relative 100
  base->ComputeStatistics();
  const UserStatistics& s = base->Statistics();
  EXPECT_EQ(s.records, 3);
  EXPECT_EQ(s.histograms[0][UserStatistics::bucketOf(50)], 1);
  EXPECT_EQ(s.histograms[0][9], 1);  // -12
  EXPECT_EQ(s.histograms[0][11], 1); // 8
  EXPECT_EQ(s.histograms[1][20], 2);
  EXPECT_EQ(s.histograms[1][0], 1);
  EXPECT_EQ(s.histograms[2][9] + s.histograms[2][11], 2);
  EXPECT_EQ(s.histograms[3][15], 1);
  const QStringList expected = {u"anna"_s, u"15"_s, u"33"_s, u"-2"_s, u"50"_s, u"3"_s, u"2"_s,
                                u"1"_s,    u"50"_s, u"25"_s, u"25"_s, u"0"_s,  u"0 Stunden 0 Minuten"_s,
                                // three of the four kept answers were right; four answers this session
                                u"75"_s,   u"4"_s};
  const QStringList codes = {u"user"_s, u"perfa"_s, u"perfr"_s, u"perfd"_s, u"perff"_s, u"nr"_s,      u"nrd"_s,
                             u"nrf"_s,  u"pe"_s,    u"pm"_s,    u"pv"_s,    u"pf"_s,    u"zeit"_s,    u"treffer"_s,
                             u"sitzung"_s};
  for (qsizetype i = 0; i < codes.size(); ++i) EXPECT_EQ(base->SpecialCode(codes[i]), expected[i]) << codes[i].toStdString();
  EXPECT_FALSE(base->SpecialCode(u"wave"_s));

  // Records without any kind: the percentages read -1.
  std::deque<TXUserVoc> noKinds{{u">0x"_s, u"A"_s, QString()}};
  EXPECT_EQ(UserStatistics::compute(noKinds).percentTyping, -1);

  base->SaveUser();
  EXPECT_EQ(base->SpecialCode(u"perfa"_s), QString());
  EXPECT_EQ(base->SpecialCode(u"user"_s), QString());
  EXPECT_EQ(base->SpecialCode(u"treffer"_s), QString());
}

TEST_F(UserHistoryTest, ChartsDrawBarsOrNone) {
  QImage empty(210, 100, QImage::Format_RGB32);
  base->ComputeStatistics();
  EXPECT_TRUE(base->DrawPicture(u"absolut"_s, empty));
  EXPECT_EQ(empty.pixel(5, 99), qRgb(255, 0, 0));
  EXPECT_EQ(empty.pixel(205, 99), qRgb(0x33, 0x33, 0x33));
  for (int x = 0; x < 210; ++x) ASSERT_NE(empty.pixel(x, 99), qRgb(255, 255, 255)) << x;

  base->RecordAnswer(u"a"_s, false, u'e', 25, 0);
  base->RecordAnswer(u"a"_s, false, u'e', 25, 0);  // bucket 15
  base->RecordAnswer(u"b"_s, true, u'm', -12, 0);  // bucket 9
  base->ComputeStatistics();
  QImage chart(210, 100, QImage::Format_RGB32);
  base->DrawChart(chart, 0);
  EXPECT_EQ(chart.pixel(155, 99), qRgb(255, 255, 255));
  EXPECT_EQ(chart.pixel(155, 50), qRgb(255, 255, 255));  // one of two records: half the height
  EXPECT_EQ(chart.pixel(155, 49), qRgb(0x33, 0x33, 0x33));
  EXPECT_EQ(chart.pixel(149, 99), qRgb(0x33, 0x33, 0x33));
  EXPECT_EQ(chart.pixel(95, 60), qRgb(255, 255, 255));
  EXPECT_EQ(chart.pixel(100, 60), qRgb(255, 0, 0));

  QImage german(210, 100, QImage::Format_RGB32);
  EXPECT_TRUE(base->DrawPicture(u"deutsch"_s, german));
  EXPECT_EQ(german.pixel(155, 99), qRgb(0x33, 0x33, 0x33));
  QImage untouched(10, 10, QImage::Format_RGB32);
  untouched.fill(Qt::blue);
  EXPECT_FALSE(base->DrawPicture(u"bunt"_s, untouched));
  base->DrawChart(untouched, 4);
  EXPECT_EQ(untouched.pixel(0, 0), qRgb(0, 0, 255));
}
