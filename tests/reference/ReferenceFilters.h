// Plain formulations of the neighbourhood operations, written for clarity
// only: the fast paths are compared with them on random images. Each expects
// an AOI with room for the neighbourhood.
#pragma once

#include <vector>

#include "image/Image.h"

namespace reference {

// Sum of weight[k][m] x pixel per channel in double, rounded half away, clamped.
void Kernel(CImage& image, int n, const std::vector<double>& weights);
void LowPass(CImage& image, int n);
void HighPass(CImage& image, int n);
void Laplace(CImage& image, int n);
// The kernel -b / N off the centre, ((N - 1) b + N) / N at it.
void UnsharpMask(CImage& image, int n, double boost);
// Gradient magnitude of the neighbours' luminances, truncated, grey.
void Sobel(CImage& image);
// The element of rank n x n / 2 of the sorted luminances.
void Median(CImage& image, int n);
// Clean with a black background: the survival rule pixel by pixel.
void Clean(CImage& image, int n, int clutter, int significance);
// Minimum (maximum when dilate) of R over the active cells, from 255 (0).
void Morphology(CImage& image, int n, int direction, bool dilate);

}  // namespace reference
