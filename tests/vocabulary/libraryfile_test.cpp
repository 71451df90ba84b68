#include <gtest/gtest.h>

#include <set>

#include "common/random.h"
#include "common/zstream.h"
#include "vocabularytestsupport.h"
#include "vocabulary/libraryfile.h"

namespace {

using namespace Qt::StringLiterals;

class VocLibraryFileTest : public ::testing::Test, public VocabularyFixture {};

// A library as the editor writes it: comments, records of both directions
// with every field used, an empty record in the middle.
QStringList sampleLines() {
  QStringList lines = {u"// Lektion 1: Im Haus"_s, u"// Quelle: eigene Sammlung"_s};
  lines += QStringList{u"la casa"_s, u"das Haus; das Heim"_s, u"das Gebäude"_s, u"Mi [casa] es tu casa."_s, u"1"_s,
                       u"(*) grande"_s, u"0"_s, u"0"_s, u"0"_s, u"1"_s};
  lines += QStringList{u"groß"_s, u"grande; gran"_s, QString(), u"Das Haus ist [groß]."_s, u"0"_s, QString(),
                       u"0"_s, u"2"_s, u"1"_s, u"4"_s};
  lines += QStringList{u"señor"_s, QString(), QString(), QString(), u"0"_s, QString(), u"0"_s, u"0"_s, u"0"_s, u"0"_s};
  lines += recordLines(u"por favor"_s, u"bitte"_s, 5, false, 3);
  lines += recordLines(u"a través de"_s, u"durch; über [räumlich]"_s, 7, false, 2);
  lines += recordLines(u"€uro"_s, u"Euro (m)"_s, 0, false, 0);
  return lines;
}

}  // namespace

TEST_F(VocLibraryFileTest, SavedLibraryReadsBackAndSavesByteForByte) {
  const QByteArray original = crlfLines(sampleLines());
  const QString path = program.write(u"orig.asc"_s, original);

  EXPECT_EQ(library.LoadFromFile(path, true), 6);
  EXPECT_EQ(library.Comments, (QStringList{u"Lektion 1: Im Haus"_s, u"Quelle: eigene Sammlung"_s}));
  ASSERT_EQ(library.Items.size(), 7);  // six records and the trailing empty one
  EXPECT_EQ(library.Count(), 6);
  EXPECT_TRUE(library.IsEmpty(2));  // "señor" has no meaning: an empty record inside the list
  EXPECT_EQ(library.FileName, path);
  EXPECT_FALSE(library.Modified);

  TVokabel casa = record(u"la casa"_s, u"das Haus; das Heim"_s, 0, false, 1);
  casa.Bedeutung[1] = u"das Gebäude"_s;
  casa.Kontext = {u"Mi [casa] es tu casa."_s, u"(*) grande"_s};
  casa.KontextBedeutung = {true, false};
  EXPECT_EQ(library.Items[0], casa);
  EXPECT_EQ(library.Items[1].Vokabel, u"groß"_s);
  EXPECT_TRUE(library.Items[1].Deutsch);
  EXPECT_EQ(library.Items[5].Vokabel, u"€uro"_s);

  const QString copy = program.file(u"copy.asc"_s);
  ASSERT_EQ(library.SaveToFile(copy), TVocLib::SaveResult::Saved);
  EXPECT_EQ(program.read(u"copy.asc"_s), original);
  EXPECT_EQ(library.FileName, copy);

  // An empty library is an empty file, and that reads as no records.
  TVocLib empty;
  ASSERT_EQ(empty.SaveToFile(program.file(u"empty.asc"_s)), TVocLib::SaveResult::Saved);
  EXPECT_TRUE(program.read(u"empty.asc"_s).isEmpty());
  EXPECT_EQ(library.LoadFromFile(program.file(u"empty.asc"_s), true), 0);
  EXPECT_EQ(library.Items.size(), 1);
  EXPECT_TRUE(library.Comments.isEmpty());
  EXPECT_EQ(library.FileName, program.file(u"empty.asc"_s));
}

