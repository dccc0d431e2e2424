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

// What a file says of its pixels: its resolution in pixels per metre (0 when
// unknown), and the calibration it names outright in its metadata, which
// then wins over the resolution.
struct FileResolution {
    double xPixelsPerMetre = 0.0;
    double yPixelsPerMetre = 0.0;
    CCalibration named;
};

// "nm", "µm", "mm", "cm", "m", "in" (UTF-8).
const std::vector<std::string>& CalibrationUnits();
// The unit typed as it is listed or as its column name ("um"); empty when
// it is none of them.
std::string CalibrationUnit(const std::string& typed);
// Metres in one unit (as shown or as its column name); 0 for any other text.
double UnitMetres(const std::string& unit);
// From a file's resolution in pixels per metre (0 when unknown): the pixel
// size in the largest unit that keeps it at least 0.1; uncalibrated when
// either resolution is unknown, or when both are the 72 or 96 dots per inch
// programs write by default (as stored: 2834-2835, 3779-3780 pixels per
// metre, 28 or 38 dots per cm), which say nothing of what was imaged.
CCalibration CalibrationFromResolution(double xPixelsPerMetre, double yPixelsPerMetre);
// From pixel sizes in metres: the same unit choice.
CCalibration CalibrationFromMetres(double xMetres, double yMetres);
// The resolution a file should carry for it, x and y in pixels per metre;
// 0, 0 when uncalibrated.
std::pair<double, double> PixelsPerMetre(const CCalibration& calibration);
// "Pixel size: 0.5 x 0.5 µm" or "Pixel size: not calibrated (pixels)".
std::string CalibrationText(const CCalibration& calibration);
