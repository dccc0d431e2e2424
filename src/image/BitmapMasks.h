// 32-bit bitmap pixels: each colour taken from the bits its mask selects
// (the plain blue, green, red, unused byte order when the file sets none).
#pragma once

#include <cstdint>
#include <optional>

#include "image/ColorVal.h"

class BitmapMasks {
public:
    // nullopt when a colour's mask is empty, not one run of bits, or shares
    // bits with another.
    static std::optional<BitmapMasks> Make(std::uint32_t red, std::uint32_t green, std::uint32_t blue,
                                           std::uint32_t alpha);
    // Decodes width pixels of a stored row; true when one is not grey.
    // Sets anyAlpha when a pixel has alpha bits that are not 0.
    bool DecodeRow(const std::uint8_t* in, int width, CColorVal* out, bool& anyAlpha) const;

private:
    struct Channel {
        int shift = 0;
        std::uint32_t top = 0;  // the largest value of the masked bits
        int Level(std::uint32_t pixel) const;
    };
    Channel red_, green_, blue_;
    std::uint32_t alpha_ = 0;
    bool plain_ = false;  // 0x00FF0000, 0x0000FF00, 0x000000FF
};
