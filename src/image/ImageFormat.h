// Image file formats: recognising a file by its first bytes, choosing a
// written format by extension, and the rule that brings 16-bit samples to 0..255.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

enum class FileFormat { Bitmap, Png, Tiff, Jpeg };

// What a read file was; the bitmap reader fills it too.
struct FileFacts {
    FileFormat format = FileFormat::Bitmap;
    int bitsPerSample = 8;
    int samplesPerPixel = 3;
    int pages = 1;
};

// Bytes enough to tell the formats apart.
constexpr size_t kSignatureBytes = 8;

// The format whose signature head starts with; Bitmap when none matches, so
// that the bitmap reader gives its own refusal.
FileFormat DetectFileFormat(const std::uint8_t* head, size_t count);
// Whether head starts with a bitmap's "BM", or ends before it could: such a
// file is the bitmap reader's to refuse.
bool StartsAsBitmap(const std::uint8_t* head, size_t count);
// By extension, ignoring case: .png, .tif/.tiff, .jpg/.jpeg; anything else Bitmap.
FileFormat FormatForPath(const std::string& path);
// "Bitmap", "PNG", "TIFF", "JPEG".
const char* FileFormatName(FileFormat format);
// ".bmp", ".png", ".tif", ".jpg".
const char* FileFormatExtension(FileFormat format);
// "bmp", "png", "tif"/"tiff", "jpg"/"jpeg"; nullopt for anything else.
std::optional<FileFormat> ParseFileFormat(const std::string& name);

// How 16-bit samples become 0..255: the file's own lowest..highest sample
// (the default), the full 0..65535, or a fixed LO..HI with values outside clamped.
struct SampleRange {
    enum class Mode { File, Full, Fixed };
    Mode mode = Mode::File;
    int lo = 0;
    int hi = 65535;

    friend bool operator==(const SampleRange&, const SampleRange&) = default;
};

// "file", "full" or "LO,HI" with 0 <= LO < HI <= 65535; nullopt otherwise.
std::optional<SampleRange> ParseSampleRange(const std::string& text);
// The inverse of ParseSampleRange.
std::string SampleRangeText(const SampleRange& range);

// The rule every reader applies; the workbench's preference or the CLI's --range.
SampleRange CurrentSampleRange();
void SetSampleRange(const SampleRange& range);

// Every 16-bit level's 8-bit value for lo..hi:
// RoundHalfAway((v - lo) * 255 / (hi - lo)), clamped; all 0 when lo = hi.
struct LevelTable {
    std::array<std::uint8_t, 65536> level{};
    LevelTable(int lo, int hi);
};

// The table's values for count levels, computed in vector lanes rather than
// looked up one at a time; the table is made by this too.
void MapLevels(const std::uint16_t* in, size_t count, int lo, int hi, std::uint8_t* out);

// How an image is written.
struct WriteOptions {
    std::optional<FileFormat> format;  // from the path's extension when absent
    int jpegQuality = 95;              // 1..100
};
