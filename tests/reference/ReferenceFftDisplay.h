// Plain formulation of the spectrum display, for comparison with its fast
// path.
#pragma once

#include "image/Image.h"

namespace reference {

// The pixels of a grey image from its dataArray: v = ln(1 + |value|), range
// from the first value on, level 255 v (min(v, vmax) - vmin) truncated and
// capped, zero frequency in the centre.
void FftForDisplay(CImage& image);

}  // namespace reference
