// Bound dialog: the colour edits, the Palette's preset and result.
#include "forms/BoundDialogModel.h"

#include "forms/DataExchange.h"

std::optional<FieldFailure> BoundDialogModel::Read(OperationParams& p) const
{
    std::optional<FieldFailure> failure;
    ReadIntField(kIntensity, intensityText, 0, 255, p.intensity, failure);
    ReadIntField(kRed, redText, 0, 255, p.red, failure);
    ReadIntField(kGreen, greenText, 0, 255, p.green, failure);
    ReadIntField(kBlue, blueText, 0, 255, p.blue, failure);
    p.boundMode = fillMode;
    // The fill colour follows the format of the image the dialog opened on.
    p.firstImageFormat = ImageFormat();
    return failure;
}

CColorVal BoundDialogModel::PaletteColor() const
{
    auto component = [](const std::string& text) {
        const Exchanged<int> read = ExchangeInt(text, 0, 255);
        return read.ok ? read.value : 0;
    };
    return CColorVal(component(redText), component(greenText), component(blueText));
}

void BoundDialogModel::SetPaletteColor(CColorVal color)
{
    redText = std::to_string(color.red);
    greenText = std::to_string(color.green);
    blueText = std::to_string(color.blue);
}
