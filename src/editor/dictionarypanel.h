#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

// The dictionary panel below the record form: the dictionary entry that
// belongs to the current record, with buttons to browse and edit the
// dictionary. Until the editor's dictionary checks are connected its
// controls are shown switched off.
class TDictionaryPanel : public QWidget {
  Q_OBJECT
 public:
  explicit TDictionaryPanel(QWidget* parent = nullptr);

  QLineEdit* dbVokabel;
  QPlainTextEdit* dbBedeutung;
  QComboBox* DBWortart;
  QToolButton* dFirst;
  QToolButton* dPrevious;
  QToolButton* Direction;
  QToolButton* dNext;
  QToolButton* dLast;
  QToolButton* dAdd;
  QToolButton* dDelete;

  // The direction's long name, or the short one when the long one does not fit.
  void ShowDirection(const QString& longName, const QString& shortName);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void place();
  QString longName_ = QStringLiteral("Spanisch-Deutsch");
  QString shortName_ = QStringLiteral("Spanisch-D");
};
