// Searching the dictionary: exact text, whole words, both directions.

#include <gtest/gtest.h>

#include "dictionarytestsupport.h"

namespace {

TXDatabase bothDirections() {
  TXDatabase db;
  db.SetDirection(true);
  Fill(db, {QStringLiteral("Haus|1|casa (f)"), QStringLiteral("Haustür|1|puerta (f) de la casa"),
            QStringLiteral("wie geht's|6|qué tal; cómo estás")});
  db.SetDirection(false);
  Fill(db, {QStringLiteral("casa (f)|1|Haus; Zuhause"), QStringLiteral("casado|3|verheiratet"),
            QStringLiteral("¿qué tal?|6|wie geht's"), QStringLiteral("¡hola!|6|hallo"),
            QStringLiteral("en casa de|8|bei [jemandem zu Hause]")});
  return db;
}

QStringList search(TXDatabase& db, const QString& text, bool whole) {
  TXDatabase::SearchOptions options;
  options.WholeWords = whole;
  db.SearchEntries(text, options);
  return ResultWords(db);
}

}  // namespace

TEST(DictionarySearch, WholeWordsStandBetweenTheDelimitersOfTheList) {
  // The list: blank ! ( ) , - . / ; ? [ ] "¿" and "¡"; ":" is none.
  for (const QChar c : QStringView(u" !(),-./;?[]¿¡")) EXPECT_TRUE(DictionaryMatch::IsDelimiter(c)) << int(c.unicode());
  for (const QChar c : QStringView(u":'\"aZ0\t")) EXPECT_FALSE(DictionaryMatch::IsDelimiter(c)) << int(c.unicode());

  EXPECT_TRUE(DictionaryMatch::Contains(u"¿qué tal?", u"qué tal", true));
  EXPECT_TRUE(DictionaryMatch::Contains(u"¿qué tal?", u"tal", true));
  EXPECT_TRUE(DictionaryMatch::Contains(u"¿qué tal?", u"¿qué", true));
  EXPECT_TRUE(DictionaryMatch::Contains(u"¡hola!", u"hola", true));
  EXPECT_FALSE(DictionaryMatch::Contains(u"¡holas!", u"hola", true));
  EXPECT_TRUE(DictionaryMatch::Contains(u"¡hola!", u"hola", false));
  // A rejected match lets the search go on: the second "casa" stands alone.
  EXPECT_TRUE(DictionaryMatch::Contains(u"casado; casa", u"casa", true));
  EXPECT_FALSE(DictionaryMatch::Contains(u"casado; casar", u"casa", true));
  EXPECT_TRUE(DictionaryMatch::Contains(u"bei [zu Hause]", u"Hause", true));
  EXPECT_FALSE(DictionaryMatch::Contains(u"anything", u"", false));
}

TEST(DictionarySearch, BothDirectionsInOrderEachEntryOnce) {
  TXDatabase db = bothDirections();
  EXPECT_EQ(search(db, QStringLiteral("casa"), true),
            (QStringList{QStringLiteral("casa (f)"), QStringLiteral("en casa de"), QStringLiteral("Haus"),
                         QStringLiteral("Haustür")}));
  EXPECT_EQ(search(db, QStringLiteral("casa"), false),
            (QStringList{QStringLiteral("casa (f)"), QStringLiteral("casado"), QStringLiteral("en casa de"),
                         QStringLiteral("Haus"), QStringLiteral("Haustür")}));
  EXPECT_EQ(search(db, QStringLiteral("qué tal"), true),
            (QStringList{QStringLiteral("¿qué tal?"), QStringLiteral("wie geht's")}));
  EXPECT_EQ(search(db, QStringLiteral("Hause"), true), QStringList{QStringLiteral("en casa de")});
  EXPECT_EQ(search(db, QStringLiteral("(f)"), true), (QStringList{QStringLiteral("casa (f)"), QStringLiteral("Haus"),
                                                                  QStringLiteral("Haustür")}));
  // Exact in letter case ("haus" only in "Zuhause"); an empty text or a missing word finds nothing.
  EXPECT_EQ(search(db, QStringLiteral("haus"), false), QStringList{QStringLiteral("casa (f)")});
  EXPECT_TRUE(search(db, QStringLiteral(""), false).isEmpty());
  EXPECT_TRUE(search(db, QStringLiteral("Schloss"), true).isEmpty());
  EXPECT_TRUE(search(db, QStringLiteral("Ω"), false).isEmpty());
}

