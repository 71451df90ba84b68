#include <gtest/gtest.h>

#include <QFile>

#include "common/zstream.h"
#include "pages/zipresource.h"
#include "vocabularytestsupport.h"
#include "vocabulary/tres.h"

namespace {

using namespace Qt::StringLiterals;

class VocSelectionTest : public ::testing::Test, public VocabularyFixture {
 protected:
  void SetUp() override {
    writeLibrary(u"Grundwortschatz/a.asc"_s, recordLines(u"uno"_s, u"eins"_s));
    writeLibrary(u"Grundwortschatz/Sub/b.ASC"_s, recordLines(u"dos"_s, u"zwei"_s));
    writeLibrary(u"Grundwortschatz/sub2/tief/c.asc"_s, recordLines(u"tres"_s, u"drei"_s));
    writeLibrary(u"Grundwortschatz/notizen.txt"_s, recordLines(u"nada"_s, u"nichts"_s));
    writeLibrary(u"Reisevokabular/d.asc"_s, recordLines(u"playa"_s, u"Strand"_s));
    // A library outside the vocabulary directory that no selection may read.
    program.write(u"geheim.asc"_s, crlfLines(recordLines(u"secreto"_s, u"Geheimnis"_s)));
  }

  QStringList words() const {
    QStringList w;
    for (int i = 0; i < library.Count(); ++i) w << library.Items[i].Vokabel;
    w.sort();
    return w;
  }
  TVocEinstellungen& settings() { return library.Einstellungen; }
};

}  // namespace

TEST_F(VocSelectionTest, AFolderSelectionLoadsEveryLibraryBelowIt) {
  library.SetSelection(u"Grundwortschatz\\"_s);
  EXPECT_EQ(words(), (QStringList{u"dos"_s, u"tres"_s, u"uno"_s}));
  EXPECT_EQ(settings().FileCount(), 3);
  EXPECT_EQ(settings().Selection(), u"Grundwortschatz\\"_s);
  EXPECT_TRUE(settings().Modified());
  EXPECT_FALSE(library.Modified);
  EXPECT_TRUE(library.FileName.isEmpty());

  // The selection that is loaded already is not loaded again.
  library.Items[0].Vokabel = u"geändert"_s;
  library.SetSelection(u"Grundwortschatz\\"_s);
  EXPECT_TRUE(words().contains(u"geändert"_s));

  library.SetSelection(u"reisevokabular"_s);  // the folder is found without regard to case
  EXPECT_EQ(words(), QStringList{u"playa"_s});
  EXPECT_EQ(library.FileName, program.file(u"Vokabeln (S)/Reisevokabular/d.asc"_s));
  EXPECT_EQ(settings().FileCount(), 1);

  library.SetSelection(u"Fehlt"_s);
  EXPECT_EQ(library.Count(true), 1);
  EXPECT_EQ(settings().FileCount(), 0);
  EXPECT_EQ(settings().Selection(), u"Fehlt"_s);
}

TEST_F(VocSelectionTest, NamesReachingOutsideTheVocabularyDirectoryAreIgnored) {
  library.SetSelection(u"Reisevokabular"_s);
  for (const QString& name : {u"..\\"_s, u"..\\..\\"_s, u"Grundwortschatz\\..\\.."_s, u"/"_s, u"\\"_s,
                              program.path(), u"C:\\"_s, u"../"_s}) {
    library.SetSelection(name);
    EXPECT_EQ(words(), QStringList{u"playa"_s}) << name.toStdString();
    EXPECT_EQ(settings().Selection(), u"Reisevokabular"_s);
  }
  // Without a vocabulary directory nothing is read at all.
  env.VocabularyDir.clear();
  library.SetSelection(u"Grundwortschatz"_s);
  EXPECT_EQ(library.Count(), 0);
}

