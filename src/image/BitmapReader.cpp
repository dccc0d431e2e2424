// Reads 1-, 4-, 8-, 24- and 32-bit uncompressed bitmaps, bottom-up or
// top-down, with the plain info header or its longer versions (108 and 124
// bytes). Every header field is checked before it is trusted; the file is
// decoded into a fresh image that replaces this one only when the whole
// file was read.
#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include <type_traits>

#include "image/BitmapMasks.h"
#include "image/DecodedImage.h"
#include "image/File.h"
#include "image/Image.h"
#include "image/RgbBytes.h"
#include "platform/Format.h"
#include "platform/Memory.h"
#include "platform/UserInterface.h"
#include "platform/ParallelRows.h"

namespace {

std::uint32_t Le32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}
std::uint16_t Le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

using platform::Format;

// Info header sizes: the plain one, and the versions that add colour masks,
// colour space and (the last) an ICC profile, all of which but the masks
// are ignored.
constexpr std::uint32_t kInfoBytes = 40;
constexpr std::uint32_t kV4Bytes = 108;
constexpr std::uint32_t kV5Bytes = 124;
constexpr std::uint32_t kBitfields = 3;

struct Palette {
    std::vector<CColorVal> colors;
    std::vector<bool> grey;
};

// Rows of file data read at once: large enough that reading and decoding
// pay no per-row overhead, small beside any image worth splitting.
constexpr std::uint64_t kBlockBytes = 1 << 20;

// What decoding one row found.
struct RowDecoding {
    bool ok = true;
    bool rgb = false;  // a pixel that is not grey
    int badX = 0;      // the first pixel with an index outside the table
    int badIndex = 0;
    bool alpha = false;  // a 32-bit pixel with alpha bits set
};

// Decodes one stored row of palette indices; false at an index outside the table.
// Out is CColorVal, or std::uint8_t for the levels of a table that is all grey.
template <int Bits, typename Out>
bool DecodePaletteRow(const std::uint8_t* in, int width, const Palette& pal, Out* out, RowDecoding& row)
{
    const size_t entries = pal.colors.size();
    for (int x = 0; x < width; ++x) {
        unsigned index;
        if constexpr (Bits == 8) {
            index = in[x];
        } else if constexpr (Bits == 4) {
            const std::uint8_t byte = in[x >> 1];
            index = (x & 1) ? (byte & 0x0F) : (byte >> 4);
        } else {
            index = (in[x >> 3] >> (7 - (x & 7))) & 1;
        }
        if (index >= entries) {
            row.badX = x;
            row.badIndex = static_cast<int>(index);
            return false;
        }
        if constexpr (std::is_same_v<Out, CColorVal>) {
            out[x] = pal.colors[index];
            if (!pal.grey[index]) row.rgb = true;
        } else {
            out[x] = pal.colors[index].red;
        }
    }
    return true;
}

}  // namespace

