#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// An exercise collection file (".zvk"): "ZVK!", two digits for the number
// of exercises to pose, header markup, "<EX>", exercises separated by
// "<EX>", the last one ended by "</EX>", footer markup.
class TExerciseCollection {
 public:
  enum class LoadResult { Loaded, WrongFormat };

  // Replaces the collection with the file's content. A file that stops early
  // (no "</EX>", or nothing after the digits) gives what is there.
  LoadResult Load(const QByteArray& fileBytes);
  // The file form of the collection.
  QByteArray ToFileBytes() const;
  void Clear();

  int Count() const { return static_cast<int>(Exercises.size()); }
  // Header + exercise + footer: the markup of one posed exercise page.
  QString ExercisePage(int index) const;

  // How many posed exercises are remembered so as not to repeat them.
  static constexpr int kRecentCount = 20;
  // Poses the next exercise: one fewer still to pose, and a random exercise
  // that is not among the recently posed ones; when all are, the one posed
  // longest ago. It becomes Current and the newest of RecentlyPosed.
  // -1 (and nothing changes) when the collection has no exercises.
  int PoseNext();

  QString Header;
  QStringList Exercises;
  QString Footer;
  int FilePick = 0;          // the two digits of the file
  int ExercisePick = -1;     // exercises still to pose (-1: take FilePick)
  QList<int> RecentlyPosed;  // the 20 most recently posed indexes
  int Current = -1;
  QString WeiterTarget;
};
