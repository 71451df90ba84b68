// The highscore tables of the games: ranking, the thirty page variables,
// the complemented file and what a damaged file may hold.

#include <gtest/gtest.h>

#include <QDate>
#include <QFile>

#include "common/fileio.h"
#include "common/messagerecorder.h"
#include "common/textcodec.h"
#include "pages/txpage.h"
#include "superlearning/thighscores.h"
#include "testsupport.h"

namespace {

using namespace Qt::StringLiterals;

QString today() { return QDate::currentDate().toString(u"dd.MM.yyyy"_s); }

// The file's bytes for lines as a writer of the format would store them.
QByteArray fileOf(const QStringList& lines) { return THighscores::Encode(lines); }

QStringList defaults() {
  QStringList out;
  for (int s = 10; s <= 100; s += 10) out << THighscores::Entry(s, u"*zvk"_s, QDate());
  return out;
}

struct Table {
  TestTree dir;
  MessageRecorder messages;
  QString path = dir.path() + u"LVS.x"_s;
  void write(const QByteArray& bytes) { ASSERT_TRUE(FileIO::writeAtomically(path, bytes)); }
};

}  // namespace

TEST(Highscores, AMissingFileGivesTheDefaultTableAndItsPublishedRanks) {
  Table t;
  THighscores table(t.path);
  EXPECT_EQ(table.Entries(), defaults());
  EXPECT_EQ(table.Entries().first(), u"     10*zvk"_s);
  TXPage page;
  table.Publish(page);
  EXPECT_EQ(page.GetVariable(u"highs1"_s), u"    100"_s);
  EXPECT_EQ(page.GetVariable(u"highn1"_s), u"*zvk"_s);
  EXPECT_EQ(page.GetVariable(u"highd1"_s), u"&nbsp;"_s);
  EXPECT_EQ(page.GetVariable(u"highs10"_s), u"     10"_s);
  EXPECT_TRUE(t.messages.messages().isEmpty());
}

TEST(Highscores, ScoresRankAsNumbersAndAnEntryBelowTheTableFallsOut) {
  Table t;
  THighscores table(t.path);
  // 55 lands between 50 and 60: the lowest default went, it is the sixth best.
  EXPECT_EQ(table.AddScore(55, u"Tiger"_s), 4);
  EXPECT_EQ(table.Entries().first(), u"     20*zvk"_s);
  EXPECT_EQ(table.Entries()[4], u"     55Tiger$"_s + today() + u"]"_s);
  EXPECT_EQ(table.RankAt(6).name, u"Tiger"_s);
  EXPECT_EQ(table.RankAt(6).date, today());
  // A score far beyond the others is the best; seven digits keep it right-aligned.
  EXPECT_EQ(table.AddScore(1234567, u"Ana"_s), 9);
  EXPECT_EQ(table.RankAt(1).score, u"1234567"_s);
  // No name, no points: "???" and straight out of the table.
  EXPECT_EQ(THighscores::Entry(0, QString(), QDate(2026, 12, 8)), u"      0???$08.12.2026]"_s);
  EXPECT_EQ(table.AddScore(0, QString()), -1);
  // Equal to the lowest entry, but a name that sorts before it: out as well.
  EXPECT_EQ(table.Entries().first(), u"     30*zvk"_s);
  EXPECT_EQ(table.AddScore(30, u"#1"_s), -1);
  // The same score with a name sorting after it stays, above the old entry.
  EXPECT_EQ(table.AddScore(30, u"Zoe"_s), 0);
  EXPECT_EQ(table.Entries().first(), u"     30Zoe$"_s + today() + u"]"_s);
  EXPECT_EQ(table.Entries().size(), 10);
}

TEST(Highscores, TheFileHoldsTheComplementedLinesAndReadsBackAsWritten) {
  Table t;
  {
    THighscores table(t.path);
    table.AddScore(75, u"Jürgen"_s);
    ASSERT_TRUE(table.Close());
  }
  const QByteArray bytes = *FileIO::readBytes(t.path);
  // Ten lines, each ended by CR LF; every byte of a line is 255 - byte.
  EXPECT_EQ(bytes.count("\r\n"), 10);
  const QByteArray first = bytes.left(bytes.indexOf("\r\n"));
  QByteArray plain = first;
  for (char& c : plain) c = static_cast<char>(255 - static_cast<unsigned char>(c));
  EXPECT_EQ(plain, QByteArray("     20*zvk"));
  EXPECT_TRUE(bytes.contains(fileOf({u"     75Jürgen$"_s + today() + u"]"_s}).chopped(2)));
  THighscores again(t.path);
  EXPECT_EQ(again.Entries().size(), 10);
  EXPECT_EQ(again.RankAt(4).name, u"Jürgen"_s);
  EXPECT_EQ(again.Entries().first(), u"     20*zvk"_s);
}

