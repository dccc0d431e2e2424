// Brightness Slice dialog: two levels 0..255.
#include "forms/BrightnessSliceDialogModel.h"

std::optional<FieldFailure> BrightnessSliceDialogModel::Read(OperationParams& p) const
{
    std::optional<FieldFailure> failure;
    ReadIntField(kLow, lowText, 0, 255, p.lowerLimit, failure);
    ReadIntField(kHigh, highText, 0, 255, p.upperLimit, failure);
    return failure;
}
