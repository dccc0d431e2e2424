// The Threshold dialog's fields, defaults, enabling and preview.
#pragma once

#include "forms/PreviewDialog.h"

class ThresholdDialogModel : public PreviewDialog {
public:
    enum Control { kComponent = 1022, kLevel = 1104, kFill = 1011, kBelow = 1000, kAbove = 1004 };

    static const std::vector<std::string>& ComponentEntries();  // "Red", "Green", "Blue", "RGB"
    // The component list only matters for an RGB image.
    bool ComponentEnabled() const { return ImageFormat() == FORMAT_RGB; }

    std::string Title() const override { return "Threshold"; }
    std::string OperationName() const override { return "Threshold"; }

    int component = 3;  // list index = threshold component
    std::string levelText = "127";
    std::string fillText = "0";
    bool below = true;

protected:
    std::optional<FieldFailure> Read(OperationParams& p) const override;
};