TEST_F(VocLibraryFileTest, ReaderTrimsLinesAndReadsFlagsAndComments) {
  QByteArray bytes = "// Kommentar\r\n//\r\n";
  bytes += " Haus \t\r\ncasa (f)\r\n\r\n// kein Kommentar\r\n-1\r\n\r\nx\r\n 3 \r\n-1\r\n+2\r\n";
  bytes += "// zwischen den Eintr\xE4gen\r\n";
  bytes += "  \x01\r\nleer\r\n\r\n\r\n0\r\n\r\n0\r\n0\r\n0\r\n0\r\n";
  const QString path = program.write(u"regeln.asc"_s, bytes);

  EXPECT_EQ(library.LoadFromFile(path, true), 2);
  EXPECT_EQ(library.Comments, (QStringList{u"Kommentar"_s, QString(), u"zwischen den Einträgen"_s}));
  const TVokabel& haus = library.Items[0];
  EXPECT_EQ(haus.Vokabel, u"Haus"_s);
  EXPECT_EQ(haus.Kontext[0], u"// kein Kommentar"_s);  // inside a record a "//" line is a field
  EXPECT_TRUE(haus.KontextBedeutung[0]);                // "-1" is true
  EXPECT_TRUE(haus.KontextBedeutung[1]);                // so is any text but "0"
  EXPECT_EQ(haus.Wortart, 3);
  EXPECT_TRUE(haus.Deutsch);
  EXPECT_EQ(haus.Schwierigkeit, 2);
  EXPECT_EQ(haus.Score, 0);
  EXPECT_EQ(library.Items[1].Vokabel, QString());  // blanks and control characters trimmed away
  EXPECT_FALSE(library.Items[1].Deutsch);
  // Lines ending with LF alone or CR alone read like CR LF lines.
  const QString unix = program.write(u"unix.asc"_s, crlfLines(recordLines(u"uno"_s, u"eins"_s)).replace("\r\n", "\n"));
  EXPECT_EQ(library.LoadFromFile(unix, true), 1);
  EXPECT_EQ(library.Items[0].Bedeutung[0], u"eins"_s);
  const QString mac = program.write(u"mac.asc"_s, crlfLines(recordLines(u"dos"_s, u"zwei"_s)).replace("\r\n", "\r"));
  EXPECT_EQ(library.LoadFromFile(mac, true), 1);
  EXPECT_EQ(library.Items[0].Bedeutung[0], u"zwei"_s);
}

TEST_F(VocLibraryFileTest, DamagedFilesKeepWhatWasReadAndForgetTheFileName) {
  const QString good = writeLibrary(u"gut.asc"_s, recordLines(u"uno"_s, u"eins"_s));
  ASSERT_EQ(library.LoadFromFile(good, true), 1);
  // Missing and unreadable files leave the library alone.
  EXPECT_EQ(library.LoadFromFile(program.file(u"fehlt.asc"_s), true), 0);
  EXPECT_EQ(library.LoadFromFile(program.mkdir(u"ordner.asc"_s), true), TVocLib::kMalformed);
  EXPECT_EQ(library.FileName, good);
  EXPECT_EQ(library.Count(true), 2);

  // A number line that is not a number ends the reading with -2.
  QStringList lines = recordLines(u"uno"_s, u"eins"_s) + recordLines(u"dos"_s, u"zwei"_s);
  lines[17] = u"drei"_s;
  const QString bad = writeLibrary(u"schlecht.asc"_s, lines);
  EXPECT_EQ(library.LoadFromFile(bad, true), TVocLib::kMalformed);
  EXPECT_EQ(library.Count(), 1);
  EXPECT_EQ(library.Items[0].Vokabel, u"uno"_s);
  EXPECT_TRUE(library.IsEmpty(1));
  // The next save cannot silently replace the damaged file with the part that was read.
  EXPECT_TRUE(library.FileName.isEmpty());
  EXPECT_EQ(TBibliothek::DisplayPathOf(library.FileName), u"(Unbenannte Bibliothek)"_s);

  // A file ending in the middle of a record yields the records before it.
  QStringList cut = recordLines(u"uno"_s, u"eins"_s) + recordLines(u"dos"_s, u"zwei"_s).mid(0, 6);
  EXPECT_EQ(library.LoadFromFile(writeLibrary(u"kurz.asc"_s, cut), true), 1);
  EXPECT_EQ(library.Count(true), 2);

  // A file without a final line end keeps its last character.
  QByteArray open = crlfLines(recordLines(u"uno"_s, u"eins"_s));
  open.chop(2);
  EXPECT_EQ(library.LoadFromFile(program.write(u"offen.asc"_s, open), true), 1);
  EXPECT_EQ(library.Items[0].Schwierigkeit, 0);
  EXPECT_EQ(library.LoadFromFile(program.write(u"eins.asc"_s, "1"), true), 0);

  // Binary junk never crashes and leaves a library that ends with one empty record.
  Random::seed(7);
  for (int round = 0; round < 20; ++round) {
    QByteArray junk;
    for (int i = 0; i < 400; ++i) junk += static_cast<char>(Random::below(256));
    if (round % 2) junk.replace('x', "\r\n0\r\n");
    const int result = library.LoadFromFile(program.write(u"junk.asc"_s, junk), true);
    EXPECT_TRUE(result == TVocLib::kMalformed || result >= 0);
    ASSERT_FALSE(library.Items.isEmpty());
    EXPECT_TRUE(library.Items.last().IsEmpty());
  }
  // A foreign file: a compressed stream.
  const QByteArray zipped = ZStream::compress(crlfLines(sampleLines()));
  const int foreign = library.LoadFromFile(program.write(u"fremd.asc"_s, zipped), true);
  EXPECT_TRUE(foreign == TVocLib::kMalformed || foreign == 0);
}

