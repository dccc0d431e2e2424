// The Morphological dialog, one class for eight operations chosen by the
// caller: size, direction and, for four of them, repetitions 1..5.
#pragma once

#include "forms/PreviewDialog.h"

class MorphologyDialogModel : public PreviewDialog {
public:
    enum Control { kSize = 1211, kDirection = 1212, kRepetitions = 1214, kRepetitionsLabel = 1215 };
    enum Operation { kErosion, kDilation, kOpening, kClosing, kOutline, kGradient, kPeakDetector, kValleyDetector };

    // Any value outside 0..7 means Erosion.
    void SetOperation(int operation);
    int MorphOperation() const { return operation_; }

    static const std::vector<std::string>& DirectionEntries();  // "Omnidirectional" .. "Diagonal"
    // Opening, Closing, Peak Detector and Valley Detector.
    bool RepetitionsShown() const;

    std::string Title() const override;
    std::string OperationName() const override;

    int size = 0;       // list index: sizes 3, 5, 7, 9
    int direction = 0;  // 0 Omnidirectional, 1 Horizontal, 2 Vertical, 3 Diagonal
    std::string repetitionsText = "1";

protected:
    std::optional<FieldFailure> Read(OperationParams& p) const override;
    int NeighbourhoodSize() const override { return SizeFromIndex(size); }
    std::string CannotShrinkText() const override { return "Cannot reset AOI.  Morphological operation aborted."; }
    std::string AbortText() const override { return "Morphological operation aborted."; }
    void PlacePicture(PreviewPicModel& picture) const override { SetMorphologyDialogBox(picture); }

private:
    int operation_ = kErosion;
};
