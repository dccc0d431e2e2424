// Packed pixels between memory order (red, green, blue) and bitmap file
// order (blue, green, red).
#pragma once

#include <cstdint>

// Writes width pixels of in to out with the first and third byte of each
// swapped; true when a pixel's three bytes are not all equal (not grey).
bool SwapRedAndBlue(const std::uint8_t* __restrict in, int width, std::uint8_t* __restrict out);
// True when one of width pixels has three bytes that are not all equal.
bool HasColour(const std::uint8_t* pixels, int width);
