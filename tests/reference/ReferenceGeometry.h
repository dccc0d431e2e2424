// Plain formulations of Rotate and Scale, for comparison with their fast paths.
#pragma once

#include "image/Image.h"

namespace reference {

// The AOI turned by degrees about its centre, pixel by pixel from a copy of
// the image: nearest neighbour (method 0) or the four-pixel mix in double,
// rounded half away and clamped; sources outside the AOI are black.
CImage Rotate(const CImage& image, double degrees, int method);

// The new image of round(width x X / 100) x round(height x Y / 100) pixels,
// each sampled at (X' / sx, Y' / sy) by nearest neighbour (method 0) or by the
// four-pixel mix in double, rounded half away and clamped.
CImage Scale(const CImage& image, double xPercent, double yPercent, int method);

}  // namespace reference
