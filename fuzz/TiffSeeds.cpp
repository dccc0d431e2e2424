#include <fstream>
#include <iterator>

#include "ReaderSeeds.h"
#include "support/TiffFiles.h"

namespace {

struct TiffKind {
    TiffSpec spec;
    std::uint16_t predictor = PREDICTOR_NONE;
};

// The file libtiff writes for the kind, with a resolution, a palette, an
// alpha sample and YCbCr as the kind asks; empty when libtiff refuses it.
std::string Tiff(const std::filesystem::path& scratch, const TiffKind& k)
{
    const TiffSpec& s = k.spec;
    const bool written = WriteTiff(scratch.string(), s, [&](TIFF* tif) {
        TIFFSetField(tif, TIFFTAG_XRESOLUTION, 300.0f);
        TIFFSetField(tif, TIFFTAG_YRESOLUTION, 150.0f);
        TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
        if (k.predictor != PREDICTOR_NONE) TIFFSetField(tif, TIFFTAG_PREDICTOR, k.predictor);
        const int colours = s.photometric == PHOTOMETRIC_RGB || s.photometric == PHOTOMETRIC_YCBCR ? 3 : 1;
        if (s.samples > colours) {
            const std::uint16_t extra = EXTRASAMPLE_UNASSALPHA;
            TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, &extra);
        }
        if (s.photometric == PHOTOMETRIC_PALETTE) {
            static std::uint16_t map[256];
            for (int i = 0; i < 256; ++i) map[i] = std::uint16_t(i * 4099);
            TIFFSetField(tif, TIFFTAG_COLORMAP, map, map, map);
        }
        // libtiff turns RGB rows into subsampled YCbCr itself, in strips of 16 rows.
        if (s.photometric == PHOTOMETRIC_YCBCR) {
            TIFFSetField(tif, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
            if (!s.tiled) TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 16);
        }
    });
    if (!written) return std::string();
    std::ifstream in(scratch, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TiffSpec Spec(std::uint16_t photometric, std::uint16_t bits, std::uint16_t samples,
              std::uint16_t compression = COMPRESSION_NONE, bool tiled = false,
              std::uint16_t planar = PLANARCONFIG_CONTIG)
{
    TiffSpec s;
    s.photometric = photometric;
    s.bits = bits;
    s.samples = samples;
    s.compression = compression;
    s.tiled = tiled;
    s.planar = planar;
    return s;
}

}  // namespace

std::vector<std::string> TiffSeedFiles(const std::filesystem::path& scratch)
{
    TIFFSetErrorHandler(nullptr);
    TIFFSetWarningHandler(nullptr);
    std::vector<TiffKind> kinds;
    // Grey of every depth, min-is-white, palettes with and without alpha, RGB and RGBA.
    for (std::uint16_t bits : {1, 2, 4, 8, 16}) {
        kinds.push_back({Spec(PHOTOMETRIC_MINISBLACK, bits, 1)});
        kinds.push_back({Spec(PHOTOMETRIC_MINISWHITE, bits, 1)});
    }
    for (std::uint16_t bits : {1, 4, 8})
        for (std::uint16_t samples : {1, 2}) kinds.push_back({Spec(PHOTOMETRIC_PALETTE, bits, samples)});
    kinds.push_back({Spec(PHOTOMETRIC_MINISBLACK, 8, 2)});
    for (std::uint16_t bits : {8, 16})
        for (std::uint16_t samples : {3, 4})
            for (std::uint16_t planar : {PLANARCONFIG_CONTIG, PLANARCONFIG_SEPARATE})
                kinds.push_back({Spec(PHOTOMETRIC_RGB, bits, samples, COMPRESSION_NONE, false, planar)});
    // Every configured compression, in strips and tiles.
    for (std::uint16_t compression :
         {COMPRESSION_PACKBITS, COMPRESSION_LZW, COMPRESSION_ADOBE_DEFLATE, COMPRESSION_JPEG, COMPRESSION_LZMA,
          COMPRESSION_ZSTD, COMPRESSION_WEBP, COMPRESSION_CCITTRLE, COMPRESSION_CCITTFAX3, COMPRESSION_CCITTFAX4}) {
        if (!TIFFIsCODECConfigured(compression)) continue;
        const bool bilevel = compression == COMPRESSION_CCITTRLE || compression == COMPRESSION_CCITTFAX3 ||
                             compression == COMPRESSION_CCITTFAX4;
        for (bool tiled : {false, true}) {
            if (bilevel) {
                kinds.push_back({Spec(PHOTOMETRIC_MINISWHITE, 1, 1, compression, tiled)});
                continue;
            }
            kinds.push_back({Spec(PHOTOMETRIC_MINISBLACK, 8, 1, compression, tiled)});
            kinds.push_back({Spec(PHOTOMETRIC_RGB, 8, 3, compression, tiled, PLANARCONFIG_SEPARATE)});
            kinds.push_back({Spec(PHOTOMETRIC_RGB, 8, 4, compression, tiled)});
            if (compression == COMPRESSION_JPEG)
                kinds.push_back({Spec(PHOTOMETRIC_YCBCR, 8, 3, compression, tiled)});
            else
                kinds.push_back({Spec(PHOTOMETRIC_MINISBLACK, 16, 1, compression, tiled)});
        }
    }
    for (std::uint16_t compression : {COMPRESSION_LZW, COMPRESSION_ADOBE_DEFLATE}) {
        kinds.push_back({Spec(PHOTOMETRIC_MINISBLACK, 16, 1, compression), PREDICTOR_HORIZONTAL});
        kinds.push_back({Spec(PHOTOMETRIC_RGB, 8, 3, compression), PREDICTOR_HORIZONTAL});
    }
    // Pages, BigTIFF and big-endian files.
    TiffKind pages{Spec(PHOTOMETRIC_RGB, 8, 3)};
    pages.spec.pages = 3;
    kinds.push_back(pages);
    for (const char* mode : {"w8", "wb", "w8b"}) {
        TiffKind grey{Spec(PHOTOMETRIC_MINISBLACK, 16, 1, COMPRESSION_ADOBE_DEFLATE)}, tiles{Spec(PHOTOMETRIC_RGB, 8, 3, COMPRESSION_LZW, true)};
        grey.spec.mode = tiles.spec.mode = mode;
        grey.spec.pages = 2;
        kinds.push_back(grey);
        kinds.push_back(tiles);
    }
    std::vector<std::string> files;
    for (const TiffKind& kind : kinds) {
        std::string file = Tiff(scratch, kind);
        if (!file.empty()) files.push_back(std::move(file));
    }
    std::filesystem::remove(scratch);
    return files;
}
