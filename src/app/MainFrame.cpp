// The main window: building menus, toolbars and status bar, routing commands
// to the frame, the active view, the active document or the application.
#include "app/MainFrame.h"

#include <QActionGroup>
#include <algorithm>
#include <climits>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QDragEnterEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>
#include <QWhatsThis>

#include "app/ChildFrame.h"
#include "app/CommandTable.h"
#include "app/HistoryDock.h"
#include "dialogs/DeepSamplesQuestion.h"
#include "dialogs/HelpWindow.h"
#include "app/KeyIndicators.h"
#include "app/MenuLayout.h"
#include "app/NUVAKApp.h"
#include "app/NUVAKView.h"
#include "app/ParameterCommands.h"
#include "app/QtClipboard.h"
#include "app/RecipeCommands.h"
#include "app/ResultsDock.h"
#include "app/ResultsLink.h"
#include "app/StartupSplash.h"
#include "app/UndoMemory.h"
#include "dialogs/CustomFilterDlg.h"
#include "dialogs/FftSheet.h"
#include "dialogs/FindObjectsPropertySheet.h"
#include "dialogs/HistogramDlg.h"
#include "dialogs/SetScaleDlg.h"
#include "dialogs/ImageOpenDlg.h"
#include "dialogs/JpegQualityDlg.h"
#include "dialogs/SampleRangeBox.h"
#include "dialogs/SixteenBitLevelsDlg.h"
#include "forms/ImageFileFilters.h"
#include "forms/ViewTools.h"
#include "document/CommandEnabling.h"
#include "document/CommandIds.h"
#include "document/NUVAKDoc.h"
#include "document/ViewMetrics.h"
#include "platform/Memory.h"
#include "series/Recipe.h"

namespace {

const char* const kCaption = "NUVAK";
constexpr int kStartupWaitMs = 3000;

// The toolbar each View toggle shows or hides.
const std::map<int, const char*> kToolbarToggles = {
    {cmd::ViewToolbar, "mainToolbar"},
    {cmd::AnalysisToolbar, "analysisToolbar"},
    {cmd::CalculationsToolbar, "calculationsToolbar"},
    {cmd::PreprocessingToolbar, "preprocessingToolbar"},
    {cmd::TransformToolbar, "transformToolbar"},
};

}  // namespace

CMainFrame::CMainFrame(CNUVAKApp& app) : app_(app), mdiArea_(new QMdiArea)
{
    setWindowTitle(kCaption);
    setWindowIcon(QIcon(":/icons/app.xpm"));
    setCentralWidget(mdiArea_);
    setAcceptDrops(true);
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        // The read-out of a closed image must not stay behind.
        if (window == nullptr && messagePane_) SetStatusText(kIdleStatusText);
        UpdateTitle();
        UpdateCommandUI();
    });

    askSaveChanges = [this](const QString& text) {
        return QMessageBox::question(this, kCaption, text,
                                     QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    };
    askSavePath = [this](const QString& suggested) {
        // An untitled image is suggested in the folder used last.
        const QString start = QFileInfo(suggested).isAbsolute() ? suggested : QDir(StartFolder()).filePath(suggested);
        const QString filters = QString::fromStdString(SaveImageFilters());
        QString chosen;
        for (const QString& filter : filters.split(";;"))
            if (filter.contains(QString("*") + FileFormatExtension(FormatForPath(suggested.toStdString()))))
                chosen = filter;
        const QString path = QFileDialog::getSaveFileName(this, "Save As", start, filters, &chosen);
        if (path.isEmpty()) return path;
        return QString::fromStdString(SaveAsPath(path.toStdString(), chosen.toStdString()));
    };
    askOpenPaths = [this] { return ChooseImagesToOpen(this, StartFolder()); };
    askSampleRange = [this] { return ChooseSixteenBitLevels(this); };
    askUndoMemory = [this](int initial) {
        // Up to the machine's memory; the newest step is kept even beyond it.
        const std::uint64_t physical = platform::PhysicalMemory() / (1024 * 1024);
        const int most = physical > 0 && physical < INT_MAX ? static_cast<int>(physical) : INT_MAX;
        bool ok = false;
        const int megabytes = QInputDialog::getInt(this, "Undo Memory", "Memory for the undo steps of each image (MB):",
                                                   std::min(initial, most), 1, most, 64, &ok);
        return ok ? megabytes : 0;
    };
    askJpegQuality = [this](int initial) { return CJpegQualityDlg::Ask(this, initial); };
    askSaveDeepAnyway = [this](const QString& question) { return AskWriteOverDeepSamples(this, question); };
    askRecipeSavePath = [this](const QString& suggested) {
        return QFileDialog::getSaveFileName(this, "Save Recipe", suggested, "Recipes (*.nrcp)");
    };
    askRecipeOpenPath = [this] {
        return QFileDialog::getOpenFileName(this, "Apply Recipe", QString(), "Recipes (*.nrcp)");
    };
    askResultsPath = [this] {
        return QFileDialog::getOpenFileName(this, "Open Results", StartFolder(),
                                            "Results (*.dat *.csv);;Object results files (*.dat);;"
                                            "Combined tables (*.csv);;All files (*)");
    };
}

