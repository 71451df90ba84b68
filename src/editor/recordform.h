#pragma once

#include <QIcon>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;
class TVocLib;

// The record form of the editor: one field for each field of the current
// record. Every change in a field is written into the record at once (the
// library's setters mark it modified only when the value really changes).
// While the form is filled from a record its change handlers are blocked,
// so that a word class or difficulty the lists do not offer is kept as read.
class TRecordForm : public QWidget {
  Q_OBJECT
 public:
  explicit TRecordForm(TVocLib& library, QWidget* parent = nullptr);

  QLineEdit* eVokabel;
  QLineEdit* eBedeutung0;
  QLineEdit* eBedeutung1;
  QComboBox* EWortart;
  QComboBox* Schwierigkeit;
  QToolButton* iFremd;   // the Spanish flag
  QToolButton* iDeutsch; // the German flag
  QToolButton* vPlay;
  QLabel* k1;
  QLabel* k2;
  QLineEdit* eKontext0;
  QLineEdit* eKontext1;
  QCheckBox* Ktx_dazu1;
  QCheckBox* Ktx_dazu2;

  // Fills every field from the current record of the library.
  void ShowCurrent();
  // The next ShowCurrent fills every field afresh (the records moved).
  void Forget() { shownRecord_ = -1; }
  void SetFlagPictures(const QIcon& spanish, const QIcon& german);
  // The flag of the entry's language on top: the German flag when german.
  void ShowDirection(bool german);
  bool GermanOnTop() const { return germanOnTop_; }
  // Whether the second context is shown (there is room for it).
  bool SecondContextShown() const;
  // The edit fields of the form, in their order.
  QList<QLineEdit*> EditFields() const;
  // The controls in the order Enter walks through them.
  QList<QWidget*> FocusOrder() const;

 Q_SIGNALS:
  // A field of the current record was changed by the author.
  void RecordEdited();
  // The entry, its word class or its language changed: the fields that
  // name the record in the learner's history and the recordings.
  void KeyEdited();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void placeControls();
  void swapFlags();

  TVocLib& library_;
  bool filling_ = false;
  bool germanOnTop_ = false;
  int shownRecord_ = -1;
  QList<QLabel*> labels_;
};
