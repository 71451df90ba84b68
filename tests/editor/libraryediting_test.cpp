#include "editor/libraryediting.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <algorithm>

#include "common/random.h"
#include "editor/meaningsets.h"
#include "vocabulary/vocabularytestsupport.h"

namespace {

using namespace Qt::StringLiterals;

// A library of the records with its trailing empty record, not modified.
TVocLib libraryOf(const QList<TVokabel>& records) {
  TVocLib library;
  library.Items = records;
  library.Items.append(TVokabel());
  library.Modified = false;
  return library;
}

QStringList entries(const TVocLib& library) {
  QStringList out;
  for (const TVokabel& v : library.Items) out << v.Vokabel;
  return out;
}

// Exactly one empty record, at the end, and Current inside the list.
void expectTrailingRule(const TVocLib& library) {
  ASSERT_FALSE(library.Items.isEmpty());
  EXPECT_TRUE(library.Items.last().IsEmpty());
  EXPECT_EQ(LibraryEditing::FirstIncompleteRecord(library), -1);
  EXPECT_GE(library.Current, 0);
  EXPECT_LT(library.Current, library.Items.size());
}

class ScopedDefaultLocale {
 public:
  explicit ScopedDefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
  ~ScopedDefaultLocale() { QLocale::setDefault(previous_); }

 private:
  QLocale previous_;
};

}  // namespace

TEST(LibraryEditingSort, SpanishFirstThenByKeyIgnoringCaseAndAccents) {
  TVocLib library = libraryOf({record(u"Tisch"_s, u"mesa"_s, 0, true), record(u"zapato"_s, u"Schuh"_s),
                               record(u"sobre"_s, u"auf"_s, 7), record(u"Casa"_s, u"Haus"_s),
                               record(u"Apfel"_s, u"manzana"_s, 0, true), record(u"árbol"_s, u"Baum"_s),
                               record(u"barco"_s, u"Schiff"_s), record(u"sobre"_s, u"Briefumschlag"_s, 0)});
  library.Current = 5;
  ASSERT_TRUE(LibraryEditing::Sort(library));
  // "árbol" among the a's, "Casa" after "barco", the word class before the meaning.
  EXPECT_EQ(entries(library), (QStringList{u"árbol"_s, u"barco"_s, u"Casa"_s, u"sobre"_s, u"sobre"_s, u"zapato"_s,
                                           u"Apfel"_s, u"Tisch"_s, QString()}));
  EXPECT_EQ(library.Items[3].Wortart, 0);
  EXPECT_EQ(library.Items[4].Wortart, 7);
  EXPECT_EQ(library.Current, 0);
  EXPECT_TRUE(library.Modified);
  expectTrailingRule(library);
  EXPECT_EQ(library.Items.size(), 9);

  // Sorting again changes nothing and leaves the library unmodified.
  library.Modified = false;
  ASSERT_TRUE(LibraryEditing::Sort(library));
  EXPECT_FALSE(library.Modified);
}

