#include <gtest/gtest.h>

#include <QRegularExpression>
#include <set>

#include "common/zstream.h"
#include "pages/zipresource.h"
#include "querytestsupport.h"

namespace {

using namespace Qt::StringLiterals;

// A basic vocabulary from records in the resource's ten-line layout.
TRes reserveOf(const QList<TVokabel>& records) {
  QByteArray text;
  for (const TVokabel& r : records) {
    for (const QString& line :
         {r.Vokabel, r.Bedeutung[0], r.Bedeutung[1], QString(), u"0"_s, QString(), u"0"_s, QString::number(r.Wortart),
          r.Deutsch ? u"-1"_s : u"0"_s, u"0"_s})
      text += line.toUtf8() + "\r\n";
  }
  TZIPResource reader = TZIPResource::fromStream(ZStream::compress(text));
  return TRes(reader);
}

class VocQueryTasksTest : public ::testing::Test, public QueryFixture {
 protected:
  // Starts a forward section on the records, so that the first record is asked.
  void askFirst(const QList<TVokabel>& records) {
    setRecords(records);
    settings().SetRichtung(TVocEinstellungen::Vor);
    query.StartQuery();
  }
  std::set<QString> wrongMeanings(int slot = 0) const {
    std::set<QString> out;
    for (int j = 1; j < 6; ++j) out.insert(query.Task(slot).Optionen[j].Bedeutung[0]);
    return out;
  }
};

TVokabel withContext(TVokabel v, const QString& k0, const QString& k1 = {}, bool tip0 = false) {
  v.Kontext[0] = k0;
  v.Kontext[1] = k1;
  v.KontextBedeutung[0] = tip0;
  return v;
}

}  // namespace

