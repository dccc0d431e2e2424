#include <gtest/gtest.h>

#include "image/ColorVal.h"
#include "reference/ReferenceColor.h"

TEST(ColorVal, ClampsEachComponentSeparately)
{
    EXPECT_EQ(CColorVal(300, -5, 128), CColorVal(255, 0, 128));
    EXPECT_EQ(CColorVal(), CColorVal(0, 0, 0));
    EXPECT_EQ(CColorVal(-1000, 256, 255), CColorVal(0, 255, 255));
}

TEST(ColorVal, Luminance)
{
    struct Case {
        CColorVal pixel;
        int luminance;
    } cases[] = {
        {{255, 0, 0}, 76}, {{0, 255, 0}, 150}, {{0, 0, 255}, 29}, {{255, 255, 255}, 255},
        {{0, 0, 0}, 0},    {{10, 20, 30}, 18}, {{200, 100, 50}, 124},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.pixel.Luminance(), c.luminance) << int(c.pixel.red) << "," << int(c.pixel.green) << ","
                                                    << int(c.pixel.blue);
}

TEST(ColorVal, GreyLevelsMapToThemselves)
{
    for (int v = 0; v < 256; ++v) EXPECT_EQ(CColorVal(v, v, v).Luminance(), v);
}

TEST(RoundHalfAway, HalvesGoAwayFromZero)
{
    struct Case {
        double x;
        int expected;
    } cases[] = {{2.5, 3}, {-2.5, -3}, {2.49, 2}, {-2.49, -2}, {0.0, 0}, {-0.5, -1}, {0.5, 1}, {127.4999976, 127}};
    for (const Case& c : cases) EXPECT_EQ(RoundHalfAway(c.x), c.expected) << c.x;
}

TEST(ColorVal, LuminanceMatchesTheFormulaForEveryColour)
{
    int mismatches = 0;
    for (int r = 0; r < 256; ++r)
        for (int g = 0; g < 256; ++g)
            for (int b = 0; b < 256; ++b) {
                const CColorVal p(r, g, b);
                mismatches += p.Luminance() != reference::Luminance(p);
            }
    EXPECT_EQ(mismatches, 0);
}
