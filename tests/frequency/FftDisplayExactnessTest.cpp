// The spectrum display against its plain twin on random spectra of every
// shape, with values that are huge, infinite, zero or not a number, and with
// levels on or next to whole numbers, where near logarithms cannot decide.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "image/Image.h"
#include "platform/ParallelRows.h"
#include "reference/ReferenceFftDisplay.h"
#include "support/SamePixels.h"
#include "support/TestImages.h"

namespace {

enum class Special { None, Zeros, Huge, Infinite, NotANumber, NotANumberFirst, WholeLevels };

CImage RandomSpectrum(std::mt19937& random, int w, int h, Special special)
{
    CImage image = MakeGrey(w, h, [](int, int) { return 0; });
    EXPECT_TRUE(image.dataArray.Allocate(w, h));
    // Magnitudes spread over many scales, as a spectrum's are.
    std::uniform_real_distribution<double> exponent(-3, 4), angle(0, 6.3);
    const auto values = [&](size_t i) -> FrequencyBuffer::Value& { return image.dataArray[i / w][i % w]; };
    const size_t n = static_cast<size_t>(w) * h;
    for (size_t i = 0; i < n; ++i) values(i) = std::polar(std::pow(10.0, exponent(random)), angle(random));
    const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
    for (size_t k = 0; k < 3; ++k) {
        const size_t i = random() % n;
        switch (special) {
        case Special::None: break;
        case Special::Zeros: values(i) = 0; break;
        case Special::Huge: values(i) = {1e200, -1e200}; break;
        case Special::Infinite: values(i) = {0, -inf}; break;
        case Special::NotANumber: values(i) = {nan, 1}; break;
        case Special::NotANumberFirst: values(0) = {1, nan}; break;
        case Special::WholeLevels: break;
        }
    }
    // With a zero value, vmin is 0 and the level of v is 255 v v: magnitudes
    // e^sqrt(k / 255) - 1 land on the whole level k, or a rounding away from it.
    if (special == Special::WholeLevels) {
        values(0) = 0;
        for (size_t i = 1; i < n && i < 600; ++i)
            values(i) = std::polar(std::expm1(std::sqrt(static_cast<double>(i % 300) / 255)), angle(random));
    }
    return image;
}

}  // namespace

TEST(FftDisplayExactness, LevelsMatchThePlainRuleForAnyShapeAndThreadCount)
{
    const struct {
        int w, h;
    } shapes[] = {{1, 1}, {2, 1}, {1, 8}, {4, 2}, {8, 8}, {64, 4}, {16, 128}, {256, 32}, {37, 11}};
    const Special specials[] = {Special::None,       Special::Zeros,           Special::Huge,       Special::Infinite,
                                Special::NotANumber, Special::NotANumberFirst, Special::WholeLevels};
    std::mt19937 random(1024);
    for (const auto& shape : shapes)
        for (const Special special : specials) {
            const CImage source = RandomSpectrum(random, shape.w, shape.h, special);
            CImage expected = source;
            reference::FftForDisplay(expected);
            for (int threads = 1; threads <= 3; ++threads) {
                const parallel::ScopedThreads scoped(threads, 0);
                CImage image = source;
                ASSERT_EQ(image.FftForDisplay(), 0);
                ASSERT_TRUE(SamePixels(image, expected)) << shape.w << " x " << shape.h << ", special "
                                                          << static_cast<int>(special) << ", " << threads << " threads";
            }
        }
}
