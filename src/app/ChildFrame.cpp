// The document window: title, save question, Save and Save As.
#include "app/ChildFrame.h"

#include <QCloseEvent>
#include <QFileInfo>

#include "app/MainFrame.h"
#include "app/NUVAKView.h"
#include "document/NUVAKDoc.h"
#include "image/SampleDepth.h"

CChildFrame::CChildFrame(std::unique_ptr<CNUVAKDoc> document, CMainFrame* frame)
    : document_(std::move(document)), frame_(frame), view_(new CNUVAKView(*document_, frame, this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    // However small the image, the title stays readable and the buttons usable.
    setMinimumSize(160, 120);
    setWidget(view_);
    setWindowIcon(QIcon(":/icons/app.xpm"));
    setWindowTitle(QString::fromStdString(document_->WindowTitle()));
    document_->SetTitleHandler([this] {
        setWindowTitle(QString::fromStdString(document_->WindowTitle()));
        if (frame_) frame_->UpdateTitle();
    });
    // After the workspace's own title change on maximising, which would repeat the title.
    connect(this, &QMdiSubWindow::windowStateChanged, this, [this] {
        if (frame_) QMetaObject::invokeMethod(frame_, &CMainFrame::UpdateTitle, Qt::QueuedConnection);
    });
    // Whatever changed the image may change which commands it allows.
    document_->SetViewsHandler([this] {
        view_->OnUpdate();
        if (frame_) frame_->UpdateCommandUI();
    });
}

CChildFrame::~CChildFrame()
{
    // The document outlives the view by a moment; it must not call back.
    document_->SetTitleHandler(nullptr);
    document_->SetViewsHandler(nullptr);
    delete view_;  // before the document it shows
}

bool CChildFrame::SaveModified()
{
    if (!document_->IsModified()) return true;
    const QString question = QString("Save changes to %1?").arg(QString::fromStdString(document_->GetTitle()));
    switch (frame_->AskSaveChanges(question)) {
    case QMessageBox::Yes: return DoFileSave();
    case QMessageBox::No: return true;
    default: return false;
    }
}

bool CChildFrame::DoFileSave()
{
    const std::string& path = document_->GetPathName();
    if (path.empty()) return DoSaveAs();
    if (!MayWriteOver(path)) return false;
    return document_->OnSaveDocument(path, document_->saveOptions);
}

bool CChildFrame::MayWriteOver(const std::string& path) const
{
    return !HoldsDeepSamples(path) || frame_->askSaveDeepAnyway(QString::fromStdString(DeepSamplesQuestion(path)));
}

bool CChildFrame::DoSaveAs()
{
    QString suggested = QString::fromStdString(document_->GetPathName());
    if (suggested.isEmpty()) suggested = QString::fromStdString(document_->GetTitle());
    QString path = frame_->AskSavePath(suggested);
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += ".bmp";
    WriteOptions options{FormatForPath(path.toStdString()), document_->saveOptions.jpegQuality};
    if (options.format == FileFormat::Jpeg) {
        options.jpegQuality = frame_->askJpegQuality(options.jpegQuality);
        if (options.jpegQuality == 0) return false;
    }
    if (!MayWriteOver(path.toStdString())) return false;
    if (!document_->OnSaveDocument(path.toStdString(), options)) return false;
    frame_->AddRecentFile(path);
    return true;
}

void CChildFrame::CloseDocument()
{
    closing_ = true;
    close();
}

void CChildFrame::moveEvent(QMoveEvent* event)
{
    QMdiSubWindow::moveEvent(event);
    view_->UpdateReadOut();
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    if (!closing_ && !SaveModified()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}
