// TIFF files through libtiff: grey 1/2/4/8/16-bit (min-is-white too), palette,
// RGB 8/16-bit with or without alpha, strips or tiles, contiguous or separate
// planes, any compression libtiff decodes; the first page is read one row
// (contiguous strips), one strip of each plane or one row of tiles at a time. Written as 8-bit grey or RGB, Deflate.
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <optional>
#include <sys/stat.h>
#include <libdeflate.h>
#include <memory>
#include <tiffio.h>
#include <type_traits>
#include <unistd.h>
#include <vector>

#include "image/DecodedImage.h"
#include "image/File.h"
#include "image/FormatCodecs.h"
#include "image/Image.h"
#include "image/ResolutionFields.h"
#include "image/TiffDescription.h"
#include "image/TiffBudget.h"
#include "image/TiffRgba.h"
#include "platform/Format.h"
#include "platform/ParallelRows.h"

namespace {

using platform::Format;

// The level libtiff gives libdeflate when none is set.
constexpr int kDeflateLevel = 7;

// The file's descriptor as libtiff's stream; the first library message is kept.
struct TiffIo {
    int fd = -1;
    std::string path;
    int writeErrno = 0;
    std::string error;
};

tmsize_t ReadProc(thandle_t h, void* buffer, tmsize_t size)
{
    auto* io = static_cast<TiffIo*>(h);
    tmsize_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(io->fd, static_cast<char*>(buffer) + done, static_cast<size_t>(size - done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break;
        done += n;
    }
    return done;
}

tmsize_t WriteProc(thandle_t h, void* buffer, tmsize_t size)
{
    auto* io = static_cast<TiffIo*>(h);
    tmsize_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(io->fd, static_cast<const char*>(buffer) + done, static_cast<size_t>(size - done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            io->writeErrno = errno;
            return -1;
        }
        done += n;
    }
    return done;
}

toff_t SeekProc(thandle_t h, toff_t offset, int whence)
{
    const off_t at = ::lseek(static_cast<TiffIo*>(h)->fd, static_cast<off_t>(offset), whence);
    return at < 0 ? static_cast<toff_t>(-1) : static_cast<toff_t>(at);
}

int CloseProc(thandle_t) { return 0; }  // the CFile closes its descriptor

toff_t SizeProc(thandle_t h)
{
    struct stat st;
    return ::fstat(static_cast<TiffIo*>(h)->fd, &st) == 0 ? static_cast<toff_t>(st.st_size) : 0;
}

int MapProc(thandle_t, void**, toff_t*) { return 0; }
void UnmapProc(thandle_t, void*, toff_t) {}

int OnError(TIFF*, void* user, const char*, const char* fmt, va_list args)
{
    auto* io = static_cast<TiffIo*>(user);
    if (io->error.empty()) {
        char text[512];
        std::vsnprintf(text, sizeof text, fmt, args);
        io->error = text;
        // The message names the file, which the refusal names already.
        const std::string prefix = io->path + ": ";
        if (io->error.compare(0, prefix.size(), prefix) == 0) io->error.erase(0, prefix.size());
    }
    return 1;
}

int OnWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

// An open TIFF stream over a CFile, closed (not the file) on destruction.
class TiffStream {
public:
    TiffStream(CFile& file, const char* mode)
    {
        io_.fd = file.Descriptor();
        io_.path = file.Path();
        TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
        if (!options) return;
        TIFFOpenOptionsSetErrorHandlerExtR(options, OnError, &io_);
        // libtiff's own buffers (strip tables, compressed strips) within
        // what the file may ask for.
        if (mode[0] == 'r')
            TIFFOpenOptionsSetMaxSingleMemAlloc(
                options, static_cast<tmsize_t>(DecodedImage::Grant(file.Length())));
        TIFFOpenOptionsSetWarningHandlerExtR(options, OnWarning, &io_);
        tif_ = TIFFClientOpenExt(file.Path().c_str(), mode, &io_, ReadProc, WriteProc, SeekProc, CloseProc,
                                 SizeProc, MapProc, UnmapProc, options);
        TIFFOpenOptionsFree(options);
    }
    ~TiffStream()
    {
        if (tif_) TIFFClose(tif_);
    }
    TIFF* get() const { return tif_; }
    TiffIo& io() { return io_; }
    std::string Reason(const char* fallback) const { return io_.error.empty() ? fallback : io_.error; }

private:
    TiffIo io_;
    TIFF* tif_ = nullptr;
};

double ResolutionInMetres(float value, int unit)
{
    if (!(value > 0) || value > 1e9f) return 0;
    if (unit == RESUNIT_CENTIMETER) return value * 100.0;
    if (unit == RESUNIT_INCH) return value / 0.0254;
    return 0;
}

// The page's resolution, and the calibration its description names.
FileResolution PageResolution(TIFF* tif)
{
    float xRes = 0, yRes = 0;
    std::uint16_t unit = RESUNIT_INCH;
    TIFFGetFieldDefaulted(tif, TIFFTAG_RESOLUTIONUNIT, &unit);
    TIFFGetField(tif, TIFFTAG_XRESOLUTION, &xRes);
    TIFFGetField(tif, TIFFTAG_YRESOLUTION, &yRes);
    const char* description = nullptr;
    TIFFGetField(tif, TIFFTAG_IMAGEDESCRIPTION, &description);
    FileResolution resolution{ResolutionInMetres(xRes, unit), ResolutionInMetres(yRes, unit), {}};
    if (description != nullptr) resolution.named = DescriptionCalibration(description, xRes, yRes);
    return resolution;
}

// A calibrated image's resolution in pixels per its unit, with the ImageJ
// description that names the unit (inches and centimetres also as the
// ResolutionUnit); else the resolution it was read with, in whole dots per
// inch when it is that, in pixels per centimetre otherwise.
void SetResolution(TIFF* tif, const CImage& image)
{
    const CCalibration& c = image.calibration;
    if (c.Calibrated()) {
        TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT,
                     c.unit == "cm" ? RESUNIT_CENTIMETER : c.unit == "in" ? RESUNIT_INCH : RESUNIT_NONE);
        TIFFSetField(tif, TIFFTAG_XRESOLUTION, 1.0 / c.pixelWidth);
        TIFFSetField(tif, TIFFTAG_YRESOLUTION, 1.0 / c.pixelHeight);
        TIFFSetField(tif, TIFFTAG_IMAGEDESCRIPTION, ImageJDescription(c).c_str());
        return;
    }
    if (!(image.xPixelsPerMetre > 0) || !(image.yPixelsPerMetre > 0)) return;
    const double xInch = WholeDotsPerInch(image.xPixelsPerMetre), yInch = WholeDotsPerInch(image.yPixelsPerMetre);
    const bool inch = xInch > 0 && yInch > 0;
    TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, inch ? RESUNIT_INCH : RESUNIT_CENTIMETER);
    TIFFSetField(tif, TIFFTAG_XRESOLUTION, inch ? xInch : image.xPixelsPerMetre / 100.0);
    TIFFSetField(tif, TIFFTAG_YRESOLUTION, inch ? yInch : image.yPixelsPerMetre / 100.0);
}

