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

CCalibration CalibrationFromResolution(double xPixelsPerMetre, double yPixelsPerMetre)
{
    if (!(xPixelsPerMetre > 0) || !(yPixelsPerMetre > 0)) return {};
    const double metres = 1.0 / std::min(xPixelsPerMetre, yPixelsPerMetre);
    // Metric units from the largest down; inches are only ever chosen by hand.
    const Unit* chosen = &kUnits[0];
    for (const Unit& unit : kUnits)
        if (unit.metres <= 1.0 && std::string(unit.column) != "in" && metres / unit.metres >= 0.1 &&
            unit.metres > chosen->metres)
            chosen = &unit;
    return {1.0 / xPixelsPerMetre / chosen->metres, 1.0 / yPixelsPerMetre / chosen->metres, chosen->name};
}

std::pair<int, int> PixelsPerMetre(const CCalibration& c)
{
    const Unit* unit = FindUnit(c.unit);
    if (!c.Calibrated() || unit == nullptr) return {0, 0};
    const auto perMetre = [unit](double size) {
        const double value = 1.0 / (size * unit->metres);
        return value < 1 || value > 2147483647.0 ? 0 : static_cast<int>(std::lround(value));
    };
    return {perMetre(c.pixelWidth), perMetre(c.pixelHeight)};
}

std::string CalibrationText(const CCalibration& c)
{
    if (!c.Calibrated()) return "Pixel size: not calibrated (pixels)";
    return platform::Format("Pixel size: %g x %g %s", c.pixelWidth, c.pixelHeight, c.unit.c_str());
}

double UnitMetres(const std::string& unit)
{
    const Unit* found = FindUnit(unit);
    return found ? found->metres : 0.0;
}
