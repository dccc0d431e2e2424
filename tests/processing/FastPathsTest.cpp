// The fast paths against the plain formulations on random images.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

#include "image/Image.h"
#include "processing/HistogramCombos.h"
#include "platform/ParallelRows.h"
#include "reference/ReferenceFilters.h"
#include "reference/ReferenceGeometry.h"
#include "reference/ReferencePointOps.h"
#include "support/FakeUserInterface.h"
#include "support/RandomImages.h"
#include "support/SamePixels.h"

namespace {

struct Pair {
    const char* what;
    bool grey;
    std::function<int(CImage&, int, std::mt19937&)> fast;
    std::function<void(CImage&, int)> plain;
};

// Every third round on wider images, whose rows fill whole vector blocks.
void Compare(const Pair& pair, int rounds)
{
    std::mt19937 random(20261207);
    FakeUserInterface user;
    for (int round = 0; round < rounds; ++round)
        for (int n = 3; n <= 9; n += 2) {
            CImage fast = RandomImage(random, pair.grey, n, round % 3 == 0 ? 150 : 40);
            CImage plain = fast;
            std::mt19937 same = random;
            ASSERT_EQ(pair.fast(fast, n, random), 0) << pair.what << ": " << fast.errorMessage;
            random = same;
            pair.plain(plain, n);
            ASSERT_TRUE(SamePixels(fast, plain)) << pair.what << " size " << n << " round " << round;
        }
    EXPECT_TRUE(user.questions.empty());
}

// Kind 0: small integers, 1: integers beyond 16-bit products, 2: reals,
// 3: integers whose magnitudes add up to 128 or 129, one sign mostly, the
// edge of 16-bit sums, 4: quarters, whose sums often lie on a half, and one
// weight of 2^-30 that moves them off it by less than a float can tell.
std::vector<float> RandomWeights(std::mt19937& random, int n, int kind)
{
    std::uniform_real_distribution<float> real(-3.0f, 3.0f);
    std::uniform_int_distribution<int> whole(kind == 0 ? -4 : -1000, kind == 0 ? 4 : 1000);
    std::vector<float> w(static_cast<size_t>(n * n));
    if (kind == 3) {
        const float sign = random() % 2 ? 1.0f : -1.0f;
        const int total = 128 + static_cast<int>(random() % 2);
        for (int left = total; left > 0; --left) w[random() % w.size()] += sign;
        if (random() % 2) w[random() % w.size()] *= -1;
        return w;
    }
    for (float& v : w) v = kind == 2 ? real(random) : static_cast<float>(whole(random));
    if (kind == 4)
        for (float& v : w) v = static_cast<float>(static_cast<int>(random() % 17) - 8) / 4;
    if (kind == 4) w[random() % w.size()] = random() % 2 ? 0x1p-30f : -0x1p-30f;
    return w;
}

}  // namespace

TEST(FastPaths, LinearFiltersMatchThePlainSums)
{
    const Pair pairs[] = {
        {"LowPass grey", true, [](CImage& i, int n, std::mt19937&) { return i.LowPass(n); }, reference::LowPass},
        {"LowPass RGB", false, [](CImage& i, int n, std::mt19937&) { return i.LowPass(n); }, reference::LowPass},
        {"HighPass", false, [](CImage& i, int n, std::mt19937&) { return i.HighPass(n); }, reference::HighPass},
        {"Laplace", false, [](CImage& i, int n, std::mt19937&) { return i.Laplace(n); }, reference::Laplace},
    };
    for (const Pair& pair : pairs) Compare(pair, 40);
}

