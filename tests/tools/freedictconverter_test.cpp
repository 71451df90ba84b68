// The conversion of the free dictionaries (dictd files) into the
// dictionary's own entries, and the guard of staged files.

#include <zlib.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "dictdfile.h"
#include "dictionary/dictionarymaintenance.h"
#include "dictionary/dictionaryorder.h"
#include "dictionarybuilder.h"
#include "freedictconverter.h"
#include "stagedfile.h"

namespace {

const TXDBEintrag* find(const QList<TXDBEintrag>& entries, const QString& word, int wortart = 0) {
  for (const TXDBEintrag& e : entries)
    if (e.Word == word && (wortart == 0 || e.Wortart == wortart)) return &e;
  return nullptr;
}

QString describe(const QList<TXDBEintrag>& entries) {
  QString text;
  for (const TXDBEintrag& e : entries) text += e.Word + u'|' + QString::number(e.Wortart) + u'|' + e.Meaning + u'\n';
  return text;
}

// Writes NAME.index and NAME.dict.dz (gzip) for the articles; two head
// words may share an article.
void writeDictd(const QString& base, const QStringList& articles, const QStringList& extraIndexLines = {}) {
  QByteArray text = "00-database-info\nA test dictionary\n";
  QByteArray index = "00databaseinfo\tA\tk\n";
  const QString digits = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/");
  auto number = [&](qint64 n) {
    QString s;
    do {
      s.prepend(digits[static_cast<int>(n % 64)]);
      n /= 64;
    } while (n > 0);
    return s.toUtf8();
  };
  for (const QString& article : articles) {
    const QByteArray bytes = article.toUtf8();
    const QByteArray where = number(text.size()) + '\t' + number(bytes.size());
    for (const QString& head : article.section(u'\n', 0, 0).split(QStringLiteral(", ")))
      index += head.section(u' ', 0, 0).toLower().toUtf8() + '\t' + where + '\n';
    text += bytes;
  }
  for (const QString& line : extraIndexLines) index += line.toUtf8() + '\n';
  QFile f(base + QStringLiteral(".index"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(index);
  f.close();
  gzFile gz = gzopen(QFile::encodeName(base + QStringLiteral(".dict.dz")).constData(), "wb");
  ASSERT_NE(gz, nullptr);
  gzwrite(gz, text.constData(), static_cast<unsigned>(text.size()));
  gzclose(gz);
}

}  // namespace

TEST(DictdFile, ReadsEachArticleOnceAndRefusesDamagedIndexes) {
  EXPECT_EQ(DictdFile::DecodeNumber(QStringLiteral("A")), 0);
  EXPECT_EQ(DictdFile::DecodeNumber(QStringLiteral("/")), 63);
  EXPECT_EQ(DictdFile::DecodeNumber(QStringLiteral("BA")), 64);
  EXPECT_EQ(DictdFile::DecodeNumber(QStringLiteral("C0jh")), ((2 * 64 + 52) * 64 + 35) * 64 + 33);
  EXPECT_FALSE(DictdFile::DecodeNumber(QString()));
  EXPECT_FALSE(DictdFile::DecodeNumber(QStringLiteral("A-")));

  QTemporaryDir dir;
  const QString base = dir.filePath(QStringLiteral("d"));
  writeDictd(base, {QStringLiteral("casa /ˈkasa/ <n, f>\nHaus <n, n>\n"),
                    QStringLiteral("abejarrón /x/ <n, m>, abejorro /y/ <n, m>\nHummel <n, f>\n")});
  QString error;
  const auto articles = DictdFile::ReadArticles(base + ".index", base + ".dict.dz", &error);
  ASSERT_TRUE(articles) << error.toStdString();
  // The information article is left out, the shared one read once.
  EXPECT_EQ(*articles, (QStringList{QStringLiteral("casa /ˈkasa/ <n, f>\nHaus <n, n>\n"),
                                    QStringLiteral("abejarrón /x/ <n, m>, abejorro /y/ <n, m>\nHummel <n, f>\n")}));

  writeDictd(base, {QStringLiteral("casa\nHaus\n")}, {QStringLiteral("perro\tzz\tB")});
  EXPECT_FALSE(DictdFile::ReadArticles(base + ".index", base + ".dict.dz", &error));
  EXPECT_TRUE(error.contains(QStringLiteral("hinter dem Ende"))) << error.toStdString();
  writeDictd(base, {QStringLiteral("casa\nHaus\n")}, {QStringLiteral("perro\tA")});
  EXPECT_FALSE(DictdFile::ReadArticles(base + ".index", base + ".dict.dz", &error));
  EXPECT_FALSE(DictdFile::ReadArticles(base + ".index", dir.filePath(QStringLiteral("missing.dict.dz")), &error));
  EXPECT_TRUE(error.contains(QStringLiteral("missing.dict.dz")));
}

TEST(FreedictConverter, TagsGiveClassesAndGenderMarks) {
  EXPECT_EQ(Freedict::ClassOfTag(QStringLiteral("n, m")), 1);
  EXPECT_EQ(Freedict::ClassOfTag(QStringLiteral("n, fem")), 1);
  EXPECT_EQ(Freedict::ClassOfTag(QStringLiteral("v")), 2);
  EXPECT_EQ(Freedict::ClassOfTag(QStringLiteral("adj")), 3);
  EXPECT_EQ(Freedict::ClassOfTag(QStringLiteral("pron")), 4);
  EXPECT_EQ(Freedict::ClassOfTag(QStringLiteral("interjection")), 4);
  EXPECT_EQ(Freedict::ClassOfTag(QStringLiteral("Adverb")), 7);
  EXPECT_EQ(Freedict::ClassOfTag(QStringLiteral("preposition")), 8);
  EXPECT_EQ(Freedict::ClassOfTag(QStringLiteral("suffix, fem")), 1) << "unknown tags take the default class";
  EXPECT_EQ(Freedict::ClassOfTag(QString()), 0);
  EXPECT_EQ(Freedict::GenderMark(QStringLiteral("n, m")), QStringLiteral("(m)"));
  EXPECT_EQ(Freedict::GenderMark(QStringLiteral("n, f, pl")), QStringLiteral("(fpl)"));
  EXPECT_EQ(Freedict::GenderMark(QStringLiteral("n, m, f")), QStringLiteral("(mf)"));
  EXPECT_EQ(Freedict::GenderMark(QStringLiteral("n, n")), QString());
  EXPECT_EQ(Freedict::GenderMark(QStringLiteral("adj")), QString());
}

TEST(FreedictConverter, MeaningsAreWrittenInTheDictionarysNotation) {
  using Freedict::Meanings;
  EXPECT_EQ(Meanings(QStringLiteral("abdominal, Bauch-")), (QStringList{"abdominal", "Bauch-"}));
  EXPECT_EQ(Meanings(QStringLiteral("zuziehen (Vorhang usw.)")), QStringList{"zuziehen [Vorhang usw.]"});
  EXPECT_EQ(Meanings(QStringLiteral("Zusammenstoß <n, m>, (Schiffe)")), QStringList{"Zusammenstoß [Schiffe]"});
  EXPECT_EQ(Meanings(QStringLiteral("Kellner, | Kellnerin <n, f>")), (QStringList{"Kellner", "Kellnerin"}));
  EXPECT_EQ(Meanings(QStringLiteral("Verkleidung <n, f>, /Technik")), QStringList{"Verkleidung [Technik]"});
  EXPECT_EQ(Meanings(QStringLiteral("frische Wäsche{f}")), QStringList{"frische Wäsche"});
  // Commas inside a note stay in its brackets.
  EXPECT_EQ(Meanings(QStringLiteral("dar (algo de/para beber, comer), administrar")),
            (QStringList{"dar [algo de/para beber, comer]", "administrar"}));
  EXPECT_EQ(Meanings(QStringLiteral("Kater [coloq.]")), QStringList{"Kater [umgangssprachlich]"});
  // The full stop of a sentence goes, that of an abbreviation stays.
  EXPECT_EQ(Meanings(QStringLiteral("Guten Tag.")), QStringList{"Guten Tag"});
  EXPECT_EQ(Meanings(QStringLiteral("und so weiter usw.")), QStringList{"und so weiter usw."});
  for (const QString& m : Meanings(QStringLiteral("a (b), c [d, e]; f")))
    EXPECT_FALSE(DictionaryMaintenance::MeaningFault(m)) << m.toStdString();
}

TEST(FreedictConverter, SpanishGermanArticlesBecomeEntriesAsTheCourseWritesThem) {
  const Freedict::Direction d = Freedict::SpanishGerman(
      {QStringLiteral("casa /kˈasa/ <n, f>\nHaus <n, n>\n"),
       QStringLiteral("casa /kˈasa/ <n, f>\n1. Heim <n, n>\n2. Haus <n, n>\n"),
       QStringLiteral("abatido, abatida /a/ /b/ <adj>\nniedergeschlagen\n"),
       QStringLiteral("bermejo /a/, bermeja /b/\n1. rötlich blond\n2. rot\n"),
       QStringLiteral("abejarrón /a/ <n, m>, abejorro /b/ <n, m>\nHummel <n, f>\n"),
       QStringLiteral(" [Am.] aeromoza /a/ <n, f>\nStewardess <n, f>\n"),
       QStringLiteral(" (mirón /a/ <n, m>),  (mirona /b/ <n, f>)\nZuschauer <n, m>\n"),
       QStringLiteral(" [coloq.] resaca, (de alcohol) /a/ /b/ <n, f>\nKater <n, m>, (vom Alkohol)\n"),
       QStringLiteral("correr /korˈeɾ/\nrennen\n"), QStringLiteral("correr /korˈeɾ/ <v>\n1. schnell fahren\n2. laufen\n"),
       QStringLiteral("¡buenos días! /a/\nGuten Morgen.\n"), QStringLiteral("jugar al fútbol /a/\nFußball spielen\n"),
       QStringLiteral("abajo /a/\nunten\n"), QStringLiteral("mujer /a/ <n, f>\nFrau\n"),
       QStringLiteral("gato /a/ <n, m>\n1. Katze\n2. Kater ł\n"), QStringLiteral("łódź /a/ <n, f>\nBoot\n")},
      {{QStringLiteral("unten"), 7}});
  const QString all = describe(d.entries);

  // Gender marks after nouns; the same word and class merged.
  const TXDBEintrag* casa = find(d.entries, QStringLiteral("casa (f)"), 1);
  ASSERT_NE(casa, nullptr) << all.toStdString();
  EXPECT_EQ(casa->Meaning, QStringLiteral("Haus; Heim"));
  // Adjectives under their masculine only, also when the feminine is its own head word.
  EXPECT_NE(find(d.entries, QStringLiteral("abatido"), 3), nullptr) << all.toStdString();
  EXPECT_NE(find(d.entries, QStringLiteral("bermejo"), 3), nullptr) << all.toStdString();
  EXPECT_EQ(find(d.entries, QStringLiteral("abatida")), nullptr);
  EXPECT_EQ(find(d.entries, QStringLiteral("bermeja")), nullptr);
  // Several head words of one article each get the meanings; usage labels become German explanations.
  EXPECT_NE(find(d.entries, QStringLiteral("abejorro (m)")), nullptr) << all.toStdString();
  EXPECT_NE(find(d.entries, QStringLiteral("abejarrón (m)")), nullptr);
  EXPECT_EQ(find(d.entries, QStringLiteral("aeromoza (f)"))->Meaning, QStringLiteral("Stewardess [Lateinamerika]"));
  EXPECT_NE(find(d.entries, QStringLiteral("mirona (f)")), nullptr) << all.toStdString();
  const TXDBEintrag* resaca = find(d.entries, QStringLiteral("resaca (f)"));
  ASSERT_NE(resaca, nullptr) << all.toStdString();
  EXPECT_EQ(resaca->Meaning, QStringLiteral("Kater [vom Alkohol] [umgangssprachlich]"));
  EXPECT_EQ(find(d.entries, QStringLiteral("de alcohol")), nullptr);
  // Untagged articles: an infinitive with a German verb is a verb (and merges
  // with the tagged article), phrases with and without a verb, and a word
  // whose translation the other direction tags.
  const TXDBEintrag* correr = find(d.entries, QStringLiteral("correr"));
  ASSERT_NE(correr, nullptr);
  EXPECT_EQ(correr->Wortart, 2);
  EXPECT_EQ(correr->Meaning, QStringLiteral("rennen; schnell fahren; laufen"));
  EXPECT_EQ(find(d.entries, QStringLiteral("¡buenos días!"), 6)->Meaning, QStringLiteral("Guten Morgen"));
  EXPECT_NE(find(d.entries, QStringLiteral("jugar al fútbol"), 5), nullptr);
  EXPECT_NE(find(d.entries, QStringLiteral("abajo"), 7), nullptr);
  EXPECT_NE(find(d.entries, QStringLiteral("mujer (f)"), 1), nullptr) << "a tag beats the spelling";
  // Outside Windows-1252: the meaning is left out, the entry keeps the rest;
  // a head word that cannot be written is left out.
  EXPECT_EQ(find(d.entries, QStringLiteral("gato (m)"))->Meaning, QStringLiteral("Katze"));
  EXPECT_EQ(d.report.droppedCharset, 1);
  EXPECT_EQ(d.report.droppedWords, 1);
  EXPECT_EQ(d.report.articles, 16);
  EXPECT_EQ(d.report.entries, d.entries.size());

  for (qsizetype k = 1; k < d.entries.size(); ++k)
    EXPECT_FALSE(DictionaryOrder::Less(d.entries[k].Word, d.entries[k - 1].Word)) << d.entries[k].Word.toStdString();
  EXPECT_TRUE(d.report.Line(QStringLiteral("Spanisch-Deutsch")).startsWith(QStringLiteral("Spanisch-Deutsch: 16 Artikel")));
}

TEST(FreedictConverter, GermanSpanishArticlesKeepTranslationsAndGiveNounsTheirGender) {
  const Freedict::Direction spanish = Freedict::SpanishGerman(
      {QStringLiteral("casa /a/ <n, f>\nHaus\n"), QStringLiteral("banco /a/ <n, m>\nBank\n"),
       QStringLiteral("capital /a/ <n, m>\nKapital\n"), QStringLiteral("capital /a/ <n, f>\nHauptstadt\n")});
  const QHash<QString, QString> genders = Freedict::SpanishGenders(spanish.entries);
  EXPECT_EQ(genders.value(QStringLiteral("casa")), QStringLiteral("(f)"));
  EXPECT_FALSE(genders.contains(QStringLiteral("capital"))) << "two genders: no mark";

  const Freedict::Direction d = Freedict::GermanSpanish(
      {QStringLiteral("Haus /haʊ̯s/ <n, neut>\n1. casa 2.\nzu einem Zweck erbautes Gebäude\n 3.\nzum Wohnen\n"
                      "2. cámara\ngesetzgebende Körperschaft\n"),
       QStringLiteral("Bank /baŋk/ <n, fem>\n1. banco, escaño\nSitzgelegenheit\n2. banco (Am.)\nGeldinstitut\n"),
       QStringLiteral("Landhaus /a/ <n, neut>\ncasa de campo\nHaus auf dem Land\n"),
       QStringLiteral("Alphabetisierung /a/ <n, fem>\nalfabetización\nVermittlung des Lesens\n"),
       QStringLiteral("gehen /a/ /b/ <v>\n1. ir, andar\nsich fortbewegen\n2. funcionar\nfunktionieren\n"),
       QStringLiteral("Anstalten machen /a/\namagar\nsich anschicken\n"),
       QStringLiteral("Alpenrose /a/ <n, fem>\nróżanecznik alpejski\nPflanze\n"),
       QStringLiteral("Blessur /a/ <n, fem>\n1. herida\nVerletzung\n2. de, guerra, herida\nKriegsverletzung\n"),
       QStringLiteral("abrupt /a/ <adj>\nabrupto, abrupta, brusco\nplötzlich\n"), QStringLiteral(". /a/ <adv>\npunto\nx\n"),
       QStringLiteral("in /a/ <preposition>\nen, de\nx\n")},
      genders);
  const QString all = describe(d.entries);
  // Definitions are left out; a trailing sense number is no part of the translation.
  EXPECT_EQ(find(d.entries, QStringLiteral("Haus"), 1)->Meaning, QStringLiteral("casa (f); cámara")) << all.toStdString();
  EXPECT_EQ(find(d.entries, QStringLiteral("Bank"), 1)->Meaning,
            QStringLiteral("banco (m) [Lateinamerika]; escaño"));
  // The gender of a phrase is that of its first word; an ending that tells the gender gives it too.
  EXPECT_EQ(find(d.entries, QStringLiteral("Landhaus"))->Meaning, QStringLiteral("casa de campo (f)"));
  EXPECT_EQ(find(d.entries, QStringLiteral("Alphabetisierung"))->Meaning, QStringLiteral("alfabetización (f)"));
  EXPECT_EQ(find(d.entries, QStringLiteral("gehen"), 2)->Meaning, QStringLiteral("ir; andar; funcionar"));
  EXPECT_NE(find(d.entries, QStringLiteral("Anstalten machen"), 5), nullptr);
  EXPECT_EQ(find(d.entries, QStringLiteral("Alpenrose")), nullptr);
  // A translation the source broke into its words is left out; an
  // adjective's feminine after its masculine is no meaning of its own; a
  // head word without a letter is none.
  EXPECT_EQ(find(d.entries, QStringLiteral("Blessur"))->Meaning, QStringLiteral("herida"));
  EXPECT_EQ(find(d.entries, QStringLiteral("abrupt"))->Meaning, QStringLiteral("abrupto; brusco"));
  EXPECT_EQ(find(d.entries, QStringLiteral(".")), nullptr);
  EXPECT_EQ(find(d.entries, QStringLiteral("in"), 8)->Meaning, QStringLiteral("en; de")) << "prepositions may mean one";
  EXPECT_EQ(d.report.droppedCharset, 1);
  EXPECT_EQ(d.report.droppedDamaged, 3);
  EXPECT_EQ(d.report.droppedWords, 2);
}

TEST(DictionaryBuilder, MergesTheSameWordIgnoringCaseWithTheFirstSourceLeading) {
  DictionaryBuilder b;
  b.Add(QStringLiteral("wie viel kostet das?"), 5, QStringLiteral("cuánto cuesta; cuánto es"));
  b.Add(QStringLiteral("Wie viel kostet das?"), 5, QStringLiteral("cuánto vale; cuánto es"));
  b.Add(QStringLiteral("Essen"), 1, QStringLiteral("comida (f)"));
  b.Add(QStringLiteral("essen"), 2, QStringLiteral("comer"));
  b.Add(QStringLiteral("Bank"), 1, QStringLiteral("banco (m), escaño"));
  const QList<TXDBEintrag> e = b.Entries();
  ASSERT_EQ(e.size(), 3);
  EXPECT_EQ(e[0].Word, QStringLiteral("Essen"));
  EXPECT_EQ(e[1].Word, QStringLiteral("essen"));
  EXPECT_EQ(e[2].Word, QStringLiteral("wie viel kostet das?"));
  EXPECT_EQ(e[2].Meaning, QStringLiteral("cuánto cuesta; cuánto es; cuánto vale"));
  EXPECT_EQ(b.Dropped(), 1) << "a meaning with a comma is left out";
}

TEST(StagedFile, KeepsAFileChangedAfterTheBuildUntilItIsDeleted) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("s_d.zvk"));
  const QString stamps = dir.filePath(QStringLiteral("stamps"));
  const QString stamp = stamps + QStringLiteral("/s_d.zvk.stamp");
  auto contents = [&] {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  };
  auto setTime = [](const QString& file, const QDateTime& t) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(t, QFileDevice::FileModificationTime));
  };
  const QDateTime now = QDateTime::currentDateTime();

  EXPECT_EQ(StagedFile::Write(path, "first", stamps), StagedFile::Outcome::Written);
  EXPECT_EQ(StagedFile::Write(path, "first", stamps), StagedFile::Outcome::Unchanged);
  EXPECT_EQ(StagedFile::Write(path, "second", stamps), StagedFile::Outcome::Written);
  EXPECT_EQ(contents(), "second");

  // The editor saves the file after the build: the next build keeps it.
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("edited");
  }
  setTime(stamp, now.addSecs(-60));
  setTime(path, now);
  EXPECT_EQ(StagedFile::Write(path, "third", stamps), StagedFile::Outcome::KeptNewer);
  EXPECT_EQ(contents(), "edited");
  // A differing file older than the stamp was not changed after the build.
  setTime(path, now.addSecs(-120));
  EXPECT_EQ(StagedFile::Write(path, "third", stamps), StagedFile::Outcome::Written);
  EXPECT_EQ(contents(), "third");
  // Deleted, it is written again.
  ASSERT_TRUE(QFile::remove(path));
  EXPECT_EQ(StagedFile::Write(path, "fourth", stamps), StagedFile::Outcome::Written);
  EXPECT_EQ(contents(), "fourth");
}