TEST_F(VocLibraryFileTest, AppendingReplacesTheTrailingEmptyRecord) {
  const QString first = writeLibrary(u"a.asc"_s, QStringList{u"// A"_s} + recordLines(u"uno"_s, u"eins"_s));
  const QString second = writeLibrary(u"b.asc"_s, QStringList{u"// B"_s} + recordLines(u"dos"_s, u"zwei"_s, 0, true) +
                                                      recordLines(u"tres"_s, u"drei"_s, 0, true));
  ASSERT_EQ(library.LoadFromFile(first, true), 1);
  EXPECT_EQ(library.LoadFromFile(second, false), 2);
  ASSERT_EQ(library.Items.size(), 4);
  EXPECT_EQ(library.Items[1].Vokabel, u"dos"_s);
  EXPECT_TRUE(library.IsEmpty(3));
  EXPECT_TRUE(library.Items[3].Deutsch);  // the new trailing record continues the direction
  EXPECT_EQ(library.Comments, (QStringList{u"A"_s, u"B"_s}));
  EXPECT_TRUE(library.Modified);
  // Two files: no one file to save into, so the next save asks for a name.
  EXPECT_TRUE(library.FileName.isEmpty());

  // Comments only: no records, the comments, one empty record.
  EXPECT_EQ(library.LoadFromFile(writeLibrary(u"c.asc"_s, {u"// nur"_s, u"// Kommentare"_s}), true), 0);
  EXPECT_EQ(library.Items.size(), 1);
  EXPECT_EQ(library.Comments.size(), 2);
}

TEST_F(VocLibraryFileTest, WriterRefusesRecordsThatWouldNotReadBack) {
  const QString path = writeLibrary(u"alt.asc"_s, recordLines(u"uno"_s, u"eins"_s));
  const QByteArray before = program.read(u"Vokabeln (S)/alt.asc"_s);
  struct Case {
    TVokabel record;
    QString message;
  };
  TVokabel broken = record(u"dos"_s, u"zwei"_s);
  broken.Kontext[1] = u"erste Zeile\nzweite Zeile"_s;
  const QString notSaved = u"\nDie Bibliothek wurde nicht gespeichert!"_s;
  const std::vector<Case> cases = {
      {broken, u"Der Eintrag 2 (dos) enthält einen Zeilenumbruch."_s + notSaved},
      {record(u"// tres"_s, u"drei"_s),
       u"Der Eintrag 2 (// tres) beginnt mit \"//\" und würde beim Laden als Kommentar gelesen."_s + notSaved},
      {record(u" //"_s, u"Schrägstriche"_s),
       u"Der Eintrag 2 ( //) beginnt mit \"//\" und würde beim Laden als Kommentar gelesen."_s + notSaved},
      {record(u"Łódź"_s, u"Lodz"_s),
       u"Der Eintrag 2 (Łódź) enthält Zeichen, die in einer Bibliothek nicht gespeichert werden können."_s + notSaved},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(library.LoadFromFile(path, true), 1);
    library.Items.insert(1, c.record);
    library.Modified = true;
    messages.clear();
    EXPECT_EQ(library.SaveToFile(path), TVocLib::SaveResult::Refused);
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.messages()[0].text, c.message);
    EXPECT_EQ(program.read(u"Vokabeln (S)/alt.asc"_s), before);
    EXPECT_TRUE(library.Modified);
  }
  // "//x" is no comment and is written.
  library.Items[1] = record(u"//x"_s, u"Schrägstriche"_s);
  EXPECT_EQ(library.SaveToFile(path), TVocLib::SaveResult::Saved);
  EXPECT_EQ(library.LoadFromFile(path, true), 2);
}

