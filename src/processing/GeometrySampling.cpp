// The row loops of Rotate and Scale: source positions and the four-pixel mix
// in vector lanes (each lane with the plain operations), gathers in between.
#include "processing/GeometrySampling.h"

#include <cstdint>
#include <type_traits>

#include "image/ColorVal.h"
#include "platform/VectorClones.h"

namespace sampling {

namespace {

// A pixel's three bytes and the byte after it as one word, red lowest on any
// byte order (the compiler makes it a single load on little-endian machines).
inline std::uint32_t LoadWord(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// Two neighbouring pixels and the two bytes after them, the first pixel in
// the lowest bytes.
inline std::uint64_t LoadEight(const std::uint8_t* p)
{
    return static_cast<std::uint64_t>(LoadWord(p)) | static_cast<std::uint64_t>(LoadWord(p + 4)) << 32;
}

// A pixel's word without the byte after it, which may lie beyond the buffer.
inline std::uint32_t LoadPixel(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16;
}

// Writes the low three bytes of word as a pixel; with the fourth too when
// whole, which overwrites the byte after the pixel.
inline void StoreWord(std::uint32_t word, std::uint8_t* p, bool whole)
{
    p[0] = static_cast<std::uint8_t>(word);
    p[1] = static_cast<std::uint8_t>(word >> 8);
    p[2] = static_cast<std::uint8_t>(word >> 16);
    if (whole) p[3] = static_cast<std::uint8_t>(word >> 24);
}

// The address of the pixel a turned row segment samples at k.
struct TurnedAt {
    const std::uint8_t* copy;
    long long rowBytes;
    TurnedSources sources;
    const std::uint8_t* operator()(int k) const { return copy + sources.rows[k] * rowBytes + 3 * sources.columns[k]; }
};

// The address of source + offsets[k].
struct OffsetAt {
    const std::uint8_t* source;
    const long long* offsets;
    const std::uint8_t* operator()(int k) const { return source + offsets[k]; }
};

// A channel's mix rounded half away and clamped. Values below 0 round to 0
// or below either way, so trunc(v + 0.5) serves for all; a mix is far
// within the range of an int.
inline std::uint8_t MixedChannel(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d, int shift,
                                 double w00, double w10, double w01, double w11)
{
    const double v = static_cast<int>(a >> shift & 255) * w00 + static_cast<int>(b >> shift & 255) * w10 +
                     static_cast<int>(c >> shift & 255) * w01 + static_cast<int>(d >> shift & 255) * w11;
    const int rounded = static_cast<int>(v + 0.5);
    return static_cast<std::uint8_t>(rounded < 0 ? 0 : (rounded > 255 ? 255 : rounded));
}

// RoundHalfAway with the conversion outside the choice, which lets the
// compiler use vector lanes: x - 0.5 is x + -0.5 to the last bit.
inline int RoundedHalfAway(double x)
{
    return static_cast<int>(x + (x >= 0 ? 0.5 : -0.5));
}

// The four-pixel mix of a pixel's three channels into out.
inline void MixPixel(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d, double fx, double fy,
                     std::uint8_t* out)
{
    const double w00 = (1 - fx) * (1 - fy);
    const double w10 = fx * (1 - fy);
    const double w01 = (1 - fx) * fy;
    const double w11 = fx * fy;
    out[0] = MixedChannel(a, b, c, d, 0, w00, w10, w01, w11);
    out[1] = MixedChannel(a, b, c, d, 8, w00, w10, w01, w11);
    out[2] = MixedChannel(a, b, c, d, 16, w00, w10, w01, w11);
}

// The words of the pixel at p and of its right neighbour, reading two bytes
// beyond them when whole.
inline void LoadPair(const std::uint8_t* p, bool whole, std::uint32_t& left, std::uint32_t& right)
{
    if (whole) {
        const std::uint64_t pair = LoadEight(p);
        left = static_cast<std::uint32_t>(pair);
        right = static_cast<std::uint32_t>(pair >> 24);
    } else {
        left = LoadWord(p);
        right = LoadPixel(p + 3);
    }
}

// x limited to low..high, and low when not a number, so that its conversion
// to int is defined; where x lies within, the conversion is unchanged.
inline double Within(double x, double low, double high)
{
    const double above = x > low ? x : low;
    return above < high ? above : high;
}

// The unrounded source of turned pixel k, the same expression for both
// methods.
struct Position {
    double x, y;
};

inline Position SourceOf(const TurnedRow& r, int k)
{
    return {r.dxCos[k] - r.dySin + r.centreX, r.dxSin[k] + r.dyCos + r.centreY};
}

}  // namespace

NUVAK_WIDE_BUILDS(void, TurnedNearest,
                  (const TurnedRow& row, const TurnSource& source, TurnedSources sources),
                  (row, source, sources))
{
    const TurnedRow r = row;
    const TurnSource s = source;
    const double lowX = s.left - 1.0, highX = s.right + 1.0, lowY = s.top - 1.0, highY = s.bottom + 1.0;
    const int black = s.Rows();
    int* __restrict rows = sources.rows;
    int* __restrict columns = sources.columns;
    for (int k = 0; k < r.count; ++k) {
        const auto [sxp, syp] = SourceOf(r, k);
        // Far-off (or not-a-number) positions are black before any rounding.
        const bool near = (sxp > lowX) & (sxp < highX) & (syp > lowY) & (syp < highY);
        const int ix = RoundedHalfAway(Within(sxp, lowX, highX));
        const int iy = RoundedHalfAway(Within(syp, lowY, highY));
        const bool inside = near & (ix >= s.left) & (ix <= s.right) & (iy >= s.top) & (iy <= s.bottom);
        rows[k] = inside ? iy - s.top : black;
        columns[k] = inside ? ix - s.left : 0;
    }
}

NUVAK_WIDE_BUILDS(void, TurnedFour,
                  (const TurnedRow& row, const TurnSource& source, TurnedSources sources, double* __restrict fx,
                   double* __restrict fy),
                  (row, source, sources, fx, fy))
{
    const TurnedRow r = row;
    const TurnSource s = source;
    const int black = s.Rows();
    int* __restrict rows = sources.rows;
    int* __restrict columns = sources.columns;
    for (int k = 0; k < r.count; ++k) {
        const auto [sxp, syp] = SourceOf(r, k);
        // Positions outside the AOI are black on every side, also within a
        // pixel of its edges, where four-pixel mixing would extrapolate.
        const bool inside = (sxp >= s.left) & (sxp <= s.right) & (syp >= s.top) & (syp <= s.bottom);
        // Limited to the AOI (and a little beyond, so that no bound is a
        // whole number the compiler could convert ahead), sources inside are
        // unchanged; outside the fractions stay finite, and black pixels
        // mixed with finite weights are black.
        const double x = Within(sxp, s.left - 0.5, s.right + 0.5);
        const double y = Within(syp, s.top - 0.5, s.bottom + 0.5);
        int ix = static_cast<int>(x);
        int iy = static_cast<int>(y);
        ix = ix == s.right ? s.right - 1 : ix;
        iy = iy == s.bottom ? s.bottom - 1 : iy;
        // A one-pixel-wide or -high AOI has no four pixels to mix.
        const bool mixed = inside & (ix >= s.left) & (iy >= s.top);
        rows[k] = mixed ? iy - s.top : black;
        columns[k] = mixed ? ix - s.left : 0;
        fx[k] = x - ix;
        fy[k] = y - iy;
    }
}

Span Sampled(const TurnSource& source, TurnedSources sources, int count)
{
    const int black = source.Rows();
    Span span{0, count};
    while (span.first < count && sources.rows[span.first] == black) ++span.first;
    while (span.end > span.first && sources.rows[span.end - 1] == black) --span.end;
    return span;
}

void Prefetch(const std::uint8_t* copy, const TurnSource& source, TurnedSources sources, int count, long long ahead,
              bool four)
{
#if defined(__GNUC__)
    // Addresses beyond the copy are harmless to ask for, but not to form as
    // pointers into it.
    const std::uintptr_t base = reinterpret_cast<std::uintptr_t>(copy) + static_cast<std::uintptr_t>(ahead);
    const std::uintptr_t rowBytes = static_cast<std::uintptr_t>(source.RowBytes());
    const std::uintptr_t below = four ? rowBytes : 0;
    for (int k = 0; k < count; k += 2) {
        const std::uintptr_t at = base + static_cast<std::uintptr_t>(sources.rows[k]) * rowBytes +
                                  3 * static_cast<std::uintptr_t>(sources.columns[k]);
        __builtin_prefetch(reinterpret_cast<const void*>(at));
        __builtin_prefetch(reinterpret_cast<const void*>(at + below));
    }
#else
    (void)copy, (void)source, (void)sources, (void)count, (void)ahead, (void)four;
#endif
}

namespace {

template <typename At>
void CopyFrom(At at, int count, int safe, std::uint8_t* out)
{
    int k = 0;
    for (; k < safe && k < count - 1; ++k) StoreWord(LoadWord(at(k)), out + 3 * k, true);
    for (; k < count; ++k) StoreWord(LoadPixel(at(k)), out + 3 * k, false);
}

template <typename At>
void GatherFrom(At at, long long below, int count, int safe, std::uint32_t* a, std::uint32_t* b, std::uint32_t* c,
                std::uint32_t* d)
{
    for (int k = 0; k < count; ++k) {
        const std::uint8_t* p = at(k);
        LoadPair(p, k < safe, a[k], b[k]);
        LoadPair(p + below, k < safe, c[k], d[k]);
    }
}

}  // namespace

void CopyPixels(const std::uint8_t* copy, const TurnSource& source, TurnedSources sources, int count,
                std::uint8_t* out)
{
    CopyFrom(TurnedAt{copy, source.RowBytes(), sources}, count, count, out);
}

void CopyPixels(const std::uint8_t* source, const long long* offsets, int count, int safe, std::uint8_t* out)
{
    CopyFrom(OffsetAt{source, offsets}, count, safe, out);
}

void GatherFour(const std::uint8_t* source, const long long* offsets, long long below, int count, int safe,
                std::uint32_t* a, std::uint32_t* b, std::uint32_t* c, std::uint32_t* d)
{
    GatherFrom(OffsetAt{source, offsets}, below, count, safe, a, b, c, d);
}

void GatherFour(const std::uint8_t* copy, const TurnSource& source, TurnedSources sources, int count,
                std::uint32_t* a, std::uint32_t* b, std::uint32_t* c, std::uint32_t* d)
{
    GatherFrom(TurnedAt{copy, source.RowBytes(), sources}, source.RowBytes(), count, count, a, b, c, d);
}

NUVAK_WIDE_BUILDS(void, MixFour,
                  (const std::uint32_t* __restrict a, const std::uint32_t* __restrict b,
                   const std::uint32_t* __restrict c, const std::uint32_t* __restrict d, const double* __restrict fx,
                   const double* __restrict fy, int count, std::uint8_t* __restrict out),
                  (a, b, c, d, fx, fy, count, out))
{
    for (int k = 0; k < count; ++k) MixPixel(a[k], b[k], c[k], d[k], fx[k], fy[k], out + 3 * k);
}

NUVAK_WIDE_BUILDS(void, MixFourOnRow,
                  (const std::uint32_t* __restrict a, const std::uint32_t* __restrict b,
                   const std::uint32_t* __restrict c, const std::uint32_t* __restrict d, const double* __restrict fx,
                   double fy, int count, std::uint8_t* __restrict out),
                  (a, b, c, d, fx, fy, count, out))
{
    for (int k = 0; k < count; ++k) MixPixel(a[k], b[k], c[k], d[k], fx[k], fy, out + 3 * k);
}

namespace {

template <typename Sum>
inline void AcrossRow(const std::uint8_t* __restrict left, const std::uint8_t* __restrict right,
                      const Sum* __restrict fx, int unit, std::size_t count, Sum* __restrict sums)
{
    for (std::size_t i = 0; i < count; ++i) sums[i] = static_cast<Sum>(left[i] * (unit - fx[i]) + right[i] * fx[i]);
}

// Sums clamped at 0 first, which rounds the same and takes no branch; the
// rounding in unsigned sums of the same width, where the half cannot
// overflow. A shift known to the compiler keeps 16-bit sums in 16-bit lanes.
template <typename Sum, int Shift>
inline void DownRow(const Sum* __restrict upper, const Sum* __restrict lower, int fy, int unit, std::size_t count,
                    std::uint8_t* __restrict out)
{
    using Unsigned = std::make_unsigned_t<Sum>;
    const Sum keep = static_cast<Sum>(unit - fy), take = static_cast<Sum>(fy);
    constexpr Unsigned kHalf = static_cast<Unsigned>((1u << Shift) >> 1);
    for (std::size_t i = 0; i < count; ++i) {
        const Sum sum = static_cast<Sum>(upper[i] * keep + lower[i] * take);
        const Unsigned biased = static_cast<Unsigned>(static_cast<Unsigned>(sum > 0 ? sum : 0) + kHalf);
        const Unsigned rounded = static_cast<Unsigned>(biased >> Shift);
        out[i] = static_cast<std::uint8_t>(rounded < 255 ? rounded : 255);
    }
}

}  // namespace

NUVAK_WIDE_BUILDS(void, MixAcross,
                  (const std::uint8_t* left, const std::uint8_t* right, const int* fx, int unit, std::size_t count,
                   int* sums),
                  (left, right, fx, unit, count, sums))
{
    AcrossRow(left, right, fx, unit, count, sums);
}

NUVAK_WIDE_BUILDS(void, MixAcross,
                  (const std::uint8_t* left, const std::uint8_t* right, const std::int16_t* fx, int unit,
                   std::size_t count, std::int16_t* sums),
                  (left, right, fx, unit, count, sums))
{
    AcrossRow(left, right, fx, unit, count, sums);
}

NUVAK_WIDE_BUILDS(void, MixDown,
                  (const int* upper, const int* lower, int fy, std::size_t count, std::uint8_t* out),
                  (upper, lower, fy, count, out))
{
    DownRow<int, 16>(upper, lower, fy, 256, count, out);
}

NUVAK_WIDE_BUILDS(void, MixDown,
                  (const std::int16_t* upper, const std::int16_t* lower, int fy, int unit, int shift,
                   std::size_t count, std::uint8_t* out),
                  (upper, lower, fy, unit, shift, count, out))
{
    switch (shift) {
    case 1: DownRow<std::int16_t, 1>(upper, lower, fy, unit, count, out); break;
    case 2: DownRow<std::int16_t, 2>(upper, lower, fy, unit, count, out); break;
    case 3: DownRow<std::int16_t, 3>(upper, lower, fy, unit, count, out); break;
    default: DownRow<std::int16_t, 4>(upper, lower, fy, unit, count, out); break;
    }
}

}  // namespace sampling
