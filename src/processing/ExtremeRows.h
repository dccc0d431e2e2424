// Row loops of grey morphology: minima or maxima across rows and along one.
#pragma once

#include <cstdint>

namespace neighbourhood {

// The most rows ExtremeOfAlignedRows makes at once.
inline constexpr int kAlignedGroup = 4;

// outs[j][i] = the extreme over k < n of rows[j + k][i], for j <
// group <= min(n, kAlignedGroup) and columns values: group rows from
// n + group - 1 rows, each row read once.
void ExtremeOfAlignedRows(const std::uint8_t* const* rows, int n, int group, int columns,
                          std::uint8_t* const* outs, bool max);

// out[i] = the extreme of in[i .. i + n - 1], for columns values; scratch
// holds 2 x (columns + n) bytes.
void ExtremeAlongRow(const std::uint8_t* in, int n, int columns, std::uint8_t* out, std::uint8_t* scratch, bool max);

}  // namespace neighbourhood
