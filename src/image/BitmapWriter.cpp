// Writes an image as an 8-bit bitmap with a grey table (GRAYSCALE) or a
// 24-bit bitmap (RGB).
#include "image/File.h"
#include "image/Image.h"

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

    std::vector<std::uint8_t> row(rowBytes, 0);
    for (int y = height - 1; y >= 0; --y) {
        const CColorVal* in = pixelValueArray[y];
        if (grey) {
            for (int x = 0; x < width; ++x) row[x] = static_cast<std::uint8_t>(in[x].Luminance());
        } else {
            std::uint8_t* out = row.data();
            for (int x = 0; x < width; ++x, out += 3) {
                out[0] = in[x].blue;
                out[1] = in[x].green;
                out[2] = in[x].red;
            }
        }
        archive.Write(row.data(), row.size());
    }
}
