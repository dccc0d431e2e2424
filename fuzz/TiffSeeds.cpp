#include <algorithm>
#include <fstream>
#include <iterator>
#include <tiffio.h>

#include "ReaderSeeds.h"

namespace {

struct TiffKind {
    std::uint16_t photometric = PHOTOMETRIC_MINISBLACK;
    std::uint16_t bits = 8;
    std::uint16_t samples = 1;
    std::uint16_t compression = COMPRESSION_NONE;
    std::uint16_t planar = PLANARCONFIG_CONTIG;
    bool tiled = false;
    int pages = 1;
    const char* mode = "w";  // "w8" BigTIFF, "wb" big-endian
    std::uint16_t predictor = PREDICTOR_NONE;
};

constexpr int kWidth = 19, kHeight = 11, kTile = 16;

// The file libtiff writes for the kind, with a pattern of samples; empty
// when libtiff refuses the combination.
std::string Tiff(const std::filesystem::path& scratch, const TiffKind& k)
{
    TIFF* tif = TIFFOpen(scratch.c_str(), k.mode);
    if (!tif) return std::string();
    bool ok = true;
    for (int page = 0; page < k.pages && ok; ++page) {
        TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, kWidth);
        TIFFSetField(tif, TIFFTAG_IMAGELENGTH, kHeight);
        TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, k.bits);
        TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, k.samples);
        TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, k.photometric);
        TIFFSetField(tif, TIFFTAG_PLANARCONFIG, k.planar);
        TIFFSetField(tif, TIFFTAG_COMPRESSION, k.compression);
        TIFFSetField(tif, TIFFTAG_XRESOLUTION, 300.0f);
        TIFFSetField(tif, TIFFTAG_YRESOLUTION, 150.0f);
        TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
        if (k.predictor != PREDICTOR_NONE) TIFFSetField(tif, TIFFTAG_PREDICTOR, k.predictor);
        const int colours = k.photometric == PHOTOMETRIC_RGB ? 3 : 1;
        if (k.samples > colours) {
            const std::uint16_t extra = EXTRASAMPLE_UNASSALPHA;
            TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, &extra);
        }
        std::vector<std::uint16_t> map(size_t(1) << k.bits);
        if (k.photometric == PHOTOMETRIC_PALETTE) {
            for (size_t i = 0; i < map.size(); ++i) map[i] = std::uint16_t(i * 4099);
            TIFFSetField(tif, TIFFTAG_COLORMAP, map.data(), map.data(), map.data());
        }
        if (k.tiled) {
            TIFFSetField(tif, TIFFTAG_TILEWIDTH, kTile);
            TIFFSetField(tif, TIFFTAG_TILELENGTH, kTile);
        } else {
            TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 16);  // JPEG's 2 x 2 subsampling needs 16
        }
        if (k.pages > 1) TIFFSetField(tif, TIFFTAG_PAGENUMBER, std::uint16_t(page), std::uint16_t(k.pages));
        // libtiff turns RGB rows into subsampled YCbCr itself.
        if (k.photometric == PHOTOMETRIC_YCBCR) TIFFSetField(tif, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
        const int planes = k.planar == PLANARCONFIG_SEPARATE ? k.samples : 1;
        const tmsize_t pieceBytes = k.tiled ? TIFFTileSize(tif) : TIFFScanlineSize(tif);
        std::vector<std::uint8_t> piece(size_t(std::max<tmsize_t>(pieceBytes, 1)));
        for (size_t i = 0; i < piece.size(); ++i) piece[i] = std::uint8_t(i * 13 + page * 7);
        for (int p = 0; p < planes && ok; ++p) {
            if (k.tiled) {
                for (int y = 0; y < kHeight && ok; y += kTile)
                    for (int x = 0; x < kWidth && ok; x += kTile)
                        ok = TIFFWriteTile(tif, piece.data(), x, y, 0, std::uint16_t(p)) >= 0;
            } else {
                for (int y = 0; y < kHeight && ok; ++y)
                    ok = TIFFWriteScanline(tif, piece.data(), y, std::uint16_t(p)) >= 0;
            }
        }
        ok = ok && TIFFWriteDirectory(tif);
    }
    TIFFClose(tif);
    if (!ok) return std::string();
    std::ifstream in(scratch, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

std::vector<std::string> TiffSeedFiles(const std::filesystem::path& scratch)
{
    TIFFSetErrorHandler(nullptr);
    TIFFSetWarningHandler(nullptr);
    std::vector<TiffKind> kinds;
    // Grey of every depth, min-is-white, palettes with and without alpha, RGB and RGBA.
    for (std::uint16_t bits : {1, 2, 4, 8, 16}) {
        kinds.push_back({PHOTOMETRIC_MINISBLACK, bits});
        kinds.push_back({PHOTOMETRIC_MINISWHITE, bits});
    }
    for (std::uint16_t bits : {1, 4, 8}) {
        kinds.push_back({PHOTOMETRIC_PALETTE, bits});
        kinds.push_back({PHOTOMETRIC_PALETTE, bits, 2});
    }
    kinds.push_back({PHOTOMETRIC_MINISBLACK, 8, 2});
    for (std::uint16_t bits : {8, 16})
        for (std::uint16_t samples : {3, 4})
            for (std::uint16_t planar : {PLANARCONFIG_CONTIG, PLANARCONFIG_SEPARATE})
                kinds.push_back({PHOTOMETRIC_RGB, bits, samples, COMPRESSION_NONE, planar});
    // Every configured compression, in strips and tiles, on grey and RGB.
    for (std::uint16_t compression :
         {COMPRESSION_PACKBITS, COMPRESSION_LZW, COMPRESSION_ADOBE_DEFLATE, COMPRESSION_JPEG, COMPRESSION_LZMA,
          COMPRESSION_ZSTD, COMPRESSION_WEBP, COMPRESSION_CCITTRLE, COMPRESSION_CCITTFAX3, COMPRESSION_CCITTFAX4}) {
        if (!TIFFIsCODECConfigured(compression)) continue;
        const bool bilevel = compression == COMPRESSION_CCITTRLE || compression == COMPRESSION_CCITTFAX3 ||
                             compression == COMPRESSION_CCITTFAX4;
        for (bool tiled : {false, true}) {
            if (bilevel) {
                kinds.push_back({PHOTOMETRIC_MINISWHITE, 1, 1, compression, PLANARCONFIG_CONTIG, tiled});
                continue;
            }
            kinds.push_back({PHOTOMETRIC_MINISBLACK, 8, 1, compression, PLANARCONFIG_CONTIG, tiled});
            kinds.push_back({PHOTOMETRIC_RGB, 8, 3, compression, PLANARCONFIG_SEPARATE, tiled});
            if (compression == COMPRESSION_JPEG) {
                kinds.push_back({PHOTOMETRIC_YCBCR, 8, 3, compression, PLANARCONFIG_CONTIG, tiled});
                continue;
            }
            kinds.push_back({PHOTOMETRIC_MINISBLACK, 16, 1, compression, PLANARCONFIG_CONTIG, tiled});
            kinds.push_back({PHOTOMETRIC_RGB, 8, 4, compression, PLANARCONFIG_CONTIG, tiled});
        }
    }
    for (std::uint16_t compression : {COMPRESSION_LZW, COMPRESSION_ADOBE_DEFLATE}) {
        kinds.push_back({PHOTOMETRIC_MINISBLACK, 16, 1, compression, PLANARCONFIG_CONTIG, false, 1, "w",
                         PREDICTOR_HORIZONTAL});
        kinds.push_back({PHOTOMETRIC_RGB, 8, 3, compression, PLANARCONFIG_CONTIG, false, 1, "w", PREDICTOR_HORIZONTAL});
    }
    // Pages, BigTIFF and big-endian files.
    kinds.push_back({PHOTOMETRIC_RGB, 8, 3, COMPRESSION_NONE, PLANARCONFIG_CONTIG, false, 3});
    for (const char* mode : {"w8", "wb", "w8b"}) {
        kinds.push_back({PHOTOMETRIC_MINISBLACK, 16, 1, COMPRESSION_ADOBE_DEFLATE, PLANARCONFIG_CONTIG, false, 2, mode});
        kinds.push_back({PHOTOMETRIC_RGB, 8, 3, COMPRESSION_LZW, PLANARCONFIG_CONTIG, true, 1, mode});
    }
    std::vector<std::string> files;
    for (const TiffKind& kind : kinds) {
        std::string file = Tiff(scratch, kind);
        if (!file.empty()) files.push_back(std::move(file));
    }
    std::filesystem::remove(scratch);
    return files;
}
