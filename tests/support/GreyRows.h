// Grey images written and read as rows of levels, for tables of pixels.
#pragma once

#include <vector>

#include "image/Image.h"

using Rows = std::vector<std::vector<int>>;

// A GRAYSCALE image with the given rows of levels.
CImage GreyFromRows(const Rows& rows);
// The red components of every row of the image.
Rows RedRows(const CImage& image);