// Unpacks count samples of bits (1, 2, 4, 8 or 16) from a packed row, every
// stride-th output place from out on, as plain values.
template <typename T>
void UnpackSamples(const std::uint8_t* in, int bits, int count, int stride, T* out)
{
    if (stride == 1 && bits == 8 * int(sizeof(T))) {
        std::memcpy(out, in, size_t(count) * sizeof(T));
    } else if (bits == 16) {
        const auto* in16 = reinterpret_cast<const std::uint16_t*>(in);
        for (int i = 0; i < count; ++i) out[size_t(i) * stride] = static_cast<T>(in16[i]);
    } else if (bits == 8) {
        for (int i = 0; i < count; ++i) out[size_t(i) * stride] = in[i];
    } else {
        const int perByte = 8 / bits;
        const int mask = (1 << bits) - 1;
        for (int i = 0; i < count; ++i) {
            const int shift = 8 - bits * (i % perByte + 1);
            out[size_t(i) * stride] = static_cast<T>((in[i / perByte] >> shift) & mask);
        }
    }
}

struct TiffLayout {
    std::uint32_t width = 0, height = 0;
    std::uint16_t bits = 1, samples = 1, photometric = PHOTOMETRIC_MINISBLACK, planar = PLANARCONFIG_CONTIG;
    std::uint16_t sampleFormat = SAMPLEFORMAT_UINT;
    std::uint16_t compression = COMPRESSION_NONE;
    bool tiled = false;
    bool byScanline = false;  // strips too tall to hold decoded are read a row at a time
    bool viaRgba = false;     // old-style JPEG, read through libtiff's RGBA interface
    std::uint32_t bandRows = 0, tileWidth = 0;
    int colours = 1;
    std::uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;  // palette
};

