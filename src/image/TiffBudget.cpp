#include "image/TiffBudget.h"

#include <algorithm>
#include <climits>

#include "platform/Format.h"

namespace {

// The most one byte of a compression's data can decode to; 0 where no
// simple bound exists (those files are bounded by the memory their image
// may take).
std::uint64_t MostExpansion(std::uint16_t compression)
{
    switch (compression) {
    case COMPRESSION_NONE: return 1;
    case COMPRESSION_PACKBITS: return 64;  // a 2-byte run of 128
    // 12-bit codes of strings below 4096 bytes.
    case COMPRESSION_LZW: return 4096;
    case COMPRESSION_ADOBE_DEFLATE:
    case COMPRESSION_DEFLATE: return 1032;
    default: return 0;
    }
}

// a × b, or the largest value when that does not fit.
std::uint64_t Times(std::uint64_t a, std::uint64_t b)
{
    std::uint64_t product;
    return __builtin_mul_overflow(a, b, &product) ? UINT64_MAX : product;
}

}  // namespace

std::string TiffDataShortfall(TIFF* tif, std::uint64_t fileBytes)
{
    std::uint16_t compression = COMPRESSION_NONE, planar = PLANARCONFIG_CONTIG, samples = 1;
    std::uint32_t height = 0;
    TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression);
    TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &planar);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height);
    const std::uint64_t most = MostExpansion(compression);
    if (most == 0) return std::string();
    // Strips or tiles, as libtiff holds their places.
    const std::uint32_t pieces = TIFFNumberOfStrips(tif);
    // Tiles decode whole; strips to the image's rows only.
    const std::uint64_t decoded =
        TIFFIsTiled(tif) ? Times(std::uint64_t(TIFFTileSize64(tif)), pieces)
                         : Times(Times(std::uint64_t(TIFFScanlineSize64(tif)), height),
                                 planar == PLANARCONFIG_SEPARATE ? samples : 1);
    std::uint64_t stored = 0;
    for (std::uint32_t k = 0; k < pieces && stored * most < decoded; ++k) {
        const std::uint64_t offset = TIFFGetStrileOffset(tif, k), count = TIFFGetStrileByteCount(tif, k);
        if (offset < fileBytes) stored += std::min(count, fileBytes - offset);
    }
    if (stored * most >= decoded) return std::string();
    return platform::Format("The TIFF file's image data (%llu bytes) cannot decode to the %llu bytes its pixels need.",
                            static_cast<unsigned long long>(stored), static_cast<unsigned long long>(decoded));
}
