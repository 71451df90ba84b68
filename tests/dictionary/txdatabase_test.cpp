// The dictionary's directions, lookups and editing.

#include <gtest/gtest.h>

#include <QSet>
#include <functional>

#include "common/messagerecorder.h"
#include "common/random.h"
#include "dictionary/dictionaryorder.h"
#include "dictionarytestsupport.h"

namespace {

QStringList numbered(int n) {
  QStringList entries;
  for (int i = 0; i < n; ++i) entries << QStringLiteral("w%1|1|m%1").arg(i, 2, 10, QLatin1Char('0'));
  return entries;
}

}  // namespace

TEST(DictionaryOrder, IgnoresCaseAndAccentsFirstAndKeepsWordsApartExactly) {
  EXPECT_LT(DictionaryOrder::Compare(QStringLiteral("árbol"), QStringLiteral("arco")), 0);
  EXPECT_LT(DictionaryOrder::Compare(QStringLiteral("Haus"), QStringLiteral("häuslich")), 0);
  EXPECT_LT(DictionaryOrder::Compare(QStringLiteral("nube"), QStringLiteral("ñu")), 0);
  EXPECT_LT(DictionaryOrder::Compare(QStringLiteral("nzz"), QStringLiteral("ñu")), 0);
  EXPECT_LT(DictionaryOrder::Compare(QStringLiteral("ñu"), QStringLiteral("oca")), 0);
  EXPECT_EQ(DictionaryOrder::Compare(QStringLiteral("Straße"), QStringLiteral("STRASSE")) == 0,
            DictionaryOrder::SameWord(QStringLiteral("Straße"), QStringLiteral("STRASSE")));
  // Equal exactly when equal ignoring case: "papa" and "papá" are two words next to each other.
  EXPECT_EQ(DictionaryOrder::Compare(QStringLiteral("Casa"), QStringLiteral("casa")), 0);
  EXPECT_NE(DictionaryOrder::Compare(QStringLiteral("papa"), QStringLiteral("papá")), 0);
  EXPECT_EQ(DictionaryOrder::Compare(QStringLiteral("papa"), QStringLiteral("papá")),
            -DictionaryOrder::Compare(QStringLiteral("papá"), QStringLiteral("papa")));
}

TEST(TXDatabase, DirectionsAreIndependentAndNamed) {
  TXDatabase db;
  EXPECT_FALSE(db.IsGermanSpanish());
  EXPECT_EQ(db.DirectionName(), QStringLiteral("Spanisch-Deutsch"));
  EXPECT_EQ(db.DirectionShortName(), QStringLiteral("Spanisch-D"));
  Fill(db, numbered(5));
  db.LastEntry();
  db.SetDirection(true);
  EXPECT_EQ(db.DirectionName(), QStringLiteral("Deutsch-Spanisch"));
  EXPECT_EQ(db.DirectionShortName(), QStringLiteral("Deutsch-S"));
  EXPECT_EQ(db.EntryCount(), 0);
  db.SetDirection(false);
  EXPECT_EQ(db.CurrentIndex(), 4);
  // Past the end: empty texts and class 1; setters ignore it.
  EXPECT_EQ(db.EntryWord(9), QString());
  EXPECT_EQ(db.EntryClass(9), 1);
  db.SetEntryWord(9, QStringLiteral("x"));
  EXPECT_EQ(db.EntryCount(), 5);
  db.SetEntryClass(-1, 12);
  EXPECT_EQ(db.EntryClass(), 1);
}

TEST(TXDatabase, FindEntryMatchesCaseFirstThenTheExactSpellingWithItsClass) {
  TXDatabase db;
  Fill(db, {QStringLiteral("Bank|1|banco (m) [Geld]"), QStringLiteral("bank|3|x"), QStringLiteral("Bank|1|banco (m) [Sitz]"),
            QStringLiteral("Bank|7|y"), QStringLiteral("Haus|1|casa (f)")});
  EXPECT_EQ(db.FindEntry(QStringLiteral("Bank"), -1), 0);
  EXPECT_EQ(db.FindEntry(QStringLiteral("BANK"), 1), 0) << "no exact spelling: the first equal ignoring case";
  EXPECT_EQ(db.FindEntry(QStringLiteral("bank"), 3), 1);
  EXPECT_EQ(db.FindEntry(QStringLiteral("Bank"), 7), 3);
  EXPECT_EQ(db.FindEntry(QStringLiteral("Bank"), 2), 0);
  EXPECT_EQ(db.FindEntry(QStringLiteral("Haus"), 1), 4) << "the last entry with its class";
  EXPECT_EQ(db.FindEntry(QStringLiteral("Baum"), 1), 4) << "the first entry not before the word";
  EXPECT_EQ(db.FindEntry(QStringLiteral(""), 1), -1);
  TXDatabase empty;
  EXPECT_EQ(empty.FindEntry(QStringLiteral("Haus"), 1), -1);
}