// Reads the first page one band (a strip, or a row of tiles) at a time.
template <typename T>
class TiffBands {
public:
    TiffBands(TIFF* tif, const TiffLayout& l, DecodedImage& image)
        : tif_(tif), l_(l), image_(image), planes_(l.planar == PLANARCONFIG_SEPARATE ? l.samples : 1)
    {
        if constexpr (std::is_same_v<T, std::uint16_t>) {
            straight_ = !l.tiled && !l.byScanline && l.samples == 1 && l.photometric == PHOTOMETRIC_MINISBLACK &&
                        image.RawRows(0);
            // libtiff undoes horizontal differences a sample at a time through
            // memory; summed up here the running value stays in a register.
            // Only the codecs that keep a predictor are asked for it.
            std::uint16_t predictor = PREDICTOR_NONE;
            if (straight_ && (l.compression == COMPRESSION_LZW || l.compression == COMPRESSION_ADOBE_DEFLATE ||
                              l.compression == COMPRESSION_DEFLATE))
                TIFFGetField(tif, TIFFTAG_PREDICTOR, &predictor);
            addUp_ = predictor == PREDICTOR_HORIZONTAL && TIFFSetField(tif, TIFFTAG_PREDICTOR, PREDICTOR_NONE);
        }
        if (straight_) return;
        band_.resize(size_t(BandRows(l)) * l.width * l.samples);
        piece_.resize(PieceBytes(tif, l));
        if (l.photometric == PHOTOMETRIC_PALETTE) colourRow_.resize(size_t(l.width) * 3);
        BuildPalette();
    }
    // What one band takes from the file: a tile, a strip, or a row of a
    // strip too tall to hold decoded.
    static size_t PieceBytes(TIFF* tif, const TiffLayout& l)
    {
        if (l.tiled) return static_cast<size_t>(TIFFTileSize64(tif));
        return static_cast<size_t>(l.byScanline ? TIFFScanlineSize64(tif) : TIFFStripSize64(tif));
    }
    // Tiles may reach below the image; the band holds the image's rows only.
    static std::uint32_t BandRows(const TiffLayout& l) { return std::min(l.bandRows, l.height); }
    static std::uint64_t BufferBytes(TIFF* tif, const TiffLayout& l)
    {
        return std::uint64_t(BandRows(l)) * l.width * l.samples * sizeof(T) + PieceBytes(tif, l) +
               std::uint64_t(l.width) * 3;
    }
    // false with libtiff's reason kept in its error handler.
    bool Read(bool scan)
    {
        for (std::uint32_t y0 = 0; y0 < l_.height; y0 += l_.bandRows) {
            const std::uint32_t rows = std::min(l_.bandRows, l_.height - y0);
            if (straight_) {
                // Plain 16-bit grey strips decode with no copy, into the rows
                // that wait for the range.
                std::uint16_t* into = image_.RawRows(static_cast<int>(y0));
                const tstrip_t strip = TIFFComputeStrip(tif_, y0, 0);
                if (TIFFReadEncodedStrip(tif_, strip, into, tmsize_t(rows) * l_.width * 2) < 0) return false;
                for (std::uint32_t r = 0; r < rows; ++r) {
                    std::uint16_t* row = into + size_t(r) * l_.width;
                    if (addUp_) AddUpDifferences(row, l_.width);
                    image_.PutRow(static_cast<int>(y0 + r), row);
                }
                continue;
            }
            for (int p = 0; p < planes_; ++p)
                if (!(l_.tiled ? ReadTiles(y0, rows, p) : ReadStrip(y0, rows, p))) return false;
            for (std::uint32_t r = 0; r < rows; ++r) {
                T* row = band_.data() + size_t(r) * l_.width * l_.samples;
                const void* out = Convert(row);
                if (scan)
                    image_.ScanRow(out);
                else
                    image_.PutRow(static_cast<int>(y0 + r), out);
            }
        }
        return true;
    }

private:
    static void AddUpDifferences(std::uint16_t* row, std::uint32_t count)
    {
        std::uint16_t sum = 0;
        for (std::uint32_t i = 0; i < count; ++i) row[i] = sum = static_cast<std::uint16_t>(sum + row[i]);
    }

