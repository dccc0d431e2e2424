// Start-up and the application's commands.
#include "app/NUVAKApp.h"

#include <QApplication>
#include <cctype>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QScreen>

#include "app/AboutDlg.h"
#include "app/ChildFrame.h"
#include "app/FileDialogSize.h"
#include "app/MainFrame.h"
#include "app/NUVAKView.h"
#include "app/StartupSplash.h"
#include "app/UndoMemory.h"
#include "document/CommandIds.h"
#include "dialogs/SampleRangeBox.h"
#include "dialogs/SeriesConfirmPage.h"
#include "dialogs/SeriesPropSheet.h"
#include "document/NUVAKDoc.h"
#include "platform/CapturedErrors.h"
#include "platform/UserInterface.h"

namespace {

const char* const kDocumentName = "Image";

}  // namespace

CNUVAKApp::CNUVAKApp() { qApp->installEventFilter(this); }

CNUVAKApp::~CNUVAKApp() = default;

bool CNUVAKApp::eventFilter(QObject* watched, QEvent* event)
{
    if (CStartupSplash::PreTranslateAppMessage(event)) return true;
    if (event->type() == QEvent::Show)
        if (auto* dialog = qobject_cast<QFileDialog*>(watched)) FitFileDialogColumns(*dialog);
    return QObject::eventFilter(watched, event);
}

bool CNUVAKApp::InitInstance(const QStringList& arguments, bool showSplash)
{
    CStartupSplash::EnableSplashScreen(showSplash);
    LoadRangePreference();
    LoadUndoMemoryPreference();
    mainFrame_ = std::make_unique<CMainFrame>(*this);
    if (!mainFrame_->LoadFrame(showSplash)) return false;

    // Shown before the first document, so that its window is sized against the real workspace.
    mainFrame_->setGeometry(mainFrame_->screen()->availableGeometry());
    mainFrame_->showMaximized();
    const QStringList files = arguments.mid(1);
    if (files.isEmpty()) {
        if (OnFileNew() == nullptr) return false;
    } else {
        // Every file named opens; one that cannot be read has said why.
        OpenDocumentFiles(files);
        if (mainFrame_->Children().isEmpty()) return false;
    }
    mainFrame_->UpdateCommandUI();
    return true;
}

void CNUVAKApp::OnCommand(int id)
{
    switch (id) {
    case cmd::FileNew: OnFileNew(); break;
    case cmd::FileOpen: OnFileOpen(); break;
    case cmd::ExtractRgb: OnExtractRgb(); break;
    case cmd::Comb: OnComb(); break;
    case cmd::AppAbout: OnAppAbout(); break;
    case cmd::Series: OnSeries(); break;
    case cmd::Add:
    case cmd::Subtract:
    case cmd::AbsoluteDifference:
    case cmd::Multiply:
    case cmd::Divide: PerformImageCalculations(id - cmd::Add); break;
    default: break;
    }
}

CChildFrame* CNUVAKApp::AddWindow(std::unique_ptr<CNUVAKDoc> document)
{
    auto* child = new CChildFrame(std::move(document), mainFrame_.get());
    mainFrame_->MdiArea()->addSubWindow(child);
    // A new window starts at three quarters of the workspace; the view then fits it to the image.
    child->resize(mainFrame_->MdiArea()->viewport()->size() * 3 / 4);
    child->show();
    mainFrame_->MdiArea()->setActiveSubWindow(child);
    child->GetView()->OnInitialUpdate();
    mainFrame_->UpdateTitle();
    mainFrame_->UpdateCommandUI();
    return child;
}

CChildFrame* CNUVAKApp::CreateNewDocument(const std::string& title)
{
    auto document = std::make_unique<CNUVAKDoc>();
    document->SetTitle(title.empty() ? kDocumentName + std::to_string(++untitledCount_) : title);
    return AddWindow(std::move(document));
}

