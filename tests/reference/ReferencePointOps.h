// Plain pixel-by-pixel formulations of the point and histogram operations, for comparison
// with the fast paths.
#pragma once

#include "image/Image.h"

namespace reference {

// 255 - v for each component of every AOI pixel.
void Invert(CImage& image);
// Each treated component passing the strict test becomes the clamped fill.
void Threshold(CImage& image, int level, int fill, bool below, int component);
// Each treated channel (all three on a grey image, else channel 0..2) through
// round(255 x its cumulative count in the AOI / the AOI's pixel count).
void EqualizeHistogram(CImage& image, int channel);

}  // namespace reference
