#include "support/TestImages.h"

#include <algorithm>

CImage MakeImage(int width, int height, const std::function<CColorVal(int, int)>& f)
{
    CImage image;
    image.BlankImage(width, height, CColorVal());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.pixelValueArray[y][x] = f(x, y);
    return image;
}

CImage MakeGrey(int width, int height, const std::function<int(int, int)>& f)
{
    CImage image = MakeImage(width, height, [&](int x, int y) {
        const int v = f(x, y);
        return CColorVal(v, v, v);
    });
    image.format = FORMAT_GRAYSCALE;
    return image;
}

void ForEachSpectrumValue(CImage& image, const std::function<void(FrequencyBuffer::Value&)>& f)
{
    for (int y = 0; y < image.dataArray.height(); ++y)
        for (int x = 0; x < image.dataArray.width(); ++x) f(image.dataArray[y][x]);
}

namespace {

void Put(std::vector<std::uint8_t>& out, size_t at, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace

std::vector<std::uint8_t> BitmapBytes(const BitmapSpec& s)
{
    const bool masksInHeader = s.headerSize >= 108;
    const size_t tableAt = 14 + std::max<size_t>(s.headerSize, 40) + (masksInHeader ? 0 : 4 * std::min<size_t>(s.masks.size(), 3));
    const size_t tableBytes = tableAt - 54 + s.palette.size() * 4;
    const size_t offset = s.dataOffset >= 0 ? static_cast<size_t>(s.dataOffset) : 54 + tableBytes;
    // Without pixels only the headers and the table are written.
    const size_t rowBytes = s.pixels.empty() ? 0 : ((static_cast<size_t>(s.bits) * s.width + 31) / 8) & ~size_t(3);
    const int rows = s.height < 0 ? -s.height : s.height;
    std::vector<std::uint8_t> out(std::max(offset, 54 + tableBytes) + rowBytes * rows, 0);
    Put(out, 0, s.signature, 2);
    Put(out, 2, static_cast<std::uint32_t>(out.size()), 4);
    Put(out, 10, static_cast<std::uint32_t>(offset), 4);
    Put(out, 14, s.headerSize, 4);
    Put(out, 18, static_cast<std::uint32_t>(s.width), 4);
    Put(out, 22, static_cast<std::uint32_t>(s.height), 4);
    Put(out, 26, 1, 2);
    Put(out, 28, static_cast<std::uint32_t>(s.bits), 2);
    Put(out, 30, s.compression, 4);
    Put(out, 46, s.colorsUsed, 4);
    for (size_t k = 0; k < s.masks.size() && (masksInHeader || k < 3); ++k) Put(out, 54 + 4 * k, s.masks[k], 4);
    for (size_t k = 0; k < s.palette.size(); ++k) Put(out, tableAt + 4 * k, s.palette[k], 4);
    if (s.pixels.empty()) return out;
    for (int y = 0; y < rows; ++y) {
        std::uint8_t* row = &out[offset + rowBytes * (s.height < 0 ? y : rows - 1 - y)];
        for (int x = 0; x < s.width; ++x) {
            const std::uint32_t v = s.pixels[static_cast<size_t>(y) * s.width + x];
            switch (s.bits) {
            case 1: row[x / 8] |= static_cast<std::uint8_t>((v & 1) << (7 - x % 8)); break;
            case 4: row[x / 2] |= static_cast<std::uint8_t>((v & 0xF) << (x % 2 ? 0 : 4)); break;
            case 8: row[x] = static_cast<std::uint8_t>(v); break;
            case 32: Put(out, static_cast<size_t>(row - out.data()) + 4 * x, v, 4); break;
            default:
                row[3 * x] = v & 0xFF;
                row[3 * x + 1] = (v >> 8) & 0xFF;
                row[3 * x + 2] = (v >> 16) & 0xFF;
            }
        }
    }
    return out;
}