TEST_F(VocLibraryFileTest, WriterKeepsCommentsAndTypedTextAndReportsWriteErrors) {
  library.Clear(false);
  library.Comments = {QString(), u"zwei\r\nZeilen"_s, u"Ende"_s};
  library.Add(record(u"uno"_s, u"eins"_s));
  TVokabel typed;  // the trailing record with an entry but no meaning yet
  typed.Vokabel = u"dos"_s;
  library.Add(typed);
  const QString path = program.file(u"neu.asc"_s);
  ASSERT_EQ(library.SaveToFile(path), TVocLib::SaveResult::Saved);
  const QByteArray bytes = program.read(u"neu.asc"_s);
  EXPECT_TRUE(bytes.startsWith("// \r\n// zwei\r\n// Zeilen\r\n// Ende\r\nuno\r\n"));
  EXPECT_EQ(library.LoadFromFile(path, true), 2);
  EXPECT_EQ(library.Comments, (QStringList{QString(), u"zwei"_s, u"Zeilen"_s, u"Ende"_s}));
  EXPECT_EQ(library.Items.size(), 2);  // "dos" is the trailing record again
  EXPECT_EQ(library.Items[1].Vokabel, u"dos"_s);

  // The trailing empty record of AddEmpty is not written.
  library.Items.removeLast();
  library.AddEmpty();
  ASSERT_EQ(library.SaveToFile(path), TVocLib::SaveResult::Saved);
  EXPECT_TRUE(program.read(u"neu.asc"_s).endsWith("eins\r\n\r\n\r\n0\r\n\r\n0\r\n0\r\n0\r\n0\r\n"));

  library.Modified = true;
  EXPECT_EQ(library.SaveToFile(program.file(u"fehlt/x.asc"_s)), TVocLib::SaveResult::WriteError);
  EXPECT_EQ(library.FileName, path);
  EXPECT_TRUE(library.Modified);
  EXPECT_TRUE(messages.messages().isEmpty());  // the caller reports write errors
}

TEST_F(VocLibraryFileTest, LoadSetShufflesFilesAndStopsAfterMaxCount) {
  QStringList paths;
  for (int f = 0; f < 3; ++f) {
    QStringList lines;
    for (int r = 0; r < 4; ++r) lines += recordLines(u"w%1_%2"_s.arg(f).arg(r), u"m"_s);
    paths << writeLibrary(u"f%1.asc"_s.arg(f), lines);
  }
  std::set<QString> orders;
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    Random::seed(seed);
    library.LoadSet(paths, 0);
    ASSERT_EQ(library.Count(), 12);
    QString order;
    for (int i = 0; i < 12; i += 4) {
      // The records of each file stay together.
      for (int r = 0; r < 4; ++r)
        EXPECT_EQ(library.Items[i + r].Vokabel.left(2), library.Items[i].Vokabel.left(2));
      order += library.Items[i].Vokabel.mid(1, 1);
    }
    orders.insert(order);
    EXPECT_TRUE(library.FileName.isEmpty());
    EXPECT_FALSE(library.Modified);
    EXPECT_TRUE(library.IsEmpty(12));
  }
  EXPECT_GE(orders.size(), 3u);

  library.LoadSet(paths, 5);  // stops once more than 5 are loaded
  EXPECT_EQ(library.Count(), 8);
  library.LoadSet({paths[1]}, 0);
  EXPECT_EQ(library.FileName, paths[1]);
  library.LoadSet({}, 0);
  EXPECT_EQ(library.Count(true), 1);
}

TEST(VocLibraryTest, SettersMarkRealChangesOnly) {
  TVocLib lib;
  lib.SetVokabel(0, u"uno"_s);
  lib.SetBedeutung(0, 0, u"eins"_s);
  lib.SetDeutsch(0, true);
  EXPECT_EQ(lib.AddEmpty(), 1);
  EXPECT_TRUE(lib.Deutsch(1));  // a new entry continues the direction
  lib.Modified = false;
  lib.SetVokabel(0, u"uno"_s);
  lib.SetKontextBedeutung(0, 2, true);
  lib.SetWortart(5, 3);
  EXPECT_FALSE(lib.Modified);
  lib.SetSchwierigkeit(0, 9);
  EXPECT_EQ(lib.Schwierigkeit(0), 4);
  lib.Current = 0;
  EXPECT_EQ(lib.Vokabel(-2), u"uno"_s);  // the record before Current, not below 0
  lib.Current = 1;
  EXPECT_EQ(lib.Vokabel(-3), QString());  // the record after it, not beyond the last
}
