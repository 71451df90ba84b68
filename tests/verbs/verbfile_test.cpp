// The verb file: the stem rule, the entries and the compound tenses built
// from the auxiliary, and the course's own verb file.

#include <gtest/gtest.h>

#include "common/fileio.h"
#include "common/messagerecorder.h"
#include "common/textcodec.h"
#include "testsupport.h"
#include "verbs/txverben.h"
#include "verbs/verbfile.h"

namespace {

using namespace Qt::StringLiterals;

QStringList applyAll(VerbFile::StemRule& rule, const QString& line) {
  QStringList out;
  for (const QString& f : line.split(u',')) out << rule.Apply(f);
  return out;
}

// The ten lines of a regular -ar verb written with the stem rule.
QStringList hablarLines(const QString& marker = u"haber"_s) {
  return {u"habl-ar,sprechen,"_s + marker,
          u"-o,-as,-a,-amos,-áis,-an"_s,
          u"-aba,-abas,-aba,-ábamos,-abais,-aban"_s,
          u"-é,-aste,-ó,-amos,-asteis,-aron"_s,
          u"-aré,-arás,-ará,-aremos,-aréis,-arán"_s,
          u"-e,-es,-e,-emos,-éis,-en"_s,
          u"hablara/hablase,hablaras/hablases,hablara/hablase,habláramos/hablásemos,hablarais/hablaseis,hablaran/hablasen"_s,
          u"-a,-e,-emos,-ad,-en"_s,
          u"-aría,-arías,-aría,-aríamos,-aríais,-arían"_s,
          u"-ando,-ado"_s};
}

QStringList haberLines() {
  return {u"hab-er,haben,haber"_s,
          u"*he,*has,*ha,*hemos,-éis,*han"_s,
          u"-ía,-ías,-ía,-íamos,-íais,-ían"_s,
          u"*hub-e,*-iste,*-o,*-imos,*-isteis,*-ieron"_s,
          u"hab*r-é,-ás,-á,-emos,-éis,-án"_s,
          u"*hay-a,*-as,*-a,*-amos,*-áis,*-an"_s,
          u"*hubiera/hubiese,*hubieras/hubieses,*hubiera/hubiese,*hubiéramos/hubiésemos,*hubierais/hubieseis,*hubieran/hubiesen"_s,
          u"-,-,-,-,-"_s,
          u"hab*r-ía,-ías,-ía,-íamos,-íais,-ían"_s,
          u"habiendo,habido"_s};
}

}  // namespace

TEST(VerbFile, StemRuleOnRealLines) {
  VerbFile::StemRule rule;
  EXPECT_EQ(applyAll(rule, u"habl-ar,sprechen,haber"_s), QStringList({u"hablar"_s, u"sprechen"_s, u"haber"_s}));
  EXPECT_EQ(rule.Stem(), u"habl"_s);
  EXPECT_EQ(applyAll(rule, u"-o,-as,-a,-amos,-áis,-an"_s),
            QStringList({u"hablo"_s, u"hablas"_s, u"habla"_s, u"hablamos"_s, u"habláis"_s, u"hablan"_s}));
  // The stem carries over lines; a wholly irregular field sets it without its "*".
  EXPECT_EQ(applyAll(rule, u"*tuv-e,*-iste,-o,-"_s), QStringList({u"*tuve"_s, u"*tuviste"_s, u"tuvo"_s, QString()}));
  EXPECT_EQ(rule.Stem(), u"tuv"_s);
  // A mark inside the stem stays in every form made from it.
  EXPECT_EQ(applyAll(rule, u"p*iens-o,-as,tenemos"_s), QStringList({u"p*ienso"_s, u"p*iensas"_s, u"tenemos"_s}));
  // Only the first "-" of a field counts.
  EXPECT_EQ(applyAll(rule, u"habl-ara/hablase,-ara/-ase"_s), QStringList({u"hablara/hablase"_s, u"hablara/-ase"_s}));
  EXPECT_EQ(rule.Apply(u"*-"_s), u"*habl"_s);
}

