// Grey pixels into the transforms' complex values and back: the levels as
// real parts for the forward transform, the magnitudes of the inverse
// transform's values as levels.
#pragma once

#include <complex>

#include "image/ColorVal.h"

// n complex values (level, 0) from the red levels of n pixels.
void LevelsToValues(const CColorVal* pixels, int n, std::complex<double>* out);

// n grey pixels of the magnitudes of n complex values, truncated, 255
// beyond.
void MagnitudesToPixels(const std::complex<double>* values, int n, CColorVal* out);