TEST(DictionarySearch, ASearchInBothDirectionsStopsAt228Hits) {
  TXDatabase db;
  for (int d = 0; d < 2; ++d) {
    db.SetDirection(d == 1);
    for (int i = 0; i < 150; ++i) db.AddEntry(QStringLiteral("palabra%1").arg(i), QStringLiteral("1"), QStringLiteral("Wort"));
  }
  db.SearchEntries(QStringLiteral("Wort"), {});
  ASSERT_EQ(db.Results().size(), TXDatabase::kMaxHits);
  EXPECT_EQ(db.Results().last(), (DictionaryHit{1, 77}));
}

TEST(DictionarySearch, TheCurrentDirectionSearchesWordsOrMeaningsByLanguage) {
  TXDatabase db = bothDirections();
  TXDatabase::SearchOptions options;
  options.BothDirections = false;
  options.German = false;  // Spanish: the words of the Spanish-German half
  db.SearchEntries(QStringLiteral("casa"), options);
  EXPECT_EQ(ResultWords(db), (QStringList{QStringLiteral("casa (f)"), QStringLiteral("casado"), QStringLiteral("en casa de")}));
  options.German = true;  // German: its meanings
  db.SearchEntries(QStringLiteral("Haus"), options);
  EXPECT_EQ(ResultWords(db), (QStringList{QStringLiteral("casa (f)"), QStringLiteral("en casa de")}));
  options.WholeWords = true;
  db.SearchEntries(QStringLiteral("Haus"), options);
  EXPECT_EQ(ResultWords(db), QStringList{QStringLiteral("casa (f)")});
  options.WholeWords = false;
  db.SetDirection(true);
  db.SearchEntries(QStringLiteral("Haus"), options);
  EXPECT_EQ(ResultWords(db), (QStringList{QStringLiteral("Haus"), QStringLiteral("Haustür")}));
}

TEST(DictionarySearch, TheSearchKeepsInStepWithEveryEdit) {
  TXDatabase db = bothDirections();
  EXPECT_TRUE(search(db, QStringLiteral("perro"), true).isEmpty());
  db.LocateEntry(QStringLiteral("perro"), 1);
  db.InsertEntry();
  db.SetEntryWord(-1, QStringLiteral("perro (m)"));
  db.SetEntryMeaning(-1, QStringLiteral("Hund"));
  EXPECT_EQ(search(db, QStringLiteral("perro"), true), QStringList{QStringLiteral("perro (m)")});
  EXPECT_EQ(search(db, QStringLiteral("Hund"), true), QStringList{QStringLiteral("perro (m)")});
  db.GoToEntry(QStringLiteral("perro (m)"), QStringLiteral("Hund"));
  db.SetEntryMeaning(-1, QStringLiteral("Köter"));
  EXPECT_TRUE(search(db, QStringLiteral("Hund"), true).isEmpty());
  // A character Windows-1252 cannot hold is searched for too.
  db.GoToEntry(QStringLiteral("perro (m)"), QStringLiteral("Köter"));
  db.SetEntryMeaning(-1, QStringLiteral("Hund Ω"));
  EXPECT_EQ(search(db, QStringLiteral("Ω"), true), QStringList{QStringLiteral("perro (m)")});
  EXPECT_EQ(search(db, QStringLiteral("casa"), true).size(), 4);
}