CMainFrame::~CMainFrame()
{
    // The workspace reports window activations, and the history dock its hiding, while they are torn
    // down, after the actions are gone.
    disconnect(mdiArea_, nullptr, this, nullptr);
    if (historyDock_) disconnect(historyDock_, nullptr, this, nullptr);
    if (resultsDock_) disconnect(resultsDock_, nullptr, this, nullptr);
}

bool CMainFrame::LoadFrame(bool showSplash)
{
    CreateActions();
    CreateMenus();
    CreateToolbars();
    CreateStatusBar();
    historyDock_ = new CHistoryDock(this);
    addDockWidget(Qt::RightDockWidgetArea, historyDock_);
    historyDock_->hide();
    // The dock's own close button hides it too.
    connect(historyDock_, &QDockWidget::visibilityChanged, this,
            [this] { actions_.at(cmd::ViewHistory)->setChecked(!historyDock_->isHidden()); });
    // Queued: the dock's rows are rebuilt by the change, after the click has been handled.
    connect(
        historyDock_, &CHistoryDock::entryChosen, this,
        [this](int entry) {
            if (CNUVAKDoc* document = ActiveDocument()) {
                document->GoToEntry(entry < 0 ? std::nullopt : std::optional<std::size_t>(entry));
                UpdateCommandUI();
            }
        },
        Qt::QueuedConnection);
    resultsDock_ = new CResultsDock(this);
    addDockWidget(Qt::BottomDockWidgetArea, resultsDock_);
    resultsDock_->hide();
    connect(resultsDock_, &QDockWidget::visibilityChanged, this,
            [this] { actions_.at(cmd::ViewResults)->setChecked(!resultsDock_->isHidden()); });
    CResultsLink::Attach(*resultsDock_, *this, [this](const QString& path) { return app_.OpenDocumentFile(path); });
    UpdateCommandUI();
    // Both pastes follow what the clipboard holds.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &CMainFrame::UpdateCommandUI);
    // Without a splash there is nothing to wait for.
    if (showSplash && CStartupSplash::ShowSplashScreen(this)) CStartupSplash::HoldFor(kStartupWaitMs);
    return true;
}

