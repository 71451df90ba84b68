#pragma once

#include <QString>
#include <array>
#include <deque>

#include "vocabulary/answers.h"
#include "vocabulary/tvoceinstellungen.h"
#include "vocabulary/tvoclib.h"

class Environment;
class TXUserBase;

// The one library of each program: the loaded records with the learner's
// scores, the query settings, the record filter and the presentation cursor,
// and the operations that fill it (the learner's selection, text import).
//
// The user base is wired in after construction (the programs create it
// later); it must stay alive as long as it is wired in. Without it, or while
// nobody is logged in, scores are not read and the score range is not applied.
class TBibliothek : public TVocLib {
 public:
  static constexpr int kScoreMin = -100;
  static constexpr int kScoreMax = 100;

  explicit TBibliothek(Environment& env);
  ~TBibliothek() override;
  TBibliothek(const TBibliothek&) = delete;
  TBibliothek& operator=(const TBibliothek&) = delete;

  Environment& environment() const { return env_; }
  TXUserBase* userBase() const { return users_; }
  void setUserBase(TXUserBase* users) { users_ = users; }
  bool learnerLoggedIn() const;

  // The playable recording of a text (the recording database's lookup); used
  // for the presentation texts. Unset: no recordings.
  RecordingLookup recordingPath;

  TVocEinstellungen Einstellungen;

  // Number of records (trailing empty record not counted) whose direction is flag.
  int CountDeutsch(bool flag) const;

  // --- Selection ---
  // "S_Bibliotheken.txt" in the logged-in learner's directory, else in ProgramDir.
  QString ListFilePath() const;
  // The list file names at least one library that can be loaded.
  bool HasOwnList() const;
  // Loads a selection: a folder below the vocabulary directory with all its
  // library files, or (empty name) the files of the learner's list file.
  // Nothing happens for the selection that is already loaded, or for a name
  // that could reach outside the vocabulary directory.
  void SetSelection(const QString& name);

  // --- Scores and the filter ---
  // Scores of all records from the learner's history, the score histogram and
  // the average. Without a learner only the average is reset to 0.
  void RefreshScores();
  // Counters of the scores -100..100 (index score + 100).
  const std::array<int, 201>& ScoreHistogram() const { return histogram_; }
  int AverageScore() const { return average_; }
  // Whether the record passes the filter of the settings. A word class passes
  // by its bit of the word-class mask (one outside 0..31 never does); a
  // difficulty outside 0..4 always passes the difficulty test.
  bool IsActive(int index) const;
  int ActiveCount() const;

  // --- Presentation cursor ---
  void ResetCursor();
  // Moves to the next active record in the order of Richtung; false (and the
  // cursor unchanged) when no record is active.
  bool NextActive();
  int CursorIndex() const { return cursor_; }
  // The next active record's entry and first meaning, and the recording of its
  // Spanish side when speech is on. False when no record is active.
  bool NextText(QString& word, QString& meaning, QString& sound, bool speech);
  // Alternately the entry of the next active record (alternation clear) and
  // the first meaning of the same record (alternation set), each with its
  // recording when it is the Spanish side and speech is on; inverts the flag.
  bool NextTextAlternating(QString& text, QString& sound, bool& alternation, bool speech);

  // --- Editor ---
  // The file name as the editor's caption shows it, at most 80 characters.
  QString DisplayPath() const { return DisplayPathOf(FileName); }
  static QString DisplayPathOf(const QString& fileName);
  // Replaces the library with the records of a delimited text file; structure
  // names the columns ("Vokabel, Bedeutung, Wortart"). The library has no
  // file name afterwards, so that the first save asks for one.
  void ImportText(const QString& path, const QString& structure, QChar separator);

 private:
  QString recordingOf(const QString& text, bool speech) const;

  Environment& env_;
  TXUserBase* users_ = nullptr;
  bool selectionLoaded_ = false;
  std::array<int, 201> histogram_{};
  int average_ = 0;
  int cursor_ = -1;
  std::deque<int> recent_;
  int rememberedActive_ = 0;
};