TEST(LibraryEditingSort, FollowsTheDefaultLocale) {
  const auto order = [] {
    TVocLib library = libraryOf({record(u"ñu"_s, u"Gnu"_s), record(u"nube"_s, u"Wolke"_s),
                                 record(u"oso"_s, u"Bär"_s)});
    LibraryEditing::Sort(library);
    return entries(library);
  };
  {
    const ScopedDefaultLocale spanish(QLocale(QLocale::Spanish, QLocale::Spain));
    EXPECT_EQ(order(), (QStringList{u"nube"_s, u"ñu"_s, u"oso"_s, QString()}));  // ñ is a letter of its own
  }
  const ScopedDefaultLocale german(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(order(), (QStringList{u"ñu"_s, u"nube"_s, u"oso"_s, QString()}));
}

TEST(LibraryEditingSort, RefusedWithAnIncompleteRecordAndFastOnSortedInput) {
  TVocLib gap =
      libraryOf({record(u"zapato"_s, u"Schuh"_s), record(u"casa"_s, QString()), record(u"año"_s, u"Jahr"_s)});
  EXPECT_EQ(LibraryEditing::FirstIncompleteRecord(gap), 1);
  const QList<TVokabel> before = gap.Items;
  gap.Current = 2;
  EXPECT_FALSE(LibraryEditing::Sort(gap));
  EXPECT_EQ(gap.Items, before);
  EXPECT_EQ(gap.Current, 2);
  EXPECT_FALSE(gap.Modified);

  // A typed entry in the trailing record does not stop the sort and stays last.
  TVocLib typed = libraryOf({record(u"zapato"_s, u"Schuh"_s), record(u"año"_s, u"Jahr"_s)});
  typed.Items.last().Vokabel = u"abeja"_s;
  ASSERT_TRUE(LibraryEditing::Sort(typed));
  EXPECT_EQ(entries(typed), (QStringList{u"año"_s, u"zapato"_s, u"abeja"_s}));

  QList<TVokabel> sorted;
  for (int i = 0; i < 20000; ++i) sorted.append(record(u"w%1"_s.arg(i, 5, 10, QLatin1Char('0')), u"m"_s));
  TVocLib large = libraryOf(sorted);
  ASSERT_TRUE(LibraryEditing::Sort(large));
  EXPECT_EQ(large.Items.mid(0, 20000), sorted);
  EXPECT_FALSE(large.Modified);
}

TEST(LibraryEditingMix, NeedsFourRecordsAndKeepsTheRecords) {
  Random::seed(11);
  TVocLib small = libraryOf({record(u"uno"_s, u"eins"_s), record(u"dos"_s, u"zwei"_s), record(u"tres"_s, u"drei"_s)});
  const QList<TVokabel> before = small.Items;
  EXPECT_FALSE(LibraryEditing::Mix(small));
  EXPECT_EQ(small.Items, before);
  EXPECT_FALSE(small.Modified);

  QList<TVokabel> records;
  for (int i = 0; i < 10; ++i) records.append(record(QString::number(i), u"m"_s));
  TVocLib library = libraryOf(records);
  library.Items.last().Vokabel = u"typed"_s;
  library.Current = 7;
  ASSERT_TRUE(LibraryEditing::Mix(library));
  QStringList mixed = entries(library);
  EXPECT_EQ(mixed.takeLast(), u"typed"_s);
  EXPECT_NE(mixed, entries(libraryOf(records)).mid(0, 10));
  std::sort(mixed.begin(), mixed.end());
  EXPECT_EQ(mixed, entries(libraryOf(records)).mid(0, 10));
  EXPECT_EQ(library.Current, 0);
  EXPECT_TRUE(library.Modified);
  expectTrailingRule(library);
}

TEST(LibraryEditingTurn, AppendsReversedCopies) {
  QList<TVokabel> records;
  for (int i = 0; i < 10; ++i) {
    TVokabel v = record(u"palabra%1"_s.arg(i), u"Wort%1"_s.arg(i), i % 8, i % 2 == 1, i % 5);
    v.Bedeutung[1] = u"Vokabel"_s;
    v.Kontext = {u"la [palabra]"_s, u"otra [palabra]"_s};
    v.KontextBedeutung = {true, true};
    records.append(v);
  }
  TVocLib library = libraryOf(records);
  library.Current = 4;
  LibraryEditing::Turn(library);
  ASSERT_EQ(library.Items.size(), 21);
  EXPECT_EQ(library.Items.mid(0, 10), records);
  EXPECT_EQ(library.Current, 4);
  EXPECT_TRUE(library.Modified);
  expectTrailingRule(library);
  for (int i = 0; i < 10; ++i) {
    const TVokabel& copy = library.Items[10 + i];
    EXPECT_EQ(copy.Vokabel, u"Wort%1"_s.arg(i));
    EXPECT_EQ(copy.Bedeutung[0], u"palabra%1"_s.arg(i));
    EXPECT_TRUE(copy.Bedeutung[1].isEmpty());
    EXPECT_TRUE(copy.Kontext[0].isEmpty() && copy.Kontext[1].isEmpty());
    EXPECT_FALSE(copy.KontextBedeutung[0] || copy.KontextBedeutung[1]);
    EXPECT_EQ(copy.Deutsch, i % 2 == 0);
    EXPECT_EQ(copy.Wortart, i % 8);
    EXPECT_EQ(copy.Schwierigkeit, i % 5);
  }
}

TEST(LibraryEditingTurn, FromARecordOnAndOutOfRange) {
  TVocLib library = libraryOf({record(u"uno"_s, u"eins"_s), record(u"dos"_s, u"zwei"_s), record(u"tres"_s, u"drei"_s)});
  LibraryEditing::Turn(library, 1);
  EXPECT_EQ(entries(library), (QStringList{u"uno"_s, u"dos"_s, u"tres"_s, u"zwei"_s, u"drei"_s, QString()}));
  EXPECT_TRUE(library.Items.last().Deutsch);  // the trailing record continues the direction

  LibraryEditing::Turn(library, 4);  // the last record itself
  EXPECT_EQ(library.Items.size(), 7);
  EXPECT_EQ(library.Items[5].Vokabel, u"tres"_s);
  library.Modified = false;
  LibraryEditing::Turn(library, 6);  // the trailing record: nothing to turn
  LibraryEditing::Turn(library, 100);
  EXPECT_EQ(library.Items.size(), 7);
  EXPECT_FALSE(library.Modified);
  expectTrailingRule(library);

  TVocLib negative = libraryOf({record(u"uno"_s, u"eins"_s)});
  LibraryEditing::Turn(negative, -3);
  EXPECT_EQ(entries(negative), (QStringList{u"uno"_s, u"eins"_s, QString()}));
}

TEST(LibraryEditingDuplicates, RemovesLaterDuplicates) {
  TVocLib none = libraryOf({record(u"casa"_s, u"Haus"_s)});
  EXPECT_EQ(LibraryEditing::RemoveDuplicates(none), -1);
  EXPECT_EQ(none.Items.size(), 2);

  TVocLib library = libraryOf({record(u"casa"_s, u"Haus; Heim"_s), record(u"casa"_s, u"Haus"_s),
                               record(u"casa"_s, u"heim; Haus"_s), record(u"casa"_s, u"Haus"_s, 1),
                               record(u"casa"_s, u"Haus"_s, 0, true), record(u"Casa"_s, u"Haus"_s),
                               record(u"casa"_s, u"Haus"_s), record(u"casa"_s, u"Haus"_s)});
  library.Current = 8;
  // The second meaning field counts among the meanings, but the lengths of
  // the two fields together must match too.
  TVokabel split = record(u"casa"_s, u"Heim"_s);
  split.Bedeutung[1] = u"Haus"_s;
  EXPECT_FALSE(LibraryEditing::IsDuplicate(library.Items[0], split));
  TVokabel swapped = record(u"casa"_s, u"Haus"_s);
  swapped.Bedeutung[1] = u"Heim"_s;
  EXPECT_TRUE(LibraryEditing::IsDuplicate(swapped, split));

  EXPECT_EQ(LibraryEditing::RemoveDuplicates(library), 3);  // the meanings in another order, two more "Haus"
  ASSERT_EQ(library.Items.size(), 6);
  EXPECT_EQ(library.Items[0].Bedeutung[0], u"Haus; Heim"_s);
  EXPECT_EQ(library.Items[1].Bedeutung[0], u"Haus"_s);
  EXPECT_EQ(library.Items[2].Wortart, 1);
  EXPECT_TRUE(library.Items[3].Deutsch);
  EXPECT_EQ(library.Items[4].Vokabel, u"Casa"_s);
  EXPECT_TRUE(library.Modified);
  expectTrailingRule(library);

  library.Modified = false;
  EXPECT_EQ(LibraryEditing::RemoveDuplicates(library), 0);
  EXPECT_FALSE(library.Modified);
}

TEST(LibraryEditingRecords, InsertBefore) {
  TVocLib library = libraryOf({record(u"uno"_s, u"eins"_s), record(u"Haus"_s, u"casa"_s, 0, true)});
  EXPECT_FALSE(LibraryEditing::InsertBefore(library, -1));
  EXPECT_FALSE(LibraryEditing::InsertBefore(library, 3));

  ASSERT_TRUE(LibraryEditing::InsertBefore(library, 1));
  EXPECT_EQ(library.Current, 1);
  EXPECT_TRUE(library.Modified);
  EXPECT_TRUE(library.Items[1].IsEmpty());
  EXPECT_TRUE(library.Items[1].Deutsch);
  EXPECT_EQ(library.Items.size(), 4);
  EXPECT_FALSE(LibraryEditing::InsertBefore(library, 1));  // before the new, incomplete record
  EXPECT_FALSE(LibraryEditing::InsertBefore(library, 2));  // after it

  library.Items[1] = record(u"dos"_s, u"zwei"_s);
  ASSERT_TRUE(LibraryEditing::InsertBefore(library, 3));  // before the trailing record
  EXPECT_EQ(library.Current, 3);
  EXPECT_EQ(library.Items.size(), 5);
  EXPECT_TRUE(library.Items[4].IsEmpty());

  TVocLib empty = libraryOf({});
  EXPECT_FALSE(LibraryEditing::InsertBefore(empty, 0));
  EXPECT_EQ(empty.Items.size(), 1);
}

TEST(LibraryEditingRecords, DeleteAndNormalizeKeepOneTrailingRecord) {
  TVocLib only = libraryOf({record(u"uno"_s, u"eins"_s)});
  LibraryEditing::DeleteRecord(only, 0);
  ASSERT_EQ(only.Items.size(), 1);
  EXPECT_TRUE(only.Items[0].IsEmpty());
  EXPECT_EQ(only.Current, 0);
  EXPECT_TRUE(only.Modified);
  LibraryEditing::DeleteRecord(only, 0);  // the trailing record comes back
  EXPECT_EQ(only.Items.size(), 1);

  TVocLib library = libraryOf({record(u"uno"_s, u"eins"_s), record(u"dos"_s, u"zwei"_s), record(u"tres"_s, u"drei"_s)});
  LibraryEditing::DeleteRecord(library, 1);
  EXPECT_EQ(entries(library), (QStringList{u"uno"_s, u"tres"_s, QString()}));
  EXPECT_EQ(library.Current, 1);
  LibraryEditing::DeleteRecord(library, 1);  // now the last line is the trailing record
  EXPECT_EQ(library.Current, 1);
  library.Modified = false;
  LibraryEditing::DeleteRecord(library, 1);  // the blank trailing record
  EXPECT_EQ(entries(library), (QStringList{u"uno"_s, QString()}));
  EXPECT_EQ(library.Current, 1);
  EXPECT_FALSE(library.Modified);

  // An incomplete record that comes to stand before the trailing record
  // keeps its typed entry and becomes the trailing record.
  TVocLib gap = libraryOf({record(u"uno"_s, u"eins"_s), record(u"dos"_s, QString()), record(u"tres"_s, u"drei"_s)});
  LibraryEditing::DeleteRecord(gap, 2);
  EXPECT_EQ(entries(gap), (QStringList{u"uno"_s, u"dos"_s}));
  EXPECT_EQ(gap.Current, 1);
  expectTrailingRule(gap);

  TVocLib surplus = libraryOf({record(u"Haus"_s, u"casa"_s, 0, true)});
  surplus.Items.removeLast();
  surplus.Current = 5;
  LibraryEditing::NormalizeTrailing(surplus);
  ASSERT_EQ(surplus.Items.size(), 2);
  EXPECT_TRUE(surplus.Items[1].Deutsch);
  EXPECT_EQ(surplus.Current, 1);
  surplus.Items.append(TVokabel());
  surplus.Items.append(TVokabel());
  surplus.Items.last().Vokabel = u"typed"_s;
  LibraryEditing::NormalizeTrailing(surplus);
  EXPECT_EQ(entries(surplus), (QStringList{u"Haus"_s, u"typed"_s}));
}

TEST(LibraryEditingSearch, FindNextWalksFieldsRecordsAndWraps) {
  TVokabel first = record(u"casa"_s, u"Haus"_s);
  first.Kontext[0] = u"una casa, otra casa"_s;
  TVokabel second = record(u"Haus"_s, u"casa"_s, 0, true);
  second.Kontext[1] = u"CASA"_s;
  const TVocLib library = libraryOf({first, record(u"perro"_s, u"Hund"_s), second});

  LibraryEditing::SearchState state{u"casa"_s};
  QList<std::tuple<int, int, int>> hits;
  for (int i = 0; i < 7; ++i) {
    const auto hit = LibraryEditing::FindNext(library, state);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->length, 4);
    hits.emplaceBack(hit->record, hit->field, hit->position);
  }
  EXPECT_EQ(hits, (QList<std::tuple<int, int, int>>{
                      {0, 0, 0}, {0, 3, 4}, {0, 3, 15}, {2, 1, 0}, {2, 4, 0}, {0, 0, 0}, {0, 3, 4}}));

  LibraryEditing::SearchState exact{u"CASA"_s, true};
  for (int i = 0; i < 3; ++i) {  // the only hit, found again on every call
    const auto hit = LibraryEditing::FindNext(library, exact);
    ASSERT_TRUE(hit);
    EXPECT_EQ(std::tuple(hit->record, hit->field, hit->position), std::tuple(2, 4, 0));
  }

  LibraryEditing::SearchState missing{u"gato"_s};
  EXPECT_FALSE(LibraryEditing::FindNext(library, missing));
  EXPECT_EQ(missing.record, -1);
  LibraryEditing::SearchState blank{QString()};
  EXPECT_FALSE(LibraryEditing::FindNext(library, blank));
}

