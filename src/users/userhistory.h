#pragma once

#include <QChar>
#include <QHash>
#include <QString>
#include <QStringView>
#include <deque>

// One vocabulary record the learner has answered.
struct TXUserVoc {
  // "<" (German entry) or ">" (Spanish entry), the word class in decimal, the entry text.
  QString key;
  // Up to five characters, newest first; each is the character 65 + score of one answer.
  QString results;
  // Up to five kind characters parallel to results: "e", "m", "v", "f".
  QString kinds;
};

// Scores of a history record.
namespace UserScores {

inline constexpr int kMaxAnswers = 5;
// Scores outside this range are stored as its ends, so that every stored
// result character stays a printable, non-blank ASCII character ("!" .. "~"):
// a NUL would end the text early and a blank would be trimmed away on reading.
inline constexpr int kMinStoredScore = '!' - 65;  // -32
inline constexpr int kMaxStoredScore = '~' - 65;  // 61

// The result character of a score, clamped to the printable range above.
QChar resultChar(int score);
// The kind character as stored: a kind that is not a printable character is
// stored as "?" (it then weighs like any other unknown kind).
QChar kindChar(QChar kind);
// The score a stored result character stands for (its Windows-1252 code - 65).
int scoreOf(QChar resultChar);

// Sum of the results, limited to -100 .. 100.
int absolute(const QString& results);
// 20 per "e", 16 per "f", 12 per "m", 8 per "v", 10 per other kind; 100 for no kinds.
int weight(const QString& kinds);
// absolute * 100 / weight, rounded to the nearest integer (halves away from
// zero) and limited to -100 .. 100.
int relative(const QString& results, const QString& kinds);

// Removes blanks and control characters (codes up to 32) from both ends, as
// the reader of the user file does with every record text.
QString trimText(const QString& text);

// The history key of an item: "<" or ">" + word class + text. The text is
// trimmed like a stored text and stripped of NUL characters, which would end
// the stored text early.
QString makeKey(const QString& text, bool deutsch, int wortart);

}  // namespace UserScores

// The learner's answer history in its stored order, with a case-insensitive
// index of the keys. Lookups find the first record in history order whose
// first two key characters are equal and whose whole key is equal ignoring
// letter case.
class UserHistory {
 public:
  UserHistory() = default;
  UserHistory(const UserHistory&) = delete;
  UserHistory& operator=(const UserHistory&) = delete;

  void clear();
  // Adds a record read from a file at the end (records keep their file order).
  void append(TXUserVoc record);

  const std::deque<TXUserVoc>& records() const { return records_; }
  qsizetype size() const { return static_cast<qsizetype>(records_.size()); }
  bool isEmpty() const { return records_.empty(); }

  // The first record matching the key, or nullptr.
  const TXUserVoc* find(QStringView key) const;
  // The same for the key UserScores::makeKey(text, deutsch, wortart) would
  // build, without building it: the vocabulary selection scores every record
  // of a library this way.
  const TXUserVoc* findItem(const QString& text, bool deutsch, int wortart) const;

  // Puts the answer in front of the record's results and kinds (at most five
  // stay) or makes a new record: German entries ("<") go to the end of the
  // history, Spanish entries (">") to the front.
  void record(const QString& key, QChar kind, int score);

  // Deletes the n newest answers of the record; returns its new absolute
  // score, or 0 when there is no record. The record itself stays.
  int resetNewest(const QString& key, int n);
  // Deletes the n newest answers of every record, or only of those with an
  // absolute score above 0.
  void resetAllNewest(bool positiveOnly, int n);

 private:
  TXUserVoc* findMutable(QStringView key);
  void index(TXUserVoc& record);

  // A deque keeps references stable when records are added at either end.
  std::deque<TXUserVoc> records_;
  QHash<QString, TXUserVoc*> index_;
};
