// The image transforms and the display do not depend on how rows are split
// over threads.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <random>

#include "image/Image.h"
#include "platform/ParallelRows.h"
#include "support/GreyRows.h"
#include "support/TestImages.h"

TEST(FftForDisplay, SameLevelsForAnyThreadCountAndNotANumberFirstOrLater)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        int nanRow, nanColumn;  // -1: none
        bool allWhite;          // a first value that is not a number fails every comparison
    } cases[] = {{"numbers only", -1, -1, false}, {"first not a number", 0, 0, true},
                 {"not a number in the last band", 13, 5, false}, {"not a number opening a band", 8, 0, false}};
    for (const Case& c : cases) {
        std::mt19937 rng(31);
        std::uniform_real_distribution<double> value(-1.5, 1.5);
        CImage source = MakeGrey(16, 16, [](int, int) { return 0; });
        ASSERT_TRUE(source.dataArray.Allocate(16, 16));
        ForEachSpectrumValue(source, [&](FrequencyBuffer::Value& v) { v = {value(rng), value(rng)}; });
        if (c.nanRow >= 0) source.dataArray[c.nanRow][c.nanColumn] = {nan, 0};
        Rows single;
        for (int threads : {1, 2, 3}) {
            parallel::ScopedThreads scoped(threads, 0);
            CImage image = source;
            ASSERT_TRUE(image.dataArray.Allocate(16, 16));
            image.dataArray = source.dataArray;
            ASSERT_EQ(image.FftForDisplay(), 0);
            if (threads == 1) single = RedRows(image);
            EXPECT_EQ(RedRows(image), single) << c.name << ", threads " << threads;
        }
        if (c.allWhite) {
            EXPECT_EQ(single, Rows(16, std::vector<int>(16, 255))) << c.name;
        }
        if (c.nanRow > 0) {
            EXPECT_EQ(single[(c.nanRow + 8) % 16][(c.nanColumn + 8) % 16], 255) << c.name;
        }
        // Enough spread that a wrong range would show.
        int between = 0;
        for (const auto& row : single)
            for (int level : row) between += level > 0 && level < 255;
        if (!c.allWhite) {
            EXPECT_GT(between, 20) << c.name;
        }
    }
}

TEST(Fft, ForwardAndInverseGiveTheSamePixelsAndValuesForAnyThreadCount)
{
    std::mt19937 rng(37);
    const CImage source = MakeGrey(32, 16, [&](int, int) { return static_cast<int>(rng() % 256); });
    const struct {
        int threads;
    } cases[] = {{1}, {2}, {3}};
    Rows forward, inverse;
    std::vector<std::uint64_t> spectrum;
    for (const auto& c : cases) {
        parallel::ScopedThreads scoped(c.threads, 0);
        CImage image = source;
        ASSERT_EQ(image.Fft(), 0);
        std::vector<std::uint64_t> bits;
        ForEachSpectrumValue(image, [&](FrequencyBuffer::Value& v) {
            bits.push_back(std::bit_cast<std::uint64_t>(v.real()));
            bits.push_back(std::bit_cast<std::uint64_t>(v.imag()));
        });
        const Rows shown = RedRows(image);
        ASSERT_EQ(image.FftInverse(), 0);
        if (c.threads == 1) {
            forward = shown;
            inverse = RedRows(image);
            spectrum = bits;
        }
        EXPECT_EQ(shown, forward) << c.threads << " threads";
        EXPECT_EQ(bits, spectrum) << c.threads << " threads";
        EXPECT_EQ(RedRows(image), inverse) << c.threads << " threads";
    }
}
