#include <gtest/gtest.h>

#include <QMap>
#include <set>

#include "common/random.h"
#include "vocabulary/answers.h"

namespace {

using namespace Qt::StringLiterals;

struct Expansion {
  QString line;
  QStringList forms;
};

}  // namespace

TEST(VocAnswersTest, MeaningLinesExpandToEveryAcceptedForm) {
  const std::vector<Expansion> table = {
      {u"casa (f)"_s, {u"casa"_s, u"la casa"_s}},
      {u"(el/la) estudiante"_s, {u"el estudiante"_s, u"la estudiante"_s, u"estudiante"_s}},
      {u"estudiante (mf)"_s, {u"el estudiante"_s, u"la estudiante"_s, u"estudiante"_s}},
      {u"la casa (f)"_s, {u"la casa"_s}},
      {u"folgend(es)"_s, {u"folgend"_s, u"folgendes"_s}},
      {u"folgende; folgend(es)"_s, {u"folgende"_s, u"folgend"_s, u"folgendes"_s}},
      {u"[Spielmarke] ficha (f)"_s, {u"ficha"_s, u"la ficha"_s}},
      {u"groß"_s, {u"groß"_s, u"gross"_s}},
      {u"Straße (f)"_s, {u"Straße"_s, u"Strasse"_s, u"la Straße"_s, u"la Strasse"_s}},
      {u"weiß; weiss"_s, {u"weiß"_s, u"weiss"_s}},
      {u"weiss; weiß"_s, {u"weiss"_s, u"weiß"_s}},
      // The blank after a ";" is skipped only when it is there.
      {u"a;b"_s, {u"a"_s, u"b"_s}},
      {u"a; b"_s, {u"a"_s, u"b"_s}},
      {u"a;  b"_s, {u"a"_s, u"b"_s}},
      {u"(f) mano"_s, {u"mano"_s, u"la mano"_s}},
      {u"zapatos (mpl)"_s, {u"zapatos"_s, u"los zapatos"_s}},
      {u"gafas (fpl)"_s, {u"gafas"_s, u"las gafas"_s}},
      {u"los ojos (mpl)"_s, {u"los ojos"_s}},
      {u"hacer (algo) (bien/mal)"_s,
       {u"hacer algo bien"_s, u"hacer algo mal"_s, u"hacer bien"_s, u"hacer mal"_s, u"hacer algo"_s, u"hacer"_s}},
      {u"(un/una) (buen) amigo"_s, {u"un/una buen amigo"_s, u"buen amigo"_s, u"un/una amigo"_s, u"amigo"_s}},
      {u"(sich) waschen (lassen)"_s,
       {u"sich waschen lassen"_s, u"waschen lassen"_s, u"sich waschen"_s, u"waschen"_s}},
      {u"Tisch [Möbel]; mesa  grande"_s, {u"Tisch"_s, u"mesa grande"_s}},
      {u"[]"_s, {u"[]"_s}},
      {u"()"_s, {u"()"_s}},
      {u"(m)"_s, {QString(), u"el"_s}},
      {u"casa;"_s, {u"casa"_s, QString()}},
      {u"casa; "_s, {u"casa"_s, QString()}},
      {u";"_s, {QString()}},
      {u"x ("_s, {u"x ("_s}},
      {u") (m"_s, {u") (m"_s}},
      {u"(ab"_s, {u"(ab"_s}},
  };
  for (const Expansion& e : table) EXPECT_EQ(ExpandAnswers(e.line), e.forms) << e.line.toStdString();
  EXPECT_TRUE(ExpandAnswers(QString()).isEmpty());

  // Both meaning lines of a record go into one list without duplicates.
  QStringList list;
  ExpandAnswers(u"casa (f)"_s, list);
  ExpandAnswers(u"la casa; hogar (m)"_s, list);
  EXPECT_EQ(list, (QStringList{u"casa"_s, u"la casa"_s, u"hogar"_s, u"el hogar"_s}));
}

