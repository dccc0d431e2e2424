// The Bound dialog: fill colour (Intensity for a grayscale image, Red, Green
// and Blue with the Palette for an RGB one) inside or outside the AOI.
#pragma once

#include "forms/PreviewDialog.h"

class BoundDialogModel : public PreviewDialog {
public:
    enum Control {
        kIntensity = 2113, kRed = 2114, kGreen = 2115, kBlue = 2116, kPalette = 2117, kInside = 2118, kOutside = 2119
    };

    bool IntensityEnabled() const { return ImageFormat() == FORMAT_GRAYSCALE; }
    // Red, Green, Blue and the Palette button.
    bool ColorEnabled() const { return ImageFormat() == FORMAT_RGB; }
    // The colour the chooser opens with; a refused component counts as 0.
    CColorVal PaletteColor() const;
    // The chooser's OK: the three edits take the chosen components.
    void SetPaletteColor(CColorVal color);

    std::string Title() const override { return "Bound"; }
    std::string OperationName() const override { return "Bound"; }

    std::string intensityText = "0";
    std::string redText = "0";
    std::string greenText = "0";
    std::string blueText = "0";
    int fillMode = 1;  // 0 inside the AOI, 1 outside

protected:
    std::optional<FieldFailure> Read(OperationParams& p) const override;
};
