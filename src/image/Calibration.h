// The size of an image's pixels in a unit of length; an image without one is
// measured in pixels.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct CCalibration {
    double pixelWidth = 0.0;
    double pixelHeight = 0.0;
    std::string unit;  // one of CalibrationUnits(); empty when uncalibrated

    bool Calibrated() const { return !unit.empty() && pixelWidth > 0 && pixelHeight > 0; }
    // The unit as it may stand in a column name: "um" for micrometres.
    std::string UnitName() const;
    // A length of the given pixel steps, across and down, in the unit.
    double Length(double dx, double dy) const;
    friend bool operator==(const CCalibration&, const CCalibration&) = default;
};

// "nm", "µm", "mm", "cm", "m", "in" (UTF-8).
const std::vector<std::string>& CalibrationUnits();
// The unit typed as it is listed or as its column name ("um"); empty when
// it is none of them.
std::string CalibrationUnit(const std::string& typed);
// From a file's resolution in pixels per metre (0 when unknown): the pixel
// size in the largest unit that keeps it at least 0.1; uncalibrated when
// either resolution is unknown.
CCalibration CalibrationFromResolution(double xPixelsPerMetre, double yPixelsPerMetre);
// The resolution a file should carry for it, x and y in pixels per metre,
// rounded; 0, 0 when uncalibrated.
std::pair<int, int> PixelsPerMetre(const CCalibration& calibration);
// "Pixel size: 0.5 x 0.5 µm" or "Pixel size: not calibrated (pixels)".
std::string CalibrationText(const CCalibration& calibration);
// Metres in one unit (shown or column name); 0 for none of them.
double UnitMetres(const std::string& unit);
