// The Brightness Slice dialog: "Set pixels between" low "and" high "to white".
#pragma once

#include "forms/PreviewDialog.h"

class BrightnessSliceDialogModel : public PreviewDialog {
public:
    enum Control { kLow = 2107, kHigh = 2108 };

    std::string Title() const override { return "Brightness Slice"; }
    std::string OperationName() const override { return "Brightness Slice"; }

    std::string lowText = "100";
    std::string highText = "150";

protected:
    std::optional<FieldFailure> Read(OperationParams& p) const override;
    std::string AbortText() const override { return "Brightness Slice Aborted."; }
};
