// TIFF files written by libtiff, for the tests and the fuzz seeds.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <tiffio.h>
#include <vector>

constexpr int kTiffWidth = 37;
constexpr int kTiffHeight = 21;

// How WriteTiff writes a file: compression, planes, tiles, samples, pages and mode.
struct TiffSpec {
    std::uint16_t compression = COMPRESSION_NONE;
    std::uint16_t planar = PLANARCONFIG_CONTIG;
    bool tiled = false;
    std::uint16_t photometric = PHOTOMETRIC_RGB;
    std::uint16_t bits = 8;
    std::uint16_t samples = 3;
    int pages = 1;
    int tile = 16;
    const char* mode = "w";  // "wb": big-endian
};

// A pattern of sample values for each place and channel, below 2^bits.
int TiffSample(int x, int y, int c, int bits);
// A kTiffWidth x kTiffHeight file of TiffSample() values packed at the bit depth
// TiffSpec gives; extra sets further fields on every page before its pixels.
// False when libtiff refuses the combination.
bool WriteTiff(const std::string& path, const TiffSpec& spec, const std::function<void(TIFF*)>& extra = {});

// A little-endian TIFF of one IFD of (tag, type, count, value) entries,
// followed by data, which starts at TiffDataOffset(entries.size()): files
// no writer of today makes.
std::vector<std::uint8_t> OneIfdTiff(const std::vector<std::array<std::uint32_t, 4>>& entries,
                                     const std::vector<std::uint8_t>& data);
std::uint32_t TiffDataOffset(size_t entries);
