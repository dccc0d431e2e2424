// The Clean dialog: mask size, significance and clutter thresholds, and the
// background detected (and possibly inverted) once per opening.
#pragma once

#include "forms/PreviewDialog.h"

class CleanDialogModel : public PreviewDialog {
public:
    enum Control { kMaskSize = 1108, kSignificance = 1012, kClutter = 1024 };

    std::string Title() const override { return "Clean"; }
    std::string OperationName() const override { return "Clean"; }
    // Inverts the document's AOI first when the user agreed to invert, so the
    // result equals the preview.
    int ApplyTo(CImage& image) const override;
    std::vector<OperationStep> Steps() const override;

    // The background recorded by the first preview: -1 unknown, 0 or 255.
    int Background() const { return background_; }
    // True once the user agreed to invert the image.
    bool Inverted() const { return inverted_; }

    int maskSize = 0;  // list index: sizes 3, 5, 7, 9
    std::string significanceText = "20";
    std::string clutterText = "150";

protected:
    std::optional<FieldFailure> Read(OperationParams& p) const override;
    int NeighbourhoodSize() const override { return SizeFromIndex(maskSize); }
    std::string CannotShrinkText() const override { return "Cannot reset AOI.  Clean Aborted."; }
    std::string AbortText() const override { return "Clean Aborted."; }
    bool PrepareReference(CImage& reference) override;

private:
    int background_ = -1;
    bool inverted_ = false;
};
