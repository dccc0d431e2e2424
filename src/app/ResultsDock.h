// CResultsDock: the Results window, a dock of the main window with one tab
// per results table: opened after Find Objects, Apply Recipe and a series
// with Find Objects, and by File > Open Results...
#pragma once

#include <QDockWidget>
#include <functional>

class CResultsTab;
class QAction;
class QTabWidget;

class CResultsDock : public QDockWidget {
    Q_OBJECT
public:
    explicit CResultsDock(QWidget* parent = nullptr);
    ~CResultsDock() override;

    // Reads the file into a tab (the same file's tab again, read anew) and
    // shows the window; imageTitle names the image the results are of
    // (empty when not known). A file that is refused is shown in a message
    // box with the reason, unless quiet, and null is returned.
    CResultsTab* OpenFile(const QString& path, const QString& imageTitle = QString(), bool quiet = false);
    CResultsTab* CurrentTab() const;
    CResultsTab* Tab(int index) const;
    int TabCount() const;
    QTabWidget* Tabs() const { return tabs_; }

    // The dock's commands, on the current tab.
    void Copy();
    bool SaveAs();
    void DeleteRows();
    void Undo();
    // Summary rows under every table, remembered in the settings.
    void SetSummaryShown(bool shown);
    bool SummaryShown() const { return summaryShown_; }

    // F1: the manual at the window's section.
    void ShowHelp();

    // Where Save As writes and whether as CSV; replaceable for tests (an
    // empty path when cancelled).
    std::function<QString(const QString& suggested, bool* csv)> askSavePath;
    // A refused file or a failed save; replaceable for tests.
    std::function<void(const QString& text)> showMessage;

signals:
    // A tab was added (after its signals can be connected).
    void tabOpened(CResultsTab* tab);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void UpdateTitles();
    void UpdateActions();
    void CloseTab(int index);

    QTabWidget* tabs_;
    QAction* copy_;
    QAction* saveAs_;
    QAction* delete_;
    QAction* undo_;
    QAction* summaryAction_;
    bool summaryShown_ = false;
};