TEST(FastPaths, UnsharpMaskMatchesTheKernelForEveryBoost)
{
    // Halves are exact for boosts like 0.5 and 1.5, which the shortcut must
    // leave to the kernel sum; the largest boosts push every sum past 255.
    const double boosts[] = {0, 1, 0.5, 1.5, 2, 1.0 / 3, -0.75, 7.25, 100, 1e6, 2e6, -3e6};
    std::mt19937 random(13);
    FakeUserInterface user;
    for (const double boost : boosts)
        for (int round = 0; round < 12; ++round)
            for (int n = 3; n <= 9; n += 2) {
                CImage fast = RandomImage(random, round % 2 == 0, n);
                CImage plain = fast;
                ASSERT_EQ(fast.UnsharpMask(n, boost), 0);
                reference::UnsharpMask(plain, n, boost);
                ASSERT_TRUE(SamePixels(fast, plain)) << "boost " << boost << " size " << n;
            }
    std::uniform_real_distribution<double> anyBoost(-20, 20);
    for (int round = 0; round < 200; ++round) {
        const double boost = anyBoost(random);
        const int n = 3 + 2 * (round % 4);
        CImage fast = RandomImage(random, round % 3 == 0, n);
        CImage plain = fast;
        ASSERT_EQ(fast.UnsharpMask(n, boost), 0);
        reference::UnsharpMask(plain, n, boost);
        ASSERT_TRUE(SamePixels(fast, plain)) << "boost " << boost << " size " << n;
    }
    EXPECT_TRUE(user.questions.empty());
}

TEST(FastPaths, CustomKernelsMatchTheDoubleSum)
{
    std::mt19937 random(7);
    FakeUserInterface user;
    for (int round = 0; round < 60; ++round)
        for (int n = 3; n <= 9; n += 2) {
            const int kind = round % 5;
            const std::vector<float> weights = RandomWeights(random, n, kind);
            CImage fast = RandomImage(random, round % 2 == 0, n, round % 5 == 0 ? 150 : 40);
            CImage plain = fast;
            ASSERT_EQ(fast.CustomFilter(n, weights), 0);
            reference::Kernel(plain, n, std::vector<double>(weights.begin(), weights.end()));
            ASSERT_TRUE(SamePixels(fast, plain)) << "size " << n << " kind " << kind;
        }
}

TEST(FastPaths, PrewittMatchesTheKernelSum)
{
    // Rows from the top; the +1 weights face the direction. 9 and -1 are North.
    const std::vector<double> kernels[8] = {
        {1, 1, 1, 1, -2, 1, -1, -1, -1}, {1, 1, 1, -1, -2, 1, -1, -1, 1}, {-1, 1, 1, -1, -2, 1, -1, 1, 1},
        {-1, -1, 1, -1, -2, 1, 1, 1, 1}, {-1, -1, -1, 1, -2, 1, 1, 1, 1}, {1, -1, -1, 1, -2, -1, 1, 1, 1},
        {1, 1, -1, 1, -2, -1, 1, 1, -1}, {1, 1, 1, 1, -2, -1, 1, -1, -1},
    };
    std::mt19937 random(23);
    FakeUserInterface user;
    for (int direction = -1; direction <= 9; ++direction)
        for (int round = 0; round < 10; ++round) {
            CImage fast = RandomImage(random, round % 2 == 0, 3);
            CImage plain = fast;
            ASSERT_EQ(fast.Prewitt(direction), 0);
            reference::Kernel(plain, 3, kernels[direction >= 0 && direction < 8 ? direction : 0]);
            ASSERT_TRUE(SamePixels(fast, plain)) << "direction " << direction << " round " << round;
        }
    EXPECT_TRUE(user.questions.empty());
}

TEST(FastPaths, MedianMatchesSorting)
{
    const Pair pair = {"MedianFilter", true, [](CImage& i, int n, std::mt19937&) { return i.MedianFilter(n); },
                       reference::Median};
    Compare(pair, 40);
}

TEST(FastPaths, CleanMatchesThePixelRule)
{
    std::mt19937 random(11);
    FakeUserInterface user;
    for (int round = 0; round < 40; ++round)
        for (int n = 3; n <= 9; n += 2) {
            const int significance = std::uniform_int_distribution<int>(0, 255)(random);
            const int clutter = std::uniform_int_distribution<int>(0, n * n * 255 / 2)(random);
            CImage fast = RandomImage(random, true, n);
            CImage plain = fast;
            ASSERT_EQ(fast.Clean(n, clutter, significance, 0), 0);
            reference::Clean(plain, n, clutter, significance);
            ASSERT_TRUE(SamePixels(fast, plain)) << "size " << n << " T " << significance << " C " << clutter;
        }
    EXPECT_TRUE(user.questions.empty());
}

