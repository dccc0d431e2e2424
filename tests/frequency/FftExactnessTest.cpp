// The tabled, banded transforms against the plain twin, bit for bit.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "frequency/FftTransform.h"
#include "platform/ParallelRows.h"
#include "reference/ReferenceFft.h"

namespace {

std::vector<FftValue> RandomValues(size_t n, std::mt19937& rng)
{
    std::uniform_real_distribution<double> level(-255, 255);
    std::vector<FftValue> x(n);
    for (FftValue& v : x) v = FftValue(level(rng), level(rng));
    return x;
}

// The index of the first value whose real or imaginary bits differ, or -1.
long long FirstDifference(const std::vector<FftValue>& got, const std::vector<FftValue>& want)
{
    for (size_t i = 0; i < want.size(); ++i)
        if (std::bit_cast<std::uint64_t>(got[i].real()) != std::bit_cast<std::uint64_t>(want[i].real()) ||
            std::bit_cast<std::uint64_t>(got[i].imag()) != std::bit_cast<std::uint64_t>(want[i].imag()))
            return static_cast<long long>(i);
    return -1;
}

}  // namespace

TEST(FftExactness, OneDimensionMatchesThePlainTransformBitForBit)
{
    std::mt19937 rng(23);
    for (int exponent = 3; exponent <= 8; ++exponent)
        for (int direction : {FFT_FORWARD, FFT_INVERSE}) {
            std::vector<FftValue> got = RandomValues(size_t{1} << exponent, rng);
            std::vector<FftValue> want = got;
            Fft1D(got.data(), exponent, direction);
            reference::Fft1D(want.data(), exponent, direction);
            EXPECT_EQ(FirstDifference(got, want), -1) << "length " << (1 << exponent) << " direction " << direction;
        }
}

TEST(FftExactness, TwoDimensionsMatchThePlainTransformForAnyThreadCount)
{
    // Bands of rows and columns in groups of sixteen, four, two and one,
    // whatever the thread count makes of them.
    std::mt19937 rng(29);
    struct Case {
        int heightExponent, widthExponent, stride;
    } cases[] = {{3, 3, 8}, {8, 8, 256}, {3, 8, 256}, {8, 3, 8}, {5, 7, 128}, {7, 2, 4}, {4, 1, 2}, {6, 0, 1},
                 {0, 6, 64}, {4, 4, 20},
                 {9, 4, 16}, {5, 9, 530}};
    for (const Case& c : cases)
        for (int direction : {FFT_FORWARD, FFT_INVERSE}) {
            const size_t count = (size_t{1} << c.heightExponent) * static_cast<size_t>(c.stride);
            const std::vector<FftValue> input = RandomValues(count, rng);
            std::vector<FftValue> want = input;
            std::vector<FftValue> scratch(size_t{4} << c.heightExponent);
            reference::Fft2D(want.data(), scratch.data(), c.heightExponent, c.widthExponent, c.stride, direction);
            for (int threads : {1, 2, 3}) {
                parallel::ScopedThreads scoped(threads, 0);
                std::vector<FftValue> got = input;
                Fft2D(got.data(), c.heightExponent, c.widthExponent, c.stride, direction);
                EXPECT_EQ(FirstDifference(got, want), -1)
                    << (1 << c.heightExponent) << " x " << (1 << c.widthExponent) << " direction " << direction
                    << " threads " << threads;
            }
        }
}

TEST(FftExactness, RowsOfLevelsGiveTheTransformOfTheirValues)
{
    // Eight rows at a time from the levels, the rest written as values first;
    // what the data held before is never read.
    std::mt19937 rng(31);
    for (const auto& [heightExponent, widthExponent] : {std::pair{3, 3}, {6, 1}, {2, 5}, {0, 4}, {5, 6}, {4, 2}}) {
        const size_t h = size_t{1} << heightExponent, w = size_t{1} << widthExponent;
        std::vector<std::uint8_t> levels(h * w);
        for (std::uint8_t& level : levels) level = static_cast<std::uint8_t>(rng());
        std::vector<const std::uint8_t*> rows;
        std::vector<FftValue> want(h * w), scratch(size_t{4} << heightExponent);
        for (size_t y = 0; y < h; ++y) rows.push_back(levels.data() + y * w);
        for (size_t i = 0; i < h * w; ++i) want[i] = levels[i];
        reference::Fft2D(want.data(), scratch.data(), heightExponent, widthExponent, static_cast<int>(w), FFT_FORWARD);
        for (int threads : {1, 2}) {
            parallel::ScopedThreads scoped(threads, 0);
            std::vector<FftValue> got(h * w, FftValue(std::nan(""), 1));
            Fft2D(got.data(), heightExponent, widthExponent, static_cast<int>(w), FFT_FORWARD, {}, rows.data());
            EXPECT_EQ(FirstDifference(got, want), -1) << h << " x " << w << " threads " << threads;
        }
    }
}