TEST_F(VocQueryTasksTest, MultipleChoiceLinksCarryKeysAndOptionNumbers) {
  askFirst({record(u"casa (f)"_s, u"Haus"_s), record(u"perro"_s, u"Hund"_s), record(u"gato"_s, u"Katze"_s),
            record(u"árbol"_s, u"Baum, Strauch #1"_s), record(u"mesa"_s, u"Tisch"_s), record(u"silla"_s, u"Stuhl"_s)});
  query.BuildMultipleChoice();
  const QRegularExpression link(
      uR"re(^<a href="(§\[vokabel\+\]|§vokabel\[~([1-5])\]-)"  key="([1-6])">(.*)</a>$)re"_s);
  std::set<QString> meanings;
  std::set<int> options;
  for (int p = 0; p < 6; ++p) {
    const auto m = link.match(page.var(u"MCH%1"_s.arg(p)));
    ASSERT_TRUE(m.hasMatch()) << page.var(u"MCH%1"_s.arg(p)).toStdString();
    EXPECT_EQ(m.captured(3).toInt(), p + 1);
    const int option = m.captured(2).isEmpty() ? 0 : m.captured(2).toInt();
    options.insert(option);
    EXPECT_EQ(m.captured(4), query.Task(0).Optionen[option].Bedeutung[0]);
    meanings.insert(m.captured(4));
  }
  EXPECT_EQ(options, (std::set<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_TRUE(meanings.count(u"Baum, Strauch #1"_s));
  EXPECT_EQ(page.var(u"Aufgabe"_s), u"casa (f)"_s);
  EXPECT_EQ(page.var(u"Wortart"_s), u"Nomen"_s);
}

TEST_F(VocQueryTasksTest, AWrongOptionIsNamedByItsNumberWhateverItsText) {
  askFirst({record(u"casa (f)"_s, u"Haus"_s), record(u"árbol"_s, u"Baum, Strauch #1"_s),
            record(u"perro"_s, u"Hund"_s)});
  int option = 1;
  while (query.Task(0).Optionen[option].Vokabel != u"árbol"_s) ++option;
  query.Answer(u"[~%1]-"_s.arg(option));
  EXPECT_EQ(page.last(), u"va_falsch2.htx"_s);
  EXPECT_EQ(page.var(u"Falsch"_s), u"<+normal>árbol <+kommentar> [Nomen]<p><+normal>Baum, Strauch #1"_s);
  EXPECT_EQ(page.var(u"Richtig"_s), u"<+normal>casa (f) <+kommentar> [Nomen]<p><+normal>Haus"_s);
  EXPECT_EQ(page.var(u"Aufgabe"_s), u"casa (f)"_s);
  EXPECT_EQ(page.var(u"Zähler"_s), u"1 / 3"_s);
  EXPECT_EQ(page.var(u"Prozent"_s), u"0%"_s);

  // The text form names the option with that meaning, in any case; a typed
  // answer names none.
  query.NextQuestion();
  query.Answer(u"[baum, strauch #1]-"_s);
  EXPECT_NE(page.var(u"Falsch"_s).indexOf(u"árbol"_s), -1);
  query.NextQuestion();
  query.Answer(u"-"_s);
  EXPECT_EQ(page.var(u"Falsch"_s), QString());
  EXPECT_EQ(page.last(), u"va_falsch1.htx"_s);
}

TEST_F(VocQueryTasksTest, WrongAnswersShareWordClassAndDirectionButNoText) {
  askFirst({
      record(u"banco"_s, u"Bank"_s),
      record(u"banco"_s, u"Sitzbank"_s),       // same entry
      record(u"orilla"_s, u"Bank"_s),          // same meaning
      record(u"Bank"_s, u"Ufer"_s),            // entry equals the meaning
      record(u"ribera"_s, u"banco"_s),         // meaning equals the entry
      record(u"correr"_s, u"laufen"_s, 1),     // another word class
      record(u"Tisch"_s, u"mesa (f)"_s, 0, true),  // another direction
      record(u"mesa"_s, u"Tisch"_s),
      record(u"silla"_s, u"Stuhl"_s, 0, false, 4),  // too difficult, still a wrong answer
      record(u"puerta"_s, u"Tür"_s),
  });
  settings().SetNichtZuSchwer(4, false);
  query.ChooseDistractors(0);
  EXPECT_EQ(wrongMeanings(), (std::set<QString>{QString(), u"Tisch"_s, u"Stuhl"_s, u"Tür"_s}));

  // Without enough records the basic vocabulary helps out, with the same rules.
  const TRes reserve = reserveOf({record(u"flor"_s, u"Blume"_s), record(u"Blume"_s, u"flor (f)"_s, 0, true),
                                  record(u"ir"_s, u"gehen"_s, 1), record(u"mesa"_s, u"Tisch"_s)});
  query.setReserve(&reserve);
  query.ChooseDistractors(0);
  EXPECT_EQ(wrongMeanings(), (std::set<QString>{QString(), u"Tisch"_s, u"Stuhl"_s, u"Tür"_s, u"Blume"_s}));
  EXPECT_EQ(query.Task(0).Optionen[0].Vokabel, u"banco"_s);

  const TRes none = reserveOf({});
  query.setReserve(&none);
  query.ChooseDistractors(0);
  EXPECT_EQ(wrongMeanings().size(), 4u);  // three found and the empty ones
}

TEST_F(VocQueryTasksTest, ARoundAvoidsSimilarTasks) {
  QList<TVokabel> records = nouns(38);
  records.append(record(u"casa"_s, u"Haus"_s));
  records.append(record(u"casita"_s, u"kleines haus"_s));
  records.append(record(u"banco"_s, u"Bank"_s));
  records.append(record(u"banco"_s, u"Sitz"_s));
  setRecords(records);
  settings().SetProRunde(21);
  for (unsigned seed = 1; seed <= 30; ++seed) {
    Random::seed(seed);
    query.StartQuery();
    std::multiset<QString> entries;
    for (int s = 0; s < 21; ++s) entries.insert(query.Task(s).Frage.Vokabel);
    EXPECT_FALSE(entries.count(u"casa"_s) && entries.count(u"casita"_s)) << seed;
    EXPECT_LE(entries.count(u"banco"_s), 1u) << seed;
  }
}

TEST_F(VocQueryTasksTest, TypingTaskVariables) {
  QList<TVokabel> records = {record(u"de (algo)"_s, u"von; aus"_s, 3), record(u"Haus"_s, u"casa (f)"_s, 0, true)};
  records[0].Bedeutung[1] = u"groß"_s;
  askFirst(records);
  library.recordingPath = [](const QString& text) { return text == u"de (algo)"_s ? u"/w/de.wav"_s : QString(); };
  query.BuildTypingTask();
  EXPECT_EQ(page.var(u"lsg"_s), u"von; aus; groß; gross"_s);
  EXPECT_EQ(page.var(u"help"_s), u"v.."_s);
  EXPECT_EQ(page.var(u"Wortart"_s), u"kl. Wort"_s);
  EXPECT_EQ(page.var(u"Aufgabe"_s), u"<a href=\"/w/de.wav\" >de (algo)</a>"_s);
  EXPECT_EQ(page.var(u"sample"_s), u"/w/de.wav"_s);

  query.Answer(u"#1+"_s);
  query.NextQuestion();
  query.BuildTypingTask();
  EXPECT_EQ(page.var(u"lsg"_s), u"casa; la casa"_s);
  EXPECT_EQ(page.var(u"sample"_s), QString());  // a German entry is not played
  EXPECT_EQ(page.var(u"Aufgabe"_s), u"Haus"_s);
}

TEST_F(VocQueryTasksTest, ContextGapAndTheSentenceOnTheResultPage) {
  askFirst({withContext(record(u"tener"_s, u"haben"_s, 1), u"Ich [habe] Hunger."_s, {}, true),
            withContext(record(u"casa (f)"_s, u"Haus"_s), u"[*] es muy grande."_s)});
  ASSERT_TRUE(query.BuildContextTask());
  EXPECT_EQ(page.var(u"Aufgabe"_s),
            u"Ich <a gap lsg=\"habe\" help=\"h..e\" tip=\"haben\" reaction=\"vokabel\" noborder>habe</a> Hunger."_s);
  EXPECT_EQ(page.var(u"Wortart"_s), u"haben"_s);
  query.Answer(u"#1+"_s);
  EXPECT_EQ(page.var(u"Kontext"_s), u"Ich <u>habe</u> Hunger."_s);
  EXPECT_TRUE(page.conditions.contains(u"kontextsatz"_s));
  EXPECT_EQ(page.var(u"Aufgabe"_s), u"tener"_s);

  query.NextQuestion();
  ASSERT_TRUE(query.BuildContextTask());
  EXPECT_EQ(page.var(u"Aufgabe"_s),
            u"<a gap lsg=\"casa; la casa\" help=\"c..a\" tip=\"\" reaction=\"vokabel\" noborder>casa</a> es muy grande."_s);
  EXPECT_EQ(page.var(u"Wortart"_s), QString());
}

TEST_F(VocQueryTasksTest, WhichContextsCanBeAsked) {
  const QString ready = u"Mi <a drag>hermana</a> habla."_s;
  askFirst({
      withContext(record(u"a"_s, u"eins"_s), ready),
      withContext(record(u"b"_s, u"zwei"_s), u"Mi (hermana) <a drag>habla</a>."_s),
      withContext(record(u"c"_s, u"drei"_s), u"Ohne Markierung."_s, u"Auch ohne ]Klammer[."_s),
      withContext(record(u"d"_s, u"vier"_s), u"Leer [ ] hier."_s, u"Am Ende ["_s),
      withContext(record(u"e"_s, u"fünf"_s), u"Uno [dos] tres."_s, u"Cuatro (cinco) seis."_s),
  });
  ASSERT_TRUE(query.BuildContextTask());  // ready markup, shown as it is
  EXPECT_EQ(page.var(u"Aufgabe"_s), ready);
  query.Answer(u"-"_s);
  EXPECT_EQ(page.var(u"Kontext"_s), u"*"_s + ready);
  EXPECT_FALSE(page.conditions.contains(u"kontextsatz"_s));

  query.NextQuestion();
  ASSERT_TRUE(query.BuildContextTask());  // markup and brackets: the marked part
  EXPECT_TRUE(page.var(u"Aufgabe"_s).startsWith(u"Mi <a gap lsg=\"hermana\""_s));
  query.Answer(u"-"_s);
  query.NextQuestion();
  EXPECT_FALSE(query.BuildContextTask());
  query.Answer(u"-"_s);
  query.NextQuestion();
  EXPECT_FALSE(query.BuildContextTask());  // nothing to type between the brackets
  query.Answer(u"-"_s);
  query.NextQuestion();
  std::set<QString> firstSolutions;
  for (unsigned seed = 0; seed < 20; ++seed) {
    Random::seed(seed);
    ASSERT_TRUE(query.BuildContextTask());
    firstSolutions.insert(page.var(u"Aufgabe"_s).section(u'"', 1, 1));
  }
  EXPECT_EQ(firstSolutions, (std::set<QString>{u"dos"_s, u"cinco"_s}));
}

TEST_F(VocQueryTasksTest, ContextQuestionsComeInsteadOfTypingWhenEnabled) {
  askFirst({withContext(record(u"tener"_s, u"haben"_s, 1), u"Ich [habe] Hunger."_s), record(u"ser"_s, u"sein"_s, 1)});
  settings().SetMultipleChoice(0);
  query.StartQuery();
  EXPECT_EQ(page.last(), u"va_kontext.htx"_s);
  query.Answer(u"#1+"_s);
  query.NextQuestion();
  EXPECT_EQ(page.last(), u"va_ein.htx"_s);  // no context: typing
  settings().SetKontext(false);
  query.StartQuery();
  EXPECT_EQ(page.last(), u"va_ein.htx"_s);
}

TEST_F(VocQueryTasksTest, RecordDisplayForBothDirections) {
  library.recordingPath = [](const QString& text) {
    if (text == u"casa"_s) return u"/w/casa.wav"_s;
    if (text == u"hogar (m)"_s) return u"/w/hogar.wav"_s;
    return QString();
  };
  EXPECT_EQ(query.RecordDisplay(record(u"casa"_s, u"Haus"_s, 0)),
            u"<+normal><a href=\"/w/casa.wav\" >casa </a> <+kommentar> [Nomen]<p><+normal>Haus"_s);
  TVokabel german = record(u"Heim <1>"_s, u"hogar (m)"_s, 4, true);
  german.Bedeutung[1] = u"[Haus] casa"_s;
  EXPECT_EQ(query.RecordDisplay(german), u"<+normal>Heim <<1> <+kommentar> [Redewendung]<p><+normal>"
                                         u"<a href=\"/w/hogar.wav\" >hogar (m)</a>; <+kommentar>[Haus]<+normal> "
                                         u"<a href=\"/w/casa.wav\" >casa</a>"_s);
  EXPECT_EQ(query.RecordDisplay(record(u"rápido"_s, u"schnell; rasch"_s, 6)),
            u"<+normal>rápido <+kommentar> <p><+normal>schnell; rasch"_s);
  const QStringList labels = {u"[Nomen]"_s,       u"[Verb]"_s,        u"[Adj./Adv.]"_s, u"[kl. Wort]"_s,
                              u"[Redewendung]"_s, u"[Redewendung]"_s, QString(),        QString()};
  for (int w = 0; w < 8; ++w)
    EXPECT_TRUE(query.RecordDisplay(record(u"x"_s, u"y"_s, w)).contains(u" <+kommentar> "_s + labels[w] + u"<p>"_s));
}

TEST_F(VocQueryTasksTest, PreviewsJudgeWithoutRecording) {
  ASSERT_TRUE(logIn());
  setRecords({record(u"perro"_s, u"Hund"_s), record(u"gato"_s, u"Katze"_s)});
  query.PreparePreview(record(u"casa"_s, u"Haus"_s));
  EXPECT_EQ(page.var(u"Aufgabe"_s), QString());
  EXPECT_EQ(wrongMeanings(), (std::set<QString>{u"Hund"_s, u"Katze"_s, QString()}));
  query.BuildMultipleChoice();
  query.PreviewAnswer(u"+"_s);
  EXPECT_EQ(page.last(), u"_ed_richtig.htx"_s);
  query.PreviewAnswer(u"-"_s);
  EXPECT_EQ(page.last(), u"_ed_falsch1.htx"_s);
  query.PreviewAnswer(u"[~1]-"_s);
  EXPECT_EQ(page.last(), u"_ed_falsch2.htx"_s);
  EXPECT_EQ(page.var(u"Richtig"_s), u"<+normal>casa <+kommentar> [Nomen]<p><+normal>Haus"_s);
  EXPECT_EQ(query.Task(0).Falschzahl, 0);
  EXPECT_EQ(users.History().size(), 0);
}
