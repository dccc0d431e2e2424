// Set Scale: the fields, their checks and the calibration they give.
#include "forms/SetScaleModel.h"

#include "platform/Format.h"

namespace {

// A positive number; the refusal names what the field holds.
bool ReadPositive(const std::string& text, int control, const char* what, double& value,
                  std::optional<FieldFailure>& failure)
{
    if (failure) return false;
    ReadRealField(control, text, value, failure);
    if (!failure && !(value > 0))
        failure = FieldFailure{control, platform::Format("Please enter a %s greater than 0.", what)};
    return !failure;
}

std::string Number(double value) { return platform::Format("%g", value); }

}  // namespace

const std::vector<std::string>& SetScaleModel::UnitEntries()
{
    static const std::vector<std::string> entries = [] {
        std::vector<std::string> list{"pixels"};
        for (const std::string& unit : CalibrationUnits()) list.push_back(unit);
        return list;
    }();
    return entries;
}

SetScaleModel::SetScaleModel(const CCalibration& current, double lastMeasuredPixels) : current_(current)
{
    if (lastMeasuredPixels > 0) distanceText = platform::Format("%.3f", lastMeasuredPixels);
    if (current.Calibrated()) {
        // A known distance gives square pixels: other ones start as their sizes.
        fromDistance = lastMeasuredPixels > 0 && current.pixelWidth == current.pixelHeight;
        widthText = Number(current.pixelWidth);
        heightText = Number(current.pixelHeight);
        if (fromDistance) knownText = Number(lastMeasuredPixels * current.pixelWidth);
        for (size_t i = 1; i < UnitEntries().size(); ++i)
            if (UnitEntries()[i] == current.unit) unit = static_cast<int>(i);
    }
    startDistance_ = distanceText;
    startKnown_ = knownText;
    startWidth_ = widthText;
    startHeight_ = heightText;
    startFromDistance_ = fromDistance;
    startUnit_ = unit;
}

bool SetScaleModel::Unchanged() const
{
    return unit == startUnit_ && fromDistance == startFromDistance_ && distanceText == startDistance_ &&
           knownText == startKnown_ && widthText == startWidth_ && heightText == startHeight_;
}

std::optional<FieldFailure> SetScaleModel::Read(CCalibration& calibration) const
{
    calibration = {};
    if (current_.Calibrated() && Unchanged()) {
        calibration = current_;
        return std::nullopt;
    }
    if (unit <= 0 || unit >= static_cast<int>(UnitEntries().size())) return std::nullopt;
    std::optional<FieldFailure> failure;
    if (fromDistance) {
        double pixels = 0, known = 0;
        if (ReadPositive(distanceText, kDistance, "distance in pixels", pixels, failure) &&
            ReadPositive(knownText, kKnown, "known distance", known, failure))
            calibration.pixelWidth = calibration.pixelHeight = known / pixels;
    } else if (ReadPositive(widthText, kWidth, "pixel width", calibration.pixelWidth, failure)) {
        ReadPositive(heightText, kHeight, "pixel height", calibration.pixelHeight, failure);
    }
    if (failure) return failure;
    calibration.unit = UnitEntries()[static_cast<size_t>(unit)];
    return std::nullopt;
}
