// Rotate dialog: the angle's range.
#include "forms/RotateDialogModel.h"

#include "forms/DataExchange.h"

std::optional<FieldFailure> RotateDialogModel::Read(OperationParams& p) const
{
    p.interpolation = method;
    const Exchanged<double> read = ExchangeReal(degreesText, -360, 360);
    if (!read.ok) return FieldFailure{kDegrees, read.message};
    p.theta = read.value;
    return std::nullopt;
}