    int Stride() const { return planes_ > 1 ? l_.samples : 1; }
    int PieceSamples(std::uint32_t pixels) const { return static_cast<int>(pixels) * (planes_ > 1 ? 1 : l_.samples); }

    bool ReadStrip(std::uint32_t y0, std::uint32_t rows, int plane)
    {
        if (l_.byScanline) {
            if (TIFFReadScanline(tif_, piece_.data(), y0, 0) < 0) return false;
            UnpackSamples(piece_.data(), l_.bits, PieceSamples(l_.width), 1, band_.data());
            return true;
        }
        const tstrip_t strip = TIFFComputeStrip(tif_, y0, static_cast<std::uint16_t>(plane));
        if (TIFFReadEncodedStrip(tif_, strip, piece_.data(), -1) < 0) return false;
        const tmsize_t rowBytes = (tmsize_t(PieceSamples(l_.width)) * l_.bits + 7) / 8;
        if (tmsize_t(rows) * rowBytes > tmsize_t(piece_.size())) return false;
        for (std::uint32_t r = 0; r < rows; ++r)
            UnpackSamples(piece_.data() + r * rowBytes, l_.bits, PieceSamples(l_.width), Stride(),
                          band_.data() + size_t(r) * l_.width * l_.samples + plane);
        return true;
    }

    bool ReadTiles(std::uint32_t y0, std::uint32_t rows, int plane)
    {
        const tmsize_t rowBytes = (tmsize_t(PieceSamples(l_.tileWidth)) * l_.bits + 7) / 8;
        for (std::uint32_t x0 = 0; x0 < l_.width; x0 += l_.tileWidth) {
            const ttile_t tile = TIFFComputeTile(tif_, x0, y0, 0, static_cast<std::uint16_t>(plane));
            if (TIFFReadEncodedTile(tif_, tile, piece_.data(), -1) < 0) return false;
            const std::uint32_t pixels = std::min(l_.tileWidth, l_.width - x0);
            for (std::uint32_t r = 0; r < rows; ++r)
                UnpackSamples(piece_.data() + r * rowBytes, l_.bits, PieceSamples(pixels), Stride(),
                              band_.data() + (size_t(r) * l_.width + x0) * l_.samples + plane);
        }
        return true;
    }

    // Levels below 8 bits are stretched to 0..255; min-is-white inverted;
    // palette indices looked up.
    const void* Convert(T* row)
    {
        const size_t count = size_t(l_.width) * l_.samples;
        if (l_.photometric == PHOTOMETRIC_PALETTE) {
            for (std::uint32_t x = 0; x < l_.width; ++x) {
                const size_t index = row[size_t(x) * l_.samples];
                colourRow_[x * 3] = palette_[index * 3];
                colourRow_[x * 3 + 1] = palette_[index * 3 + 1];
                colourRow_[x * 3 + 2] = palette_[index * 3 + 2];
            }
            return colourRow_.data();
        }
        const int top = (1 << l_.bits) - 1;
        if (l_.bits < 8)
            for (size_t i = 0; i < count; ++i) row[i] = static_cast<T>(row[i] * 255 / top);
        if (l_.photometric == PHOTOMETRIC_MINISWHITE) {
            const int white = l_.bits < 8 ? 255 : top;
            for (size_t i = 0; i < count; i += l_.samples) row[i] = static_cast<T>(white - row[i]);
        }
        return row;
    }

