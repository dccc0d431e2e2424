// Small images written as rows of grey levels.
#pragma once

#include <vector>

#include "image/Image.h"

using Grid = std::vector<std::vector<int>>;

// A GRAYSCALE image with the levels of grid, row 0 at the top.
CImage GreyFromGrid(const Grid& grid);
// The red component of every pixel.
Grid LevelsOf(const CImage& image);
// Stores the corners as given, without clamping or notices.
void SetAoi(CImage& image, int left, int top, int right, int bottom);
