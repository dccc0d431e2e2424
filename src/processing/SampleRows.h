// Conversions between rows of pixels and rows of byte samples, the traffic
// every neighbourhood operation has at its two ends.
#pragma once

#include <cstdint>

#include "image/ColorVal.h"

namespace neighbourhood {

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

}  // namespace neighbourhood
