#include "model/TextGridModel.h"

int TTextGridModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    const int rows = std::max(grid_.RowCount() - 1, 0);
    return rowLimit_ < 0 ? rows : std::min(rows, rowLimit_);
}

int TTextGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : grid_.ColCount(); }

QVariant TTextGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return grid_.Cell(index.column(), index.row() + 1);
    return provider_ ? provider_(index.column(), index.row() + 1, role) : QVariant();
}

QVariant TTextGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return grid_.Cell(section, 0);
    return section + 1;
}

bool TTextGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !editable_)
        return false;
    grid_.SetCell(index.column(), index.row() + 1, value.toString());
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags TTextGridModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (editable_)
        f |= Qt::ItemIsEditable;
    return f;
}

void TTextGridModel::Reload()
{
    beginResetModel();
    endResetModel();
}

void TTextGridModel::SetRowLimit(int rows)
{
    const int shown = rowCount();
    const int gridRows = std::max(grid_.RowCount() - 1, 0);
    const int now = rows < 0 ? gridRows : std::min(gridRows, rows);
    if (now > shown) {
        beginInsertRows({}, shown, now - 1);
        rowLimit_ = rows;
        endInsertRows();
    } else {
        beginResetModel();
        rowLimit_ = rows;
        endResetModel();
    }
}
