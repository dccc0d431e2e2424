// The spectrum as a picture with its contrast stretched, for aiming at single
// peaks that the standard levels leave black: display only, never pixels of
// a document.
#pragma once

#include "image/Image.h"

// From spectrum.dataArray (present, as after Fft): the centred picture of
// ln(1 + |value|) mapped linearly from its minimum..maximum to 0..255 (all 0
// when they are equal). Shrinking by factor < 1 samples the nearest pixels;
// each pixel that a sample reads holds the largest level of all the pixels
// nearest to that sample, so a single peak survives. False, with the
// picture's errorMessage set, when the memory is not there.
bool StretchedSpectrum(const CImage& spectrum, float factor, CImage& picture);
