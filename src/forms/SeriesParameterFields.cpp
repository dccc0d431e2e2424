// Series parameter pages: field reading with the standard refusals.
#include "forms/SeriesParameterFields.h"

#include <tuple>

#include "forms/DataExchange.h"
#include "forms/FindObjectsWizard.h"
#include "forms/ScaleDialogModel.h"
#include "series/Operations.h"

std::optional<FieldFailure> SeriesMorphFields::Read(OperationParams& p) const
{
    std::optional<FieldFailure> failure;
    p.morphSize = SizeFromIndex(sizeIndex);
    p.morphDirection = direction;
    ReadIntField(kRepetitions, repetitions, 1, 5, p.repetitions, failure);
    return failure;
}

std::optional<FieldFailure> SeriesFilterFields::Read(OperationParams& p) const
{
    std::optional<FieldFailure> failure;
    p.filterSize = SizeFromIndex(sizeIndex);
    p.prewittDirection = direction;
    ReadRealField(kBoost, boost, p.boost, failure);
    ReadIntField(kSignificance, significance, 0, 255, p.significanceThreshold, failure);
    ReadIntField(kClutter, clutter, 0, 20655, p.clutterThreshold, failure);
    return failure;
}

std::optional<FieldFailure> SeriesTransformFields::Read(OperationParams& p) const
{
    p.interpolation = interpolation;
    const Exchanged<double> theta = ExchangeReal(degrees, -360, 360);
    if (!theta.ok) return FieldFailure{kDegrees, theta.message};
    p.theta = theta.value;
    std::optional<FieldFailure> failure;
    ReadRealField(kX, x, p.scaleX, failure);
    ReadRealField(kY, y, p.scaleY, failure);
    return failure;
}

std::optional<FieldFailure> SeriesTransformFields::Next(OperationParams& p) const
{
    if (std::optional<FieldFailure> failure = Read(p)) return failure;
    return CheckScalePercents(p.scaleX, kX, p.scaleY, kY);
}

std::optional<FieldFailure> SeriesObjectFields::Next(OperationParams& p) const
{
    if (fileName.empty()) return FieldFailure{kFileName, "Please specify an output file"};
    CObjectOptions taken = options;
    for (auto [control, text, limit] : {std::tuple{kMinArea, &minArea, &taken.minArea},
                                        std::tuple{kMaxArea, &maxArea, &taken.maxArea}}) {
        if (std::optional<std::string> refusal = TakeAreaLimit(*text, *limit))
            return FieldFailure{control, std::move(*refusal)};
    }
    if (std::optional<std::string> refusal = TakeMajorLimit(minMajor, taken.minMajor))
        return FieldFailure{kMinMajor, std::move(*refusal)};
    p.resultsFile = fileName;
    p.metricMask = MetricMaskFromBoxes(metrics);
    SetObjectOptions(p, taken);
    return std::nullopt;
}

std::optional<FieldFailure> SeriesProcessFields::Read(OperationParams& p) const
{
    std::optional<FieldFailure> failure;
    ReadIntField(kIntensity, intensity, 0, 255, p.intensity, failure);
    ReadIntField(kRed, red, 0, 255, p.red, failure);
    ReadIntField(kGreen, green, 0, 255, p.green, failure);
    ReadIntField(kBlue, blue, 0, 255, p.blue, failure);
    ReadIntField(kLower, lower, 0, 255, p.lowerLimit, failure);
    ReadIntField(kUpper, upper, 0, 255, p.upperLimit, failure);
    ReadIntField(kThreshold, threshold, 0, 255, p.threshold, failure);
    ReadIntField(kFill, fill, 0, 255, p.fillValue, failure);
    p.boundMode = boundMode;
    p.component = component;
    p.editAbove = editAbove;
    return failure;
}

void SeriesProcessFields::SetColor(CColorVal color)
{
    red = std::to_string(color.red);
    green = std::to_string(color.green);
    blue = std::to_string(color.blue);
}
