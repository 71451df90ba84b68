#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QRadioButton;
class QSlider;

// "Auswertung zurücksetzen": which of a learner's answers are taken back,
// for the records of the library or for everything the learner answered.
// Captioned with the learner's name.
class TXReset : public QDialog {
  Q_OBJECT
 public:
  explicit TXReset(const QString& userName, QWidget* parent = nullptr);

  QRadioButton* Bibliothek;
  QRadioButton* Datenbank;
  QSlider* Versuche;
  QLabel* lVersuche;
  QCheckBox* nurPositiv;

  // How many answers of each record go (1..5; 5 = all).
  int Count() const;
};