CChildFrame* CNUVAKApp::OnFileNew()
{
    CChildFrame* child = CreateNewDocument();
    CChildFrame* active = mainFrame_->ActiveChild();
    if (active == nullptr) return child;
    CNUVAKDoc& document = active->GetDocument();
    try {
        if (document.image.BlankImage(640, 480, CColorVal(255, 255, 255)) != 0)
            platform::error(document.image.errorMessage);
        else
            document.UpdateAllViews();
    } catch (const platform::UserAbort&) {
    }
    return child;
}

void CNUVAKApp::OnFileOpen()
{
    OpenDocumentFiles(mainFrame_->askOpenPaths());
}

void CNUVAKApp::OpenDocumentFiles(const QStringList& paths)
{
    // Several files tell their notices in one box, not one box per file.
    std::vector<std::string> notices;
    {
        const platform::CapturedErrors kept({.errors = false, .notices = paths.size() > 1});
        for (const QString& path : paths) OpenDocumentFile(path);
        notices = kept.Notices();
    }
    std::string text;
    for (const std::string& notice : notices) text += (text.empty() ? "" : "\n\n") + notice;
    if (!text.empty()) platform::notice(text);
}

CChildFrame* CNUVAKApp::OpenDocumentFile(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (CChildFrame* child : mainFrame_->Children()) {
        if (QString::fromStdString(child->GetDocument().GetPathName()) == absolute) {
            mainFrame_->MdiArea()->setActiveSubWindow(child);
            return child;
        }
    }
    auto document = std::make_unique<CNUVAKDoc>();
    if (!document->OnOpenDocument(absolute.toStdString())) {
        recentFiles_.Remove(absolute);
        return nullptr;
    }
    recentFiles_.Add(absolute);
    if (!document->image.calibration.Calibrated() && laterCalibration_.Calibrated())
        document->image.SetCalibration(laterCalibration_);
    return AddWindow(std::move(document));
}

void CNUVAKApp::AddStepImage(const CImage& image, const std::string& suffix, const std::string& source)
{
    std::string name = suffix.substr(0, suffix.rfind('.'));
    if (!name.empty() && name.front() == '_') name.erase(0, 1);
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const std::string title = " - " + name;
    AddDerivedDocuments(source, {{&image, title.c_str()}});
}

void CNUVAKApp::AddDerivedDocuments(const std::string& source,
                                    std::vector<std::pair<const CImage*, const char*>> images)
{
    for (auto& [image, suffix] : images) {
        CChildFrame* child = CreateNewDocument(source + suffix);
        CNUVAKDoc& document = child->GetDocument();
        try {
            document.image = *image;
        } catch (const platform::UserAbort&) {
            return;
        }
        document.SetModifiedFlag();
        document.UpdateAllViews();
    }
}

void CNUVAKApp::OnExtractRgb()
{
    CChildFrame* active = mainFrame_->ActiveChild();
    if (active == nullptr) return;
    CImage red, green, blue;
    try {
        active->GetDocument().image.ExtractRgbPlanes(red, green, blue);
    } catch (const platform::UserAbort&) {
        return;
    }
    AddDerivedDocuments(active->GetDocument().GetTitle(), {{&red, " - RED"}, {&green, " - GREEN"}, {&blue, " - BLUE"}});
}

void CNUVAKApp::OnComb()
{
    CChildFrame* active = mainFrame_->ActiveChild();
    if (active == nullptr) return;
    CImage even, odd;
    try {
        active->GetDocument().image.Comb(even, odd);
    } catch (const platform::UserAbort&) {
        return;
    }
    AddDerivedDocuments(active->GetDocument().GetTitle(), {{&even, " - EVEN"}, {&odd, " - ODD"}});
}

void CNUVAKApp::OnAppAbout()
{
    CAboutDlg about(mainFrame_.get());
    about.exec();
}

void CNUVAKApp::OnSeries()
{
    if (seriesWizard_.isNull()) {
        seriesWizard_ = new CSeriesPropSheet(mainFrame_.get());
        static_cast<CSeriesConfirmPage&>(seriesWizard_->Page(SeriesPage::Confirmation)).tableWritten =
            [this](const std::string& path) { mainFrame_->OpenResults(path, std::string()); };
    }
    seriesWizard_->Reopen();
    seriesWizard_->exec();
}