    // Colour maps hold 16-bit values; old writers stored 8-bit ones.
    void BuildPalette()
    {
        if (l_.photometric != PHOTOMETRIC_PALETTE) return;
        const size_t entries = size_t(1) << l_.bits;
        bool eightBit = true;
        for (size_t k = 0; k < entries; ++k) eightBit &= l_.red[k] < 256 && l_.green[k] < 256 && l_.blue[k] < 256;
        const int shift = eightBit ? 0 : 8;
        palette_.resize(entries * 3);
        for (size_t k = 0; k < entries; ++k) {
            palette_[k * 3] = static_cast<std::uint8_t>(l_.red[k] >> shift);
            palette_[k * 3 + 1] = static_cast<std::uint8_t>(l_.green[k] >> shift);
            palette_[k * 3 + 2] = static_cast<std::uint8_t>(l_.blue[k] >> shift);
        }
    }

    TIFF* tif_;
    const TiffLayout& l_;
    DecodedImage& image_;
    int planes_;
    std::vector<T> band_;
    std::vector<std::uint8_t> piece_;
    std::vector<std::uint8_t> palette_;
    std::vector<std::uint8_t> colourRow_;
    bool straight_ = false;  // plain 16-bit grey strips, read with no copy
    bool addUp_ = false;     // their horizontal differences are summed here
};

// The first page's layout, or the reason it cannot be read.
std::string ReadLayout(TIFF* tif, TiffLayout& l)
{
    std::uint16_t& compression = l.compression;
    TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &l.width);
    TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &l.height);
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &l.bits);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &l.samples);
    TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &l.planar);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLEFORMAT, &l.sampleFormat);
    TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression);
    if (!TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &l.photometric))
        l.photometric = l.samples >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK;
    if (!TIFFIsCODECConfigured(compression)) return Format("TIFF compression %d is not supported.", compression);
    if (l.photometric == PHOTOMETRIC_YCBCR && compression == COMPRESSION_JPEG) {
        // The JPEG codec converts to RGB itself.
        TIFFSetField(tif, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
        l.photometric = PHOTOMETRIC_RGB;
    }
    if (l.sampleFormat != SAMPLEFORMAT_UINT)
        return "Only unsigned integer TIFF samples are supported, not signed or floating-point ones.";
    // The old JPEG codec gives subsampled YCbCr, which the RGBA interface converts.
    l.viaRgba = compression == COMPRESSION_OJPEG;
    if (l.viaRgba) l.colours = 3;
    else switch (l.photometric) {
    case PHOTOMETRIC_MINISBLACK:
    case PHOTOMETRIC_MINISWHITE:
        if (l.bits != 1 && l.bits != 2 && l.bits != 4 && l.bits != 8 && l.bits != 16)
            return Format("TIFF grey samples of %d bits are not supported; 1, 2, 4, 8 and 16 bits are.", l.bits);
        if (l.samples < 1) return "The TIFF file has no samples.";
        l.colours = 1;
        break;
    case PHOTOMETRIC_RGB:
        if (l.bits != 8 && l.bits != 16)
            return Format("TIFF RGB samples of %d bits are not supported; 8 and 16 bits are.", l.bits);
        if (l.samples < 3) return Format("A TIFF RGB image needs 3 samples per pixel, not %d.", l.samples);
        l.colours = 3;
        break;
    case PHOTOMETRIC_PALETTE:
        if (l.bits != 1 && l.bits != 2 && l.bits != 4 && l.bits != 8)
            return Format("TIFF palette indices of %d bits are not supported; 1, 2, 4 and 8 bits are.", l.bits);
        if (l.samples < 1) return "A TIFF palette image needs 1 sample per pixel.";
        if (!TIFFGetField(tif, TIFFTAG_COLORMAP, &l.red, &l.green, &l.blue)) return "The TIFF palette is missing.";
        l.colours = 3;
        break;
    default:
        return Format("TIFF photometric interpretation %d is not supported; grey, palette and RGB images are.",
                      l.photometric);
    }
    // Samples past the colours and a few extras would only be skipped, at a
    // cost the file's bytes need not pay for.
    const int decodedSamples = l.photometric == PHOTOMETRIC_PALETTE ? 1 : l.colours;
    if (l.samples > decodedSamples + kTiffExtraSamples)
        return Format("TIFF images of %d samples per pixel are not supported; at most %d are.", l.samples,
                      decodedSamples + kTiffExtraSamples);
    l.tiled = TIFFIsTiled(tif);
    if (l.tiled) {
        std::uint32_t tileLength = 0;
        TIFFGetField(tif, TIFFTAG_TILEWIDTH, &l.tileWidth);
        TIFFGetField(tif, TIFFTAG_TILELENGTH, &tileLength);
        if (l.tileWidth == 0 || tileLength == 0) return "The TIFF tile size is invalid.";
        l.bandRows = tileLength;
    } else {
        TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &l.bandRows);
        l.bandRows = std::max<std::uint32_t>(1, std::min(l.bandRows, l.height));
        // Whole strips decode fastest (libtiff then inflates them in one call);
        // a tall contiguous one is decoded a row at a time instead.
        constexpr std::uint64_t kWholeStripBytes = 16 << 20;
        if (l.planar != PLANARCONFIG_SEPARATE && static_cast<std::uint64_t>(TIFFStripSize64(tif)) > kWholeStripBytes) {
            l.byScanline = true;
            l.bandRows = 1;
        }
    }
    return std::string();
}

