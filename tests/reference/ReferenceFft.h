// Plain formulation of the split-radix transforms, for comparison with their
// fast paths.
#pragma once

#include "frequency/FftTransform.h"

namespace reference {

void Fft1D(FftValue* data, int exponent, int direction);

// Rows, then columns four at a time through scratch of 2^heightExponent x 4 values.
void Fft2D(FftValue* data, FftValue* scratch, int heightExponent, int widthExponent, int stride, int direction);

}  // namespace reference
