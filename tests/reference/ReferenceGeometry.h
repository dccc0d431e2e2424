// Plain formulations of Scale, for comparison with its fast paths.
#pragma once

#include "image/Image.h"

namespace reference {

// The new image of round(width x X / 100) x round(height x Y / 100) pixels,
// each sampled at (X' / sx, Y' / sy) by nearest neighbour (method 0) or by the
// four-pixel mix in double, rounded half away and clamped.
CImage Scale(const CImage& image, double xPercent, double yPercent, int method);

}  // namespace reference
