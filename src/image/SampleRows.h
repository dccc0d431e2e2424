// Conversions between rows of pixels and rows of byte samples, the traffic
// every neighbourhood operation has at its two ends.
#pragma once

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "image/ColorVal.h"

// The R samples of count pixels.
void TakeReds(const CColorVal* __restrict pixels, int count, std::uint8_t* __restrict values);

// Whether every one of count pixels is grey.
bool AllGrey(const CColorVal* pixels, int count);

// TakeReds, saying whether every pixel is grey.
bool TakeRed(const CColorVal* __restrict pixels, int count, std::uint8_t* __restrict values);

// The luminance of count pixels, which is R for a grey pixel.
void TakeLuminance(const CColorVal* __restrict pixels, int count, std::uint8_t* __restrict values);

// Writes the grey pixels (v, v, v) of count values.
void StoreGrey(const std::uint8_t* __restrict values, int count, CColorVal* __restrict pixels);

// The R sample of a pixel of either kind.
inline int Red(CColorVal pixel) { return pixel.red; }
inline int Red(std::uint8_t grey) { return grey; }

// The grey level of a pixel of either kind.
inline int Luminance(CColorVal pixel) { return pixel.Luminance(); }
inline int Luminance(std::uint8_t grey) { return grey; }

// A grey pixel of the level, of either kind.
template <typename P>
P GreyPixel(int level)
{
    if constexpr (std::is_same_v<P, CColorVal>)
        return CColorVal(level, level, level);
    else
        return static_cast<P>(level);
}

// The same on a grey plane, one byte a pixel, whose samples are the values.
inline void TakeReds(const std::uint8_t* __restrict grey, int count, std::uint8_t* __restrict values)
{
    std::memcpy(values, grey, static_cast<size_t>(count));
}
inline bool TakeRed(const std::uint8_t* __restrict grey, int count, std::uint8_t* __restrict values)
{
    TakeReds(grey, count, values);
    return true;
}
inline void TakeLuminance(const std::uint8_t* __restrict grey, int count, std::uint8_t* __restrict values)
{
    TakeReds(grey, count, values);
}
inline void StoreGrey(const std::uint8_t* __restrict values, int count, std::uint8_t* __restrict grey)
{
    std::memcpy(grey, values, static_cast<size_t>(count));
}
