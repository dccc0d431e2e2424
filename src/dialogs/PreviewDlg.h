// CPreviewDlg: an operation dialog with a live preview: every change of a
// control reruns the model's preview cycle and repaints the picture.
#pragma once

#include "dialogs/OperationDlg.h"
#include "forms/PreviewDialog.h"

class CPreviewPic;

class CPreviewDlg : public COperationDlg {
    Q_OBJECT
public:
    CPreviewDlg(PreviewDialog& model, QWidget* parent);

    // Opens the model on the document's image and shows its first preview;
    // false when that preview closed the dialog (its texts shown).
    bool Open(const CImage& documentImage);
    // Open, then the modal dialog; a dialog closed by its first preview ends
    // as cancelled without being shown.
    bool Run(const CImage& documentImage) override;
    CPreviewPic* Picture() const { return picture_; }

protected:
    void Changed() override;
    // The controls that depend on the image's format, once it is known.
    virtual void Opened() {}
    // The Filter and Morphological dialogs name their operation on every repaint.
    virtual bool TitledOnRepaint() const { return false; }
    void Arrange(QLayout* controls);

private:
    // false when the dialog closed.
    bool React(PreviewResult result);
    bool Repaint();

    PreviewDialog& preview_;
    CPreviewPic* picture_;
    bool opened_ = false;
};
