// The staged dictionary with the converted free dictionaries: loadable,
// sorted for the lookups, every meaning in the dictionary's notation, the
// common words there with their class and gender, and the course covered.

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <cstdio>
#include <gtest/gtest.h>

#include "common/messagerecorder.h"
#include "coursedictionary.h"
#include "courserecords.h"
#include "dictionary/dictionarymaintenance.h"
#include "dictionary/dictionaryorder.h"
#include "dictionary/txdatabase.h"
#include "common/fileio.h"
#include "common/meaningtext.h"
#include "dictionary/dictionaryfile.h"

namespace {

const QString kStage = QStringLiteral(ZVK_STAGE_DIR "/");
const QString kConverted = QStringLiteral(ZVK_FREEDICT_OUT "/");

bool converted() {
  return QFileInfo::exists(kConverted + QStringLiteral("s_d.zvk")) && QFileInfo::exists(kConverted + QStringLiteral("d_s.zvk"));
}

// A word as the coverage compares it: without gender marks, explanations
// and the marks of questions and exclamations, in small letters.
QString comparable(QString word) {
  static const QRegularExpression marks(QStringLiteral("\\[[^\\]]*\\]|\\((m|f|mpl|fpl|mf)\\)|[¡!¿?]"));
  return word.remove(marks).simplified().toLower();
}

}  // namespace

TEST(ConvertedDictionary, TheStagedFilesHoldTheFreeDictionariesInTheDictionarysNotation) {
  if (!converted()) GTEST_SKIP() << "the free dictionaries are not installed; the course's own dictionary is staged";
  MessageRecorder messages;
  TXDatabase db;
  db.LoadBoth(kStage + QStringLiteral("s_d.zvk"), kStage + QStringLiteral("d_s.zvk"));
  ASSERT_TRUE(messages.messages().isEmpty());
  QStringList problems;
  for (int d = 0; d < 2; ++d) {
    db.SetDirection(d == 1);
    EXPECT_GT(db.EntryCount(), d == 0 ? 15000 : 30000) << db.DirectionName().toStdString();
    for (int k = 0; k < db.EntryCount(); ++k) {
      if (k > 0 && DictionaryOrder::Less(db.EntryWord(k), db.EntryWord(k - 1)))
        problems << db.EntryWord(k) + QStringLiteral(" stands after ") + db.EntryWord(k - 1);
      if (const auto fault = DictionaryMaintenance::MeaningFault(db.EntryMeaning(k)))
        problems << db.EntryWord(k) + QStringLiteral(": ") + *fault;
      if (db.EntryWord(k).isEmpty() || db.EntryMeaning(k).isEmpty()) problems << QStringLiteral("empty entry %1").arg(k);
    }
  }
  EXPECT_TRUE(problems.isEmpty()) << problems.mid(0, 20).join(u'\n').toStdString();

  // Common words with their class and, for Spanish nouns, their gender.
  struct Sample {
    bool german;
    const char16_t* word;
    int wortart;
    const char16_t* meaning;  // one meaning the entry holds
  };
  const Sample samples[] = {
      {false, u"casa (f)", 1, u"Haus"},      {false, u"perro (m)", 1, u"Hund"},  {false, u"tener", 2, u"haben"},
      {false, u"hablar", 2, u"sprechen"},    {false, u"correr", 2, u"laufen"},   {false, u"banco (m)", 1, u"Bank"},
      {false, u"rápido", 3, u"schnell"},     {true, u"Haus", 1, u"casa (f)"},   {true, u"gehen", 2, u"ir"},
      {true, u"schnell", 3, u"rápido"},      {true, u"Bank", 1, u"banco (m)"},  {true, u"Hund", 1, u"perro (m)"},
      {true, u"sprechen", 2, u"hablar"},     {true, u"Zeitung", 1, u"periódico (m)"}};
  for (const Sample& s : samples) {
    db.SetDirection(s.german);
    const QString word = QString::fromUtf16(s.word);
    const int k = db.FindEntry(word, s.wortart);
    EXPECT_EQ(db.EntryWord(k), word);
    EXPECT_EQ(db.EntryClass(k), s.wortart) << word.toStdString();
    EXPECT_TRUE(SplitMeanings(db.EntryMeaning(k)).contains(QString::fromUtf16(s.meaning)))
        << word.toStdString() << ": " << db.EntryMeaning(k).toStdString();
  }
}

TEST(ConvertedDictionary, TheFreeDictionariesCoverMostOfTheCourse) {
  if (!converted()) GTEST_SKIP() << "the free dictionaries are not installed";
  QList<TVokabel> records;
  QStringList errors;
  ASSERT_TRUE(CourseRecords::Read(kStage + QStringLiteral("Vokabeln (S)"), {QStringLiteral(ZVK_SOURCE_DIR "/course/data/2.txt")},
                                  records, errors));
  const CourseDictionary::Halves course = CourseDictionary::FromRecords(records);
  const QList<TXDBEintrag>* halves[2] = {&course.spanishGerman, &course.germanSpanish};
  const char* files[2] = {"s_d.zvk", "d_s.zvk"};
  for (int d = 0; d < 2; ++d) {
    const auto bytes = FileIO::readBytes(kConverted + QLatin1String(files[d]));
    ASSERT_TRUE(bytes);
    QSet<QString> words;
    for (const DictionaryFile::RawEntry& e : DictionaryFile::Parse(*bytes, QLatin1String(files[d])).entries)
      words.insert(comparable(e.Word));
    int found = 0;
    for (const TXDBEintrag& e : *halves[d]) found += words.contains(comparable(e.Word)) ? 1 : 0;
    const double share = double(found) / double(halves[d]->size());
    RecordProperty(files[d], QString::number(share * 100, 'f', 1).toStdString());
    std::printf("%s: %d of %lld course words (%.1f %%)\n", files[d], found, static_cast<long long>(halves[d]->size()),
                share * 100);
    EXPECT_GT(share, 0.80) << files[d];
  }
}
