#pragma once

#include <QString>
#include <optional>

class TXDatabase;

// Where the editor's maintenance asks for files. The programs use Qt's file
// dialogs; tests answer with prepared names.
class DictionaryFileDialogs {
 public:
  virtual ~DictionaryFileDialogs() = default;
  // The file chosen in an open dialog; empty when cancelled.
  virtual QString OpenFile(const QString& title, const QString& filter) = 0;
  // The file chosen in a save dialog; empty when cancelled.
  virtual QString SaveFile(const QString& title, const QString& proposal, const QString& filter) = 0;
};

class QtDictionaryFileDialogs : public DictionaryFileDialogs {
 public:
  QString OpenFile(const QString& title, const QString& filter) override;
  QString SaveFile(const QString& title, const QString& proposal, const QString& filter) override;
};

// The editor's care of the dictionary: checks, merging, import and saving.
namespace DictionaryMaintenance {

// The first fault of a meaning text, as the warning names it: a defective
// square bracket, a comma outside brackets, a semicolon without its blank.
std::optional<QString> MeaningFault(const QString& meaning);

// From the current entry on, the first entry whose meaning has a fault
// becomes current and its fault is shown; nothing when all pass.
void CheckMeanings(TXDatabase& db);

// Merges neighbouring entries of the same word in the current direction:
// of two with the same class, one whose meanings the other holds as well is
// deleted; two with the same meanings but different classes stop the scan
// ("Möglicher Fehler bei den Wortarten entdeckt."), as do two with different
// meanings. Shows how many entries were removed; returns that number.
int RemoveDuplicates(TXDatabase& db);

// The base name of an import from one of its four files: ".../wb1a.txt" -> ".../wb".
QString ImportBaseName(const QString& chosenFile);
// Replaces both directions with the pairs of text files base + "1a.txt" /
// "1b.txt" (Spanish-German) and "2a.txt" / "2b.txt" (German-Spanish), after
// asking. True when it imported.
bool ImportTextPairs(TXDatabase& db, DictionaryFileDialogs& dialogs);

// When the editor's dictionary window closes: asks once whether the changes
// are to be kept, saves each modified direction to its file, and offers
// another place when that fails. Nothing with write protection.
void AskAndSaveDictionaries(TXDatabase& db, bool writeProtect, DictionaryFileDialogs& dialogs);

}  // namespace DictionaryMaintenance
