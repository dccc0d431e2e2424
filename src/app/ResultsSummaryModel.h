// CResultsSummaryModel: the summary rows under a results table: count,
// mean, standard deviation, minimum and maximum of each numeric column, over
// the selected rows when there are any.
#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "forms/ResultsTable.h"

class CResultsSummaryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CResultsSummaryModel(const CResultsTable& table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Computes the figures again (the rows or the selection changed).
    void Update();

private:
    const CResultsTable& table_;
    std::vector<CColumnSummary> columns_;
    bool selection_ = false;
};
