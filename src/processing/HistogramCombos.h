// The Histogram dialog's Stretch, Equalize and Slide, shared with the CLI and
// the series engine. A grayscale image has all three channels treated so that
// it stays grey; an RGB image only the chosen channel (0 R, 1 G, 2 B; any
// other index treats none).
#pragma once

#include "image/Image.h"

// Maps each treated channel's occupied range of the AOI onto 0..255.
void StretchHistogram(CImage& image, int channel);
// Maps each treated channel through its cumulative histogram of the AOI.
void EqualizeHistogram(CImage& image, int channel);
// shift limited so that the occupied levels of the treated channels, as of
// the last ComputeHistograms, stay within 0..255.
int LimitSlide(const CImage& image, int channel, int shift);
// Counts the AOI, limits shift and slides the treated channels by it;
// returns the shift applied.
int SlideHistogram(CImage& image, int channel, int shift);
