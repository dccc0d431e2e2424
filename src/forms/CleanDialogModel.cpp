// Clean dialog: background detection and the invert question run at most
// once per opening.
#include "forms/CleanDialogModel.h"

#include "platform/UserInterface.h"
#include "series/Operations.h"

std::optional<FieldFailure> CleanDialogModel::Read(OperationParams& p) const
{
    std::optional<FieldFailure> failure;
    p.filterSize = p.morphSize = SizeFromIndex(maskSize);
    ReadIntField(kSignificance, significanceText, 0, 255, p.significanceThreshold, failure);
    ReadIntField(kClutter, clutterText, 0, 20655, p.clutterThreshold, failure);
    p.background = background_;
    return failure;
}

bool CleanDialogModel::PrepareReference(CImage& reference)
{
    if (background_ == -1) background_ = reference.DetectBackground();
    if (background_ != 255) return true;
    if (!platform::askYesNo("Clean is designed to work on images with light objects\n"
                            "on a black background.  Invert image?")) {
        platform::error("Please invert your image before cleaning.  Clean aborted.");
        return false;
    }
    reference.Invert();
    background_ = 0;
    inverted_ = true;
    return true;
}

int CleanDialogModel::ApplyTo(CImage& image) const
{
    // The preview came from the inverted reference; the document must be
    // inverted alike for the result to be what the preview showed.
    if (inverted_) image.Invert();
    return OperationDialog::ApplyTo(image);
}

std::vector<OperationStep> CleanDialogModel::Steps() const
{
    std::vector<OperationStep> steps = OperationDialog::Steps();
    if (inverted_) steps.insert(steps.begin(), OperationStep{FindOperation("Invert"), {}, {}, {}});
    return steps;
}
