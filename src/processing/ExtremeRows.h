// Row loops of grey morphology: minima or maxima across rows and along one.
#pragma once

#include <cstdint>

namespace neighbourhood {

// out[i] = the extreme over k < n of rows[k][i + shifts[k]], for columns
// values: the maximum when max, else the minimum.
void ExtremeOfRows(const std::uint8_t* const* rows, const int* shifts, int n, int columns, std::uint8_t* out,
                   bool max);

// The most rows ExtremeOfAlignedRows makes at once.
inline constexpr int kAlignedGroup = 4;

// outs[j][i] = the extreme over k < n of rows[j + k][i + shift], for j <
// group <= min(n, kAlignedGroup) and columns values: group rows from
// n + group - 1 rows, each row read once.
void ExtremeOfAlignedRows(const std::uint8_t* const* rows, int shift, int n, int group, int columns,
                          std::uint8_t* const* outs, bool max);

// out[i] = the extreme of in[i .. i + n - 1], for columns values; scratch
// holds 2 x (columns + n) bytes.
void ExtremeAlongRow(const std::uint8_t* in, int n, int columns, std::uint8_t* out, std::uint8_t* scratch, bool max);

}  // namespace neighbourhood