TEST_F(VocSelectionTest, TheLearnersListFileNamesTheLibraries) {
  EXPECT_EQ(library.ListFilePath(), program.file(u"S_Bibliotheken.txt"_s));
  library.SetSelection(QString());  // no list file: no libraries
  EXPECT_EQ(library.Count(true), 1);
  EXPECT_EQ(settings().FileCount(), 0);

  program.write(u"S_Bibliotheken.txt"_s, crlfLines({u"Grundwortschatz\\a.asc"_s, u"..\\geheim.asc"_s,
                                                    program.file(u"geheim.asc"_s), QString(), u"  "_s,
                                                    u"GRUNDWORTSCHATZ\\SUB\\B.ASC"_s, u"fehlt.asc"_s}));
  library.SetSelection(QString());
  EXPECT_EQ(words(), (QStringList{u"dos"_s, u"uno"_s}));
  EXPECT_EQ(settings().FileCount(), 3);
  EXPECT_TRUE(settings().Selection().isEmpty());
  library.SetSelection(QString());  // the own list is read again every time
  EXPECT_EQ(library.Count(), 2);

  // A learner's list lies in the learner's directory.
  ASSERT_TRUE(users.CreateUser(u"anna"_s, QString()));
  EXPECT_EQ(library.ListFilePath(), program.file(u"Benutzer/anna/S_Bibliotheken.txt"_s));
  library.SetSelection(QString());
  EXPECT_EQ(library.Count(), 0);
  program.write(u"Benutzer/anna/S_Bibliotheken.txt"_s, "Reisevokabular\\d.asc");
  library.SetSelection(QString());
  EXPECT_EQ(words(), QStringList{u"playa"_s});

  // A damaged list file reads nothing from outside.
  QByteArray junk;
  for (int i = 0; i < 256; ++i) junk += static_cast<char>(i);
  program.write(u"Benutzer/anna/S_Bibliotheken.txt"_s, junk + "\r\n..\r\n/\r\n" + junk);
  library.SetSelection(QString());
  EXPECT_EQ(library.Count(), 0);
}

namespace {

QByteArray resourceText(int records) {
  QStringList lines;
  for (int i = 0; i < records; ++i)
    lines += {u" palabra%1 "_s.arg(i), u"Wort%1"_s.arg(i), QString(), QString(), u"1"_s, QString(),
              i % 2 ? u"0"_s : u"x"_s, QString::number(i % 8), i % 3 ? u"-1"_s : u"1"_s, u"0"_s};
  return crlfLines(lines);
}

}  // namespace

TEST(VocResourceTest, BasicVocabularyReadsAtMost600Records) {
  auto full = TZIPResource::fromStream(ZStream::compress(resourceText(750)));
  const TRes res(full);
  ASSERT_EQ(res.Count(), 600);
  const TVokabel& r0 = res.Item(0);
  EXPECT_EQ(r0.Vokabel, u" palabra0 "_s);  // lines are taken as they are
  EXPECT_FALSE(r0.Deutsch);                // only "-1" is German
  EXPECT_TRUE(res.Item(1).Deutsch);
  EXPECT_TRUE(r0.KontextBedeutung[0]);
  EXPECT_TRUE(r0.KontextBedeutung[1]);  // "x" is true
  EXPECT_FALSE(res.Item(1).KontextBedeutung[1]);
  EXPECT_EQ(res.Item(599).Wortart, 599 % 8);
  EXPECT_EQ(res.Item(600).Vokabel, QString());
  EXPECT_EQ(res.Item(-1).Vokabel, QString());

  // A record cut off at the end, or a number line that is not a number, ends the reading.
  QByteArray cut = resourceText(3);
  cut.chop(12);
  auto partial = TZIPResource::fromStream(ZStream::compress(cut));
  EXPECT_EQ(TRes(partial).Count(), 2);
  QByteArray bad = resourceText(3).replace("\r\n2\r\n", "\r\nzwei\r\n");
  auto malformed = TZIPResource::fromStream(ZStream::compress(bad));
  EXPECT_EQ(TRes(malformed).Count(), 2);
  QByteArray z = ZStream::compress(resourceText(5));
  auto damaged = TZIPResource::fromStream(z.left(z.size() / 2));
  EXPECT_EQ(TRes(damaged).Count(), 0);
  auto foreign = TZIPResource::fromStream(resourceText(5));  // not compressed at all
  EXPECT_EQ(TRes(foreign).Count(), 0);
}

TEST(VocResourceTest, BuiltInResourceHoldsTheCourseData) {
  QFile source(QStringLiteral(ZVK_SOURCE_DIR "/course/data/2.txt"));
  ASSERT_TRUE(source.open(QIODevice::ReadOnly));
  const QString first = QString::fromUtf8(source.readLine()).trimmed();
  int lines = 1;
  while (!source.atEnd()) {
    source.readLine();
    ++lines;
  }
  const TRes res;
  EXPECT_EQ(res.Count(), std::min(TRes::kMaxRecords, lines / 10));
  ASSERT_GT(res.Count(), 0);
  EXPECT_EQ(res.Item(0).Vokabel, first);
}