TEST(LibraryEditingSearch, GoToTarget) {
  QList<TVokabel> records;
  for (int i = 0; i < 9; ++i) records.append(record(u"p%1"_s.arg(i), u"m"_s));
  records.append(record(u"Casa"_s, u"Haus"_s));
  const TVocLib library = libraryOf(records);
  EXPECT_EQ(LibraryEditing::GoToTarget(library, u" 10 "_s), 9);
  EXPECT_EQ(LibraryEditing::GoToTarget(library, u"12"_s), -1);
  EXPECT_EQ(LibraryEditing::GoToTarget(library, u"0"_s), -1);
  EXPECT_EQ(LibraryEditing::GoToTarget(library, u"-2"_s), -1);
  EXPECT_EQ(LibraryEditing::GoToTarget(library, u"ca"_s), 9);
  EXPECT_EQ(LibraryEditing::GoToTarget(library, u"P"_s), 0);
  EXPECT_EQ(LibraryEditing::GoToTarget(library, u"  "_s), -1);
}

TEST(MeaningSets, SplitItems) {
  EXPECT_EQ(MeaningSets::SplitItems(u"a; b; c"_s), (QStringList{u"a"_s, u"b"_s, u"c"_s}));
  EXPECT_EQ(MeaningSets::SplitItems(u"Haus"_s), QStringList{u"Haus"_s});
  EXPECT_TRUE(MeaningSets::SplitItems(QString()).isEmpty());
  EXPECT_EQ(MeaningSets::SplitItems(u"a;"_s), (QStringList{u"a"_s, QString()}));
  // Only a blank after a ";" is skipped: no letter is lost without it.
  EXPECT_EQ(MeaningSets::SplitItems(u"ab;cd; e"_s), (QStringList{u"ab"_s, u"cd"_s, u"e"_s}));
  EXPECT_EQ(MeaningSets::SplitItems(u"a ;b"_s), (QStringList{u"a"_s, u"b"_s}));
}

