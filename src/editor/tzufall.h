#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QSlider;

// "Zufällig erzeugen": the size of a practice library drawn from the
// dictionary, the share of its Spanish and German entries, whether phrases
// may be drawn, and whether the library is sorted afterwards.
class TZufall : public QDialog {
  Q_OBJECT
 public:
  explicit TZufall(QWidget* parent = nullptr);

  QSlider* cSize;      // 40..800 records
  QLabel* lSize;
  QSlider* cProzent;   // the Spanish share in per cent
  QLabel* fProzent;
  QLabel* dProzent;
  QCheckBox* cRedewendungen;
  QCheckBox* cAlphabetisch;

  int Size() const;
  int SpanishPercent() const;
  bool Phrases() const;
  bool Alphabetical() const;
};
