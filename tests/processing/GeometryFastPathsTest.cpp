// Rotate and Scale against their plain formulations on random images, with
// one, two and three threads.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "image/Image.h"
#include "platform/ParallelRows.h"
#include "reference/ReferenceGeometry.h"
#include "support/RandomImages.h"
#include "support/SamePixels.h"
#include "support/TestImages.h"

namespace {

// AOIs of every shape, one pixel wide or high among them.
void ReshapeAoi(CImage& image, std::mt19937& random, int shape)
{
    auto between = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    if (shape == 1) image.aoiRight = image.aoiLeft;
    if (shape == 2) image.aoiBottom = image.aoiTop;
    if (shape == 3) {
        image.aoiLeft = image.aoiTop = 0;
        image.aoiRight = image.width - 1;
        image.aoiBottom = image.height - 1;
    }
    if (shape == 4) image.aoiRight = std::min(image.width - 1, image.aoiLeft + between(0, 2));
    if (shape == 5) {
        image.aoiLeft = between(0, 3);
        image.aoiRight = image.width - 1 - between(0, 3);
    }
}

}  // namespace

TEST(GeometryFastPaths, RotateMatchesThePlainTurn)
{
    // Quarter turns, angles whose sources fall on pixel edges and halves,
    // tiny and huge ones, and not-a-number, which blackens the AOI.
    const double angles[] = {0,     90,   -90, 180,  270, 30,    45,     -45,   1e-12, 359.99999,
                             12.5,  -170, 60,  7e10, 1e300, 123456.789, -0.001, std::numeric_limits<double>::quiet_NaN()};
    std::mt19937 random(20261208);
    std::uniform_real_distribution<double> anyAngle(-400, 400);
    constexpr int kAngles = sizeof(angles) / sizeof(angles[0]);
    for (int round = 0; round < 4 * kAngles; ++round)
        for (const int method : {0, 1}) {
            const double degrees = round < 3 * kAngles ? angles[round % kAngles] : anyAngle(random);
            // Some images wider than a tile of the walk.
            CImage source = RandomImage(random, round % 3 == 0, 3, round % 2 == 0 ? 150 : 40);
            ReshapeAoi(source, random, round % 7);
            const CImage plain = reference::Rotate(source, degrees, method);
            for (int threads = 1; threads <= 3; ++threads) {
                const parallel::ScopedThreads scoped(threads, 0);
                CImage fast = source;
                ASSERT_EQ(fast.Rotate(degrees, method), 0);
                ASSERT_TRUE(SamePixels(fast, plain))
                    << degrees << " degrees, method " << method << ", " << threads << " threads";
            }
        }
}

TEST(GeometryFastPaths, ScaleMatchesThePlainMixOnWideRows)
{
    // Rows longer than the mix takes at a time; halves copy whole rows,
    // doubles repeat them, and 1/256ths and others mix.
    const double percents[] = {50, 200, 100, 25, 300, 150, 33.3, 257, 99.609375, 75, 12.5, 400};
    constexpr int kPercents = sizeof(percents) / sizeof(percents[0]);
    std::mt19937 random(71);
    std::uniform_int_distribution<int> anyWidth(200, 700), anyHeight(2, 12);
    for (int round = 0; round < 2 * kPercents; ++round)
        for (const int method : {0, 1}) {
            const double x = percents[round % kPercents];
            const double y = percents[(round * 7 + 2) % kPercents];
            const CImage source = MakeImage(anyWidth(random), anyHeight(random), [&](int, int) {
                return CColorVal(random() % 256, random() % 256, random() % 256);
            });
            const CImage plain = reference::Scale(source, x, y, method);
            for (int threads = 1; threads <= 3; ++threads) {
                const parallel::ScopedThreads scoped(threads, 0);
                CImage fast = source;
                ASSERT_EQ(fast.Scale(x, y, method), 0);
                ASSERT_TRUE(SamePixels(fast, plain))
                    << source.width << "x" << source.height << " by " << x << " % x " << y << " %, method " << method
                    << ", " << threads << " threads";
            }
        }
}

TEST(GeometryFastPaths, ScaleMatchesThePlainMixOnTinyImages)
{
    // One or two pixels across: no four pixels to mix, sources on the last
    // pixel of the buffer, extrapolated last columns.
    const int sides[][2] = {{1, 1}, {1, 5}, {5, 1}, {2, 2}, {2, 7}, {3, 2}};
    const double percents[] = {50, 100, 150, 200, 300, 33.3, 257, 400};
    std::mt19937 random(5);
    for (const auto& side : sides)
        for (const double x : percents)
            for (const double y : {100.0, 200.0, 75.0})
                for (const int method : {0, 1}) {
                    const CImage source = MakeImage(side[0], side[1], [&](int, int) {
                        return CColorVal(random() % 256, random() % 256, random() % 256);
                    });
                    const CImage plain = reference::Scale(source, x, y, method);
                    CImage fast = source;
                    if (plain.width < 1 || plain.height < 1) continue;  // refused: too small
                    ASSERT_EQ(fast.Scale(x, y, method), 0);
                    ASSERT_TRUE(SamePixels(fast, plain))
                        << side[0] << "x" << side[1] << " by " << x << " % x " << y << " %, method " << method;
                }
}
