// Images and bitmap files built in code for tests.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "image/Image.h"

// An RGB-format image whose pixel (x, y) is f(x, y).
CImage MakeImage(int width, int height, const std::function<CColorVal(int, int)>& f);
// A GRAYSCALE image whose pixel (x, y) is grey f(x, y).
CImage MakeGrey(int width, int height, const std::function<int(int, int)>& f);
// f on every value of the image's frequency buffer, row by row.
void ForEachSpectrumValue(CImage& image, const std::function<void(FrequencyBuffer::Value&)>& f);

// Field values of a bitmap built by BitmapBytes.
struct BitmapSpec {
    int width = 1;
    int height = 1;
    int bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    std::uint32_t headerSize = 40;
    std::uint16_t signature = 0x4D42;
    std::int64_t dataOffset = -1;  // -1: directly after the colour table
    std::vector<std::uint32_t> palette;  // 0x00RRGGBB entries written as B, G, R, 0
    // Red, green, blue (and alpha) masks: inside a header of 108 or 124
    // bytes, else after it (without alpha) when there are any.
    std::vector<std::uint32_t> masks;
    // One value per pixel, row 0 at the top: a palette index, 0x00RRGGBB for
    // 24 bits, the stored word for 32. A negative height stores the rows top-down.
    std::vector<std::uint32_t> pixels;
};

std::vector<std::uint8_t> BitmapBytes(const BitmapSpec& spec);
