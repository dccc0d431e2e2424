// Scale dialog: number check of both edits, then the percentage range.
#include "forms/ScaleDialogModel.h"

std::optional<FieldFailure> CheckScalePercents(double x, int xControl, double y, int yControl)
{
    constexpr const char* kRange = "Please enter a value between 0 and 400";
    if (!(x > 0 && x <= 400)) return FieldFailure{xControl, kRange};
    if (!(y > 0 && y <= 400)) return FieldFailure{yControl, kRange};
    return std::nullopt;
}

std::optional<FieldFailure> ScaleDialogModel::Read(OperationParams& p) const
{
    std::optional<FieldFailure> failure;
    p.interpolation = method;
    ReadRealField(kX, x.Text(), p.scaleX, failure);
    ReadRealField(kY, y.Text(), p.scaleY, failure);
    if (failure) return failure;
    return CheckScalePercents(p.scaleX, kX, p.scaleY, kY);
}
