// Natural logarithms to within a known bound, fast enough to run on every
// value of a spectrum; used where a choice can be made from them with
// certainty and the exact logarithm is taken otherwise.
#pragma once

#include <cstddef>

// The largest difference between NearLogs and the exact logarithm for any
// x >= 1, with a margin of three orders of magnitude over what the series
// and its rounding can reach (below 2e-13).
constexpr double kNearLogError = 1e-9;

// Replaces each of the n values x >= 1 by ln x to within kNearLogError; an
// infinite value or one that is not a number stays as it is, as the exact
// logarithm leaves it.
void NearLogs(double* x, size_t n);

// out[i] = ln(1 + sqrt(re^2 + im^2)) to within kNearLogError, of count
// values given as real, imaginary, ...; an infinite or not-a-number square
// stays as it is, as the exact logarithm leaves it.
void NearLogMagnitudes(const double* values, size_t count, double* out);