TEST(TXDatabase, AWordAfterEveryEntryIsInsertedAtTheEnd) {
  TXDatabase db;
  Fill(db, {QStringLiteral("casa|1|Haus"), QStringLiteral("perro|1|Hund")});
  EXPECT_EQ(db.FindEntry(QStringLiteral("zumo"), 1), 2);
  db.LocateEntry(QStringLiteral("zumo"), 1);
  db.InsertEntry();
  db.SetEntryWord(-1, QStringLiteral("zumo"));
  db.SetEntryMeaning(-1, QStringLiteral("Saft"));
  EXPECT_EQ(Words(db), (QStringList{QStringLiteral("casa"), QStringLiteral("perro"), QStringLiteral("zumo")}));
  // The order stays right, so the old last entry is still found.
  EXPECT_EQ(db.FindEntry(QStringLiteral("perro"), 1), 1);
  db.LocateEntry(QStringLiteral("gato"), 1);
  db.InsertEntry();
  db.SetEntryWord(-1, QStringLiteral("gato"));
  EXPECT_EQ(Words(db), (QStringList{QStringLiteral("casa"), QStringLiteral("gato"), QStringLiteral("perro"),
                                    QStringLiteral("zumo")}));
  EXPECT_EQ(db.FindEntry(QStringLiteral("zumo"), 1), 3);
}

TEST(TXDatabase, LookupsStayRightInAListThatIsNotSorted) {
  TXDatabase db;
  Fill(db, {QStringLiteral("perro|1|Hund"), QStringLiteral("casa|1|Haus"), QStringLiteral("zumo|1|Saft")});
  // Walked from the start as the files were always read: the first entry not before the word.
  EXPECT_EQ(db.FindEntry(QStringLiteral("casa"), 1), 0);
  EXPECT_EQ(db.FindEntry(QStringLiteral("zumo"), 1), 2);
  db.SortEntries();
  EXPECT_EQ(db.FindEntry(QStringLiteral("casa"), 1), 0);
  EXPECT_EQ(db.FindEntry(QStringLiteral("perro"), 1), 1);
  // An edit that breaks the order is noticed, and mending it is too.
  db.SetEntryWord(0, QStringLiteral("yema"));
  EXPECT_EQ(db.FindEntry(QStringLiteral("perro"), 1), 0);
  db.SetEntryWord(0, QStringLiteral("casa"));
  EXPECT_EQ(db.FindEntry(QStringLiteral("perro"), 1), 1);
}

TEST(TXDatabase, LocateEntryShowsNineNeighboursAtStartMiddleAndEnd) {
  TXDatabase db;
  Fill(db, numbered(20));
  const auto window = [&](const QString& word) {
    db.LocateEntry(word, -1);
    QList<int> indices;
    for (const DictionaryHit& h : db.Results()) indices << h.Index;
    return std::pair{indices, db.ResultPosition()};
  };
  auto [start, atStart] = window(QStringLiteral("w00"));
  EXPECT_EQ(start, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(atStart, 0);
  auto [middle, atMiddle] = window(QStringLiteral("w10"));
  EXPECT_EQ(middle, (QList<int>{9, 10, 11, 12, 13, 14, 15, 16, 17}));
  EXPECT_EQ(atMiddle, 1);
  auto [end, atEnd] = window(QStringLiteral("w19"));
  EXPECT_EQ(end, (QList<int>{11, 12, 13, 14, 15, 16, 17, 18, 19}));
  EXPECT_EQ(atEnd, 8);
  // An empty word goes to the start; a short list is shown whole; an empty one shows nothing.
  db.LocateEntry(QString(), -1);
  EXPECT_EQ(db.CurrentIndex(), 0);
  TXDatabase small;
  Fill(small, numbered(3));
  small.LocateEntry(QStringLiteral("w02"), 1);
  EXPECT_EQ(small.Results().size(), 3);
  EXPECT_EQ(small.ResultPosition(), 2);
  TXDatabase empty;
  empty.LocateEntry(QStringLiteral("x"), 1);
  EXPECT_TRUE(empty.Results().isEmpty());
  EXPECT_EQ(empty.CurrentIndex(), 0);
}

TEST(TXDatabase, GoToEntryFindsTheWordAndThenItsMeaning) {
  TXDatabase db;
  Fill(db, {QStringLiteral("banco|1|Bank [Geld]"), QStringLiteral("banco|1|Bank [Sitz]"), QStringLiteral("casa|1|Haus")});
  db.GoToEntry(QStringLiteral("banco"), QStringLiteral("Bank [Sitz]"));
  EXPECT_EQ(db.CurrentIndex(), 1);
  db.GoToEntry(QStringLiteral("banco"), QStringLiteral("anders"));
  EXPECT_EQ(db.CurrentIndex(), 0);
  db.GoToEntry(QStringLiteral("fehlt"), QString());
  EXPECT_EQ(db.CurrentIndex(), 0);
}

TEST(TXDatabase, EditingMovesTheCurrentEntryAndNotifiesOnce) {
  TXDatabase db;
  int notes = 0;
  db.OnChange = [&] { ++notes; };
  Fill(db, numbered(3));
  EXPECT_EQ(notes, 0) << "adding is part of loading and does not notify";
  db.LastEntry();
  db.NextEntry();
  EXPECT_EQ(db.CurrentIndex(), 2);
  db.DeleteEntry();
  EXPECT_EQ(db.CurrentIndex(), 1);
  EXPECT_EQ(db.EntryCount(), 2);
  db.FirstEntry();
  db.PreviousEntry();
  EXPECT_EQ(db.CurrentIndex(), 0);
  db.InsertEntry();
  EXPECT_EQ(db.EntryWord(0), QString());
  EXPECT_EQ(db.EntryClass(0), 1);
  EXPECT_EQ(notes, 6);
  {
    MessageRecorder messages;
    EXPECT_FALSE(db.CurrentEntryComplete());
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.messages()[0].text, QStringLiteral("Der aktuelle Eintrag ist nicht vollständig!"));
  }
  db.ClearEntries();
  EXPECT_EQ(db.EntryCount(), 0);
  {
    // An empty direction has nothing to complete: its first entry can be made.
    MessageRecorder messages;
    EXPECT_TRUE(db.CurrentEntryComplete());
    EXPECT_TRUE(messages.messages().empty());
  }
  db.DeleteEntry();  // nothing to delete
  EXPECT_TRUE(db.Modified(0));
}

