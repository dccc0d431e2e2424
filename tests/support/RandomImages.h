// Random images and AOIs for comparing fast paths with plain formulations.
#pragma once

#include <random>

#include "image/Image.h"

// An image of random odd or even size from 9 x 9 to largest x largest with random
// pixels (grey ones when grey) and a random AOI that leaves room for an
// n x n neighbourhood.
CImage RandomImage(std::mt19937& random, bool grey, int n, int largest = 40);
