#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// "In Bibliothek suchen": the text to look for and whether letter case counts.
class TEdSuchen : public QDialog {
  Q_OBJECT
 public:
  explicit TEdSuchen(QWidget* parent = nullptr);
  QLineEdit* Begriff;
  QCheckBox* CaseBox;
  QPushButton* Suchen;
  QPushButton* Abbrechen;
};

// "Gehe zu Vokabel": a record's number or the beginning of its entry.
class TEdGoTo : public QDialog {
  Q_OBJECT
 public:
  explicit TEdGoTo(QWidget* parent = nullptr);
  QLineEdit* Begriff;
  QPushButton* Ok;
  QPushButton* Abbrechen;
};
