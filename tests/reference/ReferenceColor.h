// The plain luminance formula, which the pixel type's fast path must match.
#pragma once

#include "image/ColorVal.h"

namespace reference {

inline int Luminance(const CColorVal& p) { return RoundHalfAway(0.587 * p.green + 0.299 * p.red + 0.114 * p.blue); }

}  // namespace reference
