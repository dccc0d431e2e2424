// The row loops of the kernel and box filters, cloned for processors with AVX2.
#include "processing/NeighbourhoodSums.h"

#include <cmath>

#include "processing/SmallCounts.h"

namespace neighbourhood {

NUVAK_VECTOR_BUILDS(void, ClampRow,
                    (const std::int16_t* __restrict sums, size_t count, std::uint8_t* __restrict values),
                    (sums, count, values))
{
    for (size_t j = 0; j < count; ++j) values[j] = CColorVal::Clamp(sums[j]);
}

NUVAK_VECTOR_BUILDS(void, ClampRow,
                    (const int* __restrict sums, size_t count, std::uint8_t* __restrict values),
                    (sums, count, values))
{
    for (size_t j = 0; j < count; ++j) values[j] = CColorVal::Clamp(sums[j]);
}

NUVAK_VECTOR_BUILDS(void, Widen,
                    (const std::uint8_t* __restrict samples, size_t count, double* __restrict values),
                    (samples, count, values))
{
    for (size_t j = 0; j < count; ++j) values[j] = samples[j];
}

namespace {

// KernelRow for length sums from start; a constant length lets the sums
// live in registers. Fused adds each product without rounding it first,
// which gives the same bits when every product is exact. ByRows adds each
// kernel row's products from the first, rounded, and then the row sums from
// the first: no array is set to zero first, which would go through memory.
template <size_t length, bool Fused, bool ByRows, typename Sample, typename Weight, typename Sum>
[[gnu::always_inline]] inline void KernelSums(const Sample* const* rows, int n, int channels, const Weight* weights,
                                              size_t start, Sum* __restrict sums)
{
    auto add = [](Sum& to, Weight weight, Sample sample) {
        if constexpr (Fused)
            to = std::fma(weight, sample, to);
        else
            to = static_cast<Sum>(to + weight * sample);
    };
    const Weight* w = weights;
    if constexpr (ByRows) {
        Sum sum[length];
        bool anyRow = false;
        for (int k = 0; k < n; ++k) {
            Sum rowSum[length];
            bool anyWeight = false;
            for (int m = 0; m < n; ++m, ++w) {
                if (*w == 0) continue;
                const Weight weight = *w;
                const Sample* in = rows[k] + start + static_cast<size_t>(channels * m);
                if (anyWeight)
                    for (size_t i = 0; i < length; ++i) add(rowSum[i], weight, in[i]);
                else
                    for (size_t i = 0; i < length; ++i) rowSum[i] = static_cast<Sum>(weight * in[i]);
                anyWeight = true;
            }
            if (!anyWeight) continue;
            if (anyRow)
                for (size_t i = 0; i < length; ++i) sum[i] += rowSum[i];
            else
                for (size_t i = 0; i < length; ++i) sum[i] = rowSum[i];
            anyRow = true;
        }
        for (size_t i = 0; i < length; ++i) sums[start + i] = anyRow ? sum[i] : Sum{};
    } else {
        Sum sum[length] = {};
        for (int k = 0; k < n; ++k)
            for (int m = 0; m < n; ++m, ++w) {
                // A zero weight adds nothing to any finite sum.
                if (*w == 0) continue;
                const Weight weight = *w;
                const Sample* in = rows[k] + start + static_cast<size_t>(channels * m);
                for (size_t i = 0; i < length; ++i) add(sum[i], weight, in[i]);
            }
        for (size_t i = 0; i < length; ++i) sums[start + i] = sum[i];
    }
}

// Blocks of sums four vectors long, whose adds hide each other's latency.
template <size_t Block, bool Fused = false, bool ByRows = false, typename Sample, typename Weight, typename Sum>
[[gnu::always_inline]] inline void KernelRowOf(const Sample* const* rows, int n, int channels, const Weight* weights,
                                               size_t count, Sum* __restrict sums)
{
    size_t start = 0;
    for (; start + Block <= count; start += Block)
        KernelSums<Block, Fused, ByRows>(rows, n, channels, weights, start, sums);
    // A row of a block or more ends with a block that overlaps the one before:
    // each sum depends on its own samples only, so it comes out the same twice.
    if (start < count && count >= Block) {
        KernelSums<Block, Fused, ByRows>(rows, n, channels, weights, count - Block, sums);
        return;
    }
    for (; start < count; ++start) KernelSums<1, Fused, ByRows>(rows, n, channels, weights, start, sums);
}

NUVAK_WIDE_BUILDS(void, SeparateKernelRow,
                  (const double* const* rows, int n, int channels, const double* weights, size_t count,
                   double* __restrict sums),
                  (rows, n, channels, weights, count, sums))
{
    KernelRowOf<32>(rows, n, channels, weights, count, sums);
}

// The fused row where the chosen instructions have fused multiply-adds;
// false elsewhere, where a software fused add would be far slower than two
// roundings.
#if NUVAK_HAS_CLONES
[[NUVAK_WIDE_TARGET]] void FusedKernelRowWide(const double* const* rows, int n, int channels, const double* weights,
                                              size_t count, double* sums)
{
    KernelRowOf<64, true>(rows, n, channels, weights, count, sums);
}

[[gnu::target("avx2,fma")]] void FusedKernelRowAvx2(const double* const* rows, int n, int channels,
                                                    const double* weights, size_t count, double* sums)
{
    KernelRowOf<32, true>(rows, n, channels, weights, count, sums);
}

bool FusedKernelRow(const double* const* rows, int n, int channels, const double* weights, size_t count,
                    double* sums)
{
    if (!platform::HasFusedAdds()) return false;
    if (platform::ChosenSet() == platform::InstructionSet::Avx512)
        FusedKernelRowWide(rows, n, channels, weights, count, sums);
    else
        FusedKernelRowAvx2(rows, n, channels, weights, count, sums);
    return true;
}
#else
bool FusedKernelRow(const double* const*, int, int, const double*, size_t, double*) { return false; }
#endif

// The float rows, eight vectors of sums a block in each build; by kernel
// rows from 7 x 7 on, where the rounding errors of one long run of sums
// would grow large enough to send more sums to the double sum.
bool ByKernelRows(int n) { return n >= 7; }

#if NUVAK_HAS_CLONES
template <bool ByRows>
[[NUVAK_WIDE_TARGET]] void FloatKernelRowWide(const float* const* rows, int n, int channels, const float* weights,
                                              size_t count, float* sums)
{
    KernelRowOf<128, true, ByRows>(rows, n, channels, weights, count, sums);
}

template <bool ByRows>
[[gnu::target("avx2,fma")]] void FloatKernelRowAvx2(const float* const* rows, int n, int channels,
                                                    const float* weights, size_t count, float* sums)
{
    KernelRowOf<64, true, ByRows>(rows, n, channels, weights, count, sums);
}
#endif

template <bool ByRows>
void FloatKernelRowPlain(const float* const* rows, int n, int channels, const float* weights, size_t count,
                         float* __restrict sums)
{
    KernelRowOf<32, false, ByRows>(rows, n, channels, weights, count, sums);
}

template <bool ByRows>
void FloatKernelRow(const float* const* rows, int n, int channels, const float* weights, size_t count,
                    float* __restrict sums)
{
#if NUVAK_HAS_CLONES
    if (platform::HasFusedAdds()) {
        if (platform::ChosenSet() == platform::InstructionSet::Avx512)
            FloatKernelRowWide<ByRows>(rows, n, channels, weights, count, sums);
        else
            FloatKernelRowAvx2<ByRows>(rows, n, channels, weights, count, sums);
        return;
    }
#endif
    FloatKernelRowPlain<ByRows>(rows, n, channels, weights, count, sums);
}

}  // namespace

NUVAK_VECTOR_BUILDS(void, Widen, (const std::uint8_t* __restrict samples, size_t count, float* __restrict values),
                    (samples, count, values))
{
    for (size_t j = 0; j < count; ++j) values[j] = samples[j];
}

void KernelRow(const float* const* rows, int n, int channels, const float* weights, size_t count,
               float* __restrict sums)
{
    if (ByKernelRows(n))
        FloatKernelRow<true>(rows, n, channels, weights, count, sums);
    else
        FloatKernelRow<false>(rows, n, channels, weights, count, sums);
}

float FloatKernelMargin(const float* weights, int n)
{
    // Each rounding moves a result by at most u times its size, and every
    // result is at most 255 times the sum of the weights' sizes before it
    // (times the growth of the earlier errors): a product (unless fused),
    // each partial sum of a kernel row and of the rows, or each partial sum
    // of the row-major order; in the double sum each of the latter.
    constexpr double kSingle = 0x1p-24, kDouble = 0x1p-53;
    const bool byRows = ByKernelRows(n);
    double singleTerms = 0, doubleTerms = 0, all = 0;
    for (int k = 0; k < n; ++k) {
        double row = 0;
        for (int m = 0; m < n; ++m) {
            const double size = std::fabs(weights[k * n + m]);
            row += size;
            all += size;
            singleTerms += size + (byRows ? row : all);
            doubleTerms += all;
        }
        if (byRows) singleTerms += all;
    }
    if (!(255 * all < 1e30)) return -1;
    const double growth = 1 + 4 * n * n * kSingle;
    const double single = kSingle * growth * 255 * singleTerms;
    const double exact = kDouble * growth * 255 * doubleTerms;
    // Twice that, and room for NearRoundRow's own rounding of a sum plus a
    // half (2^-17 at most).
    return static_cast<float>(2 * (single + exact) + 0x1p-12);
}

NUVAK_WIDE_BUILDS(bool, NearRoundRow,
                  (const float* __restrict sums, size_t count, float margin, std::uint8_t* __restrict values,
                   std::uint8_t* __restrict unsure),
                  (sums, count, margin, values, unsure))
{
    // As RoundRow: a sum not above 0 gives 0, one of 255 or more 255, any
    // other trunc(sum + 0.5), which the exact sum shares unless a whole
    // number lies within the margin. The sums are never NaN.
    const float inner = 0.5f - margin;
    std::uint8_t any = 0;
    for (size_t j = 0; j < count; ++j) {
        const float raised = std::min(std::max(sums[j], 0.0f), 255.0f) + 0.5f;
        const float whole = std::trunc(raised);
        const auto near = static_cast<std::uint8_t>(std::fabs(raised - whole - 0.5f) > inner);
        values[j] = static_cast<std::uint8_t>(static_cast<int>(whole));
        unsure[j] = near;
        any |= near;
    }
    return any != 0;
}

void KernelRow(const double* const* rows, int n, int channels, const double* weights, size_t count,
               double* __restrict sums, bool exactProducts)
{
    if (exactProducts && FusedKernelRow(rows, n, channels, weights, count, sums)) return;
    SeparateKernelRow(rows, n, channels, weights, count, sums);
}

NUVAK_WIDE_BUILDS(void, KernelRow,
                  (const std::uint8_t* const* rows, int n, int channels, const std::int16_t* weights, size_t count,
                   std::int16_t* __restrict sums),
                  (rows, n, channels, weights, count, sums))
{
    KernelRowOf<64>(rows, n, channels, weights, count, sums);
}

NUVAK_VECTOR_BUILDS(void, KernelRow,
                    (const std::uint8_t* const* rows, int n, int channels, const int* weights, size_t count,
                     int* __restrict sums),
                    (rows, n, channels, weights, count, sums))
{
    KernelRowOf<32>(rows, n, channels, weights, count, sums);
}

NUVAK_WIDE_BUILDS(void, RoundRow,
                  (const double* __restrict sums, size_t count, std::uint8_t* __restrict values),
                  (sums, count, values))
{
    // RoundToByte without branches: a sum not above 0 (or not a number)
    // gives 0, one of 255 or more gives 255, any other trunc(sum + 0.5).
    for (size_t j = 0; j < count; ++j) {
        const double positive = sums[j] > 0 ? sums[j] : 0.0;
        const double limited = positive < 255 ? positive : 255.0;
        values[j] = static_cast<std::uint8_t>(static_cast<int>(limited + 0.5));
    }
}

namespace {

template <typename Sum>
void AddRow(Sum* __restrict columns, const std::uint8_t* __restrict row, size_t length)
{
    for (size_t i = 0; i < length; ++i) columns[i] = static_cast<Sum>(columns[i] + row[i]);
}

template <typename Sum>
void SlideRow(Sum* __restrict columns, const std::uint8_t* __restrict entering, const std::uint8_t* __restrict leaving,
              size_t length)
{
    for (size_t i = 0; i < length; ++i) columns[i] = static_cast<Sum>(columns[i] + entering[i] - leaving[i]);
}

template <typename Sum>
void AddSums(Sum* __restrict sums, const Sum* __restrict columns, size_t length)
{
    for (size_t i = 0; i < length; ++i) sums[i] = static_cast<Sum>(sums[i] + columns[i]);
}

}  // namespace

NUVAK_WIDE_BUILDS(void, AddSamples,
                  (std::uint16_t* __restrict columns, const std::uint8_t* __restrict row, size_t length),
                  (columns, row, length))
{
    AddRow(columns, row, length);
}

NUVAK_VECTOR_BUILDS(void, AddSamples,
                    (int* __restrict columns, const std::uint8_t* __restrict row, size_t length),
                    (columns, row, length))
{
    AddRow(columns, row, length);
}

NUVAK_WIDE_BUILDS(void, SlideSamples,
                  (std::uint16_t* __restrict columns, const std::uint8_t* __restrict entering,
                   const std::uint8_t* __restrict leaving, size_t length),
                  (columns, entering, leaving, length))
{
    SlideRow(columns, entering, leaving, length);
}

NUVAK_VECTOR_BUILDS(void, SlideSamples,
                    (int* __restrict columns, const std::uint8_t* __restrict entering,
                     const std::uint8_t* __restrict leaving, size_t length),
                    (columns, entering, leaving, length))
{
    SlideRow(columns, entering, leaving, length);
}

namespace {

// sums[i] adds the N columns from i, each read where it lies: N shifted
// loads give a vector of sums, and no partial sums are stored and read back.
template <int N, typename Sum>
[[gnu::always_inline]] inline void DirectSums(const Sum* columns, size_t count, size_t stride,
                                              Sum* __restrict sums)
{
    for (size_t i = 0; i < count; ++i) {
        Sum s = columns[i];
        for (int m = 1; m < N; ++m) s = static_cast<Sum>(s + columns[i + static_cast<size_t>(m) * stride]);
        sums[i] = s;
    }
}

template <typename Sum>
[[gnu::always_inline]] inline void WindowSumsOf(const Sum* columns, size_t count, int n, size_t stride, Sum* sums)
{
    WithCount<kLargestDirectBox>(n, [&](auto terms) {
        if constexpr (terms <= kLargestDirectBox) DirectSums<terms>(columns, count, stride, sums);
    });
}

}  // namespace

NUVAK_WIDE_BUILDS(void, WindowSums,
                  (const std::uint16_t* columns, size_t count, int n, size_t stride, std::uint16_t* sums),
                  (columns, count, n, stride, sums))
{
    WindowSumsOf(columns, count, n, stride, sums);
}

NUVAK_VECTOR_BUILDS(void, WindowSums,
                    (const int* columns, size_t count, int n, size_t stride, int* sums),
                    (columns, count, n, stride, sums))
{
    WindowSumsOf(columns, count, n, stride, sums);
}

}  // namespace neighbourhood
