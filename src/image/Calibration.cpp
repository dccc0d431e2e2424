// Units of length for calibrated images.
#include "image/Calibration.h"

#include <algorithm>
#include <cmath>

#include "platform/Format.h"

namespace {

struct Unit {
    const char* name;    // as shown
    const char* column;  // as in a column name
    double metres;
};

const Unit kUnits[] = {{"nm", "nm", 1e-9}, {"\u00b5m", "um", 1e-6}, {"mm", "mm", 1e-3},
                       {"cm", "cm", 1e-2}, {"m", "m", 1.0},        {"in", "in", 0.0254}};

const Unit* FindUnit(const std::string& typed)
{
    for (const Unit& unit : kUnits)
        if (typed == unit.name || typed == unit.column) return &unit;
    return nullptr;
}

}  // namespace

std::string CCalibration::UnitName() const
{
    const Unit* found = FindUnit(unit);
    return found ? found->column : unit;
}

double CCalibration::Length(double dx, double dy) const { return std::hypot(dx * pixelWidth, dy * pixelHeight); }

const std::vector<std::string>& CalibrationUnits()
{
    static const std::vector<std::string> units = [] {
        std::vector<std::string> names;
        for (const Unit& unit : kUnits) names.push_back(unit.name);
        return names;
    }();
    return units;
}

std::string CalibrationUnit(const std::string& typed)
{
    const Unit* found = FindUnit(typed);
    return found ? found->name : std::string();
}

double UnitMetres(const std::string& unit)
{
    const Unit* found = FindUnit(unit);
    return found ? found->metres : 0.0;
}

CCalibration CalibrationFromResolution(double xPixelsPerMetre, double yPixelsPerMetre)
{
    if (!(xPixelsPerMetre > 0) || !(yPixelsPerMetre > 0)) return {};
    // Stored as float rationals the bounds themselves can come back a little off.
    const auto display = [](double perMetre) {
        const auto within = [perMetre](double low, double high) {
            return perMetre >= low * (1 - 1e-6) && perMetre <= high * (1 + 1e-6);
        };
        return within(2834, 2835) || within(3779, 3780) || within(2800, 2800) || within(3800, 3800);
    };
    if (display(xPixelsPerMetre) && display(yPixelsPerMetre)) return {};
    return CalibrationFromMetres(1.0 / xPixelsPerMetre, 1.0 / yPixelsPerMetre);
}

CCalibration CalibrationFromMetres(double xMetres, double yMetres)
{
    if (!(xMetres > 0) || !(yMetres > 0) || !std::isfinite(xMetres) || !std::isfinite(yMetres)) return {};
    const double metres = std::max(xMetres, yMetres);
    // Metric units from the largest down; inches are only ever chosen by hand.
    const Unit* chosen = &kUnits[0];
    for (const Unit& unit : kUnits)
        if (unit.metres <= 1.0 && std::string(unit.column) != "in" && metres / unit.metres >= 0.1 &&
            unit.metres > chosen->metres)
            chosen = &unit;
    return {xMetres / chosen->metres, yMetres / chosen->metres, chosen->name};
}

std::pair<double, double> PixelsPerMetre(const CCalibration& c)
{
    const Unit* unit = FindUnit(c.unit);
    if (!c.Calibrated() || unit == nullptr) return {0, 0};
    return {1.0 / (c.pixelWidth * unit->metres), 1.0 / (c.pixelHeight * unit->metres)};
}

std::string CalibrationText(const CCalibration& c)
{
    if (!c.Calibrated()) return "Pixel size: not calibrated (pixels)";
    return platform::Format("Pixel size: %g x %g %s", c.pixelWidth, c.pixelHeight, c.unit.c_str());
}