void CMainFrame::CreateActions()
{
    for (const CommandText& text : CommandTexts()) {
        auto* action = new QAction(QString::fromUtf8(text.menuText), this);
        action->setStatusTip(QString::fromUtf8(text.prompt));
        // Tooltips carry no mnemonics; a marker in the text is not shown.
        action->setToolTip(QString::fromUtf8(text.tooltip).remove('&'));
        action->setWhatsThis(QString::fromUtf8(text.prompt));
        if (*text.icon) action->setIcon(QIcon(QString(":/icons/%1.xpm").arg(text.icon)));
        QList<QKeySequence> keys;
        for (const QString& key : QString::fromUtf8(text.keys).split(';', Qt::SkipEmptyParts))
            keys << QKeySequence(key);
        action->setShortcuts(keys);
        const int id = text.id;
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        actions_[id] = action;
    }
    for (const auto& [id, name] : kToolbarToggles) actions_.at(id)->setCheckable(true);
    actions_.at(cmd::ViewStatusBar)->setCheckable(true);
    actions_.at(cmd::ViewHistory)->setCheckable(true);
    actions_.at(cmd::ViewResults)->setCheckable(true);
    for (int id : {cmd::SelectFeature, cmd::SelectAoi, cmd::Measure}) actions_.at(id)->setCheckable(true);
}

void CMainFrame::CreateMenus()
{
    QList<QMenu*> open;
    for (const MenuEntry& entry : MenuBarLayout()) {
        switch (entry.kind) {
        case MenuEntry::Begin:
            open << (open.isEmpty() ? menuBar()->addMenu(entry.text) : open.last()->addMenu(entry.text));
            break;
        case MenuEntry::End: open.removeLast(); break;
        case MenuEntry::Separator: open.last()->addSeparator(); break;
        case MenuEntry::Command: open.last()->addAction(actions_.at(entry.id)); break;
        case MenuEntry::RecentFiles:
            recentMenu_ = open.last();
            recentAnchor_ = recentMenu_->addAction("Recent File");
            recentAnchor_->setEnabled(false);
            connect(recentMenu_, &QMenu::aboutToShow, this, &CMainFrame::FillRecentFiles);
            break;
        case MenuEntry::WindowList:
            windowMenu_ = open.last();
            connect(windowMenu_, &QMenu::aboutToShow, this, &CMainFrame::FillWindowList);
            break;
        }
    }
    for (QMenu* menu : menuBar()->findChildren<QMenu*>())
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
}

void CMainFrame::CreateToolbars()
{
    bool first = true;
    for (const ToolbarLayout& layout : ToolbarLayouts()) {
        auto* bar = new QToolBar(layout.title, this);
        bar->setObjectName(layout.objectName);
        bar->setIconSize(QSize(16, 15));
        bar->setAllowedAreas(Qt::AllToolBarAreas);
        for (int id : layout.buttons) {
            if (id == 0)
                bar->addSeparator();
            else
                bar->addAction(actions_.at(id));
        }
        addToolBar(Qt::TopToolBarArea, bar);
        // The four image toolbars share one row below the main toolbar.
        if (first) addToolBarBreak(Qt::TopToolBarArea);
        first = false;
    }
    // Left to right: Analysis, Calculations, Transform, Preprocessing.
    QToolBar* transform = Toolbar("transformToolbar");
    QToolBar* preprocessing = Toolbar("preprocessingToolbar");
    removeToolBar(transform);
    insertToolBar(preprocessing, transform);
    transform->show();
}

void CMainFrame::CreateStatusBar()
{
    messagePane_ = new QLabel(kIdleStatusText);
    statusBar()->addWidget(messagePane_, 1);
    zoomPane_ = new QLabel;
    zoomPane_->setObjectName("zoomPane");
    zoomPane_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    zoomPane_->setAlignment(Qt::AlignCenter);
    zoomPane_->setMinimumWidth(zoomPane_->fontMetrics().horizontalAdvance("6400%") + 10);
    statusBar()->addPermanentWidget(zoomPane_);
    for (const char* name : {"CAP", "NUM", "SCRL"}) {
        auto* label = new QLabel(name);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance("SCRL") + 10);
        label->setEnabled(false);
        statusBar()->addPermanentWidget(label);
        indicators_ << label;
    }
    new CKeyIndicators(indicators_, this);
}

CNUVAKDoc* CMainFrame::ActiveDocument() const
{
    CChildFrame* child = ActiveChild();
    return child ? &child->GetDocument() : nullptr;
}

