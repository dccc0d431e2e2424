// ImageJ and OME calibration in TIFF descriptions.
#include "image/TiffDescription.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

namespace {

struct NamedUnit {
    const char* text;  // as a description writes it
    const char* unit;  // one of CalibrationUnits(), or null for another length
    double metres;
};

// ImageJ escapes µ as the text \u00B5; OME writes the symbol, sometimes as
// Greek mu. Å and pm are OME's and are turned into a unit of ours.
const NamedUnit kNamedUnits[] = {
    {"micron", "\u00b5m", 1e-6}, {"\u00b5m", "\u00b5m", 1e-6}, {"\u03bcm", "\u00b5m", 1e-6},
    {"um", "\u00b5m", 1e-6},     {"\\u00B5m", "\u00b5m", 1e-6}, {"microns", "\u00b5m", 1e-6},
    {"nm", "nm", 1e-9},          {"mm", "mm", 1e-3},           {"cm", "cm", 1e-2},
    {"m", "m", 1.0},             {"inch", "in", 0.0254},       {"in", "in", 0.0254},
    {"pm", nullptr, 1e-12},      {"\u00c5", nullptr, 1e-10},
};

// Pixel sizes in the named unit; uncalibrated for an unknown one.
CCalibration InUnit(std::string_view text, double width, double height)
{
    for (const NamedUnit& named : kNamedUnits) {
        if (text != named.text) continue;
        if (named.unit == nullptr) return CalibrationFromMetres(width * named.metres, height * named.metres);
        const CCalibration calibration{width, height, named.unit};
        return calibration.Calibrated() && std::isfinite(width) && std::isfinite(height) ? calibration : CCalibration{};
    }
    return {};
}

double Number(std::string_view text)
{
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : 0.0;
}

CCalibration ImageJCalibration(std::string_view description, double xResolution, double yResolution)
{
    if (!(xResolution > 0)) return {};
    if (!(yResolution > 0)) yResolution = xResolution;
    while (!description.empty()) {
        const size_t end = description.find('\n');
        std::string_view line = description.substr(0, end);
        description = end == std::string_view::npos ? std::string_view() : description.substr(end + 1);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
        if (line.starts_with("unit=")) return InUnit(line.substr(5), 1.0 / xResolution, 1.0 / yResolution);
    }
    return {};
}

// The value of name="..." (or '...') among an element's attributes; empty
// when it is not there.
std::string_view Attribute(std::string_view element, std::string_view name)
{
    for (size_t at = element.find(name); at != std::string_view::npos; at = element.find(name, at + 1)) {
        const size_t after = at + name.size();
        if (at == 0 || std::strchr(" \t\r\n", element[at - 1]) == nullptr || after + 1 >= element.size() ||
            element[after] != '=' || (element[after + 1] != '"' && element[after + 1] != '\''))
            continue;
        const size_t close = element.find(element[after + 1], after + 2);
        if (close == std::string_view::npos) return {};
        return element.substr(after + 2, close - after - 2);
    }
    return {};
}

// The start tag of the first Pixels element, with or without a namespace
// prefix; empty when there is none.
std::string_view PixelsTag(std::string_view xml)
{
    constexpr std::string_view kName = "Pixels";
    for (size_t at = xml.find(kName); at != std::string_view::npos; at = xml.find(kName, at + 1)) {
        const size_t after = at + kName.size();
        if (after >= xml.size() || std::strchr(" \t\r\n>/", xml[after]) == nullptr) continue;
        size_t open = at;
        if (open > 0 && xml[open - 1] == ':')
            for (--open; open > 0 && (std::isalnum(static_cast<unsigned char>(xml[open - 1])) || xml[open - 1] == '_');)
                --open;
        if (open == 0 || xml[open - 1] != '<') continue;
        const size_t end = xml.find('>', after);
        return end == std::string_view::npos ? std::string_view() : xml.substr(at, end - at);
    }
    return {};
}

CCalibration OmeCalibration(std::string_view xml)
{
    const std::string_view pixels = PixelsTag(xml);
    const double width = Number(Attribute(pixels, "PhysicalSizeX"));
    const double height = Number(Attribute(pixels, "PhysicalSizeY"));
    std::string_view xUnit = Attribute(pixels, "PhysicalSizeXUnit");
    std::string_view yUnit = Attribute(pixels, "PhysicalSizeYUnit");
    if (xUnit.empty()) xUnit = "\u00b5m";
    if (yUnit.empty()) yUnit = "\u00b5m";
    if (xUnit == yUnit) return InUnit(xUnit, width, height);
    // Two units: both in metres, then in one unit of ours.
    const CCalibration x = InUnit(xUnit, width, width), y = InUnit(yUnit, height, height);
    if (!x.Calibrated() || !y.Calibrated()) return {};
    return CalibrationFromMetres(x.pixelWidth * UnitMetres(x.unit), y.pixelHeight * UnitMetres(y.unit));
}

}  // namespace

CCalibration DescriptionCalibration(const std::string& description, double xResolution, double yResolution)
{
    const std::string_view text(description);
    if (text.starts_with("ImageJ=")) return ImageJCalibration(text, xResolution, yResolution);
    if (text.find("<OME") != std::string_view::npos) return OmeCalibration(text);
    return {};
}

std::string ImageJDescription(const CCalibration& calibration)
{
    if (!calibration.Calibrated()) return {};
    std::string unit = calibration.unit;
    if (unit == "\u00b5m") unit = "micron";  // TIFF text is ASCII
    if (unit == "in") unit = "inch";
    return "ImageJ=1.11a\nunit=" + unit + "\n";
}
