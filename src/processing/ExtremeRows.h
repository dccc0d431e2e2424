// Row loops of grey morphology: minima or maxima across rows and along one.
#pragma once

#include <cstdint>

namespace neighbourhood {

// out[i] = the extreme over k < n of rows[k][i + shifts[k]], for columns
// values: the maximum when max, else the minimum.
void ExtremeOfRows(const std::uint8_t* const* rows, const int* shifts, int n, int columns, std::uint8_t* out,
                   bool max);

// out[i] = the extreme of in[i .. i + n - 1], for columns values; scratch
// holds 2 x (columns + n) bytes.
void ExtremeAlongRow(const std::uint8_t* in, int n, int columns, std::uint8_t* out, std::uint8_t* scratch, bool max);

}  // namespace neighbourhood