TEST(VocAnswersTest, ExplanationsAreStripped) {
  EXPECT_EQ(StripExplanations(u"[Spielmarke] ficha"_s), u"ficha"_s);
  EXPECT_EQ(StripExplanations(u"ficha [Spiel] [Marke]"_s), u"ficha"_s);
  EXPECT_EQ(StripExplanations(u"banco [Geld] ; banco [Sitz]"_s), u"banco; banco"_s);
  EXPECT_EQ(StripExplanations(u"a [] b [c]"_s), u"a [] b [c]"_s);  // an empty pair ends the stripping
  EXPECT_EQ(StripExplanations(u"a ] b [c"_s), u"a ] b [c"_s);
  EXPECT_EQ(StripExplanations(u"  casa  "_s), u"casa"_s);
}

TEST(VocAnswersTest, HintsShowLengthAndAFewLetters) {
  EXPECT_EQ(HintText(QString()), QString());
  EXPECT_EQ(HintText(u"y"_s), u"."_s);
  EXPECT_EQ(HintText(u"no"_s), u".."_s);
  EXPECT_EQ(HintText(u"sí"_s), u".."_s);
  EXPECT_EQ(HintText(u"mar"_s), u"m.."_s);
  EXPECT_EQ(HintText(u"geben"_s), u"g...n"_s);
  EXPECT_EQ(HintText(u"a-b!d"_s), u"a-.!d"_s);
  EXPECT_EQ(HintText(u"¿qué?"_s), u"¿...?"_s);

  std::set<QString> seen;
  Random::seed(3);
  for (int i = 0; i < 200; ++i) seen.insert(HintText(u"hablar"_s));
  EXPECT_EQ(seen, (std::set<QString>{u"h....r"_s, u"h...ar"_s}));
  // Punctuation from the fifth position on always stays.
  for (int i = 0; i < 20; ++i) EXPECT_EQ(HintText(u"hace, pues"_s).mid(4, 2), u", "_s);
}

TEST(VocAnswersTest, MeaningsBecomeSoundLinksWithTheirExplanations) {
  const QMap<QString, QString> recordings = {{u"casa"_s, u"/kurs/wave/casa.wav"_s},
                                             {u"a&b"_s, u"/kurs/wave/a\"b%.wav"_s}};
  const RecordingLookup lookup = [&](const QString& text) { return recordings.value(text); };

  EXPECT_EQ(SoundLink(u"casa"_s, lookup), u"<a href=\"/kurs/wave/casa.wav\" >casa</a>"_s);
  EXPECT_EQ(SoundLink(u"mesa"_s, lookup), u"mesa"_s);
  EXPECT_EQ(SoundLink(u"casa"_s, {}), u"casa"_s);
  // Data never opens a tag or breaks the link target.
  EXPECT_EQ(SoundLink(u"a&b"_s, lookup), u"<a href=\"/kurs/wave/a%22b%25.wav\" >a&amp;b</a>"_s);
  EXPECT_EQ(SoundLink(u"<b>x"_s, lookup), u"<<b>x"_s);

  EXPECT_EQ(FormatMeanings(u"casa; [Möbel] mesa"_s, false, true, lookup), u"casa; [Möbel] mesa"_s);
  EXPECT_EQ(FormatMeanings(u"casa; [Möbel] mesa"_s, true, true, lookup),
            u"<a href=\"/kurs/wave/casa.wav\" >casa</a>; <+kommentar>[Möbel]<+normal> mesa"_s);
  EXPECT_EQ(FormatMeanings(u"banco [Sitz]; casa"_s, true, false, lookup),
            u" [Sitz] banco; <a href=\"/kurs/wave/casa.wav\" >casa</a>"_s);
  EXPECT_EQ(FormatMeanings(u"a [x] b"_s, true, false, lookup), u"a [x] b"_s);  // not at either end
  EXPECT_EQ(FormatMeanings(u"a;b"_s, true, false, lookup), u"a; b"_s);
  EXPECT_EQ(FormatMeanings(u"x;"_s, true, true, lookup), u"x; "_s);
  EXPECT_EQ(FormatMeanings(u"<i>; $x [&]"_s, true, true, lookup), u"<<i>; <+kommentar>[&amp;]<+normal> &nil;$x"_s);
}
