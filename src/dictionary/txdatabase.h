#pragma once

#include <QList>
#include <QString>
#include <array>
#include <functional>

#include "dictionary/dictionarysearch.h"
#include "dictionary/txdbeintrag.h"

// The bilingual dictionary both programs hold: two independent directions,
// Spanish-German (0) and German-Spanish (1), each a list of entries kept in
// the order of DictionaryOrder, with its current entry, its modified flag and
// the file it came from. Most operations act on the current direction and its
// current entry; an index of -1 means the current entry.
//
// The trainer loads both directions at start-up and only searches them; the
// editor also edits, checks (DictionaryMaintenance) and saves them.
class TXDatabase {
 public:
  static constexpr int kSpanishGerman = 0;
  static constexpr int kGermanSpanish = 1;
  // A search in both directions stops at this many hits.
  static constexpr int kMaxHits = 228;

  TXDatabase();

  // --- Files ---
  // Reads a file into the current direction (appending to what it holds) and
  // makes it the direction's file. A damaged file shows "Fehler beim Laden
  // des Wörterbuchs!" and keeps what was read; its name is then forgotten, so
  // that a save never writes the damaged part over the whole file. False then.
  bool LoadDictionary(const QString& path);
  // Writes the current direction to path, in the form the name asks for,
  // through a temporary file; false (nothing changed) when it fails.
  bool SaveDictionary(const QString& path) { return SaveDirection(direction_, path); }
  // The same for any direction; a saved direction is no longer modified.
  bool SaveDirection(int direction, const QString& path);
  // Both directions from the files the settings name: DictionaryFile2 as
  // German-Spanish first, then DictionaryFile1, so that Spanish-German is
  // current afterwards.
  void LoadBoth(const QString& spanishGermanFile, const QString& germanSpanishFile);

  // --- Directions ---
  void SetDirection(bool germanSpanish);
  bool IsGermanSpanish() const { return direction_ == kGermanSpanish; }
  int Direction() const { return direction_; }
  QString DirectionName() const { return DirectionName(direction_); }
  QString DirectionShortName() const;
  static QString DirectionName(int direction);

  bool Modified(int direction) const { return dir(direction).modified; }
  QString FileName(int direction) const { return dir(direction).fileName; }
  void SetFileName(int direction, const QString& path) { dir(direction).fileName = path; }
  QString SavedAsName(int direction) const { return dir(direction).savedAsName; }
  void SetSavedAsName(int direction, const QString& path) { dir(direction).savedAsName = path; }

  // --- Entries of the current direction ---
  int EntryCount() const { return static_cast<int>(cur().entries.size()); }
  // Past the end: an empty text, class 1.
  QString EntryWord(int index = -1) const;
  QString EntryMeaning(int index = -1) const;
  int EntryClass(int index = -1) const;
  // Ignored past the end; a class outside 1..8 becomes 1.
  void SetEntryWord(int index, const QString& word);
  void SetEntryMeaning(int index, const QString& meaning);
  void SetEntryClass(int index, int wortart);
  // Any direction's entry, for hits and results.
  const TXDBEintrag& Entry(int direction, int index) const { return dir(direction).entries[index]; }
  int EntryCount(int direction) const { return static_cast<int>(dir(direction).entries.size()); }
  // The current index: 0..count (count only after a lookup of a word that
  // sorts after every entry, so that an insertion goes to the end).
  int CurrentIndex() const { return cur().current; }
  // Makes an entry current (clamped to the list) and notifies.
  void SetCurrentIndex(int index);

  // --- Navigation and editing (each notifies) ---
  void FirstEntry();
  void LastEntry();
  void NextEntry();
  void PreviousEntry();
  // An entry with empty word and meaning and class 1 at the current index.
  void InsertEntry();
  void DeleteEntry();
  void ClearEntries();
  // By DictionaryOrder, keeping the order of equal words.
  void SortEntries();
  // Appends an entry: word and meaning trimmed, the class from its text.
  void AddEntry(const QString& word, const QString& classText, const QString& meaning);
  // True when the current entry has a word and a meaning, or when there is
  // no current entry; else the warning "Der aktuelle Eintrag ist nicht vollständig!".
  bool CurrentEntryComplete() const;
  // A random entry becomes current; unless anyClass, one of class 1..4.
  // False (nothing changes) when there is none.
  bool RandomEntry(bool anyClass);

  // --- Lookups ---
  // The place of a word: the entry equal to it ignoring case whose exact
  // spelling has the class (wortart -1: the first equal one), else the first
  // entry not before it, else the count. -1 for an empty word or direction.
  int FindEntry(const QString& word, int wortart) const;
  // Makes the entry FindEntry gives current (0 for an empty word) and fills
  // the results with its neighbourhood of at most nine entries.
  void LocateEntry(const QString& word, int wortart);
  // The first entry with this word and, among those, with this meaning.
  void GoToEntry(const QString& word, const QString& meaning);

  // --- Search ---
  struct SearchOptions {
    bool WholeWords = false;
    bool BothDirections = true;
    // A search in the current direction only: in the words when the
    // language is that of the direction's words, else in the meanings.
    bool German = false;
  };
  // Fills the results: across both directions at most kMaxHits entries of
  // "word meaning" containing text; in the current direction the words or
  // the meanings. An empty text finds nothing.
  void SearchEntries(const QString& text, const SearchOptions& options);

  // The hits of the last search or the neighbourhood of LocateEntry. They are
  // cleared by every change that moves entries (insert, delete, clear, sort,
  // loading), so they never point at another entry than they found.
  const QList<DictionaryHit>& Results() const { return results_; }
  int ResultPosition() const { return resultPosition_; }

  // Runs after every change of the current entry, position, direction or contents.
  std::function<void()> OnChange;

 private:
  struct Half {
    QList<TXDBEintrag> entries;
    int current = 0;
    bool modified = false;
    QString fileName;
    QString savedAsName;
    // Neighbouring pairs out of order; 0 when the list is sorted, so that
    // FindEntry can look up by halving instead of walking the list.
    int unordered = 0;
    DictionarySearchIndex index;
  };

  Half& cur() { return directions_[direction_]; }
  const Half& cur() const { return directions_[direction_]; }
  Half& dir(int d) { return directions_[d == kGermanSpanish ? 1 : 0]; }
  const Half& dir(int d) const { return directions_[d == kGermanSpanish ? 1 : 0]; }
  int resolve(int index) const { return index < 0 ? cur().current : index; }
  bool valid(int index) const { return index >= 0 && index < EntryCount(); }

  // After a change of the entries: modified, the search index out of date.
  void changed(bool moved);
  void notify() const;
  // Whether the pair (k, k + 1) of the current direction is out of order.
  int outOfOrder(int k) const;
  int lowerBound(const QString& word) const;

  std::array<Half, 2> directions_;
  int direction_ = kSpanishGerman;
  QList<DictionaryHit> results_;
  int resultPosition_ = -1;
};