TEST(Highscores, DamagedOrUnusualFilesLoseNoScore) {
  {
    SCOPED_TRACE("names whose complemented bytes are CR, LF, NUL or Ctrl-Z");
    Table t;
    const QString name = u"Noòõÿå"_s;  // 255 - these: CR, LF, NUL, Ctrl-Z
    {
      THighscores table(t.path);
      table.AddScore(95, name);
      table.AddScore(85, u"òõ"_s);
    }
    THighscores again(t.path);
    EXPECT_EQ(again.RankAt(2).name, name);
    EXPECT_EQ(again.RankAt(4).name, u"òõ"_s);
  }
  {
    SCOPED_TRACE("two line ends in a row inside a name, and a long name");
    Table t;
    const QString twice = u"Aòõòõb"_s;
    const QString longName = u"Maria de los Ángeles Fernández García"_s;
    {
      THighscores table(t.path);
      table.AddScore(95, twice);
      table.AddScore(85, longName);
    }
    THighscores again(t.path);
    EXPECT_EQ(again.RankAt(2).name, twice);
    EXPECT_EQ(again.RankAt(4).name, longName);
    EXPECT_EQ(again.Entries().size(), 10);
  }
  {
    SCOPED_TRACE("a short file is filled up with defaults from the lowest on");
    Table t;
    t.write(fileOf({u"     65Ana$01.02.2026]"_s, u"    300Ben$01.02.2026]"_s, u"      5Cleo$01.02.2026]"_s}));
    THighscores table(t.path);
    ASSERT_EQ(table.Entries().size(), 10);
    EXPECT_EQ(table.RankAt(1).name, u"Ben"_s);
    EXPECT_TRUE(table.Entries().contains(u"      5Cleo$01.02.2026]"_s));
    EXPECT_TRUE(table.Entries().contains(u"     70*zvk"_s));
    EXPECT_FALSE(table.Entries().contains(u"     80*zvk"_s));
  }
  {
    SCOPED_TRACE("a long file in any order keeps its best ten, ranked as numbers");
    Table t;
    QStringList lines;
    for (int s : {100, 7, 70, 1000, 45, 12, 99, 3, 250, 71, 8, 60}) lines << THighscores::Entry(s, u"P"_s, QDate(2026, 1, 1));
    t.write(fileOf(lines));
    THighscores table(t.path);
    ASSERT_EQ(table.Entries().size(), 10);
    EXPECT_EQ(table.RankAt(1).score, u"   1000"_s);
    EXPECT_EQ(table.RankAt(2).score, u"    250"_s);
    EXPECT_EQ(table.RankAt(3).score, u"    100"_s);
    EXPECT_EQ(table.RankAt(4).score, u"     99"_s);
    EXPECT_EQ(table.RankAt(10).score, u"      8"_s);
  }
  {
    SCOPED_TRACE("a \"$\" in a name, a short date, blank and broken lines");
    Table t;
    QByteArray bytes = fileOf({u"     50A$B$01.02.2026]"_s, u"     40Tom$1.2.26]"_s});
    bytes += "\r\n" + fileOf({u"no score here"_s}) + fileOf(defaults().mid(2));
    t.write(bytes);
    THighscores table(t.path);
    ASSERT_EQ(table.Entries().size(), 10);
    const auto rankOf = [&](const QString& name) {
      for (int k = 1; k <= 10; ++k)
        if (table.RankAt(k).name == name) return k;
      return 0;
    };
    ASSERT_GT(rankOf(u"A$B"_s), 0);
    EXPECT_EQ(table.RankAt(rankOf(u"A$B"_s)).date, u"01.02.2026"_s);
    ASSERT_GT(rankOf(u"Tom"_s), 0);
    EXPECT_EQ(table.RankAt(rankOf(u"Tom"_s)).date, u"1.2.26"_s);
  }
  {
    SCOPED_TRACE("names go into the markup escaped");
    Table t;
    THighscores table(t.path);
    table.AddScore(500, u"<b>$x&y"_s);
    TXPage page;
    table.Publish(page);
    EXPECT_FALSE(page.GetVariable(u"highn1"_s).startsWith(u"<b>"_s));
    EXPECT_NE(page.GetVariable(u"highn1"_s), u"<b>$x&y"_s);
  }
}

TEST(Highscores, AFailedWriteIsSaidOnceAndATableIsWrittenWhenItGoes) {
  {
    Table t;
    THighscores table(t.dir.path() + u"fehlt/LVS.x"_s);
    EXPECT_FALSE(table.Close());
    ASSERT_EQ(t.messages.messages().size(), 1);
    EXPECT_EQ(t.messages.messages()[0].text, u"Highscore konnte nicht gespeichert werden!"_s);
    // Closing twice writes (and warns) once.
    EXPECT_TRUE(table.Close());
    EXPECT_EQ(t.messages.messages().size(), 1);
  }
  {
    // The table is written when it goes, unless it was closed.
    Table t;
    { THighscores table(t.path); }
    EXPECT_TRUE(QFile::exists(t.path));
    EXPECT_TRUE(t.messages.messages().isEmpty());
  }
}
