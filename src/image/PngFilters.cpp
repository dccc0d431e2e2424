// The five filters' sums in one pass over a row, in vector lanes, then the
// chosen filter's bytes.
#include "image/PngFilters.h"

#include <algorithm>
#include <cstdlib>
#include <type_traits>

#include "platform/VectorClones.h"

namespace {

enum Filter : std::uint8_t { kNone, kSub, kUp, kAverage, kPaeth, kFilters };

[[gnu::always_inline]] inline unsigned Magnitude(std::uint8_t v) { return v < 128 ? v : 256u - v; }

// The Paeth predictor of left a, above b and above-left c.
[[gnu::always_inline]] inline std::uint8_t Paeth(int a, int b, int c)
{
    const int toA = std::abs(b - c), toB = std::abs(a - c), toC = std::abs(a + b - 2 * c);
    return static_cast<std::uint8_t>(toA <= toB && toA <= toC ? a : toB <= toC ? b : c);
}

// What filter f predicts a byte from its left a, above b and above-left c.
[[gnu::always_inline]] inline std::uint8_t Prediction(int f, std::uint8_t a, std::uint8_t b, std::uint8_t c)
{
    switch (f) {
        case kSub: return a;
        case kUp: return b;
        case kAverage: return static_cast<std::uint8_t>((a + b) >> 1);
        case kPaeth: return Paeth(a, b, c);
        default: return 0;
    }
}

// Byte x under filter f: less its prediction, modulo 256.
[[gnu::always_inline]] inline std::uint8_t Filtered(int f, std::uint8_t x, std::uint8_t a, std::uint8_t b,
                                                    std::uint8_t c)
{
    return static_cast<std::uint8_t>(x - Prediction(f, a, b, c));
}

// Calls work with filter f as a constant, so that each filter gets its own
// loop, in vector lanes where its bytes allow.
template <typename Work>
[[gnu::always_inline]] inline void WithFilter(int f, Work work)
{
    switch (f) {
        case kSub: return work(std::integral_constant<int, kSub>());
        case kUp: return work(std::integral_constant<int, kUp>());
        case kAverage: return work(std::integral_constant<int, kAverage>());
        case kPaeth: return work(std::integral_constant<int, kPaeth>());
        default: return work(std::integral_constant<int, kNone>());
    }
}

// The sums of magnitudes of bytes from .. bytes - 1 (from >= Bpp) under each
// filter, in pieces whose 32-bit sums cannot overflow.
template <int Bpp>
[[gnu::always_inline]] inline void AddSums(const std::uint8_t* __restrict x, const std::uint8_t* __restrict b,
                                           std::size_t from, std::size_t bytes, unsigned long long* sums)
{
    constexpr std::size_t kPiece = std::size_t{1} << 20;
    for (std::size_t start = from; start < bytes; start += kPiece) {
        const std::size_t end = std::min(bytes, start + kPiece);
        unsigned none = 0, sub = 0, up = 0, average = 0, paeth = 0;
        for (std::size_t i = start; i < end; ++i) {
            const std::uint8_t v = x[i], a = x[i - Bpp], u = b[i], c = b[i - Bpp];
            none += Magnitude(v);
            sub += Magnitude(Filtered(kSub, v, a, u, c));
            up += Magnitude(Filtered(kUp, v, a, u, c));
            average += Magnitude(Filtered(kAverage, v, a, u, c));
            paeth += Magnitude(Filtered(kPaeth, v, a, u, c));
        }
        sums[kNone] += none;
        sums[kSub] += sub;
        sums[kUp] += up;
        sums[kAverage] += average;
        sums[kPaeth] += paeth;
    }
}

template <int Bpp>
[[gnu::always_inline]] inline void FilterRow(const std::uint8_t* __restrict x, const std::uint8_t* __restrict b,
                                             std::size_t bytes, std::uint8_t* __restrict out)
{
    unsigned long long sums[kFilters] = {};
    const std::size_t lead = std::min<std::size_t>(Bpp, bytes);
    for (std::size_t i = 0; i < lead; ++i)
        for (int f = kNone; f < kFilters; ++f) sums[f] += Magnitude(Filtered(f, x[i], 0, b[i], 0));
    AddSums<Bpp>(x, b, lead, bytes, sums);
    int best = kNone;
    for (int f = kSub; f < kFilters; ++f)
        if (sums[f] < sums[best]) best = f;
    out[0] = static_cast<std::uint8_t>(best);
    std::uint8_t* __restrict filtered = out + 1;
    for (std::size_t i = 0; i < lead; ++i) filtered[i] = Filtered(best, x[i], 0, b[i], 0);
    WithFilter(best, [&](auto f) {
        for (std::size_t i = lead; i < bytes; ++i) filtered[i] = Filtered(f, x[i], x[i - Bpp], b[i], b[i - Bpp]);
    });
}

}  // namespace

NUVAK_WIDE_BUILDS(void, FilterPngRow,
                  (const std::uint8_t* row, const std::uint8_t* above, std::size_t bytes, int bpp, std::uint8_t* out),
                  (row, above, bytes, bpp, out))
{
    if (bpp == 3)
        FilterRow<3>(row, above, bytes, out);
    else
        FilterRow<1>(row, above, bytes, out);
}

bool UnfilterPngRow(std::uint8_t filter, std::uint8_t* row, const std::uint8_t* above, std::size_t bytes, int bpp)
{
    if (filter > kPaeth) return false;
    // The prediction is added back, from the bytes already restored.
    const std::size_t lead = std::min(static_cast<std::size_t>(bpp), bytes);
    for (std::size_t i = 0; i < lead; ++i)
        row[i] = static_cast<std::uint8_t>(row[i] + Prediction(filter, 0, above[i], 0));
    WithFilter(filter, [&](auto f) {
        for (std::size_t i = lead; i < bytes; ++i)
            row[i] = static_cast<std::uint8_t>(row[i] + Prediction(f, row[i - bpp], above[i], above[i - bpp]));
    });
    return true;
}
