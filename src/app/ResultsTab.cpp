// A results table's tab: the view over its model, the selection kept in the
// table by row ids, and the summary rows under it.
#include "app/ResultsTab.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "app/ResultsSummaryModel.h"
#include "app/ResultsTableModel.h"

namespace {

// Rows of one height, set once: a view of 100,000 rows then never measures them.
void Uniform(QTableView* view)
{
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->setWordWrap(false);
}

}  // namespace

CResultsTab::CResultsTab(CResultsTable table, QWidget* parent)
    : QWidget(parent), table_(std::make_unique<CResultsTable>(std::move(table))),
      model_(new CResultsTableModel(*table_, this)), summary_(new CResultsSummaryModel(*table_, this)),
      view_(new QTableView), summaryView_(new QTableView), toolBar_(new QToolBar)
{
    toolBar_->setIconSize(QSize(16, 15));
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    // The plot of a chosen column is drawn by whoever listens.
    toolBar_->addAction("&Plot...", this, &CResultsTab::plotRequested);
    view_->setObjectName("resultsView");
    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    view_->horizontalHeader()->setSortIndicatorShown(true);
    view_->horizontalHeader()->setSectionsClickable(true);
    Uniform(view_);
    summaryView_->setObjectName("summaryView");
    summaryView_->setModel(summary_);
    summaryView_->horizontalHeader()->hide();
    summaryView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    summaryView_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    summaryView_->setSelectionMode(QAbstractItemView::NoSelection);
    summaryView_->setFocusPolicy(Qt::NoFocus);
    Uniform(summaryView_);
    summaryView_->setFixedHeight(summaryView_->verticalHeader()->defaultSectionSize() * summary_->rowCount() +
                                 2 * summaryView_->frameWidth());
    summaryView_->hide();
    SizeColumns();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar_);
    layout->addWidget(view_, 1);
    layout->addWidget(summaryView_);

    // The summary's columns stay under the table's.
    connect(view_->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int size) { summaryView_->setColumnWidth(column, size); });
    connect(view_->horizontalScrollBar(), &QScrollBar::valueChanged, summaryView_->horizontalScrollBar(),
            &QScrollBar::setValue);
    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &CResultsTab::FromView);
    // A header's first click sorts upwards, the next one reverses.
    connect(view_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        SortBy(column, column == table_->SortColumn() && !table_->SortDescending());
    });
    connect(view_, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { emit rowActivated(index.row()); });
}

CResultsTab::~CResultsTab() = default;

// Columns as wide as their header or their longest text, which is found
// by its length rather than by measuring every row.
void CResultsTab::SizeColumns()
{
    const QFontMetrics metrics = view_->fontMetrics();
    const int padding = 2 * metrics.horizontalAdvance('0');
    for (int column = 0; column < table_->ColumnCount(); ++column) {
        int longest = -1;
        size_t length = 0;
        for (int row = 0; row < table_->RowCount(); ++row)
            if (table_->Text(row, column).size() > length) {
                length = table_->Text(row, column).size();
                longest = row;
            }
        int width = view_->horizontalHeader()->fontMetrics().horizontalAdvance(
                        QString::fromStdString(table_->ColumnName(column))) +
                    3 * padding;  // room for the sort arrow
        // A numeric column leaves room for the summary's mean, two digits longer.
        const QString text = longest < 0 ? QString() : QString::fromStdString(table_->Text(longest, column));
        if (longest >= 0)
            width = std::max(width, metrics.horizontalAdvance(table_->IsNumeric(column) ? text + "00" : text) + padding);
        view_->setColumnWidth(column, width);
        summaryView_->setColumnWidth(column, width);
    }
    // The summary's row names and the table's row numbers share one width.
    const int names = summaryView_->verticalHeader()->sizeHint().width();
    const int numbers = metrics.horizontalAdvance(QString::number(std::max(1, table_->RowCount()))) + padding;
    view_->verticalHeader()->setFixedWidth(std::max(names, numbers));
    summaryView_->verticalHeader()->setFixedWidth(std::max(names, numbers));
}

void CResultsTab::FromView()
{
    if (syncing_) return;
    std::vector<int> ids;
    for (const QItemSelectionRange& range : view_->selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row) ids.push_back(table_->RowId(row));
    table_->Select(ids, false);
    Changed();
}

void CResultsTab::ToView()
{
    std::vector<int> rows;
    for (int id : table_->SelectedIds())
        if (const int row = table_->RowOfId(id); row >= 0) rows.push_back(row);
    std::sort(rows.begin(), rows.end());
    QItemSelection selection;
    const int last = model_->columnCount() - 1;
    for (size_t i = 0; i < rows.size();) {
        size_t j = i;
        while (j + 1 < rows.size() && rows[j + 1] == rows[j] + 1) ++j;
        selection.select(model_->index(rows[i], 0), model_->index(rows[j], last));
        i = j + 1;
    }
    syncing_ = true;
    view_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    syncing_ = false;
}

void CResultsTab::SortBy(int column, bool descending)
{
    // The selection is laid again by id once the rows have moved, rather
    // than followed through the model row by row.
    syncing_ = true;
    view_->selectionModel()->clearSelection();
    model_->sort(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    syncing_ = false;
    view_->horizontalHeader()->setSortIndicator(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    ToView();
}

void CResultsTab::SelectIds(const std::vector<int>& ids, bool add)
{
    table_->Select(ids, add);
    ToView();
    if (!table_->SelectedIds().empty()) {
        const int first = table_->RowOfId(*std::min_element(table_->SelectedIds().begin(), table_->SelectedIds().end(),
                                                            [this](int a, int b) {
                                                                return table_->RowOfId(a) < table_->RowOfId(b);
                                                            }));
        view_->scrollTo(model_->index(first, 0));
    }
    Changed();
}

// The summary follows the selection and the rows.
void CResultsTab::Changed()
{
    if (!summaryView_->isHidden()) summary_->Update();
    emit selectionChanged();
}

void CResultsTab::ShowSummary(bool shown)
{
    summaryView_->setVisible(shown);
    if (shown) summary_->Update();
    SizeColumns();
}

void CResultsTab::Replace(CResultsTable table)
{
    *table_ = std::move(table);
    view_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    model_->Reset();
    SizeColumns();
    Changed();
    emit modifiedChanged();
}

QString CResultsTab::CopyText() const
{
    return QString::fromStdString(table_->TabText(!table_->SelectedIds().empty()));
}

void CResultsTab::DeleteSelected()
{
    const std::set<int>& selected = table_->SelectedIds();
    if (selected.empty()) return;
    table_->DeleteRows(std::vector<int>(selected.begin(), selected.end()));
    model_->Reset();
    Changed();
    emit modifiedChanged();
}

void CResultsTab::UndoDelete()
{
    if (!table_->CanUndoDelete()) return;
    table_->UndoDelete();
    model_->Reset();
    ToView();
    Changed();
    emit modifiedChanged();
}

bool CResultsTab::Save(const QString& path, bool csv, QString* error)
{
    std::string reason;
    if (!table_->Save(path.toStdString(), csv, &reason)) {
        *error = QString::fromStdString(reason);
        return false;
    }
    emit modifiedChanged();
    return true;
}

QString CResultsTab::Title() const
{
    const QString name = QFileInfo(QString::fromStdString(table_->SourcePath())).fileName();
    return table_->Modified() ? name + "*" : name;
}

QString CResultsTab::WindowTitle() const
{
    const QString image = QString::fromStdString(table_->ImageTitle());
    return image.isEmpty() ? "Results - " + Title() : QString("Results - %1 (%2)").arg(Title(), image);
}
