// Threshold dialog: level and fill 0..255, component, below or above.
#include "forms/ThresholdDialogModel.h"

const std::vector<std::string>& ThresholdDialogModel::ComponentEntries()
{
    static const std::vector<std::string> entries = {"Red", "Green", "Blue", "RGB"};
    return entries;
}

std::optional<FieldFailure> ThresholdDialogModel::Read(OperationParams& p) const
{
    std::optional<FieldFailure> failure;
    ReadIntField(kLevel, levelText, 0, 255, p.threshold, failure);
    ReadIntField(kFill, fillText, 0, 255, p.fillValue, failure);
    p.editAbove = below ? 0 : 1;
    p.component = component;
    return failure;
}
