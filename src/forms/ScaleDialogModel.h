// The Scale dialog (no preview): X and Y percentages in numeric edits and
// the interpolation; OK accepts each percentage above 0 and up to 400.
#pragma once

#include "forms/NumericEdit.h"
#include "forms/OperationDialog.h"

class ScaleDialogModel : public OperationDialog {
public:
    enum Control { kX = 1225, kY = 1226, kNearest = 1223, kBilinear = 1224 };

    std::string Title() const override { return "Scale"; }
    std::string OperationName() const override { return "Scale"; }

    NumericEdit x{100};
    NumericEdit y{100};
    int method = 1;  // 0 nearest neighbour, 1 bilinear

protected:
    std::optional<FieldFailure> Read(OperationParams& p) const override;
};

// X then Y must lie in (0, 400]; the first that does not is refused with
// "Please enter a value between 0 and 400". Shared with the series wizard.
std::optional<FieldFailure> CheckScalePercents(double x, int xControl, double y, int yControl);
