// The live preview cycle shared by the Threshold, Brightness Slice, Bound,
// Clean, Filter and Morphological dialogs: a reference copy of the
// document's image, a preview copy rebuilt from it after every change, and
// the picture that shows it.
#pragma once

#include "forms/OperationDialog.h"
#include "forms/PreviewPicModel.h"

enum class PreviewResult {
    Shown,    // the preview copy holds the new result; repaint
    Refused,  // a field was refused and its text shown; nothing changed
    Closed    // the texts were shown and the dialog closes as cancelled
};

class PreviewDialog : public OperationDialog {
public:
    // Copies the document's image, sizes the picture and runs the first
    // preview. The document's image is never changed by the dialog. A copy
    // that cannot be allocated closes the dialog after its message.
    PreviewResult Open(const CImage& documentImage);
    // After every change of a control that feeds the preview. Quiet, a
    // refused field shows no message: the caller marks it, and the preview
    // keeps the last valid values.
    PreviewResult Refresh(bool quiet = false);
    // Repaint: the bitmap to draw at the picture's place. On failure shows
    // "The image cannot be displayed.\n%s" and the dialog closes.
    bool Paint(CDeviceBitmap& bitmap, int displayBits);

    bool IsClosed() const { return closed_; }
    int ImageFormat() const { return reference_.format; }
    const CImage& PreviewCopy() const { return preview_; }
    const CImage& ReferenceCopy() const { return reference_; }
    const PreviewPicModel& Picture() const { return picture_; }

protected:
    // Size of the neighbourhood whose half the preview's AOI is shrunk by;
    // 0 for the point operations, which need no shrinking.
    virtual int NeighbourhoodSize() const { return 0; }
    virtual std::string CannotShrinkText() const { return {}; }
    virtual std::string AbortText() const { return {}; }
    virtual void PlacePicture(PreviewPicModel& picture) const { SetParameterDialogBox(picture); }
    // Work on the reference copy before it is copied; false closes the
    // dialog (its texts shown).
    virtual bool PrepareReference(CImage&) { return true; }

    CImage reference_;
    CImage preview_;

private:
    PreviewResult Cycle(bool quiet);
    PreviewResult Close();
    bool ShrinkAoi();

    PreviewPicModel picture_;
    bool closed_ = false;
};
