#include <gtest/gtest.h>

#include "vocabularytestsupport.h"

namespace {

using namespace Qt::StringLiterals;

class VocImportTest : public ::testing::Test, public VocabularyFixture {};

}  // namespace

TEST_F(VocImportTest, DelimitedTextBecomesRecords) {
  library.LoadFromFile(writeLibrary(u"alt.asc"_s, recordLines(u"viejo"_s, u"alt"_s)), true);
  const QString path = program.write(
      u"import.txt"_s, Cp1252::encode(u"rojo\t rojo , encarnado/ colorado \t2\t4\t0\tEl coche es [rojo].\n"
                                      u"Haus\tcasa (f)\t9\t7\t+\tLa [casa].\tsegundo\ttercero\r\n"
                                      u"\n"
                                      u"nur ein Wert\n"
                                      u"tres\tdrei\tx\t-1\t1\n"
                                      u"cuatro\tvier\t259\t4\t-1\r\n"
                                      u"sin\t\t1\n"_s));
  library.ImportText(path, u"Vokabel, Bedeutung ,Wortart,Schwierigkeit, Deutsch,Kontext, Kontext, Kontext"_s,
                     u'\t');
  EXPECT_TRUE(messages.messages().isEmpty());
  ASSERT_EQ(library.Count(), 4);
  EXPECT_TRUE(library.IsEmpty(4));
  EXPECT_TRUE(library.FileName.isEmpty());  // the first save asks for a name
  EXPECT_FALSE(library.Modified);
  EXPECT_TRUE(library.Comments.isEmpty());

  const TVokabel& rojo = library.Items[0];
  EXPECT_EQ(rojo.Bedeutung[0], u"rojo; encarnado; colorado"_s);
  EXPECT_EQ(rojo.Wortart, 2);
  EXPECT_EQ(rojo.Schwierigkeit, 4);
  EXPECT_FALSE(rojo.Deutsch);
  EXPECT_EQ(rojo.Kontext[0], u"El coche es [rojo]."_s);
  EXPECT_TRUE(rojo.KontextBedeutung[0]);
  EXPECT_FALSE(rojo.KontextBedeutung[1]);

  const TVokabel& haus = library.Items[1];
  EXPECT_EQ(haus.Wortart, 0);        // 9 is no word class
  EXPECT_EQ(haus.Schwierigkeit, 2);  // 7 is no difficulty
  EXPECT_TRUE(haus.Deutsch);
  EXPECT_EQ(haus.Kontext[1], u"segundo"_s);  // a third context is ignored
  EXPECT_TRUE(haus.KontextBedeutung[1]);

  EXPECT_EQ(library.Items[2].Wortart, 0);        // "x" is not a number: unchanged
  EXPECT_EQ(library.Items[2].Schwierigkeit, 2);  // -1 is the byte 255
  EXPECT_TRUE(library.Items[2].Deutsch);
  EXPECT_EQ(library.Items[3].Wortart, 3);  // 259 is the byte 3
  EXPECT_TRUE(library.Items[3].Deutsch);

  // More meaning columns fill the second line.
  const QString more = program.write(u"mehr.txt"_s, "uno;eins;ein;einer/eine\r\n");
  library.ImportText(more, u"Vokabel, Bedeutung, Bedeutung, Bedeutung, Bedeutung, Sonstwas"_s, u';');
  ASSERT_EQ(library.Count(), 1);
  EXPECT_EQ(library.Items[0].Bedeutung[0], u"eins"_s);
  EXPECT_EQ(library.Items[0].Bedeutung[1], u"ein; einer; eine"_s);
}

TEST_F(VocImportTest, MissingAndBinaryFilesAreReported) {
  library.ImportText(program.file(u"fehlt.txt"_s), u"Vokabel, Bedeutung"_s, u'\t');
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].text, u"Datei konnte nicht gefunden werden!"_s);
  EXPECT_EQ(messages.messages()[0].kind, MessageKind::Stop);
  EXPECT_EQ(library.Count(true), 1);

  messages.clear();
  library.ImportText(program.mkdir(u"ordner"_s), u"Vokabel, Bedeutung"_s, u'\t');
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].text, u"Fehler beim Öffnen!"_s);

  messages.clear();
  QByteArray binary = "uno\teins\r\ndos\tzwei\r\n";
  binary += QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\tx\r\n", 22);
  binary += "tres\tdrei\r\n";
  library.ImportText(program.write(u"bild.txt"_s, binary), u"Vokabel, Bedeutung"_s, u'\t');
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].text, u"Die Datei hat ein falsches Format oder ist beschädigt!"_s);
  EXPECT_EQ(library.Count(), 2);  // the records before the binary data stay
  EXPECT_EQ(library.Items[1].Vokabel, u"dos"_s);
  EXPECT_TRUE(library.IsEmpty(2));
}

TEST(VocDisplayPathTest, LongFileNamesAreShortenedForTheCaption) {
  EXPECT_EQ(TBibliothek::DisplayPathOf(QString()), u"(Unbenannte Bibliothek)"_s);
  const QString exact = u"C:\\"_s + QString(67, u'v') + u"\\Datei.asc"_s;
  ASSERT_EQ(exact.size(), 80);
  EXPECT_EQ(TBibliothek::DisplayPathOf(exact), exact);

  const QString deep =
      u"C:\\Eigene Dateien\\Sprachen\\Spanisch\\Vokabeln (S)\\Grundwortschatz\\Kapitel 12\\Teil 3\\Lektion.asc"_s;
  EXPECT_EQ(TBibliothek::DisplayPathOf(deep),
            u"C:\\...\\Spanisch\\Vokabeln (S)\\Grundwortschatz\\Kapitel 12\\Teil 3\\Lektion.asc"_s);

  const QString longName = u"/home/anna/"_s + QString(100, u'x') + u".asc"_s;
  EXPECT_EQ(TBibliothek::DisplayPathOf(longName), u"/home/anna/"_s + QString(37, u'x') + u"..."_s);

  const QString both = u"/"_s + QString(70, u'd') + u"/"_s + QString(60, u'n') + u".asc"_s;
  EXPECT_EQ(TBibliothek::DisplayPathOf(both), u"/.../"_s + QString(60, u'n') + u".asc"_s);  // the directory gives way to the name
}