CChildFrame* CMainFrame::ActiveChild() const
{
    // The current window stays known while another program has the focus.
    return qobject_cast<CChildFrame*>(mdiArea_->currentSubWindow());
}

QList<CChildFrame*> CMainFrame::Children() const
{
    QList<CChildFrame*> children;
    for (QMdiSubWindow* window : mdiArea_->subWindowList(QMdiArea::CreationOrder))
        if (auto* child = qobject_cast<CChildFrame*>(window)) children << child;
    return children;
}

QAction* CMainFrame::Action(int id) const
{
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

QToolBar* CMainFrame::Toolbar(const char* objectName) const { return findChild<QToolBar*>(objectName); }

QLabel* CMainFrame::Indicator(int index) const { return indicators_.value(index); }

void CMainFrame::SetStatusText(const QString& text)
{
    messagePane_->setText(text);
    messagePane_->repaint();
}

QString CMainFrame::StatusText() const { return messagePane_->text(); }

void CMainFrame::UpdateTitle()
{
    CChildFrame* child = ActiveChild();
    // A maximised window's title is shown in brackets, once.
    const QString format = child && child->isMaximized() ? "%1 - [%2]" : "%1 - %2";
    setWindowTitle(child ? format.arg(kCaption, child->windowTitle()) : QString(kCaption));
}

bool CMainFrame::IsCommandEnabled(int id) const
{
    CChildFrame* child = ActiveChild();
    const CImage* image = child ? &child->GetDocument().image : nullptr;
    const float zoom = child ? child->GetView()->ZoomFactor() : 1.0f;
    if (enabling::FrameGoverns(id)) {
        if (!enabling::FrameAllows(id, image, zoom)) return false;
        switch (id) {
        case cmd::Attributes:
        case cmd::ClearObjects:
        case cmd::ZoomIn:
        case cmd::Zoom1to1:
        case cmd::ZoomOut:
        case cmd::FitToWindow:
        case cmd::SetScale:
        case cmd::ExtractRgb:
        case cmd::Histogram:
        case cmd::FrequencyDomain:
        case cmd::FindObjects:
        case cmd::CustomFilter:
        case cmd::Comb:
        case cmd::Add:
        case cmd::Subtract:
        case cmd::AbsoluteDifference:
        case cmd::Multiply:
        case cmd::Divide: return true;
        default: return CNUVAKDoc::CommandAvailable(id);  // built when its operation row runs
        }
    }
    switch (id) {
    case cmd::FileNew:
    case cmd::FileOpen:
    case cmd::CloseAll:
    case cmd::AppExit:
    case cmd::AppAbout:
    case cmd::HelpIndex:
    case cmd::ContextHelp:
    case cmd::ViewStatusBar:
    case cmd::SelectFeature:
    case cmd::Series:
    case cmd::SixteenBitLevels:
    case cmd::UndoMemory:
    case cmd::ViewHistory:
    case cmd::ViewResults:
    case cmd::OpenResults:
    case cmd::SelectAoi: return true;
    case cmd::SaveRecipe: return child != nullptr && !child->GetDocument().History().IsEmpty();
    case cmd::Measure: return child != nullptr && MeasureEnabled(zoom);
    case cmd::Paste:
    case cmd::PasteInto: return child != nullptr && QtClipboard::HoldsImage();
    case cmd::Copy:
    case cmd::ApplyRecipe:
    case cmd::SelectAll:
    case cmd::FileClose:
    case cmd::FileSave:
    case cmd::FileSaveAs:
    case cmd::WindowCascade:
    case cmd::WindowTileHorz: return child != nullptr;
    case cmd::Undo: return child != nullptr && child->GetDocument().CanUndo();
    case cmd::Redo: return child != nullptr && child->GetDocument().CanRedo();
    default: return kToolbarToggles.count(id) > 0;
    }
}

void CMainFrame::SetCurrentTool(int tool)
{
    currentTool_ = tool;
    for (CChildFrame* child : Children()) child->GetView()->ShowTool();
}

void CMainFrame::UpdateCommandUI()
{
    if (CChildFrame* child = ActiveChild()) {
        const int tool = ToolForZoom(currentTool_, child->GetView()->ZoomFactor());
        if (tool != currentTool_) SetCurrentTool(tool);
    }
    for (int id : {cmd::SelectFeature, cmd::SelectAoi, cmd::Measure})
        actions_.at(id)->setChecked(currentTool_ == id - cmd::SelectFeature);
    for (const auto& [id, action] : actions_) action->setEnabled(IsCommandEnabled(id));
    for (const auto& [id, name] : kToolbarToggles) actions_.at(id)->setChecked(!Toolbar(name)->isHidden());
    actions_.at(cmd::ViewStatusBar)->setChecked(!statusBar()->isHidden());
    CChildFrame* child = ActiveChild();
    if (zoomPane_) zoomPane_->setText(child ? QString::fromStdString(ZoomText(child->GetView()->ZoomFactor())) : QString());
    actions_.at(cmd::ViewHistory)->setChecked(!historyDock_->isHidden());
    actions_.at(cmd::ViewResults)->setChecked(!resultsDock_->isHidden());
    historyDock_->ShowHistory(ActiveDocument());
}

QToolBar* CMainFrame::ToolbarFor(int toggleId) const
{
    const auto it = kToolbarToggles.find(toggleId);
    return it == kToolbarToggles.end() ? nullptr : Toolbar(it->second);
}

void CMainFrame::ToggleBar(QWidget* bar) { bar->setVisible(bar->isHidden()); }

bool CMainFrame::OnCommand(int id)
{
    if (!IsCommandEnabled(id)) return false;
    CChildFrame* child = ActiveChild();
    CNUVAKView* view = child ? child->GetView() : nullptr;
    CNUVAKDoc* doc = child ? &child->GetDocument() : nullptr;
    if (QToolBar* bar = ToolbarFor(id)) {
        ToggleBar(bar);
    } else {
        switch (id) {
        case cmd::ViewStatusBar: ToggleBar(statusBar()); break;
        case cmd::ViewHistory: ToggleBar(historyDock_); break;
        case cmd::ViewResults: ToggleBar(resultsDock_); break;
        case cmd::OpenResults:
            if (const QString path = askResultsPath(); !path.isEmpty()) resultsDock_->OpenFile(path);
            break;
        case cmd::SaveRecipe: OnSaveRecipe(*doc); break;
        case cmd::ApplyRecipe:
            if (const QString path = askRecipeOpenPath(); !path.isEmpty())
                ApplyRecipe(
                    *doc, path.toStdString(),
                    [this, doc](CImage& image, const std::string& suffix) {
                        app_.AddStepImage(image, suffix, doc->GetTitle());
                    },
                    [this, doc](const std::string& results) { OpenResults(results, doc->GetTitle()); });
            break;
        case cmd::CloseAll: CloseAll(); break;
        case cmd::AppExit: close(); break;
        case cmd::HelpIndex: ShowHelp(); break;
        case cmd::SixteenBitLevels:
            if (const auto range = askSampleRange()) SaveRangePreference(*range);
            break;
        case cmd::ContextHelp: QWhatsThis::enterWhatsThisMode(); break;
        case cmd::WindowCascade: Cascade(); break;
        case cmd::WindowTileHorz: mdiArea_->tileSubWindows(); break;
        case cmd::FileClose: child->close(); break;
        case cmd::FileSave: child->DoFileSave(); break;
        case cmd::FileSaveAs: child->DoSaveAs(); break;
        case cmd::ZoomIn: view->OnZoomIn(); break;
        case cmd::Zoom1to1: view->OnZoom1to1(); break;
        case cmd::ZoomOut: view->OnZoomOut(); break;
        case cmd::FitToWindow: view->OnFitToWindow(); break;
        case cmd::SetScale: OnSetScale(); break;
        case cmd::Attributes: doc->OnImageAttributes(); break;
        case cmd::Undo: doc->OnEditUndo(); break;
        case cmd::Redo: doc->OnEditRedo(); break;
        case cmd::UndoMemory:
            if (const int megabytes = askUndoMemory(static_cast<int>(UndoMemoryMegabytes())); megabytes > 0)
                SaveUndoMemoryPreference(megabytes);
            break;
        case cmd::ClearObjects: doc->OnClearObjects(); break;
        case cmd::SelectFeature:
        case cmd::SelectAoi:
        case cmd::Measure:
            if (view)
                view->ChangeTools(id - cmd::SelectFeature);
            else if (CheckTool(id - cmd::SelectFeature))
                SetCurrentTool(id - cmd::SelectFeature);
            break;
        case cmd::SelectAll: view->OnEditSelectAll(); break;
        case cmd::Copy: view->OnEditCopy(); break;
        case cmd::Paste: view->OnEditPaste(); break;
        case cmd::PasteInto: view->OnEditPasteInto(); break;
        case cmd::Histogram: CHistogramDlg::OnHistogram(*doc, this, this); break;
        case cmd::FrequencyDomain: CFftSheet::OnFrequencyDomain(*doc, this); break;
        case cmd::FindObjects:
            CFindObjectsPropertySheet::OnFindObjects(*doc, this, [this, doc](const std::string& results) {
                OpenResults(results, doc->GetTitle());
            });
            break;
        case cmd::CustomFilter: CCustomFilterDlg::OnCustomFilter(*doc, this); break;
        case cmd::FileNew:
        case cmd::FileOpen:
        case cmd::AppAbout:
        case cmd::Series:
        case cmd::ExtractRgb:
        case cmd::Comb:
        case cmd::Add:
        case cmd::Subtract:
        case cmd::AbsoluteDifference:
        case cmd::Multiply:
        case cmd::Divide: app_.OnCommand(id); break;
        default:
            if (!RunParameterCommand(*doc, id, this)) doc->RunCommand(id);
            break;
        }
    }
    UpdateCommandUI();
    return true;
}

bool CMainFrame::CloseAll()
{
    // The active window is asked first, then the others from the most recently active.
    QList<QMdiSubWindow*> order = mdiArea_->subWindowList(QMdiArea::ActivationHistoryOrder);
    std::reverse(order.begin(), order.end());
    for (QMdiSubWindow* window : order)
        if (auto* child = qobject_cast<CChildFrame*>(window); child && !child->SaveModified()) return false;
    while (CChildFrame* child = ActiveChild()) {
        child->CloseDocument();
        delete child;  // at once, so the next active window is known
    }
    UpdateCommandUI();
    return true;
}

void CMainFrame::Cascade()
{
    const QSize room = mdiArea_->viewport()->size();
    const int step = fontMetrics().height() + 10;
    QPoint at(0, 0);
    for (QMdiSubWindow* window : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
        if (window->isMaximized() || window->isMinimized()) window->showNormal();
        if (at.x() + window->minimumWidth() > room.width() || at.y() + window->minimumHeight() > room.height())
            at = QPoint(0, 0);
        const QSize size = window->size().boundedTo(QSize(room.width() - at.x(), room.height() - at.y()));
        window->setGeometry(QRect(at, size.expandedTo(window->minimumSize())));
        window->raise();
        at += QPoint(step, step);
    }
    if (QMdiSubWindow* active = mdiArea_->activeSubWindow()) active->raise();
}

void CMainFrame::OpenResults(const std::string& path, const std::string& imageTitle)
{
    resultsDock_->OpenFile(QString::fromStdString(path), QString::fromStdString(imageTitle), true);
    actions_.at(cmd::ViewResults)->setChecked(!resultsDock_->isHidden());
}

void CMainFrame::OnSetScale()
{
    CChildFrame* child = ActiveChild();
    if (child == nullptr) return;
    SetScaleModel model(child->GetDocument().image.calibration, lastMeasuredLength_);
    CSetScaleDlg dialog(model, this);
    if (askSetScale ? !askSetScale(dialog) : dialog.exec() != QDialog::Accepted) return;
    CCalibration calibration;
    if (model.Read(calibration)) return;
    // The pixel size is saved with the file, so a change is one to save.
    for (CChildFrame* target : model.applyToAll ? Children() : QList<CChildFrame*>{child}) {
        CNUVAKDoc& document = target->GetDocument();
        if (document.image.calibration == calibration) continue;
        document.image.SetCalibration(calibration);
        document.SetModifiedFlag();
        document.UpdateAllViews();
    }
    if (model.useForLater) app_.SetLaterCalibration(calibration);
}

QString CMainFrame::StartFolder() const
{
    if (CChildFrame* child = ActiveChild()) {
        const std::string& path = child->GetDocument().GetPathName();
        if (!path.empty()) return QFileInfo(QString::fromStdString(path)).absolutePath();
    }
    const QStringList recent = app_.RecentFiles().Paths();
    return recent.isEmpty() ? QString() : QFileInfo(recent.front()).absolutePath();
}

void CMainFrame::AddRecentFile(const QString& path) { app_.RecentFiles().Add(path); }

namespace {

// "&3 name" up to nine, "12 name" past it, so that no two items share a
// mnemonic; an "&" of the name is shown as itself.
QString NumberedItem(int number, QString name)
{
    name.replace('&', "&&");
    return QString(number <= 9 ? "&%1 %2" : "%1 %2").arg(number).arg(name);
}

}  // namespace

void CMainFrame::FillRecentFiles()
{
    for (QAction* action : recentActions_) delete action;
    recentActions_.clear();
    const QStringList paths = app_.RecentFiles().Paths();
    recentAnchor_->setVisible(paths.isEmpty());
    for (int i = 0; i < paths.size(); ++i) {
        auto* action = new QAction(NumberedItem(i + 1, QDir::toNativeSeparators(paths[i])), this);
        const QString path = paths[i];
        connect(action, &QAction::triggered, this, [this, path] { app_.OpenDocumentFile(path); });
        recentMenu_->insertAction(recentAnchor_, action);
        recentActions_ << action;
    }
}

void CMainFrame::FillWindowList()
{
    for (QAction* action : windowActions_) delete action;
    windowActions_.clear();
    const QList<CChildFrame*> children = Children();
    for (int i = 0; i < children.size(); ++i) {
        CChildFrame* child = children[i];
        auto* action = new QAction(NumberedItem(i + 1, child->windowTitle()), this);
        action->setCheckable(true);
        action->setChecked(child == ActiveChild());
        connect(action, &QAction::triggered, this, [this, child] { mdiArea_->setActiveSubWindow(child); });
        windowMenu_->addAction(action);
        windowActions_ << action;
    }
}

void CMainFrame::ShowHelp()
{
    if (help_ == nullptr) help_ = new CHelpWindow(this);
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void CMainFrame::OnSaveRecipe(const CNUVAKDoc& document)
{
    // Beside the image, under its name.
    QString suggested = QString::fromStdString(document.GetPathName().empty() ? document.GetTitle()
                                                                               : document.GetPathName());
    if (const int dot = suggested.lastIndexOf('.'); dot > suggested.lastIndexOf('/')) suggested.truncate(dot);
    QString path = askRecipeSavePath(suggested + kRecipeExtension);
    if (path.isEmpty()) return;
    if (!path.endsWith(kRecipeExtension)) path += kRecipeExtension;
    SaveRecipe(document, path.toStdString());
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (CloseAll())
        event->accept();
    else
        event->ignore();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths.push_back(url.toLocalFile());
    app_.OpenDocumentFiles(paths);
    event->acceptProposedAction();
}
