// The Results window: tabs of results tables with their commands. The keys
// are taken from the table before the main window's shortcuts see them, so
// that Ctrl+C, Ctrl+Z and F1 act on the table while it has the focus.
#include "app/ResultsDock.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QSettings>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>

#include "app/ResultsTab.h"
#include "dialogs/HelpWindow.h"

namespace {

const char* const kSummaryKey = "results/summaryRows";
const char* const kCsvFilter = "CSV files (*.csv)";
const char* const kResultsFilter = "Object results files (*.dat)";

}  // namespace

CResultsDock::CResultsDock(QWidget* parent) : QDockWidget("Results", parent), tabs_(new QTabWidget)
{
    setObjectName("resultsDock");
    tabs_->setTabsClosable(true);
    tabs_->setDocumentMode(true);
    setWidget(tabs_);
    connect(tabs_, &QTabWidget::tabCloseRequested, this, &CResultsDock::CloseTab);
    connect(tabs_, &QTabWidget::currentChanged, this, &CResultsDock::UpdateTitles);

    const auto add = [this](const QString& text, const QString& key, const std::function<void()>& command) {
        auto* action = new QAction(text, this);
        action->setToolTip(QString(text).remove("...").remove('&') + " (" + key + ")");
        connect(action, &QAction::triggered, this, command);
        return action;
    };
    copy_ = add("&Copy", "Ctrl+C", [this] { Copy(); });
    saveAs_ = add("&Save As...", "Ctrl+Shift+S", [this] { SaveAs(); });
    delete_ = add("&Delete Rows", "Del", [this] { DeleteRows(); });
    undo_ = add("&Undo", "Ctrl+Z", [this] { Undo(); });
    summaryAction_ = new QAction("Su&mmary", this);
    summaryAction_->setToolTip("Count, mean, standard deviation, minimum and maximum under the table");
    summaryAction_->setCheckable(true);
    summaryShown_ = QSettings().value(kSummaryKey, false).toBool();
    summaryAction_->setChecked(summaryShown_);
    connect(summaryAction_, &QAction::toggled, this, &CResultsDock::SetSummaryShown);

    askSavePath = [this](const QString& suggested, bool* csv) {
        QString filter = *csv ? kCsvFilter : kResultsFilter;
        const QString path = QFileDialog::getSaveFileName(this, "Save Results As", suggested,
                                                          QString(kCsvFilter) + ";;" + kResultsFilter, &filter);
        *csv = filter == kCsvFilter;
        return path;
    };
    showMessage = [this](const QString& text) { QMessageBox::warning(this, "Results", text); };
}

CResultsDock::~CResultsDock()
{
    // The tabs are taken down after this part of the dock: their removal must not reach it.
    disconnect(tabs_, nullptr, this, nullptr);
}

CResultsTab* CResultsDock::OpenFile(const QString& path, const QString& imageTitle, bool quiet)
{
    std::string error;
    CResultsTable table = CResultsTable::Read(path.toStdString(), &error);
    if (!error.empty()) {
        if (!quiet) showMessage(QString::fromStdString(error));
        return nullptr;
    }
    table.SetImageTitle(imageTitle.toStdString());
    show();
    raise();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (int i = 0; i < TabCount(); ++i)
        if (QFileInfo(QString::fromStdString(Tab(i)->Table().SourcePath())).absoluteFilePath() == absolute) {
            // Go or a recipe wrote the file again: the tab shows it anew.
            if (imageTitle.isEmpty()) table.SetImageTitle(Tab(i)->Table().ImageTitle());
            Tab(i)->Replace(std::move(table));
            tabs_->setCurrentIndex(i);
            UpdateTitles();
            return Tab(i);
        }
    auto* tab = new CResultsTab(std::move(table));
    QToolBar* bar = tab->ToolBar();
    QAction* first = bar->actions().value(0);
    bar->insertActions(first, {copy_, saveAs_, delete_, undo_});
    bar->insertSeparator(first);
    bar->insertAction(first, summaryAction_);
    bar->insertSeparator(first);
    tab->ShowSummary(summaryShown_);
    tab->View()->installEventFilter(this);
    connect(tab, &CResultsTab::modifiedChanged, this, &CResultsDock::UpdateTitles);
    connect(tab, &CResultsTab::selectionChanged, this, &CResultsDock::UpdateActions);
    tabs_->setCurrentIndex(tabs_->addTab(tab, tab->Title()));
    UpdateTitles();
    emit tabOpened(tab);
    return tab;
}

