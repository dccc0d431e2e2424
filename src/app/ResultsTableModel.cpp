// The results table's cells for Qt views: numbers as written, right-aligned.
#include "app/ResultsTableModel.h"

#include "forms/ResultsTable.h"

CResultsTableModel::CResultsTableModel(CResultsTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table)
{
}

int CResultsTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : table_.RowCount();
}

int CResultsTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : table_.ColumnCount();
}

QVariant CResultsTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole) return QString::fromStdString(table_.Text(index.row(), index.column()));
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(table_.IsNumeric(index.column()) ? Qt::AlignRight | Qt::AlignVCenter
                                                                    : Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

QVariant CResultsTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (role == Qt::DisplayRole) return QString::fromStdString(table_.ColumnName(section));
        // A first click sorts upwards whatever the column sorted before.
        if (role == Qt::InitialSortOrderRole) return Qt::AscendingOrder;
        return {};
    }
    if (role == Qt::DisplayRole) return section + 1;
    return {};
}

void CResultsTableModel::sort(int column, Qt::SortOrder order)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    table_.Sort(column, order == Qt::DescendingOrder);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void CResultsTableModel::Reset()
{
    beginResetModel();
    endResetModel();
}
