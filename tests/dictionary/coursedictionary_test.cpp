// The dictionary the course brings along: made from its vocabulary, staged
// as s_d.zvk and d_s.zvk.

#include <gtest/gtest.h>

#include "common/meaningtext.h"
#include "common/messagerecorder.h"
#include "coursedictionary.h"
#include "courserecords.h"
#include "dictionary/dictionarymaintenance.h"
#include "dictionary/dictionaryorder.h"
#include "dictionarytestsupport.h"

namespace {

TVokabel record(bool deutsch, int wortart, const QString& word, const QString& meaning1, const QString& meaning2 = {}) {
  TVokabel v;
  v.Deutsch = deutsch;
  v.Wortart = wortart;
  v.Vokabel = word;
  v.Bedeutung = {meaning1, meaning2};
  return v;
}

const QString kStage = QStringLiteral(ZVK_STAGE_DIR "/");

}  // namespace

TEST(CourseDictionary, EveryRecordGivesItsEntryAndTheEntriesLeadingBack) {
  const CourseDictionary::Halves halves = CourseDictionary::FromRecords(
      {record(false, 0, QStringLiteral("casa (f)"), QStringLiteral("Haus; Zuhause")),
       record(true, 0, QStringLiteral("Glas"), QStringLiteral("vaso (m); copa (f) [mit Stiel]")),
       record(true, 0, QStringLiteral("Haus"), QStringLiteral("casa (f)"), QStringLiteral("edificio (m)")),
       record(false, 0, QStringLiteral("casa (f)"), QStringLiteral("Haus; Heim")),
       record(false, 5, QStringLiteral("la cuenta, por favor"), QStringLiteral("die Rechnung, bitte")),
       record(false, 7, QStringLiteral("a"), QStringLiteral("nach; zu")),
       record(false, 7, QStringLiteral("a"), QStringLiteral("nach [wie in: schmeckt nach]; an [Ort]; an [Zeit]")),
       record(true, 2, QStringLiteral("dunkel"), QStringLiteral("oscuro; oscura")),
       record(false, 1, QStringLiteral("ducharse"), QStringLiteral("(sich) duschen"))});
  QStringList spanish, german;
  for (const TXDBEintrag& e : halves.spanishGerman) spanish << e.Word + u'|' + QString::number(e.Wortart) + u'|' + e.Meaning;
  for (const TXDBEintrag& e : halves.germanSpanish) german << e.Word + u'|' + QString::number(e.Wortart) + u'|' + e.Meaning;
  EXPECT_EQ(spanish, (QStringList{QStringLiteral("a|8|nach [wie in: schmeckt nach]; zu; an [Ort]; an [Zeit]"),
                                  QStringLiteral("casa (f)|1|Haus; Zuhause; Heim"), QStringLiteral("copa (f)|1|Glas [mit Stiel]"),
                                  QStringLiteral("ducharse|2|(sich) duschen"), 
                                  QStringLiteral("edificio (m)|1|Haus"), QStringLiteral("oscuro|3|dunkel"),
                                  QStringLiteral("vaso (m)|1|Glas")}))
      << "the feminine of an adjective is found under its masculine";
  EXPECT_EQ(german, (QStringList{QStringLiteral("an|8|a [Ort]; a [Zeit]"), QStringLiteral("dunkel|3|oscuro; oscura"),
                                 QStringLiteral("Glas|1|vaso (m); copa (f) [mit Stiel]"),
                                 QStringLiteral("Haus|1|casa (f); edificio (m)"), QStringLiteral("Heim|1|casa (f)"),
                                 QStringLiteral("nach|8|a [wie in: schmeckt nach]"), QStringLiteral("sich duschen|2|ducharse"),
                                 QStringLiteral("zu|8|a"), QStringLiteral("Zuhause|1|casa (f)")}))
      << german.join(u'\n').toStdString() << "\n(a meaning with a comma cannot stand in the dictionary, so the phrase is left out)";
  EXPECT_EQ(halves.dropped, 2);
}

TEST(CourseDictionary, TheStagedDictionaryCoversTheCourseInBothDirections) {
  MessageRecorder messages;
  TXDatabase db;
  db.LoadBoth(kStage + QStringLiteral("s_d.zvk"), kStage + QStringLiteral("d_s.zvk"));
  ASSERT_TRUE(messages.messages().isEmpty()) << messages.messages().first().text.toStdString();
  QList<TVokabel> records;
  QStringList errors;
  ASSERT_TRUE(CourseRecords::Read(kStage + QStringLiteral("Vokabeln (S)"), {QStringLiteral(ZVK_SOURCE_DIR "/course/data/2.txt")},
                                  records, errors));
  QStringList problems;
  for (int d = 0; d < 2; ++d) {
    db.SetDirection(d == 1);
    EXPECT_GE(db.EntryCount(), 300) << db.DirectionName().toStdString();
    for (int k = 0; k < db.EntryCount(); ++k) {
      if (k > 0 && DictionaryOrder::Less(db.EntryWord(k), db.EntryWord(k - 1)))
        problems << db.EntryWord(k) + QStringLiteral(" stands after ") + db.EntryWord(k - 1);
      if (const auto fault = DictionaryMaintenance::MeaningFault(db.EntryMeaning(k)))
        problems << db.EntryWord(k) + QStringLiteral(": ") + *fault;
    }
  }
  // Every word of the course is found in its direction with its class (in
  // one spelling: "wie viel kostet das?" and "Wie viel kostet das?" share an entry).
  int found = 0;
  for (const TVokabel& v : records) {
    // A word whose meanings all hold a comma cannot be a dictionary entry.
    QStringList meanings = SplitMeanings(v.Bedeutung[0]) + SplitMeanings(v.Bedeutung[1]);
    meanings.removeIf([](const QString& m) { return m.isEmpty() || StripExplanations(m).contains(u','); });
    if (meanings.isEmpty()) continue;
    db.SetDirection(v.Deutsch);
    const int k = db.FindEntry(v.Vokabel, v.Wortart + 1);
    if (DictionaryOrder::SameWord(db.EntryWord(k), v.Vokabel) && db.EntryClass(k) == v.Wortart + 1) ++found;
    else problems << v.Vokabel + QStringLiteral(" is missing");
  }
  EXPECT_GT(found, 1000);
  EXPECT_TRUE(problems.isEmpty()) << problems.join(u'\n').toStdString();
}
