#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

#include "common/meaningtext.h"

class Environment;

// One entry of a recording database: a text (a word or phrase as vocabulary
// and dictionary entries write it) and the stored reference of its sound
// file, normally with a path alias ("XS:\espeak\casa.wav", "XU:\hola.wav").
struct TXWave {
  QString Text;
  QString Reference;
};

// A recording database: texts mapped to sound-file references, kept in
// alphabetical order so that a text is found by binary search.
//
// Order of texts: letter case is ignored; accents count only between texts
// that are otherwise alike, so "ábaco" sorts beside "abaco" and not after
// "zapato"; "ñ" follows "n" as in Spanish dictionaries; "¿" and "¡" count only
// between texts that are otherwise alike; blanks and punctuation come before
// letters. One order serves sorting, searching and the dialog's
// search position, and it does not depend on the machine's locale, so a file
// sorted on one machine is sorted on every other. Texts are compared without
// surrounding blanks.
//
// The list is sorted at all times: additions go to their sorted place, and so
// does an entry whose text is changed, so that the binary search always finds
// every entry.
//
// File format (".zvk"): one zlib stream (written at level 1) holding, for
// each entry in list order, the text, a NUL byte, the reference and a NUL
// byte, both in Windows-1252. No header, no count. An empty database is an
// empty stream.
class TXWaveBase {
 public:
  // What Add does with a text that is already present.
  enum Duplicates { IgnoreDuplicates = 0, InsertDuplicates = 1, ReplaceDuplicates = 2 };

  explicit TXWaveBase(Duplicates mode = IgnoreDuplicates);

  Duplicates DuplicatesMode() const { return mode_; }

  // --- Files ---
  // Adds every pair of the file (merging it into what is there). The file
  // name is set when it was empty and modified is cleared. A file that cannot
  // be read, is damaged or is no recording database shows the stop message
  // "Fehler beim Laden von " + path + "!"; the pairs read before the damage
  // stay, and the file name is left alone so that nothing writes the partial
  // content over the damaged file unasked. Returns whether the whole file was read.
  bool Load(const QString& path);
  // Writes the database to path (replacing the file only when everything was
  // written). A write-protected file is made writable first; if that fails,
  // nothing is written. Returns false on any failure.
  bool Save(const QString& path);
  // Sorts, clears modified and writes the database to its file name.
  bool CreateEmpty();
  // The file content of the database.
  QByteArray Serialize() const;

  QString FileName() const { return fileName_; }
  void SetFileName(const QString& path) { fileName_ = path; }
  // Editor only: where the database was last written.
  QString SavedAsName() const { return savedAsName_; }
  bool Modified() const { return modified_; }

  // --- Contents ---
  // Adds a text (trimmed of surrounding blanks) with its reference at its
  // sorted place; a text already present is handled by the duplicates mode.
  void Add(const QString& text, const QString& reference);
  // Binary search: found tells whether the text is present; the result is
  // the index of the match or the place where the text would be inserted
  // (0 in an empty database, Count() after every entry).
  int Find(const QString& text, bool* found = nullptr) const;
  // The reference of a text, with fall-backs: the text itself; the text
  // without the characters "(" and ")"; unless exactOnly, the first entry
  // beginning with text + " (", then the first beginning with text + ", "
  // (letter case counts there). Empty when nothing matches.
  QString Lookup(const QString& text, bool exactOnly = false) const;
  int Count() const { return static_cast<int>(entries_.size()); }
  const TXWave& Entry(int index) const;
  void Clear();
  void Sort();

  // --- The current entry (the dialog's cursor) ---
  int CurrentIndex() const { return current_; }
  QString CurrentText() const;
  QString CurrentReference() const;
  // Changes the current entry's text; the entry moves to its sorted place and
  // stays the current one.
  void SetCurrentText(const QString& text);
  void SetCurrentReference(const QString& reference);
  void First();
  void Last();
  void Next();
  void Previous();
  // A new entry with an empty text and the reference ".wav" becomes the
  // current one. It is put where an empty text sorts (before every other
  // entry), so that it never hides entries from the search.
  void InsertEmpty();
  void DeleteCurrent();
  // The first entry whose text is not less than text (the last entry when
  // every text is less); an empty text selects the first entry.
  void SearchPosition(const QString& text);
  // False for an empty database; true when the current entry has a text and
  // a reference; otherwise the warning "Der aktuelle Eintrag ist nicht vollständig!".
  bool CurrentComplete() const;

  // --- The user's own recording directory ---
  // Whether some reference names a file below dir (a native directory ending
  // with "/"; letter case ignored).
  bool HasReferencesBelow(const QString& dir) const;
  // Rewrites every reference below dir as "XU:\" + its path below dir;
  // returns the number of changed entries.
  int ReplaceDirByAlias(const QString& dir);

  // --- Editor ---
  // At program end: if modified and not write-protected, asks whether to save
  // and writes the database, offering another place when that fails.
  // chooseFile shows the save dialog (the proposed name in, the chosen path
  // or empty out); without it the dialog of the platform is shown.
  void AskAndSave(bool writeProtect, const std::function<QString(const QString&)>& chooseFile = {});
  // Records the saved-as name as "Datenbank3" so that the next start of
  // either program loads that file. Nothing happens without one.
  void StoreSavedAsName(Environment& env) const;

  // Called after every change of the current entry, the position or the contents.
  std::function<void()> OnChange;

  // A file name for a recording of a text: lower-case ASCII letters, digits
  // and underscores (accents dropped, "ñ" as "n"), at most 40 characters,
  // "aufnahme" when nothing is left; without extension.
  static QString RecordingFileName(const QString& text);

 private:
  struct Item {
    TXWave wave;
    QString primary;  // letters without accents and case: the first sort level
    QString folded;   // without case: the second level, and equality
  };
  static Item makeItem(const QString& text, const QString& reference);
  static void setKeys(Item& item);
  static QString primaryKey(const QString& folded);
  static int compare(const Item& a, const Item& b);
  // The first index whose entry is not less than the item.
  int lowerBound(const Item& probe) const;
  int findItem(const Item& probe, bool* found) const;
  QString prefixLookup(const QString& prefix) const;
  void merge(QList<Item> added);
  void changed();

  QList<Item> entries_;
  Duplicates mode_;
  int current_ = 0;
  bool modified_ = false;
  QString fileName_;
  QString savedAsName_;
};

// --- Lookups over both databases of a program ---

// The main database (editable) and the secondary one (the course's and the
// add-ons' read-only databases merged); either may be missing.
struct RecordingDatabases {
  const TXWaveBase* main = nullptr;
  const TXWaveBase* secondary = nullptr;
};

// The reference of a text: the main database first, then the secondary one.
QString LookupRecording(const QString& text, const RecordingDatabases& bases);

// The playable file of a text, or empty: the text's reference resolved
// (nothing when its file is missing); failing that the text without its
// bracketed explanations. A text of several meanings separated by ";" yields
// the recording of one of its meanings (each looked up without explanations),
// drawn at random among those whose file exists.
QString FindRecording(const QString& text, const RecordingDatabases& bases, const Environment& env);

// FindRecording as the vocabulary's and the pages' recording lookup. The
// databases and the environment must outlive it.
RecordingLookup MakeRecordingLookup(const RecordingDatabases& bases, const Environment& env);