// The page's pixels through the bands, with the range pass 16-bit colour needs.
template <typename T>
void ReadBands(TiffStream& stream, const TiffLayout& l, DecodedImage& image, const std::string& path)
{
    TIFF* tif = stream.get();
    image.Allocate(0, TiffBands<T>::BufferBytes(tif, l));
    std::optional<TiffBands<T>> bands;
    try {
        bands.emplace(tif, l, image);
    } catch (const std::bad_alloc&) {
        RefuseImage(path, "Out of memory.");
    }
    if (image.NeedsRangePass()) {
        if (!bands->Read(true)) RefuseImage(path, stream.Reason("The TIFF file could not be decoded."));
        image.EndRangePass();
    }
    if (!bands->Read(false)) RefuseImage(path, stream.Reason("The TIFF file could not be decoded."));
}

template <typename T>
void ReadPage(TiffStream& stream, const TiffLayout& l, CImage& target, const std::string& path,
              std::uint64_t fileBytes)
{
    TIFF* tif = stream.get();
    RowLayout layout;
    layout.width = static_cast<int>(std::min<std::uint32_t>(l.width, INT_MAX));
    layout.height = static_cast<int>(std::min<std::uint32_t>(l.height, INT_MAX));
    layout.colours = l.colours;
    layout.stride = l.viaRgba ? 4 : l.photometric == PHOTOMETRIC_PALETTE ? 3 : l.samples;
    layout.bits = l.bits == 16 && !l.viaRgba ? 16 : 8;
    layout.alpha = l.samples > (l.photometric == PHOTOMETRIC_PALETTE ? 1 : l.colours);
    DecodedImage image(path, layout, fileBytes);
    if (l.viaRgba) {
        const std::uint32_t rows = TiffBands<T>::BandRows(l);
        std::uint8_t* buffer = image.Allocate(std::uint64_t(l.width) * rows * 4);
        char message[1024] = "The TIFF file could not be decoded.";
        if (!ReadRgbaBands(tif, l.width, l.height, rows, image, buffer, message))
            RefuseImage(path, stream.Reason(message));
    } else {
        ReadBands<T>(stream, l, image, path);
    }

    FileFacts facts;
    facts.format = FileFormat::Tiff;
    facts.bitsPerSample = l.bits;
    facts.samplesPerPixel = l.samples;
    facts.pages = std::max<int>(1, static_cast<int>(TIFFNumberOfDirectories(tif)));
    image.Finish(target, facts, PageResolution(tif));
}

}  // namespace

