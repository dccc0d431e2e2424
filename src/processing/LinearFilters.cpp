// The linear filters: low pass, high pass, Laplace, unsharp mask and custom
// kernels.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "image/Image.h"
#include "platform/Format.h"
#include "processing/Neighbourhood.h"
#include "processing/NeighbourhoodSums.h"

using namespace neighbourhood;

namespace {

// Boosts up to this use the box-sum shortcut of the unsharp mask.
constexpr double kLargestShortcutBoost = 1e6;

// One row of the unsharp mask's shortcut v + share (N v - S), rounded half
// up and clamped to 0..255; marks the values within margin of a half and says
// whether there are any. Negative values round to 0 or below either way, so
// truncation serves; |share| is small enough for every value to fit an int.
// Without branches and on unaliased rows, so that it vectorises: on noise
// branches would be mispredicted. Converting between bytes and doubles needs
// the vector clones.
NUVAK_WIDE_BUILDS(bool, ShortcutRow,
                  (const std::uint8_t* __restrict centre, const std::uint16_t* __restrict sums, int length,
                   double count, double share, double margin, std::uint8_t* __restrict values,
                   std::uint8_t* __restrict nearHalf),
                  (centre, sums, length, count, share, margin, values, nearHalf))
{
    int anyNear = 0;
    for (int j = 0; j < length; ++j) {
        const double v = centre[j];
        const double shortcut = v + share * (count * v - sums[j]);
        const int whole = static_cast<int>(shortcut);
        const double fraction = shortcut - whole;
        const int rounded = whole + static_cast<int>(fraction >= 0.5);
        values[j] = static_cast<std::uint8_t>(std::min(std::max(rounded, 0), 255));
        const int near = static_cast<int>(std::fabs(fraction - 0.5) < margin);
        nearHalf[j] = static_cast<std::uint8_t>(near);
        anyNear |= near;
    }
    return anyNear != 0;
}

// The same in single precision for boosts up to kLargestFloatBoost, with
// the margin FloatMargin: N v - S is an exact integer in float, and
// u = share (N v - S) + 1/2 lies within (3 x 255 |b| + 1/2) x 2^-24 of
// b/N (N v - S) + 1/2, whose whole part is what v is raised by. Twice the
// lanes of doubles.
NUVAK_WIDE_BUILDS(bool, FloatShortcutRow,
                  (const std::uint8_t* __restrict centre, const std::uint16_t* __restrict sums, int length,
                   float count, float share, float margin, std::uint8_t* __restrict values,
                   std::uint8_t* __restrict nearHalf),
                  (centre, sums, length, count, share, margin, values, nearHalf))
{
    int anyNear = 0;
    for (int j = 0; j < length; ++j) {
        const float u = share * (count * static_cast<float>(centre[j]) - static_cast<float>(sums[j])) + 0.5f;
        // The floor of u, which |u| < 2^21 keeps inside int.
        const int truncated = static_cast<int>(u);
        const float rest = u - static_cast<float>(truncated);
        const int below = static_cast<int>(rest < 0);
        const float fraction = rest + static_cast<float>(below);
        const int rounded = centre[j] + truncated - below;
        values[j] = static_cast<std::uint8_t>(std::min(std::max(rounded, 0), 255));
        const int near = static_cast<int>(fraction < margin) | static_cast<int>(fraction > 1 - margin);
        nearHalf[j] = static_cast<std::uint8_t>(near);
        anyNear |= near;
    }
    return anyNear != 0;
}

constexpr double kLargestFloatBoost = 16;

// More than four times the error bound of FloatShortcutRow and the kernel
// sum's own error together.
float FloatMargin(double boost) { return static_cast<float>((765 * std::fabs(boost) + 2) * 0x1p-22); }

// A row of low pass means from the box sums; see LowPass.
NUVAK_WIDE_BUILDS(void, MeanRow,
                  (const std::uint16_t* __restrict sums, [[maybe_unused]] const std::uint8_t* __restrict centre,
                   size_t length, int count, std::uint8_t* __restrict values),
                  (sums, centre, length, count, values))
{
    const float scale = 0.5f / static_cast<float>(count);
    for (size_t j = 0; j < length; ++j)
        values[j] = static_cast<std::uint8_t>(static_cast<int>(static_cast<float>(2 * sums[j] + count) * scale));
}

// A row of weight x v - S, clamped, for the high pass (weight N + 1) and the
// Laplace filter (weight N).
NUVAK_VECTOR_BUILDS(void, SharpenRow,
                    (const std::uint16_t* __restrict sums, const std::uint8_t* __restrict centre, size_t length,
                     int weight, std::uint8_t* __restrict values),
                    (sums, centre, length, weight, values))
{
    for (size_t j = 0; j < length; ++j) {
        const int v = weight * centre[j] - sums[j];
        values[j] = static_cast<std::uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
    }
}

template <int Extra>
void SharpenRows(const std::uint16_t* sums, const std::uint8_t* centre, size_t length, int count, std::uint8_t* values)
{
    SharpenRow(sums, centre, length, count + Extra, values);
}

// Filters whose kernel is -1 or 1/N off the centre: the result of each channel
// follows from the neighbourhood sum S, the centre value v and N = n x n;
// combineRow(sums, centre, length, N, values) makes a row of it.
template <typename CombineRow>
int BoxFilter(CImage& image, int size, const NeighbourhoodTexts& texts, CombineRow combineRow)
{
    int n = size;
    if (Prepare(image, n, texts) != 0) return -1;
    const int half = n / 2;
    const int count = n * n;
    return WithWorkingStorage(image, texts, [&] {
        OverSamples(image, half, [&](auto channels, int first, int last, auto rowAt, auto store) {
            constexpr int C = decltype(channels)::value;
            const size_t length = static_cast<size_t>(image.aoiRight - image.aoiLeft + 1) * C;
            std::vector<std::uint8_t> values(length);
            auto emitRow = [&](int y, const std::uint16_t* sums) {
                combineRow(sums, rowAt(y) + C * half, length, count, values.data());
                store(y, values.data());
            };
            BoxSumRows<C, std::uint16_t>(image.aoiLeft, first, image.aoiRight, last - 1, n, rowAt, emitRow);
        });
    });
}

}  // namespace

