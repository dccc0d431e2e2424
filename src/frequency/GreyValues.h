// Grey pixels into the transforms' complex values and back: the levels as
// real parts for the forward transform, the magnitudes of the inverse
// transform's values as levels.
#pragma once

#include <complex>
#include <cstdint>

#include "image/ColorVal.h"

// n complex values (level, 0) from the red levels of n pixels.
void LevelsToValues(const CColorVal* pixels, int n, std::complex<double>* out);
// The same from n levels of a grey plane.
void LevelsToValues(const std::uint8_t* levels, int n, std::complex<double>* out);

// n levels of a grey plane from the magnitudes of n complex values,
// truncated, 255 beyond.
void MagnitudesToPixels(const std::complex<double>* values, int n, std::uint8_t* out);
