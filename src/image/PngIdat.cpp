// libdeflate inflates the whole stream in one call, several times faster
// than zlib inflating it row by row as libpng does.
#include "image/PngIdat.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <libdeflate.h>
#include <memory>
#include <vector>

namespace {

std::uint32_t BigEndian32(const std::uint8_t* p)
{
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

// The largest chunk length the format allows.
constexpr std::uint32_t kLargestChunk = 0x7FFFFFFF;

}  // namespace

bool InflateIdat(const std::function<std::size_t(std::uint8_t* into, std::size_t count)>& read,
                 const std::uint8_t* firstHeader, std::size_t expected, std::size_t rowBytes, int height,
                 platform::Block<std::uint8_t>& filtered)
{
    try {
        std::vector<std::uint8_t> compressed;
        compressed.reserve(expected);
        static const std::uint8_t kIdat[4] = {'I', 'D', 'A', 'T'};
        if (std::memcmp(firstHeader + 4, kIdat, 4) != 0) return false;
        for (std::uint32_t length = BigEndian32(firstHeader);;) {
            const std::size_t at = compressed.size();
            // No chunk is longer than the file that holds it.
            if (length > kLargestChunk || length > expected - std::min(at, expected)) return false;
            compressed.resize(at + length);
            std::uint8_t crc[4], header[8];
            if (read(compressed.data() + at, length) != length || read(crc, 4) != 4) return false;
            const std::uint32_t sum = libdeflate_crc32(libdeflate_crc32(0, kIdat, 4), compressed.data() + at, length);
            if (sum != BigEndian32(crc)) return false;
            // The chunks after the image data are not needed.
            if (read(header, 8) != 8 || std::memcmp(header + 4, kIdat, 4) != 0) break;
            length = BigEndian32(header);
        }
        // A zlib header of the deflate method, without a preset dictionary.
        if (compressed.size() < 2 || (compressed[0] & 0x0F) != 8 || (compressed[0] >> 4) > 7 ||
            (compressed[0] * 256u + compressed[1]) % 31 != 0 || (compressed[1] & 0x20) != 0)
            return false;
        const std::size_t size = static_cast<std::size_t>(height) * (rowBytes + 1);
        // Every byte is written by the inflating, or the file is read again.
        filtered = platform::MakeUnfilledBlock<std::uint8_t>(size);
        const std::unique_ptr<libdeflate_decompressor, void (*)(libdeflate_decompressor*)> inflater(
            libdeflate_alloc_decompressor(), libdeflate_free_decompressor);
        if (!inflater) return false;
        std::size_t got = 0;
        return libdeflate_deflate_decompress(inflater.get(), compressed.data() + 2, compressed.size() - 2,
                                             filtered.get(), size, &got) == LIBDEFLATE_SUCCESS &&
               got == size;
    } catch (const std::exception&) {
        return false;
    }
}
