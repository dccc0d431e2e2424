// CResultsTab: one table of the Results window: a tool bar, the table view
// and, as an option, the summary rows under it.
#pragma once

#include <QWidget>
#include <memory>
#include <vector>

#include "forms/ResultsTable.h"

class CResultsSummaryModel;
class CResultsTableModel;
class QTableView;
class QToolBar;

class CResultsTab : public QWidget {
    Q_OBJECT
public:
    explicit CResultsTab(CResultsTable table, QWidget* parent = nullptr);
    ~CResultsTab() override;

    CResultsTable& Table() { return *table_; }
    QTableView* View() const { return view_; }
    QTableView* SummaryView() const { return summaryView_; }
    QToolBar* ToolBar() const { return toolBar_; }
    CResultsTableModel* Model() const { return model_; }

    // Sorts by a column as its header's click does (-1: the file's order).
    void SortBy(int column, bool descending);
    // Selects the rows of these ids in the view and the table.
    void SelectIds(const std::vector<int>& ids, bool add);
    // Shows a table read again from its file, in place of this one.
    void Replace(CResultsTable table);
    // The summary rows under the table shown or hidden.
    void ShowSummary(bool shown);

    // The selected rows (or every row) as tab-separated text with the header.
    QString CopyText() const;
    // Removes the selected rows from the table; Undo brings them back.
    void DeleteSelected();
    void UndoDelete();
    // Writes the table to path: RFC 4180 CSV or the format it was read in.
    // False, with the reason, when it could not be written.
    bool Save(const QString& path, bool csv, QString* error);

    // The tab's title: the file's name, "*" after it while modified.
    QString Title() const;
    // The window's title: the file and the image the results belong to.
    QString WindowTitle() const;

signals:
    // The table's selection changed, from the view or from SelectIds.
    void selectionChanged();
    // Double-click on a row (view order).
    void rowActivated(int row);
    // The tool bar's Plot... was pressed.
    void plotRequested();
    // Rows were deleted or restored, or the table was saved.
    void modifiedChanged();

private:
    void SizeColumns();
    void FromView();
    void ToView();
    void Changed();

    std::unique_ptr<CResultsTable> table_;
    CResultsTableModel* model_;
    CResultsSummaryModel* summary_;
    QTableView* view_;
    QTableView* summaryView_;
    QToolBar* toolBar_;
    bool syncing_ = false;  // the view's selection is being set from the table
};
