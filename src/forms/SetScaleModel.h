// The Set Scale dialog without its window: a known distance in pixels and
// the length it stands for, or the pixel size itself, in a unit; or no
// scale at all.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "forms/OperationDialog.h"
#include "image/Calibration.h"

class SetScaleModel {
public:
    enum Control { kFromDistance = 1, kPixelSize, kDistance, kKnown, kWidth, kHeight, kUnit };

    // The unit list: "pixels" (no scale), then every unit of length.
    static const std::vector<std::string>& UnitEntries();

    // Starts from the image's calibration and the last measured line.
    SetScaleModel(const CCalibration& current, double lastMeasuredPixels);

    bool fromDistance = true;
    std::string distanceText;  // pixels
    std::string knownText;     // the length they stand for, in the unit
    std::string widthText;     // the pixel size in the unit
    std::string heightText;
    int unit = 0;  // index into UnitEntries()
    bool applyToAll = false;
    bool useForLater = false;

    // The calibration OK sets (uncalibrated for "pixels"), or the first
    // refused field with its text.
    // Fields left as they were give the calibration the dialog started
    // from, exactly, whatever their shown digits.
    std::optional<FieldFailure> Read(CCalibration& calibration) const;

private:
    bool Unchanged() const;

    CCalibration current_;
    std::string startDistance_, startKnown_, startWidth_, startHeight_;
    bool startFromDistance_ = true;
    int startUnit_ = 0;
};
