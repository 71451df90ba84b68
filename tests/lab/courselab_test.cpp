// The language lab's sentences as the course ships them: twenty topics in
// their order, sentences a dictation gap can take, and two recordings of
// every sentence in the staged tree.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSet>

#include "courserecords.h"
#include "lab/labsentences.h"
#include "labrecordings.h"
#include "sound/wavefile.h"

namespace {

using namespace Qt::StringLiterals;

const QStringList kTitles = {
    u"Angaben zur Person"_s, u"Kontakte"_s,         u"Optiker und Friseur"_s, u"Polizei und Zoll"_s,
    u"Post, Telefon und Bank"_s, u"Einkaufen"_s,    u"Essen und Trinken"_s,   u"Krankheit"_s,
    u"Verständigung"_s,      u"Floskeln"_s,         u"Meinung"_s,             u"Wegbeschreibung"_s,
    u"Touristeninformation"_s, u"Unterkunft"_s,     u"Reklamationen"_s,       u"Flughafen"_s,
    u"Auto und Motorrad"_s,  u"Bus und Zug"_s,      u"Schiff"_s,              u"Zeit und Klima"_s};

constexpr int kMinSentencesPerTopic = 8;

QString withoutOpeningMarks(QString s) { return s.remove(u'¿').remove(u'¡'); }

QString withoutFinalMark(QString s) {
  while (!s.isEmpty() && QStringLiteral(".?!").contains(s.back())) s.chop(1);
  return s;
}

bool isLetter(QChar c) { return c.isLetterOrNumber(); }

}  // namespace

TEST(CourseLab, TwentyTopicsInTheirOrderEachWithEnoughSentences) {
  const QList<TThema> topics = LabSentences::ReadBuiltIn();
  QStringList titles;
  for (const TThema& t : topics) titles << t.Titel;
  EXPECT_EQ(titles, kTitles);
  for (const TThema& t : topics) EXPECT_GE(t.Saetze.size(), kMinSentencesPerTopic) << t.Titel.toStdString();

  // The program's resource holds what the source holds.
  QList<TThema> source;
  QStringList errors;
  ASSERT_TRUE(CourseRecords::ReadLabTopics(QStringLiteral(ZVK_SOURCE_DIR "/course/data/1.txt"), source, errors));
  ASSERT_EQ(source.size(), topics.size());
  for (qsizetype i = 0; i < topics.size(); ++i) {
    ASSERT_EQ(source[i].Saetze.size(), topics[i].Saetze.size());
    for (qsizetype j = 0; j < topics[i].Saetze.size(); ++j)
      EXPECT_EQ(source[i].Saetze[j].Aufnahme + source[i].Saetze[j].Satz, topics[i].Saetze[j].Aufnahme + topics[i].Saetze[j].Satz);
  }
}

TEST(CourseLab, EverySentenceFitsTheDictationGap) {
  QSet<QString> seen;
  for (const TThema& topic : LabSentences::ReadBuiltIn()) {
    for (const TSatz& s : topic.Saetze) {
      SCOPED_TRACE((topic.Titel + u": "_s + s.Satz).toStdString());
      EXPECT_NE(s.Satz, LabSentences::kMissingSentence);
      EXPECT_FALSE(s.Deutsch.isEmpty());
      EXPECT_FALSE(seen.contains(s.Satz)) << "a sentence twice";
      seen.insert(s.Satz);
      // A double quote would end the gap's attribute, "; " would split the sentence.
      for (const QString& field : {s.Satz, s.Alternativen, s.Hilfe, s.Deutsch})
        EXPECT_FALSE(field.contains(u'"') || field.contains(u'\t')) << field.toStdString();
      EXPECT_FALSE(s.Satz.contains(u';'));

      // The learner may leave out the opening marks and the final one.
      const QStringList accepted = (s.Satz + u"; "_s + s.Alternativen).split(u"; "_s);
      EXPECT_TRUE(accepted.contains(withoutOpeningMarks(s.Satz))) << s.Alternativen.toStdString();
      EXPECT_TRUE(accepted.contains(withoutFinalMark(withoutOpeningMarks(s.Satz)))) << s.Alternativen.toStdString();
      EXPECT_EQ(QSet<QString>(accepted.begin(), accepted.end()).size(), accepted.size()) << "a form twice";
      for (const QString& form : accepted) EXPECT_EQ(form, form.trimmed());

      // The help goes into the gap to be typed over: the sentence's shape, its marks where they are.
      ASSERT_EQ(s.Hilfe.size(), s.Satz.size()) << s.Hilfe.toStdString();
      for (qsizetype i = 0; i < s.Satz.size(); ++i)
        if (!isLetter(s.Satz[i])) EXPECT_EQ(s.Hilfe[i], s.Satz[i]) << s.Hilfe.toStdString();
    }
  }
  EXPECT_GE(seen.size(), 20 * kMinSentencesPerTopic);
}

TEST(CourseLab, EverySentenceIsRecordedSlowAndAtNormalSpeed) {
  const QString stage = QStringLiteral(ZVK_STAGE_DIR "/");
  QSet<QString> references;
  for (const TThema& topic : LabSentences::ReadBuiltIn()) {
    for (const TSatz& s : topic.Saetze) {
      SCOPED_TRACE(s.Satz.toStdString());
      const QString slow = LabRecordings::RelativePath(s.Aufnahme);
      ASSERT_FALSE(slow.isEmpty()) << s.Aufnahme.toStdString();
      EXPECT_FALSE(references.contains(slow));
      references.insert(slow);
      const auto a = ReadWaveFile(stage + slow);
      const auto b = ReadWaveFile(stage + LabRecordings::NormalSpeedPath(slow));
      ASSERT_TRUE(a && b) << slow.toStdString();
      EXPECT_GT(b->durationMs(), 300);
      EXPECT_GT(a->durationMs(), b->durationMs()) << "the slow one takes longer";
    }
  }
}