TEST(FastPaths, ErosionAndDilationMatchThePlainElement)
{
    std::mt19937 random(5);
    FakeUserInterface user;
    for (int direction = -1; direction <= 4; ++direction)
        for (int round = 0; round < 12; ++round)
            for (int n = 3; n <= 9; n += 2) {
                const bool dilate = round % 2 == 1;
                // Some AOIs span several of the bands the passes work in, or
                // several of the row loops' 64-byte blocks.
                CImage fast = RandomImage(random, true, n, round % 3 == 0 ? (round % 6 == 0 ? 300 : 130) : 40);
                CImage plain = fast;
                ASSERT_EQ(dilate ? fast.Dilation(n, direction) : fast.Erosion(n, direction), 0);
                reference::Morphology(plain, n, direction, dilate);
                ASSERT_TRUE(SamePixels(fast, plain)) << (dilate ? "dilation" : "erosion") << " direction "
                                                     << direction << " size " << n;
            }
    EXPECT_TRUE(user.questions.empty());
}

// The passes of an opening or closing run as one, on grey planes and on
// rows with a few colour pixels, in bands on 1 to 3 threads.
TEST(FastPaths, OpeningAndClosingMatchTheirTwoPlainPasses)
{
    std::mt19937 random(11);
    FakeUserInterface user;
    for (int direction = 0; direction <= 3; ++direction)
        for (int round = 0; round < 8; ++round)
            for (int n = 3; n <= 9; n += 2) {
                const bool closing = round % 2 == 1;
                CImage source = RandomImage(random, true, n, round % 4 == 0 ? 130 : 40);
                if (round % 4 == 3) source.pixelValueArray[random() % source.height][random() % source.width].blue ^= 1;
                CImage plain = source;
                reference::Morphology(plain, n, direction, closing);
                reference::Morphology(plain, n, direction, !closing);
                for (int threads = 1; threads <= 3; ++threads) {
                    const parallel::ScopedThreads scoped(threads, 0);
                    CImage fast = source;
                    ASSERT_EQ(closing ? fast.Closing(n, direction, 1) : fast.Opening(n, direction, 1), 0);
                    ASSERT_TRUE(SamePixels(fast, plain)) << (closing ? "closing" : "opening") << " direction "
                                                         << direction << " size " << n << " threads " << threads;
                }
            }
    EXPECT_TRUE(user.questions.empty());
}

TEST(FastPaths, InvertAndThresholdMatchThePixelRules)
{
    std::mt19937 random(17);
    std::uniform_int_distribution<int> anyFill(-20, 280);
    for (int round = 0; round < 20; ++round) {
        CImage fast = RandomImage(random, round % 2 == 0, 3);
        CImage plain = fast;
        fast.Invert();
        reference::Invert(plain);
        ASSERT_TRUE(SamePixels(fast, plain)) << "Invert round " << round;
    }
    std::vector<int> levels = {-300, -1, 256, 300};
    for (int level = 0; level < 256; ++level) levels.push_back(level);
    for (const int level : levels)
        for (const bool below : {true, false})
            for (int component = -1; component <= 4; ++component) {
                const int fill = anyFill(random);
                CImage fast = RandomImage(random, level % 3 == 0, 3, 16);
                CImage plain = fast;
                fast.Threshold(level, fill, below, component);
                reference::Threshold(plain, level, fill, below, component);
                ASSERT_TRUE(SamePixels(fast, plain))
                    << "level " << level << " fill " << fill << " below " << below << " component " << component;
            }
}

