// The median filter of grayscale images.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "image/Image.h"
#include "processing/Neighbourhood.h"
#include "processing/RowWindow.h"
#include "image/SampleRows.h"
#include "platform/BytePermutes.h"
#include "platform/VectorClones.h"

#if NUVAK_BYTE_PERMUTES
#include <immintrin.h>
#endif

using namespace neighbourhood;

namespace {

// A histogram of the window's values that knows its element of one rank:
// sliding the window by a column moves the answer by a few levels only.
class RankedHistogram {
public:
    explicit RankedHistogram(int rank) : rank_(rank) {}
    void Add(int v, int delta)
    {
        counts_[static_cast<size_t>(v)] += delta;
        // Without a branch: for noise it would be mispredicted half the time.
        below_ += delta * static_cast<int>(v < level_);
    }
    int Ranked()
    {
        while (below_ > rank_) below_ -= counts_[static_cast<size_t>(--level_)];
        while (below_ + counts_[static_cast<size_t>(level_)] <= rank_) below_ += counts_[static_cast<size_t>(level_++)];
        return level_;
    }

private:
    std::array<int, 256> counts_{};
    int rank_;
    int level_ = 0;
    int below_ = 0;  // values under level_
};

std::uint8_t Median3(std::uint8_t a, std::uint8_t b, std::uint8_t c)
{
    return std::max(std::min(a, b), std::min(std::max(a, b), c));
}

// The median of each pixel's 3 x 3 window for a row, from the rows above,
// at and below it starting one column left of the first pixel: each column
// of three is sorted, and the median of nine is the median of the largest of
// three neighbouring columns' least values, the median of their middle ones
// and the least of their largest ones. Made of minima and maxima only, it
// gives the median for every 0/1 input, hence for every input; on whole rows
// it vectorises.
NUVAK_WIDE_BUILDS(void, MedianOfNine,
                  (const std::uint8_t* __restrict above, const std::uint8_t* __restrict here,
                   const std::uint8_t* __restrict below, int columns, std::uint8_t* __restrict least,
                   std::uint8_t* __restrict middle, std::uint8_t* __restrict largest, std::uint8_t* __restrict out),
                  (above, here, below, columns, least, middle, largest, out))
{
    for (int i = 0; i < columns + 2; ++i) {
        const std::uint8_t low = std::min(above[i], here[i]), high = std::max(above[i], here[i]);
        const std::uint8_t upper = std::max(low, below[i]);
        least[i] = std::min(low, below[i]);
        middle[i] = std::min(high, upper);
        largest[i] = std::max(high, upper);
    }
    for (int i = 0; i < columns; ++i) {
        const std::uint8_t lows = std::max(std::max(least[i], least[i + 1]), least[i + 2]);
        const std::uint8_t highs = std::min(std::min(largest[i], largest[i + 1]), largest[i + 2]);
        out[i] = Median3(lows, Median3(middle[i], middle[i + 1], middle[i + 2]), highs);
    }
}

#if NUVAK_BYTE_PERMUTES
struct SortedColumns {
    __m512i least, middle, largest;
};

// The sorted columns i .. i + 63 of three rows of length bytes; those past
// the end read as 0.
[[NUVAK_PERMUTES_TARGET]] inline SortedColumns SortColumns(const std::uint8_t* above, const std::uint8_t* here,
                                                           const std::uint8_t* below, int i, int length)
{
    const __mmask64 inside = i + 64 <= length ? ~__mmask64(0) : i >= length ? 0 : (__mmask64(1) << (length - i)) - 1;
    const __m512i a = _mm512_maskz_loadu_epi8(inside, above + i), b = _mm512_maskz_loadu_epi8(inside, here + i);
    const __m512i c = _mm512_maskz_loadu_epi8(inside, below + i);
    const __m512i low = _mm512_min_epu8(a, b), high = _mm512_max_epu8(a, b);
    const __m512i upper = _mm512_max_epu8(low, c);
    return {_mm512_min_epu8(low, c), _mm512_min_epu8(high, upper), _mm512_max_epu8(high, upper)};
}

[[NUVAK_PERMUTES_TARGET]] inline __m512i Median3(__m512i a, __m512i b, __m512i c)
{
    return _mm512_max_epu8(_mm512_min_epu8(a, b), _mm512_min_epu8(_mm512_max_epu8(a, b), c));
}

// MedianOfNine 64 pixels a step with each column sorted once: the sorted
// columns one and two to the right come from byte permutes across this
// block's columns and the next one's, not from sorting them again. The
// rows' bytes past columns + 2 are never read, nor out's past columns.
[[NUVAK_PERMUTES_TARGET]] void PermutedMedians(const std::uint8_t* above, const std::uint8_t* here,
                                               const std::uint8_t* below, int columns, std::uint8_t* out)
{
    alignas(64) std::uint8_t steps[2][64];
    for (int k = 0; k < 64; ++k) steps[0][k] = static_cast<std::uint8_t>(k + 1), steps[1][k] = static_cast<std::uint8_t>(k + 2);
    const __m512i one = _mm512_load_si512(steps[0]), two = _mm512_load_si512(steps[1]);
    SortedColumns now = SortColumns(above, here, below, 0, columns + 2);
    for (int i = 0; i < columns; i += 64) {
        const SortedColumns next = SortColumns(above, here, below, i + 64, columns + 2);
        const __m512i lows = _mm512_max_epu8(
            _mm512_max_epu8(now.least, _mm512_permutex2var_epi8(now.least, one, next.least)),
            _mm512_permutex2var_epi8(now.least, two, next.least));
        const __m512i highs = _mm512_min_epu8(
            _mm512_min_epu8(now.largest, _mm512_permutex2var_epi8(now.largest, one, next.largest)),
            _mm512_permutex2var_epi8(now.largest, two, next.largest));
        const __m512i middles = Median3(now.middle, _mm512_permutex2var_epi8(now.middle, one, next.middle),
                                        _mm512_permutex2var_epi8(now.middle, two, next.middle));
        const __mmask64 inside = i + 64 <= columns ? ~__mmask64(0) : (__mmask64(1) << (columns - i)) - 1;
        _mm512_mask_storeu_epi8(out + i, inside, Median3(lows, middles, highs));
        now = next;
    }
}
#else
void PermutedMedians(const std::uint8_t*, const std::uint8_t*, const std::uint8_t*, int, std::uint8_t*) {}
#endif

// MedianOfNine W pixels at a time in registers, each column sorted once per
// block it falls in; false for rows narrower than W.
template <int W>
[[gnu::always_inline]] inline bool NineMediansOf(const std::uint8_t* above, const std::uint8_t* here,
                                                 const std::uint8_t* below, int columns, std::uint8_t* __restrict out)
{
    typedef std::uint8_t Bytes __attribute__((vector_size(W)));
    if (columns < W) return false;
    // Written out, not as helpers taking or giving vectors: those would be
    // built for the plain instructions.
    auto block = [&](int i) __attribute__((always_inline)) {
        Bytes low[3], middle[3], high[3];
        for (int c = 0; c < 3; ++c) {
            Bytes a, b, d;
            std::memcpy(&a, above + i + c, W);
            std::memcpy(&b, here + i + c, W);
            std::memcpy(&d, below + i + c, W);
            const Bytes lo = a < b ? a : b, hi = a < b ? b : a;
            const Bytes upper = lo > d ? lo : d;
            low[c] = lo < d ? lo : d;
            middle[c] = hi < upper ? hi : upper;
            high[c] = hi > upper ? hi : upper;
        }
        Bytes lows = low[0] > low[1] ? low[0] : low[1];
        lows = lows > low[2] ? lows : low[2];
        Bytes highs = high[0] < high[1] ? high[0] : high[1];
        highs = highs < high[2] ? highs : high[2];
        // Median3(a, b, c) = max(min(a, b), min(max(a, b), c)), twice.
        const Bytes lesser = middle[0] < middle[1] ? middle[0] : middle[1];
        const Bytes greater = middle[0] < middle[1] ? middle[1] : middle[0];
        const Bytes capped = greater < middle[2] ? greater : middle[2];
        const Bytes middles = lesser > capped ? lesser : capped;
        const Bytes smaller = lows < middles ? lows : middles, larger = lows < middles ? middles : lows;
        const Bytes top = larger < highs ? larger : highs;
        const Bytes median = smaller > top ? smaller : top;
        std::memcpy(out + i, &median, W);
    };
    int i = 0;
    for (; i + W <= columns; i += W) block(i);
    if (i < columns) block(columns - W);
    return true;
}

#if NUVAK_HAS_CLONES
[[NUVAK_AVX2_TARGET]] bool NineMediansAvx2(const std::uint8_t* above, const std::uint8_t* here,
                                           const std::uint8_t* below, int columns, std::uint8_t* out)
{
    return NineMediansOf<32>(above, here, below, columns, out);
}
#endif

bool NineMedians(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* below, int columns,
                 std::uint8_t* out)
{
#if NUVAK_HAS_CLONES
    if (platform::ChosenSet() != platform::InstructionSet::Baseline)
        return NineMediansAvx2(above, here, below, columns, out);
#endif
    return NineMediansOf<16>(above, here, below, columns, out);
}

// The medians of a row of columns pixels, W at a time, from the n rows of
// their windows, each from the column half left of the first pixel with its
// bytes' top bit flipped, so that they compare as signed bytes, which every
// vector build compares directly. Bit by bit from the highest, the median is
// the largest level with at most n x n / 2 samples below it. Rows narrower
// than W are left to the caller (false).
template <int W>
[[gnu::always_inline]] inline bool BitMediansOf(const std::int8_t* const* rows, int n, int columns,
                                                std::uint8_t* __restrict out)
{
    typedef std::int8_t Bytes __attribute__((vector_size(W)));
    if (columns < W) return false;
    Bytes rank, flip, bits[8];
    std::memset(&rank, n * n / 2, sizeof rank);
    std::memset(&flip, 0x80, sizeof flip);
    for (int b = 0; b < 8; ++b) std::memset(&bits[b], 0x80 >> b, sizeof bits[b]);
    auto block = [&](int p) __attribute__((always_inline)) {
        Bytes median = flip;
        for (const Bytes& bit : bits) {
            const Bytes trial = median ^ bit;
            // Four counts side by side: an add need not wait for the one before.
            Bytes below[4] = {};
            int i = 0;
            for (int k = 0; k < n; ++k)
                for (int m = 0; m < n; ++m, ++i) {
                    Bytes sample;
                    std::memcpy(&sample, rows[k] + p + m, W);
                    below[i & 3] -= sample < trial;
                }
            median = (below[0] + below[1]) + (below[2] + below[3]) <= rank ? trial : median;
        }
        const Bytes level = median ^ flip;
        std::memcpy(out + p, &level, W);
    };
    int p = 0;
    for (; p + W <= columns; p += W) block(p);
    // The last block overlaps the one before; its medians come out the same.
    if (p < columns) block(columns - W);
    return true;
}

#if NUVAK_HAS_CLONES
[[NUVAK_WIDE_TARGET]] bool BitMediansWide(const std::int8_t* const* rows, int n, int columns, std::uint8_t* out)
{
    return BitMediansOf<64>(rows, n, columns, out);
}

[[NUVAK_AVX2_TARGET]] bool BitMediansAvx2(const std::int8_t* const* rows, int n, int columns, std::uint8_t* out)
{
    return BitMediansOf<32>(rows, n, columns, out);
}
#endif

bool BitMedians(const std::int8_t* const* rows, int n, int columns, std::uint8_t* out)
{
#if NUVAK_HAS_CLONES
    switch (platform::ChosenSet()) {
    case platform::InstructionSet::Avx512:
        return BitMediansWide(rows, n, columns, out);
    case platform::InstructionSet::Avx2:
        return BitMediansAvx2(rows, n, columns, out);
    case platform::InstructionSet::Baseline:
        break;
    }
#endif
    return BitMediansOf<16>(rows, n, columns, out);
}

}  // namespace

