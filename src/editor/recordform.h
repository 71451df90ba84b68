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
  // The entry's text was changed by typing.
  void EntryEdited();
  void WortartEdited();
  void DirectionEdited();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void placeControls();
  void swapFlags();

  TVocLib& library_;
  bool filling_ = false;
  bool germanOnTop_ = false;
  QList<QLabel*> labels_;
};
