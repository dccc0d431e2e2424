// The five filters' sums in one pass over a row, in vector lanes, then the
// chosen filter's bytes.
#include "image/PngFilters.h"

#include <algorithm>
#include <cstdlib>

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

// Byte i of the row under filter f, with left a, above b, above-left c.
[[gnu::always_inline]] inline std::uint8_t Filtered(int f, std::uint8_t x, std::uint8_t a, std::uint8_t b,
                                                    std::uint8_t c)
{
    switch (f) {
        case kSub: return static_cast<std::uint8_t>(x - a);
        case kUp: return static_cast<std::uint8_t>(x - b);
        case kAverage: return static_cast<std::uint8_t>(x - ((a + b) >> 1));
        case kPaeth: return static_cast<std::uint8_t>(x - Paeth(a, b, c));
        default: return x;
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
            sub += Magnitude(static_cast<std::uint8_t>(v - a));
            up += Magnitude(static_cast<std::uint8_t>(v - u));
            average += Magnitude(static_cast<std::uint8_t>(v - ((a + u) >> 1)));
            paeth += Magnitude(static_cast<std::uint8_t>(v - Paeth(a, u, c)));
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
    // One loop a filter, each in vector lanes.
    switch (best) {
        case kNone: std::copy(x + lead, x + bytes, filtered + lead); break;
        case kSub:
            for (std::size_t i = lead; i < bytes; ++i) filtered[i] = static_cast<std::uint8_t>(x[i] - x[i - Bpp]);
            break;
        case kUp:
            for (std::size_t i = lead; i < bytes; ++i) filtered[i] = static_cast<std::uint8_t>(x[i] - b[i]);
            break;
        case kAverage:
            for (std::size_t i = lead; i < bytes; ++i)
                filtered[i] = static_cast<std::uint8_t>(x[i] - ((x[i - Bpp] + b[i]) >> 1));
            break;
        default:
            for (std::size_t i = lead; i < bytes; ++i)
                filtered[i] = static_cast<std::uint8_t>(x[i] - Paeth(x[i - Bpp], b[i], b[i - Bpp]));
            break;
    }
}

}  // namespace

NUVAK_WIDE_CLONES
void FilterPngRow(const std::uint8_t* row, const std::uint8_t* above, std::size_t bytes, int bpp, std::uint8_t* out)
{
    if (bpp == 3)
        FilterRow<3>(row, above, bytes, out);
    else
        FilterRow<1>(row, above, bytes, out);
}

bool UnfilterPngRow(std::uint8_t filter, std::uint8_t* row, const std::uint8_t* above, std::size_t bytes, int bpp)
{
    if (filter > kPaeth) return false;
    if (!above) {
        // Above the first row lie zeros: Up is no filter, Paeth is Sub.
        if (filter == kUp) return true;
        if (filter == kPaeth) filter = kSub;
    }
    const std::size_t lead = std::min(static_cast<std::size_t>(bpp), bytes);
    switch (filter) {
        case kSub:
            for (std::size_t i = lead; i < bytes; ++i) row[i] = static_cast<std::uint8_t>(row[i] + row[i - bpp]);
            break;
        case kUp:
            for (std::size_t i = 0; i < bytes; ++i) row[i] = static_cast<std::uint8_t>(row[i] + above[i]);
            break;
        case kAverage:
            for (std::size_t i = 0; i < lead; ++i) row[i] = static_cast<std::uint8_t>(row[i] + (above ? above[i] >> 1 : 0));
            for (std::size_t i = lead; i < bytes; ++i)
                row[i] = static_cast<std::uint8_t>(row[i] + ((row[i - bpp] + (above ? above[i] : 0)) >> 1));
            break;
        case kPaeth:
            for (std::size_t i = 0; i < lead; ++i) row[i] = static_cast<std::uint8_t>(row[i] + above[i]);
            for (std::size_t i = lead; i < bytes; ++i)
                row[i] = static_cast<std::uint8_t>(row[i] + Paeth(row[i - bpp], above[i], above[i - bpp]));
            break;
        default: break;
    }
    return true;
}
