// CResultsTableModel: the Qt table model over a CResultsTable, so that a
// view of 100,000 rows asks only for the cells it shows.
#pragma once

#include <QAbstractTableModel>

class CResultsTable;

class CResultsTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CResultsTableModel(CResultsTable& table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Sorts the table; the view's sort indicator calls it.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    CResultsTable& Table() const { return table_; }
    // The rows changed as a whole (deleted, restored, read again).
    void Reset();

private:
    CResultsTable& table_;
};
