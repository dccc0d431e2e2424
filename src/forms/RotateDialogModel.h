// The Rotate dialog (no preview): degrees -360..360 and the interpolation.
#pragma once

#include "forms/OperationDialog.h"

class RotateDialogModel : public OperationDialog {
public:
    enum Control { kDegrees = 1220, kNearest = 1221, kBilinear = 1222 };

    std::string Title() const override { return "Rotate"; }
    std::string OperationName() const override { return "Rotate"; }

    std::string degreesText = "90";
    int method = 1;  // 0 nearest neighbour, 1 bilinear

protected:
    std::optional<FieldFailure> Read(OperationParams& p) const override;
};
