// PNG files through libpng: every colour type, depth and interlace read row by
// row, 8-bit grey or RGB written. libpng reports errors by longjmp, so each
// setjmp and every libpng call under it sit in one function whose locals have
// no destructors; the callbacks never throw.
#include <bit>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <cstdio>
#include <optional>
#include <png.h>
#include <zlib.h>
#include <vector>

#include "image/DecodedImage.h"
#include "image/File.h"
#include "image/FormatCodecs.h"
#include "image/Image.h"
#include "image/PngFilters.h"
#include "image/PngIdat.h"
#include "image/PngRowBatches.h"
#include "platform/Memory.h"

namespace {

struct PngIo {
    CFile* file = nullptr;
    // libpng asks for every chunk header and chunk on its own: read ahead.
    std::vector<png_byte> ahead;
    size_t aheadAt = 0;
    CArchive* archive = nullptr;
    char error[256] = "";
    std::optional<FileError> fileError;
    // The last 8 bytes asked for at once: after the header chunks, the first
    // IDAT chunk's length and name.
    png_byte lastEight[8] = {};
    // Whether the image data may be inflated whole here, and whether that
    // failed, so that the file is read again the plain way.
    bool ownRows = false;
    bool readPlainly = false;
};

// Up to length bytes into data from the file through the read-ahead; fewer
// only at the end of the file. Throws FileError.
size_t Take(PngIo& io, png_bytep data, size_t length)
{
    size_t got = 0;
    while (got < length) {
        if (io.aheadAt == io.ahead.size()) {
            io.ahead.resize(64 << 10);
            io.ahead.resize(io.file->Read(io.ahead.data(), io.ahead.size()));
            io.aheadAt = 0;
            if (io.ahead.empty()) break;
        }
        const size_t step = std::min(length - got, io.ahead.size() - io.aheadAt);
        std::memcpy(data + got, io.ahead.data() + io.aheadAt, step);
        io.aheadAt += step;
        got += step;
    }
    return got;
}

void OnError(png_structp png, png_const_charp text)
{
    auto* io = static_cast<PngIo*>(png_get_error_ptr(png));
    std::snprintf(io->error, sizeof io->error, "%s", text);
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void ReadData(png_structp png, png_bytep data, size_t length)
{
    auto* io = static_cast<PngIo*>(png_get_io_ptr(png));
    char reason[256] = "The file ends too early.";
    size_t got = 0;
    try {
        got = Take(*io, data, length);
    } catch (const FileError& e) {
        std::snprintf(reason, sizeof reason, "%s", e.text.c_str());
    }
    if (got != length) png_error(png, reason);
    if (length == sizeof io->lastEight) std::memcpy(io->lastEight, data, length);
}

void WriteData(png_structp png, png_bytep data, size_t length)
{
    auto* io = static_cast<PngIo*>(png_get_io_ptr(png));
    try {
        io->archive->Write(data, length);
        return;
    } catch (const FileError& e) {
        io->fileError = e;
    }
    png_error(png, io->fileError->text.c_str());
}

void FlushData(png_structp) {}

struct PngHeader {
    int width = 0;
    int height = 0;
    int fileBits = 8;
    int fileChannels = 1;
    int channels = 1;  // after expansion
    int bits = 8;
    size_t rowBytes = 0;
    bool interlaced = false;
    int xPixelsPerMetre = 0;
    int yPixelsPerMetre = 0;
    bool bigEndian = false;  // 16-bit samples left in the file's order
};

// Receives the header and then every row in order. Begin may refuse the
// file (it runs between libpng's calls); Row never throws.
class PngTarget {
public:
    PngTarget(const std::string& path, std::uint64_t fileBytes) : path_(path), fileBytes_(fileBytes) {}

    // The buffer rows are decoded into: one row, or the whole image when interlaced.
    png_bytep Begin(const PngHeader& h)
    {
        if (!image_) {
            header = h;
            RowLayout layout;
            layout.width = h.width;
            layout.height = h.height;
            layout.colours = h.channels <= 2 ? 1 : 3;
            layout.stride = h.channels;
            layout.bits = h.bits;
            layout.alpha = h.channels == 2 || h.channels == 4;
            layout.bigEndian = h.bigEndian;
            image_.emplace(path_, layout, fileBytes_);
            const std::uint64_t rowCount = h.interlaced ? std::uint64_t(h.height) : 1;
            buffer_ = image_->Allocate(rowCount * h.rowBytes);
            scanning_ = image_->NeedsRangePass();
        }
        return buffer_;
    }
    // Where row y is decoded when rows come in order: 16-bit grey straight
    // into the rows that wait for the range, else the buffer.
    png_bytep RowFor(int y)
    {
        std::uint16_t* raw = scanning_ ? nullptr : image_->RawRows(y);
        return raw ? reinterpret_cast<png_bytep>(raw) : buffer_;
    }
    void Row(int y, png_bytep row)
    {
        if (scanning_)
            image_->ScanRow(row);
        else
            image_->PutRow(y, row);
    }
    bool Scanning() const { return scanning_; }
    void EndScan()
    {
        image_->EndRangePass();
        scanning_ = false;
    }
    DecodedImage& Image() { return *image_; }
    PngHeader header;

private:
    std::string path_;
    std::uint64_t fileBytes_;
    std::optional<DecodedImage> image_;
    png_bytep buffer_ = nullptr;
    bool scanning_ = false;
};

struct PngReadStructs {
    png_structp png = nullptr;
    png_infop info = nullptr;
    PngIo io;
    explicit PngReadStructs(CFile& file)
    {
        io.file = &file;
        png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &io, OnError, OnWarning);
        if (png) info = png_create_info_struct(png);
    }
    ~PngReadStructs() { png_destroy_read_struct(&png, &info, nullptr); }
};

int ClampedMetre(png_uint_32 v) { return v > INT_MAX ? INT_MAX : static_cast<int>(v); }

// Images of 64 KB of data or more and 16 bits a sample, neither interlaced
// nor with a transparent colour (which libpng would expand), have their data
// inflated whole and unfiltered here, when there is room for it twice over:
// their rows wait for the file's range anyway. Rows of 8-bit samples go
// through libpng, which unfilters them in vector lanes and keeps no more
// than a row.
constexpr size_t kSmallestOwnRows = size_t(64) << 10;
constexpr std::uint64_t kDeflateMostExpansion = 1032;

bool TakesOwnRows(const PngIo& io, const PngHeader& h, png_structp png, png_infop info, int passes)
{
    if (!io.ownRows || passes != 1 || h.fileBits != 16 || h.channels != h.fileChannels ||
        png_get_valid(png, info, PNG_INFO_tRNS))
        return false;
    const std::uint64_t size = std::uint64_t(h.height) * (h.rowBytes + 1);
    const std::uint64_t length = io.file->Length();
    // Deflate expands its data at most 1032-fold: more than that from the
    // file's bytes is left to libpng, which refuses it as it comes.
    return size >= kSmallestOwnRows && size <= length * kDeflateMostExpansion &&
           2 * (size + length) < platform::AvailableMemory();
}

// The rows from the IDAT chunks on, after libpng has read the chunks before
// them; false when anything fails, and the file is to be read plainly.
bool DecodeOwnRows(PngIo& io, const PngHeader& h, PngTarget& sink)
{
    auto read = [&io](std::uint8_t* into, size_t count) -> size_t {
        try {
            return Take(io, into, count);
        } catch (const FileError&) {
            return 0;
        }
    };
    platform::Block<std::uint8_t> filtered;
    const std::uint64_t length = io.file->Length();
    if (!InflateIdat(read, io.lastEight, static_cast<size_t>(std::min<std::uint64_t>(length, SIZE_MAX)), h.rowBytes,
                     h.height, filtered))
        return false;
    const std::vector<std::uint8_t> zeros(h.rowBytes);  // above the first row
    const int bpp = h.fileChannels * h.fileBits / 8;
    // libpng turns 16-bit samples to the machine's order unless they are left as they are.
    const bool turn = h.fileBits == 16 && !h.bigEndian && std::endian::native == std::endian::little;
    const size_t stride = h.rowBytes + 1;
    for (int y = 0; y < h.height; ++y) {
        std::uint8_t* row = filtered.get() + size_t(y) * stride;
        if (!UnfilterPngRow(row[0], row + 1, y > 0 ? row + 1 - stride : zeros.data(), h.rowBytes, bpp)) return false;
        png_bytep out = sink.RowFor(y);
        if (turn)
            for (size_t i = 0; i + 1 < h.rowBytes; i += 2) {
                out[i] = row[1 + i + 1];
                out[i + 1] = row[1 + i];
            }
        else
            std::memcpy(out, row + 1, h.rowBytes);
        sink.Row(y, out);
    }
    return true;
}

// Reads from the file's start; false with the reason in io.error.
bool DecodePng(PngReadStructs& r, PngTarget& sink)
{
    png_structp png = r.png;
    png_infop info = r.info;
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_read_fn(png, &r.io, ReadData);
#ifdef PNG_IGNORE_ADLER32
    // Every chunk's CRC guards its compressed bytes already; zlib's second
    // sum, over all the bytes it inflates, costs as much as the CRCs and
    // catches nothing more in a file whose chunks check out.
    png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif
    png_read_info(png, info);
    PngHeader h;
    h.width = static_cast<int>(png_get_image_width(png, info));
    h.height = static_cast<int>(png_get_image_height(png, info));
    h.fileBits = png_get_bit_depth(png, info);
    h.fileChannels = png_get_channels(png, info);
    h.interlaced = png_get_interlace_type(png, info) != PNG_INTERLACE_NONE;
    png_uint_32 xRes = 0, yRes = 0;
    int unit = 0;
    if (png_get_pHYs(png, info, &xRes, &yRes, &unit) && unit == PNG_RESOLUTION_METER) {
        h.xPixelsPerMetre = ClampedMetre(xRes);
        h.yPixelsPerMetre = ClampedMetre(yRes);
    }
    png_set_expand(png);  // palettes to RGB, 1/2/4-bit grey to 8, transparency to alpha
    if (h.fileBits == 16 && std::endian::native == std::endian::little) {
        // Plain 16-bit grey is left in the file's order for the rows that
        // wait for the range, which turn it faster than libpng would.
        RowLayout plain;
        plain.bits = 16;
        h.bigEndian = png_get_color_type(png, info) == PNG_COLOR_TYPE_GRAY && !png_get_valid(png, info, PNG_INFO_tRNS) &&
                      DecodedImage::TakesBigEndian(plain);
        if (!h.bigEndian) png_set_swap(png);
    }
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    h.channels = png_get_channels(png, info);
    h.bits = png_get_bit_depth(png, info);
    h.rowBytes = png_get_rowbytes(png, info);
    png_bytep rows = sink.Begin(h);
    if (TakesOwnRows(r.io, h, png, info, passes)) {
        if (DecodeOwnRows(r.io, h, sink)) return true;
        r.io.readPlainly = true;
        return false;
    }
    if (passes > 1) {
        for (int pass = 0; pass < passes; ++pass)
            for (int y = 0; y < h.height; ++y) png_read_row(png, rows + size_t(y) * h.rowBytes, nullptr);
        for (int y = 0; y < h.height; ++y) sink.Row(y, rows + size_t(y) * h.rowBytes);
    } else {
        for (int y = 0; y < h.height; ++y) {
            png_bytep row = sink.RowFor(y);
            png_read_row(png, row, nullptr);
            sink.Row(y, row);
        }
    }
    return true;
}

void Decode(CFile& file, PngTarget& target)
{
    for (const bool own : {true, false}) {
        file.Seek(0);
        PngReadStructs r(file);
        if (!r.info) RefuseImage(file.Path(), "Out of memory.");
        r.io.ownRows = own;
        if (DecodePng(r, target)) return;
        if (!r.io.readPlainly) RefuseImage(file.Path(), r.io.error);
    }
}

struct PngWriteStructs {
    png_structp png = nullptr;
    png_infop info = nullptr;
    PngIo io;
    explicit PngWriteStructs(CArchive& archive)
    {
        io.archive = &archive;
        png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &io, OnError, OnWarning);
        if (png) info = png_create_info_struct(png);
    }
    ~PngWriteStructs() { png_destroy_write_struct(&png, &info); }
};

