// Plain pixel-by-pixel formulations of the point operations, for comparison
// with the fast paths.
#pragma once

#include "image/Image.h"

namespace reference {

// 255 - v for each component of every AOI pixel.
void Invert(CImage& image);
// Each treated component passing the strict test becomes the clamped fill.
void Threshold(CImage& image, int level, int fill, bool below, int component);

}  // namespace reference
