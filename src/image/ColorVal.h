// CColorVal, the pixel and colour type, and the system's one rounding rule.
#pragma once

#include <cstdint>

struct CColorVal {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    constexpr CColorVal() = default;
    // Each component is clamped to 0..255: the final clamping of every operation.
    constexpr CColorVal(int r, int g, int b) : red(Clamp(r)), green(Clamp(g)), blue(Clamp(b)) {}

    // The order of addition is part of the result for values near a half.
    int Luminance() const;
    bool IsGrey() const { return red == green && green == blue; }

    friend constexpr bool operator==(const CColorVal&, const CColorVal&) = default;

    static constexpr std::uint8_t Clamp(int v)
    {
        return static_cast<std::uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
    }
};

static_assert(sizeof(CColorVal) == 3, "pixel rows are packed RGB triples");

// A colour reference 0x00BBGGRR as a colour value.
constexpr CColorVal FromColorRef(std::uint32_t ref)
{
    return CColorVal(ref & 0xFF, (ref >> 8) & 0xFF, (ref >> 16) & 0xFF);
}

// trunc(x + 0.5) for x >= 0, trunc(x - 0.5) otherwise.
constexpr int RoundHalfAway(double x)
{
    return x >= 0 ? static_cast<int>(x + 0.5) : static_cast<int>(x - 0.5);
}

inline int CColorVal::Luminance() const
{
    // The weights sum to 1 within 1e-15, so a grey pixel's sum rounds to its
    // level: grey images skip the arithmetic.
    if (IsGrey()) return red;
    return RoundHalfAway(0.587 * green + 0.299 * red + 0.114 * blue);
}
