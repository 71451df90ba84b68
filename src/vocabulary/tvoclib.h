#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "vocabulary/tvokabel.h"

// A vocabulary library: the records of one or more library files in file
// order, with the comment lines of the files.
//
// After every load and editing operation the list ends with exactly one empty
// record, the trailing empty record, where the editor types a new entry.
// Counts of records leave it out.
//
// Index arguments are positions from 0; -1 stands for Current. An index
// outside the list makes a getter return an empty text, false or 0 and a
// setter do nothing. Setters mark the library modified only when the stored
// value really changes.
class TVocLib {
 public:
  enum class SaveResult {
    Saved,
    Refused,     // a record could not be written faithfully; the message was shown
    WriteError,  // the file could not be written (the caller reports it)
  };

  // Result of LoadFromFile for a number line that is not a whole number.
  static constexpr int kMalformed = -2;

  TVocLib();
  virtual ~TVocLib() = default;

  TVokabel EmptyTemplate;    // the template of new records
  QList<TVokabel> Items;     // the records in file order
  QStringList Comments;      // the comment lines of the files
  bool Modified = false;     // a change has not been saved
  int Current = 0;           // the editor's current record
  // The file when exactly one file was loaded by replacing (or the library
  // was saved to it); empty otherwise.
  QString FileName;

  // Removes all records and comments; with addEmpty, one empty record stays.
  void Clear(bool addEmpty);
  // The number of records; without includeTrailing a last empty record is not counted.
  int Count(bool includeTrailing = false) const;
  bool IsEmpty(int index) const;
  // Appends a copy of the empty template that continues the direction of the
  // record before it; returns its index.
  int AddEmpty();
  int Add(const TVokabel& record);
  void Delete(int index);

  // The record at the index (-1: Current), or nullptr outside the list.
  const TVokabel* Item(int index) const;

  // Reads a library file, replacing the library or appending to it. Returns
  // the number of records read, 0 for a missing file (nothing changes), or
  // kMalformed when a number line is not a whole number: the records read
  // until then stay. A replacing load that failed keeps no file name, so that
  // the next save asks for one instead of cutting the file short. A file that
  // exists but cannot be read gives kMalformed and leaves the library as it was.
  int LoadFromFile(const QString& path, bool replace);

  // Writes the comments and all records except a trailing record without any
  // text, through a temporary file. On success FileName := path and Modified
  // is cleared. A record that would not read back as it is (a line break in a
  // field, an entry beginning with "//", a character without a Windows-1252
  // code) is refused with a message and nothing is written.
  SaveResult SaveToFile(const QString& path);

  // Loads a selection of files: one file replacing, several appended in
  // random order, stopping once more than maxCount records are loaded (when
  // maxCount > 0). The library is not modified afterwards.
  void LoadSet(const QStringList& paths, int maxCount);

  // Field access.
  QString Vokabel(int index) const;  // also -2: the record before Current, -3: the one after it
  QString Bedeutung(int index, int n) const;
  QString Kontext(int index, int n) const;
  bool KontextBedeutung(int index, int n) const;
  int Wortart(int index) const;
  bool Deutsch(int index) const;
  int Schwierigkeit(int index) const;

  void SetVokabel(int index, const QString& value);
  void SetBedeutung(int index, int n, const QString& value);
  void SetKontext(int index, int n, const QString& value);
  void SetKontextBedeutung(int index, int n, bool value);
  void SetWortart(int index, int value);
  void SetDeutsch(int index, bool value);
  // Values above 4 are stored as 4.
  void SetSchwierigkeit(int index, int value);

 protected:
  // Position in Items of an index argument (-1 = Current), or -1 outside the list.
  int resolve(int index) const;
  TVokabel* mutableItem(int index);
  // Appends a trailing empty record unless the last record is empty already.
  void ensureTrailingEmpty();
  void removeTrailingEmpty();

 private:
  template <typename T>
  void setField(int index, T TVokabel::*field, const T& value);
};
