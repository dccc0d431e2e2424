// The summary rows' figures, formatted as the table writes its columns.
#include "app/ResultsSummaryModel.h"

namespace {

const char* const kRowNames[] = {"Count", "Mean", "SD", "Min", "Max"};

}  // namespace

CResultsSummaryModel::CResultsSummaryModel(const CResultsTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table)
{
    Update();
}

int CResultsSummaryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(std::size(kRowNames));
}

int CResultsSummaryModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant CResultsSummaryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    const int column = index.column();
    if (!table_.IsNumeric(column)) return {};
    const CColumnSummary& s = columns_[column];
    switch (index.row()) {
    case 0: return s.count;
    case 1: return QString::fromStdString(table_.SummaryText(column, s.mean, true));
    case 2: return QString::fromStdString(table_.SummaryText(column, s.deviation, true));
    case 3: return QString::fromStdString(table_.SummaryText(column, s.minimum, false));
    default: return QString::fromStdString(table_.SummaryText(column, s.maximum, false));
    }
}

QVariant CResultsSummaryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical && role == Qt::ToolTipRole)
        return selection_ ? QString("Over the selected rows") : QString("Over every row");
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return QString::fromStdString(table_.ColumnName(section));
    return QString(kRowNames[section]);
}

void CResultsSummaryModel::Update()
{
    beginResetModel();
    selection_ = !table_.SelectedIds().empty();
    columns_.clear();
    for (int column = 0; column < table_.ColumnCount(); ++column)
        columns_.push_back(table_.Summary(column, selection_));
    endResetModel();
}
