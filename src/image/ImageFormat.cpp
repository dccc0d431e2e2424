// Signatures, extensions and the 16-bit level rule.
#include "image/ImageFormat.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstring>
#include <numeric>

#include "platform/Format.h"
#include "platform/VectorClones.h"

namespace {

std::string LowerExtension(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return std::string();
    std::string ext = path.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

// Read by every reader, set by the front end between files.
std::atomic<int> rangeMode{static_cast<int>(SampleRange::Mode::File)};
std::atomic<int> rangeLo{0};
std::atomic<int> rangeHi{65535};

bool ParseLevel(const std::string& text, int& value)
{
    if (text.empty() || text.size() > 5) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return value <= 65535;
}

}  // namespace

FileFormat DetectFileFormat(const std::uint8_t* head, size_t count)
{
    static const std::uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (count >= 8 && std::memcmp(head, kPng, 8) == 0) return FileFormat::Png;
    // 42 for classic TIFF, 43 for BigTIFF.
    if (count >= 4 && ((head[0] == 'I' && head[1] == 'I' && (head[2] == 42 || head[2] == 43) && head[3] == 0) ||
                       (head[0] == 'M' && head[1] == 'M' && head[2] == 0 && (head[3] == 42 || head[3] == 43))))
        return FileFormat::Tiff;
    if (count >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) return FileFormat::Jpeg;
    return FileFormat::Bitmap;
}

bool StartsAsBitmap(const std::uint8_t* head, size_t count)
{
    return (count < 1 || head[0] == 'B') && (count < 2 || head[1] == 'M');
}

FileFormat FormatForPath(const std::string& path)
{
    return ParseFileFormat(LowerExtension(path)).value_or(FileFormat::Bitmap);
}

std::optional<FileFormat> ParseFileFormat(const std::string& name)
{
    if (name == "bmp") return FileFormat::Bitmap;
    if (name == "png") return FileFormat::Png;
    if (name == "tif" || name == "tiff") return FileFormat::Tiff;
    if (name == "jpg" || name == "jpeg") return FileFormat::Jpeg;
    return std::nullopt;
}

const char* FileFormatName(FileFormat format)
{
    switch (format) {
    case FileFormat::Png: return "PNG";
    case FileFormat::Tiff: return "TIFF";
    case FileFormat::Jpeg: return "JPEG";
    default: return "Bitmap";
    }
}

const char* FileFormatExtension(FileFormat format)
{
    switch (format) {
    case FileFormat::Png: return ".png";
    case FileFormat::Tiff: return ".tif";
    case FileFormat::Jpeg: return ".jpg";
    default: return ".bmp";
    }
}

std::optional<SampleRange> ParseSampleRange(const std::string& text)
{
    if (text == "file") return SampleRange{};
    if (text == "full") return SampleRange{SampleRange::Mode::Full, 0, 65535};
    const size_t comma = text.find(',');
    if (comma == std::string::npos) return std::nullopt;
    SampleRange range{SampleRange::Mode::Fixed, 0, 0};
    if (!ParseLevel(text.substr(0, comma), range.lo) || !ParseLevel(text.substr(comma + 1), range.hi) ||
        range.lo >= range.hi)
        return std::nullopt;
    return range;
}

std::string SampleRangeText(const SampleRange& range)
{
    switch (range.mode) {
    case SampleRange::Mode::Full: return "full";
    case SampleRange::Mode::Fixed: return platform::Format("%d,%d", range.lo, range.hi);
    default: return "file";
    }
}

SampleRange CurrentSampleRange()
{
    return SampleRange{static_cast<SampleRange::Mode>(rangeMode.load()), rangeLo.load(), rangeHi.load()};
}

void SetSampleRange(const SampleRange& range)
{
    rangeMode = static_cast<int>(range.mode);
    rangeLo = range.lo;
    rangeHi = range.hi;
}

LevelTable::LevelTable(int lo, int hi)
{
    std::array<std::uint16_t, 65536> every;
    std::iota(every.begin(), every.end(), std::uint16_t(0));
    MapLevels(every.data(), every.size(), lo, hi, level.data());
}

// RoundHalfAway(d * 255 / span) is floor((510 d + span) / (2 span)). In
// doubles, d * (255 / span) + 0.5 is off that quotient by less than 1e-13,
// while a quotient that is not whole misses the next whole number by at
// least 1 / (2 span) > 7e-6: nudged up by 2^-30 it truncates to the exact
// level for every span up to 65535 (checked for all of them).
NUVAK_WIDE_BUILDS(void, MapLevels,
                  (const std::uint16_t* __restrict in, size_t count, int lo, int hi, std::uint8_t* __restrict out),
                  (in, count, lo, hi, out))
{
    if (hi <= lo) {
        std::memset(out, 0, count);
        return;
    }
    const int span = hi - lo;
    const double scale = 255.0 / span;
    constexpr double kHalf = 0.5 + 0x1p-30;
    for (size_t i = 0; i < count; ++i) {
        const int d = std::clamp(int(in[i]) - lo, 0, span);
        out[i] = static_cast<std::uint8_t>(static_cast<int>(double(d) * scale + kHalf));
    }
}
