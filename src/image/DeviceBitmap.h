// A display bitmap: rows top first, blue, green, red (and a zero byte at 32
// bits) per pixel, each row padded with zero bytes to a multiple of 4.
#pragma once

#include <cstdint>
#include <vector>

struct CDeviceBitmap {
    int width = 0;
    int height = 0;
    int bytesPerRow = 0;
    int bitsPerPixel = 0;
    std::vector<std::uint8_t> bits;

    const std::uint8_t* Row(int y) const { return bits.data() + static_cast<size_t>(y) * bytesPerRow; }
};

// The smallest whole number of bytes holding bitsPerPixel x width bits,
// rounded up to a multiple of 4.
constexpr int BitmapRowLength(int bitsPerPixel, int width)
{
    const long long bytes = (static_cast<long long>(bitsPerPixel) * width + 7) / 8;
    return static_cast<int>((bytes + 3) / 4 * 4);
}