CResultsTab* CResultsDock::CurrentTab() const { return qobject_cast<CResultsTab*>(tabs_->currentWidget()); }

CResultsTab* CResultsDock::Tab(int index) const { return qobject_cast<CResultsTab*>(tabs_->widget(index)); }

int CResultsDock::TabCount() const { return tabs_->count(); }

void CResultsDock::Copy()
{
    if (CResultsTab* tab = CurrentTab()) QApplication::clipboard()->setText(tab->CopyText());
}

bool CResultsDock::SaveAs()
{
    CResultsTab* tab = CurrentTab();
    if (tab == nullptr) return false;
    const CResultsTable& table = tab->Table();
    // A results file is offered as CSV beside itself; a combined table is CSV already.
    bool csv = true;
    QString suggested = QString::fromStdString(table.SourcePath());
    if (!table.IsCombined() && suggested.endsWith(".dat")) suggested.chop(4);
    if (!table.IsCombined() && !suggested.endsWith(".csv")) suggested += ".csv";
    QString path = askSavePath(suggested, &csv);
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += csv || table.IsCombined() ? ".csv" : ".dat";
    QString error;
    if (!tab->Save(path, csv, &error)) {
        showMessage(error);
        return false;
    }
    return true;
}

void CResultsDock::DeleteRows()
{
    if (CResultsTab* tab = CurrentTab()) tab->DeleteSelected();
}

void CResultsDock::Undo()
{
    if (CResultsTab* tab = CurrentTab()) tab->UndoDelete();
}

void CResultsDock::SetSummaryShown(bool shown)
{
    summaryShown_ = shown;
    summaryAction_->setChecked(shown);
    QSettings().setValue(kSummaryKey, shown);
    for (int i = 0; i < TabCount(); ++i) Tab(i)->ShowSummary(shown);
}

void CResultsDock::ShowHelp() { CHelpWindow::ShowSection(this, "results"); }

void CResultsDock::CloseTab(int index)
{
    QWidget* tab = tabs_->widget(index);
    tabs_->removeTab(index);
    delete tab;
    UpdateTitles();
}

void CResultsDock::UpdateTitles()
{
    for (int i = 0; i < TabCount(); ++i) tabs_->setTabText(i, Tab(i)->Title());
    CResultsTab* tab = CurrentTab();
    setWindowTitle(tab ? tab->WindowTitle() : QString("Results"));
    UpdateActions();
}

void CResultsDock::UpdateActions()
{
    CResultsTab* tab = CurrentTab();
    const bool rows = tab && !tab->Table().SelectedIds().empty();
    copy_->setEnabled(tab != nullptr);
    saveAs_->setEnabled(tab != nullptr);
    delete_->setEnabled(rows);
    undo_->setEnabled(tab && tab->Table().CanUndoDelete());
}

bool CResultsDock::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return QDockWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const std::pair<bool, std::function<void()>> commands[] = {
        {key->matches(QKeySequence::Copy), [this] { Copy(); }},
        {key->matches(QKeySequence::Undo), [this] { Undo(); }},
        {key->matches(QKeySequence::SaveAs) ||
             (key->key() == Qt::Key_S && key->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier)),
         [this] { SaveAs(); }},
        {key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier, [this] { DeleteRows(); }},
        {key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier, [this] { ShowHelp(); }},
    };
    for (const auto& [matches, command] : commands) {
        if (!matches) continue;
        // Accepting the override makes the key a key press here rather than a shortcut elsewhere.
        event->accept();
        if (event->type() == QEvent::KeyPress) command();
        return true;
    }
    return QDockWidget::eventFilter(watched, event);
}
