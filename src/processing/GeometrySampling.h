// The row loops shared by Rotate and Scale: where each destination pixel of a
// row samples, gathering its source pixels, and the four-pixel mix.
#pragma once

#include <cstddef>
#include <cstdint>

namespace sampling {

// The sources of count pixels of a row turned by an angle: pixel k, at
// dx from the centre, samples (dx cos - dy sin + centreX, dx sin + dy cos +
// centreY), with the products dx cos and dx sin of each column given.
struct TurnedRow {
    const double* dxCos;
    const double* dxSin;
    double centreX, centreY;
    double dySin, dyCos;
    int count;
};

// The AOI a turn samples, held as a copy of rowPixels pixels per row from
// (left, top) on, followed by a black block of rowPixels + 3 pixels, the
// copy's row Rows() (so that eight-byte loads of a pixel, its right and
// lower neighbours stay inside).
struct TurnSource {
    int left, top, right, bottom;
    int rowPixels;
    int Rows() const { return bottom - top + 1; }
    long long RowBytes() const { return 3LL * rowPixels; }
};

// Where the pixels of a turned row segment sample the copy: rows[k] and
// columns[k] count from its first row and column.
struct TurnedSources {
    int* rows;
    int* columns;
};

// The pixels nearest to the sources, or the black block for sources that
// round outside the AOI.
void TurnedNearest(const TurnedRow& row, const TurnSource& source, TurnedSources sources);

// The upper-left pixel of the four around each source, with the fractions
// fx and fy; sources outside the AOI get the black block and finite
// fractions, which mix to black.
void TurnedFour(const TurnedRow& row, const TurnSource& source, TurnedSources sources, double* fx, double* fy);

// The pixels [first, end) of a turned row segment from the first to the last
// that samples the AOI; all others are black.
struct Span {
    int first, end;
};
Span Sampled(const TurnSource& source, TurnedSources sources, int count);

// Asks for the cache lines ahead bytes beyond the sampled pixels (and the
// pixels below them when four are mixed) to be fetched: where the sources of
// a later row will be.
void Prefetch(const std::uint8_t* copy, const TurnSource& source, TurnedSources sources, int count, long long ahead,
              bool four);

// out gets the pixels of the copy, or the pixels at source + offsets[k]; the
// last one is written without the byte after it. Pixels from safe on are read
// without the byte after them, where it may lie beyond the source.
void CopyPixels(const std::uint8_t* copy, const TurnSource& source, TurnedSources sources, int count,
                std::uint8_t* out);
void CopyPixels(const std::uint8_t* source, const long long* offsets, int count, int safe, std::uint8_t* out);

// The words of the pixels at source + offsets[k] and of their right
// neighbours, a and b, and of the row below bytes further on, c and d; up
// to safe two bytes after the right neighbours are read too, from safe on
// not. Or the same for the pixels a turn samples, all read with the bytes
// after them.
void GatherFour(const std::uint8_t* source, const long long* offsets, long long below, int count, int safe,
                std::uint32_t* a, std::uint32_t* b, std::uint32_t* c, std::uint32_t* d);
void GatherFour(const std::uint8_t* copy, const TurnSource& source, TurnedSources sources, int count,
                std::uint32_t* a, std::uint32_t* b, std::uint32_t* c, std::uint32_t* d);

// out gets each pixel mixed from its words a (ix, iy), b (ix + 1, iy),
// c (ix, iy + 1) and d (ix + 1, iy + 1): per channel a (1 - fx)(1 - fy) +
// b fx (1 - fy) + c (1 - fx) fy + d fx fy in double, in that order, rounded
// half away and clamped. fy per pixel, or one for the whole row.
void MixFour(const std::uint32_t* a, const std::uint32_t* b, const std::uint32_t* c, const std::uint32_t* d,
             const double* fx, const double* fy, int count, std::uint8_t* out);
void MixFourOnRow(const std::uint32_t* a, const std::uint32_t* b, const std::uint32_t* c, const std::uint32_t* d,
                  const double* fx, double fy, int count, std::uint8_t* out);

// The integer mix of fractions in whole steps of 1/unit, units being powers
// of two up to 256, a row at a time on count bytes of pixels. Across one
// source row: unit times each byte's value, a (unit - fx) + b fx, from the
// byte of its pixel and of the right neighbour. Down between two such rows
// of sums into out: upper (unit - fy) + lower fy, the row's own unit, over
// 2^shift, the product of both units, rounded half away and clamped. Sums of
// int serve for units of 256; sums of 16 bits for units that multiply to 2
// to 16, where with fractions up to 2 the sums stay within 1530 x 16.
void MixAcross(const std::uint8_t* left, const std::uint8_t* right, const int* fx, int unit, std::size_t count,
               int* sums);
void MixAcross(const std::uint8_t* left, const std::uint8_t* right, const std::int16_t* fx, int unit,
               std::size_t count, std::int16_t* sums);
void MixDown(const int* upper, const int* lower, int fy, std::size_t count, std::uint8_t* out);
void MixDown(const std::int16_t* upper, const std::int16_t* lower, int fy, int unit, int shift, std::size_t count,
             std::uint8_t* out);

}  // namespace sampling
