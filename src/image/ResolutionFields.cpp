// Resolution in JPEG density fields and EXIF tags.
#include "image/ResolutionFields.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMetresPerInch = 0.0254;

// Both values rounded for a field of 1..65535; the larger relative error,
// or infinity when they do not fit.
double RoundedError(double x, double y, int& xField, int& yField)
{
    const double rx = std::round(x), ry = std::round(y);
    if (rx < 1 || ry < 1 || rx > 65535 || ry > 65535) return INFINITY;
    xField = static_cast<int>(rx);
    yField = static_cast<int>(ry);
    return std::max(std::abs(rx - x) / x, std::abs(ry - y) / y);
}

class ExifReader {
public:
    ExifReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Header()
    {
        if (size_ < 8) return false;
        if (data_[0] == 'I' && data_[1] == 'I')
            little_ = true;
        else if (!(data_[0] == 'M' && data_[1] == 'M'))
            return false;
        return U16(2) == 42;
    }
    std::uint32_t U16(std::size_t at) const
    {
        if (at + 2 > size_) return 0;
        return little_ ? data_[at] | data_[at + 1] << 8 : data_[at] << 8 | data_[at + 1];
    }
    std::uint32_t U32(std::size_t at) const
    {
        if (at + 4 > size_) return 0;
        return little_ ? U16(at) | U16(at + 2) << 16 : U16(at) << 16 | U16(at + 2);
    }
    std::size_t Size() const { return size_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    bool little_ = false;
};

}  // namespace

double WholeDotsPerInch(double pixelsPerMetre)
{
    const double dpi = pixelsPerMetre * kMetresPerInch;
    const double whole = std::round(dpi);
    return whole >= 1 && std::abs(dpi - whole) <= 1e-6 * dpi ? whole : 0.0;
}

bool DensityFor(double xPixelsPerMetre, double yPixelsPerMetre, JpegDensity& density)
{
    density = {};
    if (!(xPixelsPerMetre > 0) || !(yPixelsPerMetre > 0)) return true;
    const double xInch = WholeDotsPerInch(xPixelsPerMetre), yInch = WholeDotsPerInch(yPixelsPerMetre);
    if (xInch > 0 && yInch > 0 && xInch <= 65535 && yInch <= 65535) {
        density = {1, static_cast<int>(xInch), static_cast<int>(yInch)};
        return true;
    }
    JpegDensity cm{2}, inch{1};
    const double cmError = RoundedError(xPixelsPerMetre / 100, yPixelsPerMetre / 100, cm.x, cm.y);
    const double inchError =
        RoundedError(xPixelsPerMetre * kMetresPerInch, yPixelsPerMetre * kMetresPerInch, inch.x, inch.y);
    if (std::min(cmError, inchError) > 0.001) return false;
    density = cmError <= inchError ? cm : inch;
    return true;
}

std::pair<double, double> ExifResolution(const std::uint8_t* data, std::size_t size)
{
    ExifReader exif(data, size);
    if (!exif.Header()) return {0, 0};
    const std::size_t directory = exif.U32(4);
    const std::size_t entries = exif.U16(directory);
    double x = 0, y = 0;
    int unit = 2;  // inches unless the directory says otherwise
    for (std::size_t i = 0; i < entries && directory + 2 + 12 * (i + 1) <= exif.Size(); ++i) {
        const std::size_t entry = directory + 2 + 12 * i;
        const std::uint32_t tag = exif.U16(entry), type = exif.U16(entry + 2);
        if ((tag == 0x011A || tag == 0x011B) && type == 5) {
            const std::size_t at = exif.U32(entry + 8);
            const std::uint32_t denominator = exif.U32(at + 4);
            if (at + 8 <= exif.Size() && denominator != 0)
                (tag == 0x011A ? x : y) = double(exif.U32(at)) / denominator;
        } else if (tag == 0x0128 && type == 3) {
            unit = static_cast<int>(exif.U16(entry + 8));
        }
    }
    const double perMetre = unit == 2 ? 1 / kMetresPerInch : unit == 3 ? 100.0 : 0.0;
    return {x * perMetre, y * perMetre};
}
