// The grey pixels of the inverse transform: the magnitude of each complex
// value, truncated, 255 beyond.
#pragma once

#include <complex>

#include "image/ColorVal.h"

// n pixels from n complex values.
void MagnitudePixels(const std::complex<double>* values, int n, CColorVal* out);