// libpng's IDAT settings for filtered rows: zlib's default level, its
// largest window and default memory, the strategy for filtered data, and
// chunks of libpng's buffer size. Its compressor settles a smaller window
// for data of 16 KB or less; such images go through libpng itself.
constexpr int kIdatStrategy = Z_FILTERED;
constexpr unsigned kIdatChunk = 8192;
constexpr std::size_t kSmallestOwnIdat = 16384;

// A deflate stream that ends with its owner.
struct Deflating {
    z_stream stream{};
    bool ready = false;
    ~Deflating()
    {
        if (ready) deflateEnd(&stream);
    }
};

bool EncodePng(PngWriteStructs& w, const CImage& image, std::uint8_t* buffer, PngRowBatches* batches,
               z_stream* zlib, std::uint8_t* chunk)
{
    png_structp png = w.png;
    png_infop info = w.info;
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_write_fn(png, &w.io, WriteData, FlushData);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
                 WrittenSamples(image) == 1 ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    const double xRes = std::round(image.xPixelsPerMetre), yRes = std::round(image.yPixelsPerMetre);
    if (xRes >= 1 && yRes >= 1 && xRes <= INT_MAX && yRes <= INT_MAX)
        png_set_pHYs(png, info, static_cast<png_uint_32>(xRes), static_cast<png_uint_32>(yRes), PNG_RESOLUTION_METER);
    png_write_info(png, info);
    if (!batches) {
        for (int y = 0; y < image.height; ++y) png_write_row(png, WrittenRow(image, y, buffer));
        png_write_end(png, nullptr);
        return true;
    }
    // The IDAT chunks of the filtered rows, byte for byte as libpng would
    // write them (a full chunk whenever its buffer fills, the rest at the
    // end), then the IEND chunk, which is all png_write_end writes here.
    zlib->next_out = chunk;
    zlib->avail_out = kIdatChunk;
    for (bool more = true; more;) {
        std::size_t bytes = 0;
        const std::uint8_t* in = batches->Next(bytes);
        more = in != nullptr;
        zlib->next_in = const_cast<Bytef*>(in);
        zlib->avail_in = static_cast<uInt>(bytes);
        for (;;) {
            const int done = deflate(zlib, more ? Z_NO_FLUSH : Z_FINISH);
            if (done != Z_OK && done != Z_STREAM_END && done != Z_BUF_ERROR) png_error(png, "zlib failed.");
            if (zlib->avail_out == 0) {
                png_write_chunk(png, reinterpret_cast<png_const_bytep>("IDAT"), chunk, kIdatChunk);
                zlib->next_out = chunk;
                zlib->avail_out = kIdatChunk;
                continue;
            }
            if (more ? zlib->avail_in == 0 : done == Z_STREAM_END) break;
        }
    }
    if (zlib->avail_out < kIdatChunk)
        png_write_chunk(png, reinterpret_cast<png_const_bytep>("IDAT"), chunk, kIdatChunk - zlib->avail_out);
    png_write_chunk(png, reinterpret_cast<png_const_bytep>("IEND"), nullptr, 0);
    return true;
}

}  // namespace

