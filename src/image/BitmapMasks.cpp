#include "image/BitmapMasks.h"

#include <bit>

namespace {

bool OneRun(std::uint32_t mask)
{
    if (mask == 0) return false;
    const std::uint32_t shifted = mask >> std::countr_zero(mask);
    return (shifted & (shifted + 1)) == 0;
}

}  // namespace

std::optional<BitmapMasks> BitmapMasks::Make(std::uint32_t red, std::uint32_t green, std::uint32_t blue,
                                             std::uint32_t alpha)
{
    if (!OneRun(red) || !OneRun(green) || !OneRun(blue) || (red & green) || (red & blue) || (green & blue))
        return std::nullopt;
    BitmapMasks m;
    auto channel = [](std::uint32_t mask) {
        Channel c;
        c.shift = std::countr_zero(mask);
        c.top = mask >> c.shift;
        return c;
    };
    m.red_ = channel(red);
    m.green_ = channel(green);
    m.blue_ = channel(blue);
    m.alpha_ = alpha & ~(red | green | blue);
    m.plain_ = red == 0x00FF0000 && green == 0x0000FF00 && blue == 0x000000FF;
    return m;
}

// Wider fields keep their top 8 bits; narrower ones are spread over 0..255.
int BitmapMasks::Channel::Level(std::uint32_t pixel) const
{
    const std::uint32_t v = (pixel >> shift) & top;
    if (top >= 255) return static_cast<int>(v >> (std::bit_width(top) - 8));
    return static_cast<int>((v * 255 + top / 2) / top);
}

bool BitmapMasks::DecodeRow(const std::uint8_t* in, int width, CColorVal* out, bool& anyAlpha) const
{
    std::uint32_t alphaBits = 0;
    bool colour = false;
    for (int x = 0; x < width; ++x, in += 4) {
        CColorVal& c = out[x];
        const std::uint32_t pixel =
            std::uint32_t(in[0]) | std::uint32_t(in[1]) << 8 | std::uint32_t(in[2]) << 16 | std::uint32_t(in[3]) << 24;
        if (plain_) {
            c.red = in[2];
            c.green = in[1];
            c.blue = in[0];
        } else {
            c.red = static_cast<std::uint8_t>(red_.Level(pixel));
            c.green = static_cast<std::uint8_t>(green_.Level(pixel));
            c.blue = static_cast<std::uint8_t>(blue_.Level(pixel));
        }
        alphaBits |= pixel & alpha_;
        colour |= c.red != c.green || c.green != c.blue;
    }
    anyAlpha = anyAlpha || alphaBits != 0;
    return colour;
}
