// The Filter dialog, one class for seven filters: the caller chooses the
// type, which decides the title, the operation and the controls shown.
#pragma once

#include "forms/NumericEdit.h"
#include "forms/PreviewDialog.h"

class FilterDialogModel : public PreviewDialog {
public:
    enum Control { kSize = 1205, kDirection = 1207, kDirectionLabel = 1201, kBoost = 1204, kBoostLabel = 1203 };
    enum Type { kHighPass, kLaplace, kLowPass, kMedian, kPrewitt, kSobel, kUnsharpMask };

    // Types 0..6; any other shows "Unrecognized filter type." and keeps the
    // type it had.
    void SetFilterType(int type);
    int FilterType() const { return type_; }

    static const std::vector<std::string>& DirectionEntries();  // "North" .. "Northwest"
    bool SizeEnabled() const { return type_ != kPrewitt && type_ != kSobel; }
    bool DirectionShown() const { return type_ == kPrewitt; }
    bool BoostShown() const { return type_ == kUnsharpMask; }

    std::string Title() const override;
    std::string OperationName() const override;

    int size = 0;       // list index: sizes 3, 5, 7, 9
    int direction = 0;  // Prewitt direction 0 North .. 7 Northwest
    NumericEdit boost{1.0};

protected:
    std::optional<FieldFailure> Read(OperationParams& p) const override;
    // Prewitt and Sobel shrink by the disabled Size list's value, 3.
    int NeighbourhoodSize() const override { return SizeFromIndex(size); }
    std::string CannotShrinkText() const override { return "Cannot reset AOI.  Filter Aborted."; }
    std::string AbortText() const override { return "Filter Aborted."; }

private:
    int type_ = kHighPass;
};
