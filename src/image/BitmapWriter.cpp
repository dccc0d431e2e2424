// Writes an image as an 8-bit bitmap with a grey table (GRAYSCALE) or a
// 24-bit bitmap (RGB).
#include <algorithm>
#include <cstring>
#include <future>
#include <vector>

#include "image/File.h"
#include "image/FormatCodecs.h"
#include "image/Image.h"
#include "image/RgbBytes.h"
#include "platform/ParallelRows.h"

namespace {

void Put16(std::uint8_t* p, std::uint32_t v)
{
    p[0] = v & 0xFF;
    p[1] = (v >> 8) & 0xFF;
}
void Put32(std::uint8_t* p, std::uint32_t v)
{
    Put16(p, v & 0xFFFF);
    Put16(p + 2, v >> 16);
}

}  // namespace

void CImage::WriteBitmap(CArchive& archive) const
{
    const bool grey = format == FORMAT_GRAYSCALE;
    const std::uint32_t bits = grey ? 8 : 24;
    const std::uint32_t rowBytes = ((bits * std::uint32_t(width) + 31) / 8) & ~3u;
    const std::uint32_t offset = grey ? 1078 : 54;

    std::uint8_t header[54] = {};
    Put16(header, 0x4D42);
    Put32(header + 2, rowBytes * std::uint32_t(height) + offset);
    Put32(header + 10, offset);
    Put32(header + 14, 40);
    Put32(header + 18, std::uint32_t(width));
    Put32(header + 22, std::uint32_t(height));
    Put16(header + 26, 1);
    Put16(header + 28, bits);
    archive.Write(header, sizeof header);

    if (grey) {
        std::uint8_t table[256 * 4];
        for (int k = 0; k < 256; ++k) {
            table[k * 4] = table[k * 4 + 1] = table[k * 4 + 2] = static_cast<std::uint8_t>(k);
            table[k * 4 + 3] = 0;
        }
        archive.Write(table, sizeof table);
    }

    // Rows are converted a block at a time; the padding at the end of each
    // row stays 0. Rows the archive would pass straight to the file go as
    // one write per block; shorter rows still go one by one, so that a full
    // disk fails at the same stage as ever.
    const bool straight = rowBytes > archive.Capacity();
    // Where blocks go straight to the file and there is a second core, the
    // next block is converted while the last one is written; otherwise each
    // block is converted in bands over the cores, then written. Blocks of
    // 256 KB stay in the nearer caches until the system copies them; a block
    // converted beside the writing is 1 MB, so that fewer threads start.
    const bool beside = straight && parallel::ThreadCount() > 1;
    const int blockRows = std::clamp(static_cast<int>((beside ? 1u << 20 : 1u << 18) / std::max(rowBytes, 1u)), 1,
                                     std::max(height, 1));
    std::vector<std::uint8_t> blocks[2];
    auto convert = [&](int done, std::uint8_t* block, int first, int last) {
        for (int r = first; r < last; ++r) {
            const int y = height - 1 - (done + r);
            std::uint8_t* out = block + static_cast<size_t>(r) * rowBytes;
            if (!grey) {
                SwapRedAndBlue(reinterpret_cast<const std::uint8_t*>(pixelValueArray[y]), width, out);
                continue;
            }
            const std::uint8_t* levels = WrittenRow(*this, y, out);
            if (levels != out) std::memcpy(out, levels, static_cast<size_t>(width));
        }
    };
    auto rowsOf = [&](int done) { return std::min(blockRows, height - done); };
    if (beside && height > blockRows) {
        for (auto& block : blocks) block.assign(static_cast<size_t>(blockRows) * rowBytes, 0);
        convert(0, blocks[0].data(), 0, rowsOf(0));
        for (int done = 0, k = 0; done < height; done += blockRows, k ^= 1) {
            const int next = done + blockRows;
            std::future<void> converting;
            if (next < height)
                converting = std::async(std::launch::async, convert, next, blocks[k ^ 1].data(), 0, rowsOf(next));
            archive.Write(blocks[k].data(), static_cast<size_t>(rowsOf(done)) * rowBytes);
            if (converting.valid()) converting.get();
        }
        return;
    }
    blocks[0].assign(static_cast<size_t>(blockRows) * rowBytes, 0);
    std::uint8_t* const block = blocks[0].data();
    for (int done = 0; done < height; done += blockRows) {
        const int rows = rowsOf(done);
        parallel::ForBands(0, rows, width, [&](int first, int last) { convert(done, block, first, last); });
        if (straight)
            archive.Write(block, static_cast<size_t>(rows) * rowBytes);
        else
            for (int r = 0; r < rows; ++r) archive.Write(block + static_cast<size_t>(r) * rowBytes, rowBytes);
    }
}
