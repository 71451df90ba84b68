#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

class TXPage;

// The ten best results of one game, kept in a small file in the game's page
// folder ("FFS.x" for Free Fall, "LVS.x" for Las Vegas). An entry is the
// score right-aligned in seven characters, the player's name ("???" when
// empty) and, for every name but the default "*zvk", "$" + date + "]". The
// list is kept lowest first; the last entry is the best.
//
// On disk: one entry per line, lowest first, every byte complemented
// (255 - byte), lines ended by CR LF. The reader takes care that names whose
// complemented bytes happen to be CR, LF, NUL or Ctrl-Z survive, that a file
// of any length yields the best ten, and that scores are ranked as numbers.
class THighscores {
 public:
  static constexpr int kEntries = 10;
  static constexpr int kMaxScore = 9999999;
  static inline const QString kDefaultName = QStringLiteral("*zvk");
  static inline const QString kSaveFailed = QStringLiteral("Highscore konnte nicht gespeichert werden!");

  // Loads the table; a missing, unreadable or damaged file gives (or is
  // filled up with) the default entries 10, 20, ..., 100 of "*zvk".
  explicit THighscores(QString fileName);
  // Writes the table unless Close already did.
  ~THighscores();
  THighscores(const THighscores&) = delete;
  THighscores& operator=(const THighscores&) = delete;

  // Ranks a new result; its index in the list (0 the lowest), -1 when it fell out.
  int AddScore(int score, const QString& name);
  // The thirty page variables "highs1".."highs10", "highn1".."highn10" and
  // "highd1".."highd10", rank 1 the best.
  void Publish(TXPage& page) const;
  // A game's result for its last page: "score", and the place it took in
  // the table as the variable and condition "platz" (none when it fell out).
  static void PublishResult(TXPage& page, int score, int index);
  // Writes the file (through a temporary file); on failure the warning
  // "Highscore konnte nicht gespeichert werden!". Later calls do nothing.
  bool Close();

  const QStringList& Entries() const { return entries_; }
  const QString& FileName() const { return fileName_; }

  // The parts of the table's published rank k (1..10).
  struct Rank {
    QString score;  // seven characters
    QString name;
    QString date;  // empty for a default entry
  };
  Rank RankAt(int rank) const;

  static QString Entry(int score, const QString& name, const QDate& date);
  // The file's bytes for a list of entries, and the entries a file holds.
  static QByteArray Encode(const QStringList& entries);
  static QStringList Decode(const QByteArray& bytes);

 private:
  void sort();
  void fillWithDefaults();

  QString fileName_;
  QStringList entries_;
  bool closed_ = false;
};
