// Reading the language lab's sentences from the program's data resource.

#include <gtest/gtest.h>

#include "common/zstream.h"
#include "common/textcodec.h"
#include "lab/labsentences.h"
#include "pages/zipresource.h"

namespace {

using namespace Qt::StringLiterals;

// The lines, each ended by the given terminator, as the packed resource.
QList<TThema> read(const QStringList& lines, const QByteArray& end = QByteArray(1, '\0')) {
  QByteArray data;
  for (const QString& line : lines) data += Cp1252::encode(line) + end;
  TZIPResource resource = TZIPResource::fromStream(ZStream::compress(data));
  return LabSentences::Read(resource);
}

const QStringList kTwoTopics = {
    u"****  Angaben zur Person  "_s,
    u"¿Cómo te llamas?"_s, u""_s, u""_s, u"Wie heißt du?"_s, u"XS:\\LA\\2\\sl___21a.wav"_s,
    u"Tengo 28 años."_s, u"Tengo veintiocho años."_s, u"T.... 28 a...."_s, u"Ich bin 28."_s, u"XS:\\LA\\2\\sl___22a.wav"_s,
    u"****Kontakte"_s,
    u""_s, u""_s, u" "_s, u"Hallo!"_s, u"XS:\\LA\\3\\sl___01a.wav"_s,
};

}  // namespace

TEST(LabSentences, TopicsAndGroupsOfFiveWithNulOrCrLfLineEnds) {
  for (const QByteArray& end : {QByteArray(1, '\0'), QByteArray("\r\n")}) {
    SCOPED_TRACE(end == "\r\n" ? "CR LF" : "NUL");
    const QList<TThema> topics = read(kTwoTopics, end);
    ASSERT_EQ(topics.size(), 2);
    EXPECT_EQ(topics[0].Titel, u"Angaben zur Person"_s) << "the title is trimmed";
    ASSERT_EQ(topics[0].Saetze.size(), 2);
    const TSatz& first = topics[0].Saetze[0];
    EXPECT_EQ(first.Satz, u"¿Cómo te llamas?"_s);
    EXPECT_EQ(first.Alternativen, QString());
    EXPECT_EQ(first.Deutsch, u"Wie heißt du?"_s);
    EXPECT_EQ(first.Aufnahme, u"XS:\\LA\\2\\sl___21a.wav"_s);
    // An empty help line becomes the dotted hint: first letter, blanks and marks stay.
    EXPECT_EQ(first.Hilfe.size(), first.Satz.size());
    EXPECT_TRUE(first.Hilfe.startsWith(u"¿"_s)) << first.Hilfe.toStdString();
    EXPECT_EQ(first.Hilfe[5], u' ');
    EXPECT_TRUE(first.Hilfe.endsWith(u'?'));
    EXPECT_TRUE(first.Hilfe.contains(u'.'));
    EXPECT_EQ(topics[0].Saetze[1].Alternativen, u"Tengo veintiocho años."_s);
    EXPECT_EQ(topics[0].Saetze[1].Hilfe, u"T.... 28 a...."_s) << "a written help line stays";

    ASSERT_EQ(topics[1].Saetze.size(), 1);
    EXPECT_EQ(topics[1].Saetze[0].Satz, u"FEHLER!"_s) << "an empty sentence line";
    EXPECT_FALSE(topics[1].Saetze[0].Hilfe.trimmed().isEmpty()) << "a blank help line gets the hint too";
  }
}

TEST(LabSentences, LinesBeforeTheFirstTopicEmptyTopicsAndTrailingLineEnds) {
  // The lines of no topic are skipped, an empty topic stays empty, trailing
  // line ends add no "FEHLER!" sentence, and a group cut short keeps what it has.
  QStringList lines = {u"Sprachlabor"_s, u"ohne Thema"_s, u"****Leer"_s, u"****Kurz"_s,
                       u"Hola."_s,       u""_s,           u""_s,         u"Hallo."_s};
  const QList<TThema> topics = read(lines + QStringList{u"****Ende"_s, u""_s, u""_s, u""_s, u""_s, u""_s, u""_s, u""_s});
  ASSERT_EQ(topics.size(), 3);
  EXPECT_EQ(topics[0].Titel, u"Leer"_s);
  EXPECT_TRUE(topics[0].Saetze.isEmpty());
  ASSERT_EQ(topics[1].Saetze.size(), 1);
  EXPECT_EQ(topics[1].Saetze[0].Deutsch, u"Hallo."_s);
  EXPECT_TRUE(topics[1].Saetze[0].Aufnahme.isEmpty());
  EXPECT_TRUE(topics[2].Saetze.isEmpty());

  EXPECT_TRUE(read({u"Sprachlabor"_s}).isEmpty()) << "a resource without topics";
  TZIPResource missing(99);
  EXPECT_TRUE(LabSentences::Read(missing).isEmpty());
  TZIPResource damaged = TZIPResource::fromStream("not a zlib stream");
  EXPECT_TRUE(LabSentences::Read(damaged).isEmpty());
}