TEST(VerbFile, EntriesTheirFieldsAndTheCopyrightLine) {
  QStringList lines = QStringList{u"(c) Kurs"_s} + hablarLines();
  // A short line gives empty forms; an entry without infinitive is left out
  // and the next one still read in step.
  QStringList broken = hablarLines();
  broken[0] = u",nichts,haber"_s;
  lines += broken;
  QStringList viv = hablarLines();
  viv[0] = u"viv-ir,leben,haber"_s;
  viv[1] = u"-o,-es"_s;
  lines += QStringList{u"(c) noch einmal"_s} + viv;
  const std::vector<TVerb> verbs = VerbFile::Parse(lines);
  ASSERT_EQ(verbs.size(), 2u);
  const TVerb& hablar = verbs[0];
  EXPECT_EQ(hablar.Infinitiv, u"hablar"_s);
  EXPECT_EQ(hablar.Bedeutung, u"sprechen"_s);
  EXPECT_TRUE(hablar.HilfsverbHaber);
  EXPECT_EQ(hablar.Formen[3][5], u"hablarán"_s);
  // The imperative's five forms are persons 1 to 5; person 0 stays empty.
  EXPECT_EQ(hablar.Formen[6][0], QString());
  EXPECT_EQ(hablar.Formen[6][1], u"habla"_s);
  EXPECT_EQ(hablar.Formen[6][4], u"hablad"_s);
  EXPECT_EQ(hablar.Formen[7][3], u"hablaríamos"_s);
  EXPECT_EQ(hablar.Gerundio, u"hablando"_s);
  EXPECT_EQ(hablar.Participio, u"hablado"_s);
  EXPECT_EQ(verbs[1].Infinitiv, u"vivir"_s);
  EXPECT_EQ(verbs[1].Formen[0][1], u"vives"_s);
  EXPECT_EQ(verbs[1].Formen[0][2], QString());
}

TEST(VerbFile, CompoundTensesComeFromTheAuxiliary) {
  std::vector<TVerb> verbs = VerbFile::Parse(haberLines() + hablarLines());
  VerbFile::BuildCompoundTenses(verbs);
  ASSERT_EQ(verbs.size(), 2u);
  const TVerb& hablar = verbs[1];
  // The marks of both halves are left out.
  EXPECT_EQ(hablar.Formen[8][0], u"he hablado"_s);
  EXPECT_EQ(hablar.Formen[9][4], u"habíais hablado"_s);
  EXPECT_EQ(hablar.Formen[10][5], u"hubieron hablado"_s);
  EXPECT_EQ(hablar.Formen[11][0], u"habré hablado"_s);
  EXPECT_EQ(hablar.Formen[12][3], u"hayamos hablado"_s);
  EXPECT_EQ(hablar.Formen[13][0], u"hubiera/hubiese hablado"_s);
  EXPECT_EQ(hablar.Formen[15][2], u"habría hablado"_s);
  EXPECT_EQ(hablar.Formen[14][0], u"hablando"_s);
  EXPECT_EQ(hablar.Formen[14][1], u"hablado"_s);
  EXPECT_EQ(hablar.Formen[14][2], QString());
  // haber is its own auxiliary.
  EXPECT_EQ(verbs[0].Formen[8][0], u"he habido"_s);
}

TEST(VerbFile, WithoutTheHaberMarkerTheSecondVerbIsTheAuxiliary) {
  std::vector<TVerb> verbs = VerbFile::Parse(hablarLines(u"ser"_s) + haberLines());
  VerbFile::BuildCompoundTenses(verbs);
  EXPECT_FALSE(verbs[0].HilfsverbHaber);
  EXPECT_EQ(verbs[0].Formen[8][0], u"he hablado"_s);

  // A single verb without the marker has no auxiliary: its compound tenses stay empty.
  std::vector<TVerb> alone = VerbFile::Parse(hablarLines(u"sein"_s));
  VerbFile::BuildCompoundTenses(alone);
  ASSERT_EQ(alone.size(), 1u);
  EXPECT_EQ(alone[0].Formen[8][0], QString());
  EXPECT_EQ(alone[0].Formen[15][5], QString());
  EXPECT_EQ(alone[0].Formen[14][1], u"hablado"_s);
}

TEST(VerbFile, AMissingFileIsReportedAndTheTrainerGoesOn) {
  TestTree tree;
  MessageRecorder messages;
  TXVerben verbs;
  EXPECT_FALSE(verbs.Load(tree.file(u"Verben/SVerben.txt"_s)));
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].text,
            u"Verben konnten nicht geöffnet werden: "_s + tree.file(u"Verben/SVerben.txt"_s) + u"!!!"_s);
  EXPECT_EQ(verbs.Count(), 0);
  EXPECT_EQ(verbs.Verb(0), nullptr);

  // Found in a different case, as course data copied from other systems is.
  tree.write(u"verben/sverben.txt"_s, Cp1252::encode(haberLines().join(u"\r\n"_s) + u"\r\n"_s));
  messages.clear();
  EXPECT_TRUE(verbs.Load(VerbFile::PathIn(tree.path())));
  EXPECT_TRUE(messages.messages().isEmpty());
  EXPECT_EQ(verbs.Count(), 1);
  EXPECT_EQ(verbs.Verb(0)->Formen[0][4], u"habéis"_s);
}

