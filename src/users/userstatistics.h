#pragma once

#include <QString>
#include <array>
#include <optional>

#include "users/userhistory.h"

class QImage;

// Figures of a learner's history: four histograms of 21 buckets, the average
// scores and the share of each kind of answer.
struct UserStatistics {
  static constexpr int kBuckets = 21;
  enum Chart { Absolute = 0, Relative = 1, German = 2, Spanish = 3 };

  // Counted records (all records with a key).
  qsizetype records = 0;
  std::array<std::array<int, kBuckets>, 4> histograms{};
  int averageAbsolute = 0;  // "perfa"
  int averageRelative = 0;  // "perfr"
  int averageGerman = 0;    // "perfd"
  int averageSpanish = 0;   // "perff"
  int germanCount = 0;      // "nrd"
  int spanishCount = 0;     // "nrf"
  // Percentages of "e", "m", "v", "f" among all stored kinds; -1 when the
  // records hold no kinds at all, 0 for an empty history.
  int percentTyping = 0;          // "pe"
  int percentMultipleChoice = 0;  // "pm"
  int percentLasVegas = 0;        // "pv"
  int percentFreeFall = 0;        // "pf"
  // Percentage of right answers among the answers the history keeps (the
  // last few per word); 0 for an empty history.
  int percentRight = 0;  // "treffer"

  // The bucket of a score -100 .. 100: (score + 100) * 21 / 201.
  static int bucketOf(int score);

  static UserStatistics compute(const std::deque<TXUserVoc>& history);

  // Left half red, right half dark grey, then one white bar per bucket rising
  // from the bottom by count * height / records. No bars without records; an
  // unknown chart leaves the image untouched.
  void draw(QImage& image, int chart) const;
};

// Learning time as the statistics page shows it: "2 Stunden 5 Minuten".
QString learningTimeText(qint64 seconds);