void CImage::ReadBitmap(CArchive& archive)
{
    CFile& file = archive.GetFile();
    const std::string& path = file.Path();
    auto abortWith = [&path](const std::string& reason) { RefuseImage(path, reason); };
    std::uint8_t fileHeader[14];
    file.Seek(0);
    if (file.Read(fileHeader, sizeof fileHeader) != sizeof fileHeader) abortWith("Failed to read bitmap file header");
    if (Le16(fileHeader) != 0x4D42) abortWith("Not a bitmap file");

    std::uint8_t info[kV5Bytes] = {};
    if (file.Read(info, kInfoBytes) != kInfoBytes) abortWith("Failed to read bitmap info header");
    const std::uint32_t infoBytes = Le32(info);
    if (infoBytes != kInfoBytes && infoBytes != kV4Bytes && infoBytes != kV5Bytes)
        abortWith("File is not Windows DIB format");
    if (file.Read(info + kInfoBytes, infoBytes - kInfoBytes) != infoBytes - kInfoBytes)
        abortWith("Failed to read bitmap info header");
    const auto fileWidth = static_cast<std::int32_t>(Le32(info + 4));
    const auto storedHeight = static_cast<std::int32_t>(Le32(info + 8));
    const int bits = Le16(info + 14);
    const std::uint32_t compression = Le32(info + 16);
    const std::uint32_t colorsUsed = Le32(info + 32);
    const std::uint32_t dataOffset = Le32(fileHeader + 10);

    // Colour masks say where 32-bit pixels keep their colours.
    if (compression != 0 && !(compression == kBitfields && bits == 32))
        abortWith("Bitmap is not compression type BI_RGB (uncompressed).\nOnly uncompressed bitmaps are supported.");
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        abortWith(Format("Bit depth (%d) is an unsupported number.\nOnly 1, 4, 8 and 24-bit bitmaps are supported.", bits));
    // A negative height stores the rows top-down.
    const bool topDown = storedHeight < 0;
    const std::int64_t rowCount = topDown ? -std::int64_t(storedHeight) : storedHeight;
    if (fileWidth <= 0 || rowCount == 0 || rowCount > INT_MAX)
        abortWith(Format("Bitmap size (%d x %lld) is invalid.\nWidth and height must be at least 1 pixel.", fileWidth,
                         static_cast<long long>(rowCount)));
    const auto fileHeight = static_cast<std::int32_t>(rowCount);
    std::optional<BitmapMasks> masks;
    if (bits == 32) {
        std::uint8_t m[12];
        if (compression != kBitfields)  // blue, green, red and an unused byte that may be alpha
            masks = BitmapMasks::Make(0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000);
        else if (infoBytes > kInfoBytes)
            masks = BitmapMasks::Make(Le32(info + 40), Le32(info + 44), Le32(info + 48), Le32(info + 52));
        else if (file.Read(m, sizeof m) != sizeof m)
            abortWith("Failed to read bitmap info header");
        else
            masks = BitmapMasks::Make(Le32(m), Le32(m + 4), Le32(m + 8), 0);
        if (!masks) abortWith("Bitmap color masks are invalid.\nEach color needs one run of bits of its own.");
    }
    // Counts, histograms and loop indices are 32-bit throughout.
    const std::uint64_t pixelCount = std::uint64_t(fileWidth) * std::uint64_t(fileHeight);
    if (pixelCount > static_cast<std::uint64_t>(INT_MAX))
        abortWith(Format("Bitmap size (%d x %d) is too large.\nImages of at most %d pixels are supported.", fileWidth,
                         fileHeight, INT_MAX));

    const bool paletted = bits <= 8;
    const std::uint64_t maxEntries = paletted ? (1u << bits) : 0;
    const std::uint64_t entries = paletted ? (colorsUsed == 0 ? maxEntries : colorsUsed) : 0;
    if (entries > maxEntries)
        abortWith(Format("Bitmap color table size (%u) is invalid.\nA %d-bit bitmap has at most %u colors.", colorsUsed,
                         bits, static_cast<unsigned>(maxEntries)));
    std::vector<std::uint8_t> table;
    try {
        table.resize(entries * 4);
    } catch (const std::bad_alloc&) {
        abortWith("Cannot allocate memory for color table");
    }
    if (file.Read(table.data(), table.size()) != table.size()) abortWith("Failed to read color table");

    const std::uint64_t rowBytes = ((std::uint64_t(bits) * std::uint64_t(fileWidth) + 31) / 8) & ~std::uint64_t(3);
    const std::uint64_t length = file.Length();
    if (dataOffset > length)
        abortWith(Format("Bitmap pixel data offset (%u) lies beyond the end of the file (%llu bytes).", dataOffset,
                         static_cast<unsigned long long>(length)));
    // A short file is refused before any pixel memory is taken.
    if (length - dataOffset < rowBytes * std::uint64_t(fileHeight)) abortWith("Failed to read bitmap pixel data");

    Palette palette;
    palette.colors.resize(entries);
    palette.grey.resize(entries);
    for (size_t k = 0; k < entries; ++k) {
        const std::uint8_t* e = &table[k * 4];
        palette.colors[k] = CColorVal(e[2], e[1], e[0]);
        palette.grey[k] = palette.colors[k].IsGrey();
    }

    // Refused with the sizes rather than granted by an overcommitting system
    // and then killed while the rows are filled.
    // Small images are not worth the look at the system's figures.
    constexpr std::uint64_t kCheckedAbove = 64 << 20;
    const std::uint64_t needed = pixelCount * sizeof(CColorVal) + rowBytes;
    const std::uint64_t available = needed > kCheckedAbove ? platform::AvailableMemory() : needed;
    if (needed > available) {
        constexpr std::uint64_t MB = 1024 * 1024;
        abortWith(Format("Unable to allocate memory for pixelValueArray.\n"
                         "The %d x %d bitmap needs %llu MB of memory, but only %llu MB are available.",
                         fileWidth, fileHeight, static_cast<unsigned long long>((needed + MB - 1) / MB),
                         static_cast<unsigned long long>(available / MB)));
    }

    // A table of greys only gives a grey image, held one byte a pixel from the start.
    const bool greyTable =
        paletted && std::find(palette.grey.begin(), palette.grey.end(), false) == palette.grey.end();
    PixelRows colours;
    GreyRows levels;
    try {
        // Every row is decoded before the rows are used, or the file refused.
        if (greyTable)
            levels.AllocateUnfilled(fileWidth, fileHeight);
        else
            colours.AllocateUnfilled(fileWidth, fileHeight);
    } catch (const std::exception&) {
        abortWith("Unable to allocate memory for pixelValueArray.");
    }

    // A block of rows is read at once and decoded in bands over the cores;
    // a bad palette index is reported for the first pixel in file order.
    const int blockRows = static_cast<int>(std::clamp<std::uint64_t>(kBlockBytes / rowBytes, 1, fileHeight));
    std::vector<std::uint8_t> block;
    std::vector<RowDecoding> decoded;
    try {
        block.resize(static_cast<size_t>(blockRows) * rowBytes);
        decoded.resize(static_cast<size_t>(blockRows));
    } catch (const std::bad_alloc&) {
        abortWith("Unable to allocate memory for pixelValueArray.");
    }
    bool rgb = false;
    bool alpha = false;
    auto RowOf = [&](int stored) { return topDown ? stored : fileHeight - 1 - stored; };
    file.Seek(dataOffset);
    for (int done = 0; done < fileHeight;) {
        const int rows = std::min(blockRows, fileHeight - done);
        const size_t bytes = static_cast<size_t>(rows) * rowBytes;
        if (file.Read(block.data(), bytes) != bytes) abortWith("Failed to read bitmap pixel data");
        parallel::ForBands(0, rows, fileWidth, [&](int first, int last) {
            for (int r = first; r < last; ++r) {
                const std::uint8_t* in = block.data() + static_cast<size_t>(r) * rowBytes;
                const int y = RowOf(done + r);
                RowDecoding& row = decoded[static_cast<size_t>(r)];
                row = RowDecoding();
                auto decode = [&](auto* out) {
                    switch (bits) {
                    case 1: row.ok = DecodePaletteRow<1>(in, fileWidth, palette, out, row); break;
                    case 4: row.ok = DecodePaletteRow<4>(in, fileWidth, palette, out, row); break;
                    case 8: row.ok = DecodePaletteRow<8>(in, fileWidth, palette, out, row); break;
                    case 24: row.rgb = SwapRedAndBlue(in, fileWidth, reinterpret_cast<std::uint8_t*>(out)); break;
                    default: row.rgb = masks->DecodeRow(in, fileWidth, reinterpret_cast<CColorVal*>(out), row.alpha);
                    }
                };
                if (greyTable)
                    decode(levels[y]);
                else
                    decode(colours[y]);
            }
        });
        for (int r = 0; r < rows; ++r) {
            const RowDecoding& row = decoded[static_cast<size_t>(r)];
            if (!row.ok)
                abortWith(Format("Bitmap pixel (%d, %d) uses color %d, but the color table has only %d entries.",
                                 row.badX, RowOf(done + r), row.badIndex, static_cast<int>(entries)));
            rgb = rgb || row.rgb;
            alpha = alpha || row.alpha;
        }
        done += rows;
    }

    if (alpha) NoticeAlphaDropped(path);
    // Histograms and the outline colour belong to the image, not to the file.
    ReleaseStorage();
    if (greyTable)
        pixelValueArray = std::move(levels);
    else
        pixelValueArray = std::move(colours);
    width = fileWidth;
    height = fileHeight;
    format = rgb ? FORMAT_RGB : FORMAT_GRAYSCALE;
    SettleStorage();
    fileFacts = FileFacts{FileFormat::Bitmap, paletted ? bits : 8, paletted ? 1 : (alpha ? 4 : 3), 1};
    // A bitmap's pixels per metre are whatever the writing program's screen
    // was: they neither calibrate nor show.
    TakeResolution({});
    SetWholeAoi();
}
