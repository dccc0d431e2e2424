// The level map of histogram equalization, shared by the one-channel
// operation and the pass that equalizes several channels at once, and the
// count that tells that pass which runs of pixels are grey.
#pragma once

#include "image/Image.h"
#include "processing/AoiRows.h"

// Sets map to the cumulative share of the channel's stored histogram in the
// AOI's pixel count, scaled to 0..255; false, with map untouched, for a
// channel outside 0..2 or an empty AOI.
bool EqualizationMap(const CImage& image, int channel, LevelMap& map);

// ComputeHistograms of the image; with runs, which runs of the AOI are grey
// is kept there too (throws std::bad_alloc when it cannot be).
void CountHistograms(CImage& image, GreyRuns* runs);