TEST(MeaningSets, CompareIgnoresExplanationsCaseAndOrder) {
  QString a = u"[Gebäude] Haus; Heim; Wohnung"_s;
  QString b = u"heim; Haus [das]; Zuhause"_s;
  EXPECT_FALSE(MeaningSets::SameMeanings(a, b));
  EXPECT_FALSE(MeaningSets::CompareMeaningSets(a, b, false));
  EXPECT_EQ(a, u"[Gebäude] Haus; Heim; Wohnung"_s);
  EXPECT_FALSE(MeaningSets::CompareMeaningSets(a, b, true));
  EXPECT_EQ(a, u"Wohnung"_s);
  EXPECT_EQ(b, u"Zuhause"_s);

  EXPECT_TRUE(MeaningSets::SameMeanings(u"[Spielmarke] ficha; ficha"_s, u"Ficha; ficha"_s));
  EXPECT_FALSE(MeaningSets::SameMeanings(u"ficha; ficha"_s, u"ficha"_s));  // each item is matched once
  QString one = u"Haus"_s;
  QString other = u"Haus; Heim"_s;
  EXPECT_FALSE(MeaningSets::CompareMeaningSets(one, other, true));
  EXPECT_TRUE(one.isEmpty());
  EXPECT_EQ(other, u"Heim"_s);
}