TEST(VerbFile, AForeignFileGivesNoVerbsAndNoCrash) {
  TestTree tree;
  QByteArray junk;
  for (int i = 0; i < 4000; ++i) junk += static_cast<char>((i * 7919) % 256);
  const QString path = tree.write(u"Verben/SVerben.txt"_s, junk);
  const std::optional<std::vector<TVerb>> verbs = VerbFile::Read(path);
  ASSERT_TRUE(verbs.has_value());
  for (const TVerb& v : *verbs) EXPECT_FALSE(v.Infinitiv.isEmpty());
}

// The course's verb file as staged: ten lines an entry with the right
// number of fields, haber first, and every form there except where a tense
// has none.
TEST(CourseVerbs, TheStagedVerbFileIsComplete) {
  const QString path = VerbFile::PathIn(QStringLiteral(ZVK_STAGE_DIR "/"));
  const std::optional<QString> text = FileIO::readText(path);
  ASSERT_TRUE(text.has_value()) << path.toStdString();
  QStringList lines = FileIO::splitLines(*text);
  ASSERT_TRUE(lines.value(0).startsWith(u"(c)"_s));
  lines.removeFirst();
  ASSERT_EQ(lines.size() % 10, 0) << "ten lines per verb";
  const int expectedFields[10] = {3, 6, 6, 6, 6, 6, 6, 5, 6, 2};
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const QStringList fields = lines[i].split(u',');
    EXPECT_EQ(fields.size(), expectedFields[i % 10]) << "line " << i + 2 << ": " << lines[i].toStdString();
    for (const QString& f : fields) EXPECT_EQ(f, f.trimmed()) << "blank around a field, line " << i + 2;
    if (i % 10 == 0) {
      EXPECT_FALSE(fields.value(1).contains(u'-')) << "the meaning would set the stem: " << lines[i].toStdString();
      EXPECT_EQ(fields.value(2), u"haber"_s) << lines[i].toStdString();
    }
  }

  const std::optional<std::vector<TVerb>> verbs = VerbFile::Read(path);
  ASSERT_TRUE(verbs.has_value());
  ASSERT_GE(verbs->size(), 58u);
  ASSERT_LE(verbs->size(), 75u);
  EXPECT_EQ((*verbs)[0].Infinitiv, u"haber"_s);
  // The most common verbs come first, where the ready-made selections take them.
  for (const char* common : {"ser", "estar", "tener", "hacer", "ir"}) {
    const auto it = std::find_if(verbs->begin(), verbs->end(),
                                 [&](const TVerb& v) { return v.Infinitiv == QLatin1String(common); });
    ASSERT_NE(it, verbs->end()) << common;
  }
  EXPECT_EQ((*verbs)[1].Infinitiv, u"ser"_s);
  EXPECT_EQ((*verbs)[2].Infinitiv, u"estar"_s);
  QStringList seen;
  for (const TVerb& verb : *verbs) {
    EXPECT_FALSE(seen.contains(verb.Infinitiv)) << "twice: " << verb.Infinitiv.toStdString();
    seen << verb.Infinitiv;
    EXPECT_FALSE(verb.Bedeutung.isEmpty()) << verb.Infinitiv.toStdString();
    for (int t = 0; t < VerbTense::kCount; ++t)
      for (int p = 0; p < VerbTense::kPersons; ++p) {
        const QString& form = verb.Formen[t][p];
        const bool none = (t == VerbTense::Imperativo && (p == 0 || verb.Infinitiv == u"haber"_s)) ||
                          (t == VerbTense::Participios && p >= 2);
        EXPECT_EQ(form.isEmpty(), none) << verb.Infinitiv.toStdString() << " " << t << "/" << p;
        EXPECT_LE(form.count(u'*'), 1) << form.toStdString();
        EXPECT_EQ(form.contains(u'/'), t == VerbTense::SubImperfecto || t == 13) << form.toStdString();
      }
  }
}
