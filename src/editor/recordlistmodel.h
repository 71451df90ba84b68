#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <QIcon>
#include <functional>

class TVocLib;

// The record list of the editor as a table of two columns: a blank and the
// entry (" <leer>" for a record without one) with the flag of its language,
// and the learner's score with "%" while someone is logged in. The current
// record's line is bold. The model reads the library on every paint, so a
// changed record only needs its line repainted (RecordChanged).
class RecordListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit RecordListModel(const TVocLib& library, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  // The texts of a line as the list shows them.
  static QString EntryText(const QString& vokabel);

  void setFlags(QIcon spanish, QIcon german);
  void setFont(const QFont& font) { font_ = font; }
  // Whether scores are shown.
  std::function<bool()> showScores;

  // The whole list again (after loading, sorting, inserting, deleting).
  void Rebuild();
  // One line again (its record was edited, or it became or stopped being current).
  void RecordChanged(int row);
  // The score column again (after a login or a reset).
  void ScoresChanged();
  // Which line is drawn bold.
  void SetCurrent(int row);

 private:
  const TVocLib& library_;
  QIcon spanish_;
  QIcon german_;
  QFont font_;
  int current_ = -1;
};