TEST(TXDatabase, ResultsNeverPointAtAnotherEntryAfterTheListChanged) {
  TXDatabase db;
  Fill(db, {QStringLiteral("casa|1|Haus"), QStringLiteral("perro|1|Hund"), QStringLiteral("zumo|1|Saft")});
  const auto search = [&] { db.SearchEntries(QStringLiteral("Hund"), {}); };
  search();
  ASSERT_EQ(ResultWords(db), QStringList{QStringLiteral("perro")});
  db.FirstEntry();
  db.DeleteEntry();
  EXPECT_TRUE(db.Results().isEmpty());
  for (const auto& change : std::initializer_list<std::function<void()>>{
           [&] { db.InsertEntry(); }, [&] { db.SortEntries(); }, [&] { db.ClearEntries(); }}) {
    Fill(db, {QStringLiteral("perro|1|Hund")});
    search();
    ASSERT_FALSE(db.Results().isEmpty());
    change();
    EXPECT_TRUE(db.Results().isEmpty());
  }
  // An edit in place keeps the hits: they still name the entries they found.
  Fill(db, {QStringLiteral("gato|1|Katze")});
  db.SearchEntries(QStringLiteral("Katze"), {});
  db.SetEntryMeaning(0, QStringLiteral("Kater"));
  EXPECT_EQ(db.Results().size(), 1);
}

TEST(TXDatabase, RandomEntryDrawsOnlyFromTheFirstFourClassesUnlessAnyIsAllowed) {
  Random::seed(7);
  TXDatabase db;
  Fill(db, {QStringLiteral("a|5|x"), QStringLiteral("b|3|x"), QStringLiteral("c|8|x"), QStringLiteral("d|6|x")});
  for (int i = 0; i < 20; ++i) {
    ASSERT_TRUE(db.RandomEntry(false));
    EXPECT_EQ(db.EntryWord(), QStringLiteral("b"));
  }
  QSet<QString> seen;
  for (int i = 0; i < 60; ++i) {
    db.RandomEntry(true);
    seen.insert(db.EntryWord());
  }
  EXPECT_EQ(seen.size(), 4);
  // No entry of those classes, or none at all: nothing changes, and the draw ends.
  TXDatabase idioms;
  Fill(idioms, {QStringLiteral("a|5|x"), QStringLiteral("b|6|x")});
  idioms.LastEntry();
  EXPECT_FALSE(idioms.RandomEntry(false));
  EXPECT_EQ(idioms.CurrentIndex(), 1);
  TXDatabase empty;
  EXPECT_FALSE(empty.RandomEntry(true));
}

TEST(TXDatabase, SortingKeepsTheOrderOfEntriesOfTheSameWord) {
  TXDatabase db;
  Fill(db, {QStringLiteral("perro|1|Hund"), QStringLiteral("Banco|1|zwei"), QStringLiteral("banco|1|eins"),
            QStringLiteral("árbol|1|Baum"), QStringLiteral("arte|1|Kunst")});
  db.SortEntries();
  EXPECT_EQ(Words(db), (QStringList{QStringLiteral("árbol"), QStringLiteral("arte"), QStringLiteral("Banco"),
                                    QStringLiteral("banco"), QStringLiteral("perro")}));
}