void ReadTiff(CFile& file, CImage& target)
{
    const std::string& path = file.Path();
    file.Seek(0);
    TiffStream stream(file, "rm");
    if (!stream.get()) RefuseImage(path, stream.Reason("The TIFF header could not be read."));
    TiffLayout layout;
    std::string problem = ReadLayout(stream.get(), layout);
    if (problem.empty()) problem = TiffDataShortfall(stream.get(), file.Length());
    if (!problem.empty()) RefuseImage(path, problem);
    if (layout.bits == 16 && !layout.viaRgba)
        ReadPage<std::uint16_t>(stream, layout, target, path, file.Length());
    else
        ReadPage<std::uint8_t>(stream, layout, target, path, file.Length());
}

void WriteTiff(const CImage& image, CArchive& archive)
{
    archive.Flush();
    CFile& file = archive.GetFile();
    const int samples = WrittenSamples(image);
    // Past 4 GB only BigTIFF can hold the offsets.
    const bool big = std::uint64_t(image.width) * std::uint64_t(image.height) * samples > (std::uint64_t(3) << 30);
    TiffStream stream(file, big ? "w8" : "w");
    TIFF* tif = stream.get();
    auto fail = [&stream]() -> FileError {
        if (stream.io().writeErrno) return FileError::FromErrno(stream.io().writeErrno);
        return FileError{0, stream.Reason("The TIFF file could not be written.")};
    };
    if (!tif) throw fail();
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(image.width));
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(image.height));
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, samples);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, samples == 1 ? PHOTOMETRIC_MINISBLACK : PHOTOMETRIC_RGB);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE);
    // Strips of about 16 KiB: deflate works fastest on pieces that size.
    const std::uint32_t rowBytes = static_cast<std::uint32_t>(image.width) * samples;
    const int stripRows = static_cast<int>(std::max<std::uint32_t>(1, (16u << 10) / std::max(rowBytes, 1u)));
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, stripRows);
    SetResolution(tif, image);
    // Strips are deflated here, a batch of them at a time in bands over the
    // cores, and written as they are: libtiff deflates them one after the
    // other, with libdeflate at this level, to the same bytes.
    const int strips = (image.height + stripRows - 1) / stripRows;
    const int batch = std::max(1, (4 << 20) / std::max(1, stripRows * static_cast<int>(rowBytes)));
    const size_t bound = libdeflate_zlib_compress_bound(nullptr, size_t(stripRows) * rowBytes);
    std::vector<std::uint8_t> packed(size_t(std::min(batch, strips)) * bound);
    std::vector<size_t> sizes(packed.size() / bound);
    for (int first = 0; first < strips; first += batch) {
        const int count = std::min(batch, strips - first);
        parallel::ForBands(0, count, std::int64_t(stripRows) * image.width, [&](int from, int to) {
            const std::unique_ptr<libdeflate_compressor, void (*)(libdeflate_compressor*)> deflater(
                libdeflate_alloc_compressor(kDeflateLevel), libdeflate_free_compressor);
            if (!deflater) throw std::bad_alloc();
            std::vector<std::uint8_t> strip(size_t(stripRows) * rowBytes);
            for (int k = from; k < to; ++k) {
                const int y0 = (first + k) * stripRows, rows = std::min(stripRows, image.height - y0);
                for (int r = 0; r < rows; ++r) {
                    std::uint8_t* row = strip.data() + size_t(r) * rowBytes;
                    const std::uint8_t* bytes = WrittenRow(image, y0 + r, row);
                    if (bytes != row) std::memcpy(row, bytes, rowBytes);
                }
                sizes[size_t(k)] = libdeflate_zlib_compress(deflater.get(), strip.data(), size_t(rows) * rowBytes,
                                                            packed.data() + size_t(k) * bound, bound);
            }
        });
        for (int k = 0; k < count; ++k)
            if (TIFFWriteRawStrip(tif, static_cast<std::uint32_t>(first + k), packed.data() + size_t(k) * bound,
                                  static_cast<tmsize_t>(sizes[size_t(k)])) < 0)
                throw fail();
    }
    if (!TIFFFlush(tif)) throw fail();
}
