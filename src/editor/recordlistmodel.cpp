#include "editor/recordlistmodel.h"

#include "vocabulary/tvoclib.h"

RecordListModel::RecordListModel(const TVocLib& library, QObject* parent)
    : QAbstractTableModel(parent), library_(library) {}

int RecordListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(library_.Items.size());
}

int RecordListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QString RecordListModel::EntryText(const QString& vokabel) {
  return vokabel.isEmpty() ? QStringLiteral(" <leer>") : QLatin1Char(' ') + vokabel;
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= library_.Items.size()) return {};
  const TVokabel& record = library_.Items.at(index.row());
  switch (role) {
    case Qt::DisplayRole:
      if (index.column() == 0) return EntryText(record.Vokabel);
      // A record without an entry has no history to score.
      if (showScores && showScores() && !record.Vokabel.isEmpty())
        return QString::number(record.Score) + QLatin1Char('%');
      return QString();
    case Qt::DecorationRole:
      if (index.column() == 0) return record.Deutsch ? german_ : spanish_;
      return {};
    case Qt::FontRole: {
      QFont font = font_;
      font.setBold(index.row() == current_ || font_.bold());
      return font;
    }
    case Qt::TextAlignmentRole:
      if (index.column() == 1) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
      return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
      return {};
  }
}

void RecordListModel::setFlags(QIcon spanish, QIcon german) {
  spanish_ = std::move(spanish);
  german_ = std::move(german);
  if (rowCount() > 0) Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::DecorationRole});
}

void RecordListModel::Rebuild() {
  beginResetModel();
  endResetModel();
}

void RecordListModel::RecordChanged(int row) {
  if (row < 0 || row >= rowCount()) return;
  Q_EMIT dataChanged(index(row, 0), index(row, 1));
}

void RecordListModel::ScoresChanged() {
  if (rowCount() > 0) Q_EMIT dataChanged(index(0, 1), index(rowCount() - 1, 1), {Qt::DisplayRole});
}

void RecordListModel::SetCurrent(int row) {
  if (row == current_) return;
  const int previous = current_;
  current_ = row;
  RecordChanged(previous);
  RecordChanged(row);
}