int CImage::LowPass(int size)
{
    // S / N is never a half for odd N and lies at least 1 / 2N from one, far
    // beyond the error of the double sum of the 1/N weights; so rounding the
    // exact quotient S / N + 1/2 down gives the same pixels. That quotient is
    // at least 1 / 2N >= 1/162 from every integer, and its single-precision
    // product (2S + N) x (1 / 2N), below 256, is within 256 x 2^-23 of it: its
    // truncation is exact, and unlike a division or a table it vectorises.
    return BoxFilter(*this, size, kLowPass, MeanRow);
}

int CImage::HighPass(int size)
{
    return BoxFilter(*this, size, kHighPass, SharpenRows<1>);
}

int CImage::Laplace(int size)
{
    return BoxFilter(*this, size, kLaplace, SharpenRows<0>);
}

int CImage::UnsharpMask(int size, double boost)
{
    int n = size;
    if (SettleSize(*this, n, kUnsharpMask) != 0) return -1;
    const double count = n * n;
    std::array<double, 81> weights;
    weights.fill(-boost / count);
    weights[static_cast<size_t>(n * n / 2)] = ((count - 1) * boost + count) / count;
    if (!(std::fabs(boost) <= kLargestShortcutBoost)) return KernelFilter(*this, n, kUnsharpMask, weights.data());
    if (MakeRoom(*this, n, kUnsharpMask) != 0) return -1;
    // The kernel sum equals v + (b / N) (N v - S), taken from the box sum S.
    // Both ways of computing it stay within 100 ulps of the largest possible
    // |sum| (255 x (2|b| + 1)) of the exact value; the kernel's rounding
    // changes only at halves, so a shortcut value at least a thousand times
    // that from every half rounds as the kernel sum does. Nearer ones take the
    // kernel sum itself.
    const double margin = 1e-12 * 255 * (2 * std::fabs(boost) + 1);
    const double share = boost / count;
    const bool single = std::fabs(boost) <= kLargestFloatBoost;
    const int half = n / 2;
    return WithWorkingStorage(*this, kUnsharpMask, [&] {
        OverSamples(*this, half, [&](auto channels, int first, int last, auto rowAt, auto store) {
            constexpr int C = decltype(channels)::value;
            const size_t length = static_cast<size_t>(aoiRight - aoiLeft + 1) * C;
            std::vector<std::uint8_t> values(length), nearHalf(length);
            auto emitRow = [&](int y, const std::uint16_t* sums) {
                const std::uint8_t* centre = rowAt(y) + C * half;
                const bool anyNear =
                    single ? FloatShortcutRow(centre, sums, static_cast<int>(length), static_cast<float>(count),
                                              static_cast<float>(share), FloatMargin(boost), values.data(),
                                              nearHalf.data())
                           : ShortcutRow(centre, sums, static_cast<int>(length), count, share, margin, values.data(),
                                         nearHalf.data());
                if (anyNear)
                    for (size_t j = 0; j < length; ++j)
                        if (nearHalf[j])
                            values[j] =
                                static_cast<std::uint8_t>(RoundToByte(KernelSum<C>(n, weights.data(), rowAt, y, j)));
                store(y, values.data());
            };
            BoxSumRows<C, std::uint16_t>(aoiLeft, first, aoiRight, last - 1, n, rowAt, emitRow);
        });
    });
}

int CImage::CustomFilter(int size, std::span<const float> weights)
{
    int n = size;
    if (SettleSize(*this, n, kCustomFilter) != 0) return -1;
    const size_t count = static_cast<size_t>(n * n);
    if (weights.size() != count) {
        errorMessage = platform::Format("A %dx%d custom filter needs %d weights, not %d.  Custom Filter Aborted.", n,
                                        n, n * n, static_cast<int>(weights.size()));
        return -1;
    }
    // Integral weights keep every sum an exact integer, inside int for
    // weights up to 65536, so the integer loops give what the double sum gives.
    bool integral = true;
    float largest = 0;
    for (const float w : weights) {
        if (!std::isfinite(w)) {
            errorMessage = "Custom filter weights must be finite numbers.  Custom Filter Aborted.";
            return -1;
        }
        integral = integral && w == std::trunc(w);
        largest = std::max(largest, std::fabs(w));
    }
    if (integral && largest <= 128) {
        std::array<std::int16_t, 81> small;
        for (size_t i = 0; i < count; ++i) small[i] = static_cast<std::int16_t>(weights[i]);
        return SmallKernelFilter(*this, n, kCustomFilter, small.data());
    }
    if (integral && largest <= 65536) {
        std::array<int, 81> whole;
        for (size_t i = 0; i < count; ++i) whole[i] = static_cast<int>(weights[i]);
        return KernelFilter(*this, n, kCustomFilter, whole.data());
    }
    return KernelFilter<float, double>(*this, n, kCustomFilter, weights.data());
}
