#pragma once

#include <QDialog>
#include <array>

class TVocLib;
class QTabWidget;

// "Infos zur Bibliothek": how many records the library holds per word class
// and per difficulty, for the Spanish entries and the German entries apart.
// Both programs open it: the trainer from the vocabulary settings, the
// editor from its menu.
class TBInfo : public QDialog {
  Q_OBJECT

 public:
  // The figures of one direction.
  struct Counts {
    std::array<int, 8> wortart{};        // records of word class 0..7
    std::array<int, 5> schwierigkeit{};  // records of difficulty 0..4
    int total = 0;                       // every record of the direction
    int withContext = 0;                 // records with a first or second context sentence
  };
  enum Direction { Spanish = 0, German = 1 };

  // Counts the records (trailing empty record not counted): [Spanish] the
  // Spanish entries, [German] the German ones.
  static std::array<Counts, 2> CountRecords(const TVocLib& library);

  explicit TBInfo(const TVocLib& library, QWidget* parent = nullptr);

  // Shows the dialog modally until "OK" closes it.
  static void Execute(const TVocLib& library, QWidget* parent = nullptr);

  QTabWidget* Tabs;
};
