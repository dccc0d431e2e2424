// CMainFrame: the main window with the MDI area, menus, five toolbars, the
// status bar, command routing and the rules that enable commands.
#pragma once

#include <QMainWindow>
#include <QMessageBox>
#include <functional>
#include <map>
#include <optional>

#include "document/ActiveDocumentSource.h"
#include "image/ImageFormat.h"

class CChildFrame;
class CHistoryDock;
class CResultsDock;
class CNUVAKApp;
class CNUVAKDoc;
class CNUVAKView;
class CSetScaleDlg;
class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;

class CMainFrame : public QMainWindow, public CActiveDocumentSource {
    Q_OBJECT
public:
    explicit CMainFrame(CNUVAKApp& app);
    ~CMainFrame() override;

    // Menus, toolbars, status bar, splash; false when something is missing.
    bool LoadFrame(bool showSplash);

    QMdiArea* MdiArea() const { return mdiArea_; }
    CChildFrame* ActiveChild() const;
    CNUVAKDoc* ActiveDocument() const override;
    QList<CChildFrame*> Children() const;
    QAction* Action(int id) const;
    QToolBar* Toolbar(const char* objectName) const;
    QLabel* Indicator(int index) const;  // 0 caps lock, 1 num lock, 2 scroll lock

    // The program-wide view tool (0 select feature, 1 select AOI, 2
    // measure); every view shows its cursor.
    int CurrentTool() const { return currentTool_; }
    void SetCurrentTool(int tool);

    // The status bar's message pane.
    void SetStatusText(const QString& text);
    QString StatusText() const;

    // Runs a command when it is enabled; false when it was not.
    bool OnCommand(int id);
    bool IsCommandEnabled(int id) const;
    void UpdateCommandUI();
    void UpdateTitle();

    // Close All: every save question first, a Yes saving at once; false,
    // with every window still open, when the user cancelled one.
    bool CloseAll();
    // Window, Cascade: each window keeps its size where it fits.
    void Cascade();
    // The length in pixels of the last line measured, for Set Scale; 0 before any.
    void SetLastMeasuredLength(double pixels) { lastMeasuredLength_ = pixels; }
    double LastMeasuredLength() const { return lastMeasuredLength_; }
    // Image, Set Scale: the active image's (or every open image's) pixel size.
    void OnSetScale();
    // Runs the Set Scale dialog; replaceable for tests (true for OK).
    std::function<bool(CSetScaleDlg&)> askSetScale;
    // Where Open and Save As start: the active image's folder, else the
    // folder of the file used last.
    QString StartFolder() const;
    void AddRecentFile(const QString& path);

    // The questions the frame asks, replaceable for automation and tests.
    std::function<QMessageBox::StandardButton(const QString&)> askSaveChanges;
    std::function<QString(const QString& suggested)> askSavePath;
    // The files to open (with the 16-bit range choice); empty when cancelled.
    std::function<QStringList()> askOpenPaths;
    // File, 16-bit Levels: the range chosen, none when cancelled.
    std::function<std::optional<SampleRange>()> askSampleRange;
    // Edit, Undo Memory: megabytes offered with initial; 0 when cancelled.
    std::function<int(int initial)> askUndoMemory;
    // JPEG quality 1..100 offered with initial; 0 when cancelled.
    std::function<int(int initial)> askJpegQuality;
    // Writing over a file of 16-bit samples: true for Yes (No is the default).
    std::function<bool(const QString& question)> askSaveDeepAnyway;
    QMessageBox::StandardButton AskSaveChanges(const QString& text) const { return askSaveChanges(text); }
    QString AskSavePath(const QString& suggested) const { return askSavePath(suggested); }
    // The recipe file to write or to read; empty when cancelled.
    std::function<QString(const QString& suggested)> askRecipeSavePath;
    std::function<QString()> askRecipeOpenPath;
    // File > Open Results: the results file or combined table; empty when cancelled.
    std::function<QString()> askResultsPath;
    CHistoryDock* HistoryDock() const { return historyDock_; }
    CResultsDock* ResultsDock() const { return resultsDock_; }
    // Shows a results file just written in the Results window, for the image
    // of that title; one gone again is left to the command that wrote it.
    void OpenResults(const std::string& path, const std::string& imageTitle);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolbars();
    void CreateStatusBar();
    void FillRecentFiles();
    void FillWindowList();
    void ToggleBar(QWidget* bar);
    QToolBar* ToolbarFor(int toggleId) const;
    void ShowHelp();
    void OnSaveRecipe(const CNUVAKDoc& document);

    CNUVAKApp& app_;
    QMdiArea* mdiArea_;
    std::map<int, QAction*> actions_;
    double lastMeasuredLength_ = 0.0;
    QLabel* zoomPane_ = nullptr;
    QLabel* messagePane_ = nullptr;
    QList<QLabel*> indicators_;
    QMenu* recentMenu_ = nullptr;  // the menu holding the recent files
    QAction* recentAnchor_ = nullptr;
    QList<QAction*> recentActions_;
    QMenu* windowMenu_ = nullptr;
    QList<QAction*> windowActions_;
    QWidget* help_ = nullptr;
    CHistoryDock* historyDock_ = nullptr;
    CResultsDock* resultsDock_ = nullptr;
    int currentTool_ = 0;
};
