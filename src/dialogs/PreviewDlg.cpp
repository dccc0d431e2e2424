// The preview dialogs' window side of the preview cycle.
#include "dialogs/PreviewDlg.h"

#include "dialogs/PreviewPic.h"

CPreviewDlg::CPreviewDlg(PreviewDialog& model, QWidget* parent)
    : COperationDlg(model, parent), preview_(model), picture_(new CPreviewPic)
{
}

void CPreviewDlg::Arrange(QLayout* controls) { COperationDlg::Arrange(controls, picture_); }

bool CPreviewDlg::Open(const CImage& documentImage)
{
    opened_ = true;
    const PreviewResult result = preview_.Open(documentImage);
    if (result == PreviewResult::Closed) return false;
    picture_->SetBox(preview_.Picture());
    Opened();
    return React(result);
}

bool CPreviewDlg::Run(const CImage& documentImage)
{
    return Open(documentImage) && exec() == QDialog::Accepted;
}

void CPreviewDlg::Changed()
{
    // Controls are filled before the image is known; nothing to preview yet.
    if (!opened_ || preview_.IsClosed()) return;
    if (!React(preview_.Refresh(true))) reject();
}

bool CPreviewDlg::React(PreviewResult result)
{
    switch (result) {
    case PreviewResult::Shown:
        MarkField(std::nullopt);
        return Repaint();
    case PreviewResult::Refused:
        MarkField(preview_.Validate());
        return true;
    case PreviewResult::Closed: break;
    }
    return false;
}

bool CPreviewDlg::Repaint()
{
    CDeviceBitmap bitmap;
    if (!preview_.Paint(bitmap, picture_->DisplayBits())) return false;
    const PreviewPicModel& box = preview_.Picture();
    picture_->SetPicture(bitmap, box.DisplayWidth(), box.DisplayHeight());
    if (TitledOnRepaint()) setWindowTitle(QString::fromStdString(preview_.Title()));
    return true;
}
