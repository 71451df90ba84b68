#include "editor/dictionarycheck.h"

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;
using DictionaryCheck::CompareWithDictionary;
using DictionaryCheck::Key;
using DictionaryCheck::MeaningFields;
using DictionaryCheck::NextCopyLayout;
using R = DictionaryCheck::Result;

TEST(DictionaryCheck, ComparisonCodes) {
  const QString casa = Key(1, u"casa"_s);
  // Reordered meanings with other bracketed notes and letter case agree.
  EXPECT_EQ(CompareWithDictionary(casa, u"Heim; [Gebäude] Haus"_s, casa, u"haus [das]; Heim"_s), R::Agree);
  EXPECT_EQ(CompareWithDictionary(QString(), u"x"_s, casa, u"Haus"_s), R::Agree);
  EXPECT_EQ(CompareWithDictionary(casa, u"Haus; Wohnung"_s, casa, u"Haus"_s), R::MeaningsDiffer);
  // The same word and meanings in another class.
  EXPECT_EQ(CompareWithDictionary(Key(3, u"bien"_s), u"gut"_s, Key(7, u"bien"_s), u"gut"_s), R::ClassMismatch);
  // Another class with other meanings is another word.
  EXPECT_EQ(CompareWithDictionary(Key(3, u"bien"_s), u"gut"_s, Key(7, u"bien"_s), u"gut; wohl"_s), R::MissingWord);
  EXPECT_EQ(CompareWithDictionary(Key(1, u"perro"_s), u"Hund"_s, casa, u"Haus"_s), R::MissingWord);
  // After every entry the lookup shows nothing: class 1 without a word.
  EXPECT_EQ(CompareWithDictionary(Key(1, u"zumo"_s), u"Saft"_s, Key(1, QString()), QString()), R::MissingWord);
  // "?" asks for the entry's meanings, whether the word was found or not,
  // so that it never stands as a meaning in the dictionary.
  EXPECT_EQ(CompareWithDictionary(Key(1, u"perro"_s), u"?"_s, casa, u"Haus"_s), R::TakeFromEntry);
  EXPECT_EQ(CompareWithDictionary(casa, u"?"_s, casa, u"Haus"_s), R::TakeFromEntry);
}

TEST(DictionaryCheck, RecordMeaningsAndKeys) {
  EXPECT_EQ(DictionaryCheck::RecordMeanings(u"Haus"_s, QString()), u"Haus"_s);
  EXPECT_EQ(DictionaryCheck::RecordMeanings(u"Haus"_s, u"Heim"_s), u"Haus; Heim"_s);
  EXPECT_EQ(Key(0, u"casa"_s), u"0casa"_s);
}

TEST(DictionaryCheck, RepeatedCopiesCycleThroughTwoLayouts) {
  const QString abc = u"a; b; c"_s;
  MeaningFields shown{u"anything"_s, QString()};
  shown = NextCopyLayout(shown, abc);
  EXPECT_EQ(shown, (MeaningFields{u"a"_s, u"b; c"_s}));
  shown = NextCopyLayout(shown, abc);
  EXPECT_EQ(shown, (MeaningFields{u"a; b"_s, u"c"_s}));
  shown = NextCopyLayout(shown, abc);
  EXPECT_EQ(shown, (MeaningFields{u"a"_s, u"b; c"_s}));
  // A single meaning stays in the first field.
  EXPECT_EQ(NextCopyLayout({u"Haus"_s, QString()}, u"Haus"_s), (MeaningFields{u"Haus"_s, QString()}));
  EXPECT_EQ(NextCopyLayout({u"x"_s, u"y"_s}, u"Haus"_s), (MeaningFields{u"Haus"_s, QString()}));
  // Two meanings: (a, b) and (a; b, "") take turns.
  MeaningFields two = NextCopyLayout({}, u"a; b"_s);
  EXPECT_EQ(two, (MeaningFields{u"a"_s, u"b"_s}));
  two = NextCopyLayout(two, u"a; b"_s);
  EXPECT_EQ(two, (MeaningFields{u"a; b"_s, QString()}));
  EXPECT_EQ(NextCopyLayout(two, u"a; b"_s), (MeaningFields{u"a"_s, u"b"_s}));
  // Without the blank after the ";" no letter is lost.
  EXPECT_EQ(NextCopyLayout({}, u"a;b"_s), (MeaningFields{u"a"_s, u"b"_s}));
}

TEST(DictionaryCheck, AlignmentRepairsEntryAndContexts) {
  EXPECT_EQ(DictionaryCheck::AlignedEntry(u" francés, e "_s), u"francés, -e"_s);
  EXPECT_EQ(DictionaryCheck::AlignedEntry(u"alemán, -a"_s), u"alemán, -a"_s);
  EXPECT_EQ(DictionaryCheck::AlignedEntry(u"e"_s), u"e"_s);

  const auto repaired = [](const QString& c) { return DictionaryCheck::RepairContext(c); };
  EXPECT_TRUE(repaired(QString()).inOrder);
  EXPECT_TRUE(repaired(u"La (casa) es grande."_s).inOrder);
  // Two "(": the second closes the marked word.
  EXPECT_EQ(repaired(u"La (casa( es grande."_s).text, u"La (casa) es grande."_s);
  EXPECT_TRUE(repaired(u"La (casa( es grande."_s).inOrder);
  // Three "(" with one at the start: that one goes, the marked word is closed.
  const DictionaryCheck::RepairedContext three = repaired(u"(La (casa( es grande."_s);
  EXPECT_EQ(three.text, u"La (casa) es grande."_s);
  EXPECT_TRUE(three.inOrder);
  EXPECT_FALSE(repaired(u"La casa es grande."_s).inOrder);
  EXPECT_FALSE(repaired(u"La )casa( es grande."_s).inOrder);
  EXPECT_FALSE(repaired(u"(La) (casa) es grande."_s).inOrder);
}

TEST(DictionaryCheck, SpellingAndGenderNotesOfTheDictionary) {
  EXPECT_EQ(DictionaryCheck::DictionarySpelling(u"Casa"_s, u"casa"_s), u"casa"_s);
  EXPECT_EQ(DictionaryCheck::DictionarySpelling(u"Casa"_s, u"casa (f)"_s), u"casa"_s);
  EXPECT_EQ(DictionaryCheck::DictionarySpelling(u"Casa"_s, u"cosa"_s), u"Casa"_s);
  EXPECT_EQ(DictionaryCheck::DictionarySpelling(u"casa"_s, u"Casa"_s), u"casa"_s);
  EXPECT_EQ(DictionaryCheck::DictionarySpelling(u"A"_s, u"a"_s), u"A"_s);
  EXPECT_TRUE(DictionaryCheck::IsGenderVariant(u"casa"_s, u"casa (f)"_s));
  EXPECT_TRUE(DictionaryCheck::IsGenderVariant(u"gafas"_s, u"gafas (fpl)"_s));
  EXPECT_FALSE(DictionaryCheck::IsGenderVariant(u"casa"_s, u"casa (x)"_s));
  EXPECT_FALSE(DictionaryCheck::IsGenderVariant(u"casa"_s, u"casa"_s));
}

}  // namespace
