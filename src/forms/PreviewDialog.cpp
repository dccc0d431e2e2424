// The preview cycle: validate, rebuild the copy, shrink its AOI for a
// neighbourhood, run the operation, repaint.
#include "forms/PreviewDialog.h"

#include <algorithm>

#include "platform/Format.h"
#include "platform/UserInterface.h"

PreviewResult PreviewDialog::Open(const CImage& documentImage)
{
    closed_ = false;
    PlacePicture(picture_);
    picture_.SetImageSize(documentImage.width, documentImage.height);
    try {
        reference_ = documentImage;
        preview_ = documentImage;
    } catch (const platform::UserAbort&) {
        return Close();  // the copy's failure has been shown
    }
    return Refresh();
}

PreviewResult PreviewDialog::Refresh(bool quiet)
{
    if (closed_) return PreviewResult::Closed;
    try {
        return Cycle(quiet);
    } catch (const platform::UserAbort&) {
        return Close();  // a copy without memory, already reported
    }
}

PreviewResult PreviewDialog::Cycle(bool quiet)
{
    if (const std::optional<FieldFailure> failure = Validate()) {
        if (!quiet) platform::error(failure->message);
        return PreviewResult::Refused;
    }
    if (!PrepareReference(reference_)) return Close();
    preview_ = reference_;
    if (NeighbourhoodSize() > 0 && !ShrinkAoi()) return Close();
    int result;
    {
        std::optional<platform::WaitCursor> wait;
        if (NeighbourhoodSize() > 0) wait.emplace();
        result = RunNamedOperation(OperationName(), Params(), preview_);
    }
    if (result != 0) {
        platform::error(preview_.errorMessage);
        if (!AbortText().empty()) platform::error(AbortText());
        return Close();
    }
    return PreviewResult::Shown;
}

bool PreviewDialog::ShrinkAoi()
{
    // The operation leaves a border of half the neighbourhood untouched; the
    // preview shrinks the AOI to what it can reach without asking.
    const int half = NeighbourhoodSize() / 2;
    const int left = std::max(preview_.aoiLeft, half);
    const int top = std::max(preview_.aoiTop, half);
    const int right = std::min(preview_.aoiRight, preview_.width - half - 1);
    const int bottom = std::min(preview_.aoiBottom, preview_.height - half - 1);
    if (left >= right || top >= bottom) {
        platform::error(CannotShrinkText());
        return false;
    }
    preview_.SetUpperLeft(left, top, true);
    preview_.SetLowerRight(right, bottom, true);
    return true;
}

bool PreviewDialog::Paint(CDeviceBitmap& bitmap, int displayBits)
{
    if (closed_) return false;
    if (picture_.Display(preview_, bitmap, displayBits) == 0) return true;
    platform::error(platform::Format("The image cannot be displayed.\n%s", picture_.ErrorText().c_str()));
    Close();
    return false;
}

PreviewResult PreviewDialog::Close()
{
    closed_ = true;
    return PreviewResult::Closed;
}
