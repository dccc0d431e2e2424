#include "series/FileOptions.h"

#include <cmath>
#include <stdexcept>

std::optional<SampleRange> TakeRange(std::vector<StepOption>& options)
{
    const auto text = TakeOption(options, "range");
    if (!text) return std::nullopt;
    const auto range = ParseSampleRange(*text);
    if (!range) throw OptionError{"--range must be full or LO,HI with 0 <= LO < HI <= 65535"};
    return range;
}

int TakeQuality(std::vector<StepOption>& options)
{
    const auto text = TakeOption(options, "quality");
    if (!text) return WriteOptions().jpegQuality;
    size_t used = 0;
    int quality = 0;
    try {
        quality = std::stoi(*text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text->size() || quality < 1 || quality > 100)
        throw OptionError{"--quality must be an integer from 1 to 100"};
    return quality;
}

namespace {

// The whole text as a number, or nothing.
std::optional<double> Number(const std::string& text)
{
    try {
        size_t used = 0;
        const double value = std::stod(text, &used);
        if (used == text.size()) return value;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

}  // namespace

std::optional<CCalibration> TakeCalibration(std::vector<StepOption>& options)
{
    const auto size = TakeOption(options, "pixel-size");
    const auto unit = TakeOption(options, "unit");
    if (!size && !unit) return std::nullopt;
    if (!size || !unit) throw OptionError{"--pixel-size and --unit go together"};
    CCalibration calibration;
    calibration.unit = CalibrationUnit(*unit);
    if (calibration.unit.empty()) throw OptionError{"--unit must be nm, um, mm, cm, m or in"};
    const size_t comma = size->find(',');
    const auto width = Number(size->substr(0, comma));
    const auto height = comma == std::string::npos ? width : Number(size->substr(comma + 1));
    if (width) calibration.pixelWidth = *width;
    if (height) calibration.pixelHeight = *height;
    if (!width || !height || !calibration.Calibrated() || !std::isfinite(calibration.pixelWidth) ||
        !std::isfinite(calibration.pixelHeight))
        throw OptionError{"--pixel-size must be W or W,H with numbers above 0"};
    return calibration;
}

std::optional<FileFormat> TakeFormat(std::vector<StepOption>& options)
{
    const auto text = TakeOption(options, "format");
    if (!text) return std::nullopt;
    const auto format = ParseFileFormat(*text);
    if (!format) throw OptionError{"--format must be bmp, png, tif or jpg"};
    return format;
}

ScopedSampleRange::ScopedSampleRange(const std::optional<SampleRange>& range) : before_(CurrentSampleRange())
{
    if (range) SetSampleRange(*range);
}

ScopedSampleRange::~ScopedSampleRange() { SetSampleRange(before_); }
