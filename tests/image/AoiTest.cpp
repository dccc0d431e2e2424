#include <gtest/gtest.h>

#include "image/Image.h"
#include "support/FakeUserInterface.h"
#include "support/TestImages.h"

TEST(Aoi, CornerSettersClampWithAtMostOneNotice)
{
    struct Case {
        bool upperLeft;
        int x, y;
        bool warn;
        int storedX, storedY;
        const char* notice;  // nullptr: none
    } cases[] = {
        // A 10 x 8 image; the notice names the corner stored.
        {false, 10, 8, true, 9, 7,
         "Specified lower right corner (10, 8) is outside the image.\nLower right corner being reset to (9, 7)"},
        {true, -3, 5, false, 0, 5, nullptr},
        {true, -3, 5, true, 0, 5,
         "Specified upper left corner (-3, 5) is outside the image.\nUpper left corner being reset to (0, 5)"},
        {true, -3, -4, true, 0, 0,
         "Specified upper left corner (-3, -4) is outside the image.\nUpper left corner being reset to (0, 0)"},
        {true, 4, -4, true, 4, 0,
         "Specified upper left corner (4, -4) is outside the image.\nUpper left corner being reset to (4, 0)"},
        {false, 12, 3, true, 9, 3,
         "Specified lower right corner (12, 3) is outside the image.\nLower right corner being reset to (9, 3)"},
        {false, 2, 30, true, 2, 7,
         "Specified lower right corner (2, 30) is outside the image.\nLower right corner being reset to (2, 7)"},
        {false, 9, 7, true, 9, 7, nullptr},
        {true, 0, 0, true, 0, 0, nullptr},
    };
    for (const Case& c : cases) {
        FakeUserInterface user;
        CImage image = MakeImage(10, 8, [](int, int) { return CColorVal(); });
        image.SetUpperLeft(1, 1, false);
        image.SetLowerRight(8, 6, false);
        if (c.upperLeft)
            image.SetUpperLeft(c.x, c.y, c.warn);
        else
            image.SetLowerRight(c.x, c.y, c.warn);
        const int gotX = c.upperLeft ? image.aoiLeft : image.aoiRight;
        const int gotY = c.upperLeft ? image.aoiTop : image.aoiBottom;
        EXPECT_EQ(gotX, c.storedX) << c.x << "," << c.y;
        EXPECT_EQ(gotY, c.storedY) << c.x << "," << c.y;
        // The other corner is untouched.
        EXPECT_EQ(c.upperLeft ? image.aoiRight : image.aoiLeft, c.upperLeft ? 8 : 1);
        if (c.notice) {
            ASSERT_EQ(user.notices.size(), 1u) << c.x << "," << c.y;
            EXPECT_EQ(user.notices[0], c.notice);
        } else {
            EXPECT_TRUE(user.notices.empty()) << c.x << "," << c.y;
        }
    }
}
