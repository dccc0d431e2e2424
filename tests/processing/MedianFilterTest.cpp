#include <gtest/gtest.h>

#include <functional>

#include "image/Image.h"
#include "support/FakeUserInterface.h"
#include "support/TestImages.h"

TEST(MedianFilter, Medians)
{
    struct Case {
        const char* what;
        int size;
        std::function<int(int, int)> pixels;  // of a 9 x 9 image, AOI the centre pixel (4, 4)
        int centre;
    } cases[] = {
        {"1..9 gives 5", 3, [](int x, int y) { return 3 * (y - 3) + (x - 3) + 1; }, 5},
        {"a dot is removed", 3, [](int x, int y) { return x == 4 && y == 4 ? 255 : 0; }, 0},
        {"4 of 9 bright keep dark", 3, [](int x, int y) { return (x + y) % 2 == 1 ? 200 : 10; }, 10},
        {"5 of 9 bright turn bright", 3, [](int x, int y) { return (x + y) % 2 == 0 ? 200 : 10; }, 200},
        {"size 5 of a 3 x 3 bright block: 9 of 25", 5,
         [](int x, int y) { return x >= 3 && x <= 5 && y >= 3 && y <= 5 ? 90 : 30; }, 30},
        {"size 9 of values 0..80: the 41st", 9, [](int x, int y) { return 80 - (9 * y + x); }, 40},
        {"size 7 reaches three pixels away", 7,
         [](int x, int y) { return x >= 1 && x <= 7 && y >= 1 && y <= 7 ? 60 : 0; }, 60},
    };
    for (const Case& c : cases) {
        FakeUserInterface user;
        CImage image = MakeGrey(9, 9, c.pixels);
        image.SetUpperLeft(4, 4, false);
        image.SetLowerRight(4, 4, false);
        ASSERT_EQ(image.MedianFilter(c.size), 0) << c.what;
        EXPECT_EQ(image.pixelValueArray[4][4], CColorVal(c.centre, c.centre, c.centre)) << c.what;
        const int corner = c.pixels(0, 0);
        EXPECT_EQ(image.pixelValueArray[0][0], CColorVal(corner, corner, corner)) << c.what;
    }
}

TEST(MedianFilter, RefusesRgbImages)
{
    FakeUserInterface user;
    CImage image = MakeImage(5, 5, [](int x, int y) { return CColorVal(x, y, 9); });
    image.SetUpperLeft(2, 2, false);
    image.SetLowerRight(2, 2, false);
    EXPECT_EQ(image.MedianFilter(3), -1);
    EXPECT_EQ(image.errorMessage, "CImage::MedianFilter() only defined on grayscale images");
    EXPECT_EQ(image.pixelValueArray[2][2], CColorVal(2, 2, 9));
    EXPECT_TRUE(user.notices.empty());
    // The format check comes before the size rules.
    EXPECT_EQ(image.MedianFilter(1), -1);
    EXPECT_TRUE(user.notices.empty());
}

// Every 0/1 window: a selection that is right for all of them is right for
// all values.
TEST(MedianFilter, EveryBinaryWindowOfNine)
{
    FakeUserInterface user;
    for (int bits = 0; bits < 512; ++bits) {
        CImage image = MakeGrey(3, 3, [&](int x, int y) { return (bits >> (3 * y + x)) & 1 ? 255 : 0; });
        image.aoiLeft = image.aoiTop = image.aoiRight = image.aoiBottom = 1;
        ASSERT_EQ(image.MedianFilter(3), 0);
        const int expected = __builtin_popcount(static_cast<unsigned>(bits)) >= 5 ? 255 : 0;
        ASSERT_EQ(image.pixelValueArray[1][1], CColorVal(expected, expected, expected)) << bits;
    }
}
