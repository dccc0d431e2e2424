// The row filters of PNG files as libpng chooses them for 8-bit rows.
#pragma once

#include <cstddef>
#include <cstdint>

// The filter byte and the filtered bytes of a row into out (bytes + 1 of
// them), from the row and the row above it (zeros above the first), bpp
// bytes a pixel. Every filter is tried and the one whose bytes, taken as
// signed, have the smallest sum of magnitudes is kept, the earliest on ties:
// what libpng writes with all filters on.
void FilterPngRow(const std::uint8_t* row, const std::uint8_t* above, std::size_t bytes, int bpp,
                  std::uint8_t* out);

// Undoes filter (0 to 4) on a row's bytes in place, given the row above as
// it was before filtering (zeros above the first); false for any other filter.
bool UnfilterPngRow(std::uint8_t filter, std::uint8_t* row, const std::uint8_t* above, std::size_t bytes, int bpp);