TEST(FastPaths, EqualizeMatchesTheCumulativeCounts)
{
    std::mt19937 random(19);
    for (int round = 0; round < 30; ++round)
        for (int channel = -1; channel <= 3; ++channel) {
            CImage fast = RandomImage(random, round % 2 == 0, 3);
            CImage plain = fast;
            EqualizeHistogram(fast, channel);
            reference::EqualizeHistogram(plain, channel);
            ASSERT_TRUE(SamePixels(fast, plain)) << "channel " << channel << " round " << round;
        }
}

TEST(FastPaths, ScaleMatchesTheFourPixelMix)
{
    // Halves, quarters and 1/256ths take the integer mix; the others the
    // double one; 0.4 % of a 256th is neither.
    const double percents[] = {50, 200, 400, 25, 800, 12.5, 100, 150, 300, 33, 66.6, 257, 99.609375, 100.4};
    std::mt19937 random(43);
    std::uniform_real_distribution<double> anyPercent(10, 400);
    FakeUserInterface user;
    for (int round = 0; round < 60; ++round)
        for (const int method : {0, 1}) {
            const double x = round < 28 ? percents[round % 14] : anyPercent(random);
            const double y = round < 28 ? percents[(round * 5 + 3) % 14] : anyPercent(random);
            CImage fast = RandomImage(random, round % 3 == 0, 3, 45);
            const CImage plain = reference::Scale(fast, x, y, method);
            ASSERT_EQ(fast.Scale(x, y, method), 0);
            ASSERT_TRUE(SamePixels(fast, plain)) << x << " % x " << y << " %, method " << method;
        }
}

TEST(FastPaths, GreyImagesWithAFewColourPixelsMatchThePlainSums)
{
    // A band works on grey samples until a colour pixel enters its
    // neighbourhoods, then goes on in colour from there: the specks land in
    // any band, above, inside or below the AOI.
    const std::vector<float> real = {0.5f, -1.25f, 2.0f, 0.125f, 3.0f, -0.75f, 1.5f, 0.25f, -2.0f};
    const Pair pairs[] = {
        {"LowPass", true, [](CImage& i, int n, std::mt19937&) { return i.LowPass(n); }, reference::LowPass},
        {"Laplace", true, [](CImage& i, int n, std::mt19937&) { return i.Laplace(n); }, reference::Laplace},
        {"UnsharpMask", true, [](CImage& i, int n, std::mt19937&) { return i.UnsharpMask(n, 1.5); },
         [](CImage& i, int n) { reference::UnsharpMask(i, n, 1.5); }},
        {"Prewitt", true, [](CImage& i, int, std::mt19937&) { return i.Prewitt(2); },
         [](CImage& i, int) { reference::Kernel(i, 3, {-1, 1, 1, -1, -2, 1, -1, 1, 1}); }},
        {"CustomFilter", true,
         [&real](CImage& i, int, std::mt19937&) { return i.CustomFilter(3, real); },
         [&real](CImage& i, int) { reference::Kernel(i, 3, std::vector<double>(real.begin(), real.end())); }},
    };
    std::mt19937 random(41);
    FakeUserInterface user;
    for (const Pair& pair : pairs)
        for (int round = 0; round < 12; ++round) {
            const int n = pair.what[0] == 'P' || pair.what[0] == 'C' ? 3 : 3 + 2 * (round % 4);
            CImage source = RandomImage(random, true, n, 90);
            for (int speck = round % 3; speck > 0; --speck) {
                CColorVal& p = source.pixelValueArray[random() % source.height][random() % source.width];
                p.green = static_cast<std::uint8_t>(p.green ^ 0x40);
            }
            CImage plain = source;
            pair.plain(plain, n);
            for (int threads = 1; threads <= 3; ++threads) {
                const parallel::ScopedThreads scoped(threads, 0);
                CImage fast = source;
                ASSERT_EQ(pair.fast(fast, n, random), 0) << pair.what;
                ASSERT_TRUE(SamePixels(fast, plain))
                    << pair.what << " size " << n << " round " << round << " threads " << threads;
            }
        }
    EXPECT_TRUE(user.questions.empty());
}