int CImage::MedianFilter(int size)
{
    if (format != FORMAT_GRAYSCALE) {
        errorMessage = "CImage::MedianFilter() only defined on grayscale images";
        return -1;
    }
    int n = size;
    if (Prepare(*this, n, kMedianFilter) != 0) return -1;
    const int half = n / 2;
    const int columns = aoiRight - aoiLeft + 1;
    return WithWorkingStorage(*this, kMedianFilter, [&] {
        OverBandRows(*this, half, [&](const auto& rows) {
            RowWindow lum(rows, static_cast<size_t>(rows.span()), takeLuminance);
            if (n == 3) {
                const bool permutes = platform::HasBytePermutes();
                std::vector<std::uint8_t> scratch(4 * static_cast<size_t>(columns + 2));
                std::uint8_t* const least = scratch.data();
                std::uint8_t* const middle = least + columns + 2;
                std::uint8_t* const largest = middle + columns + 2;
                std::uint8_t* const out = largest + columns + 2;
                for (int y = rows.first(); y < rows.last(); ++y) {
                    const std::uint8_t* above = lum.at(y - 1);
                    const std::uint8_t* here = lum.at(y);
                    const std::uint8_t* under = lum.at(y + 1);
                    std::uint8_t* samples = SamplesOf(rows, y, out);
                    if (permutes)
                        PermutedMedians(above, here, under, columns, samples);
                    else if (!NineMedians(above, here, under, columns, samples))
                        MedianOfNine(above, here, under, columns, least, middle, largest, samples);
                    StoreSamples(rows, y, samples, columns);
                }
                return;
            }
            std::vector<const std::uint8_t*> window(static_cast<size_t>(n));
            std::vector<std::uint8_t> out(static_cast<size_t>(columns));
            const size_t width = static_cast<size_t>(columns + n - 1);
            std::vector<std::int8_t> flipped(width * static_cast<size_t>(n));
            std::vector<const std::int8_t*> flippedRows(static_cast<size_t>(n));
            for (int y = rows.first(); y < rows.last(); ++y) {
                for (int k = 0; k < n; ++k) {
                    window[static_cast<size_t>(k)] = lum.at(y - half + k);
                    std::int8_t* row = flipped.data() + width * static_cast<size_t>(k);
                    for (size_t i = 0; i < width; ++i)
                        row[i] = static_cast<std::int8_t>(window[static_cast<size_t>(k)][i] ^ 0x80);
                    flippedRows[static_cast<size_t>(k)] = row;
                }
                if (BitMedians(flippedRows.data(), n, columns, out.data())) {
                    StoreGrey(out.data(), columns, rows.out(y));
                    continue;
                }
                // Narrow rows slide a histogram along.
                RankedHistogram ranked(n * n / 2);
                for (const std::uint8_t* row : window)
                    for (int m = 0; m < n; ++m) ranked.Add(row[m], 1);
                for (int i = 0;; ++i) {
                    out[static_cast<size_t>(i)] = static_cast<std::uint8_t>(ranked.Ranked());
                    if (i == columns - 1) break;
                    for (const std::uint8_t* row : window) {
                        ranked.Add(row[i], -1);
                        ranked.Add(row[i + n], 1);
                    }
                }
                StoreGrey(out.data(), columns, rows.out(y));
            }
        });
    });
}