void ReadPng(CFile& file, CImage& target)
{
    PngTarget sink(file.Path(), file.Length());
    Decode(file, sink);
    if (sink.Scanning()) {
        sink.EndScan();
        Decode(file, sink);
    }
    FileFacts facts;
    facts.format = FileFormat::Png;
    facts.bitsPerSample = sink.header.fileBits;
    facts.samplesPerPixel = sink.header.fileChannels;
    sink.Image().Finish(target, facts, {double(sink.header.xPixelsPerMetre), double(sink.header.yPixelsPerMetre), {}});
}

void WritePng(const CImage& image, CArchive& archive)
{
    std::vector<std::uint8_t> buffer(static_cast<size_t>(image.width));
    PngWriteStructs w(archive);
    if (!w.info) throw std::bad_alloc();
    // Larger images are filtered here, in vector lanes and beside the
    // deflating where there is a second core, and deflated as libpng does.
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * WrittenSamples(image);
    std::optional<PngRowBatches> batches;
    Deflating zlib;
    std::vector<std::uint8_t> chunk;
    if (static_cast<std::size_t>(image.height) * (rowBytes + 1) > kSmallestOwnIdat) {
        if (deflateInit2(&zlib.stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15, 8, kIdatStrategy) != Z_OK)
            throw std::bad_alloc();
        zlib.ready = true;
        batches.emplace(image);
        chunk.resize(kIdatChunk);
    }
    if (EncodePng(w, image, buffer.data(), batches ? &*batches : nullptr, &zlib.stream, chunk.data())) return;
    if (w.io.fileError) throw *w.io.fileError;
    throw FileError{0, w.io.error};
}
