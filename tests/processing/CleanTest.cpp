#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "image/Image.h"
#include "support/FakeUserInterface.h"
#include "support/TestImages.h"

namespace {

const char* const kInvertQuestion =
    "Clean is designed to work on images with light objects\non a black background.  Invert image?";
const char* const kBlackQuestion = "Detected LIGHT objects on a BLACK background.\nIs this correct?";
const char* const kWhiteQuestion = "Detected DARK objects on a WHITE background.\nIs this correct?";

int Dot(int x, int y, int v) { return x == 3 && y == 3 ? v : 0; }

}  // namespace

// 7 x 7 grey images, AOI (1, 1)-(5, 5), mask 3 unless said otherwise.
TEST(Clean, SurvivalRule)
{
    struct Case {
        const char* what;
        std::function<int(int, int)> pixels;
        int clutter, significance;
        std::function<int(int, int)> expected;
    } cases[] = {
        {"an isolated 200 is zeroed: 0 < 150", [](int x, int y) { return Dot(x, y, 200); }, 150, 20,
         [](int, int) { return 0; }},
        {"a block of 200s survives: 1600 and 600 >= 150",
         [](int x, int y) { return x >= 2 && x <= 4 && y >= 2 && y <= 4 ? 200 : 0; }, 150, 20,
         [](int x, int y) { return x >= 2 && x <= 4 && y >= 2 && y <= 4 ? 200 : 0; }},
        {"T = 0 and C = 0 change nothing", [](int x, int y) { return (x * 41 + y * 13) % 256; }, 0, 0,
         [](int x, int y) { return (x * 41 + y * 13) % 256; }},
        {"below T is zeroed whatever its neighbours", [](int x, int y) { return x == 3 && y == 3 ? 19 : 250; }, 0, 20,
         [](int x, int y) { return x == 3 && y == 3 ? 0 : 250; }},
        {"exactly T alone: 0 - 50 < 0", [](int x, int y) { return Dot(x, y, 50); }, 0, 50, [](int, int) { return 0; }},
        {"exactly T beside 60: 60 - 50 >= 0", [](int x, int y) { return x == 4 && y == 3 ? 60 : Dot(x, y, 50); }, 0, 50,
         [](int x, int y) { return x == 4 && y == 3 ? 60 : Dot(x, y, 50); }},
        {"exactly T beside another T: not counted", [](int x, int y) { return x == 4 && y == 3 ? 50 : Dot(x, y, 50); },
         0, 50, [](int, int) { return 0; }},
        {"C is compared without the pixel's own light",
         [](int x, int y) { return x == 4 && y == 3 ? 149 : Dot(x, y, 200); }, 150, 20,
         [](int x, int y) { return x == 4 && y == 3 ? 149 : 0; }},  // 149 sees 200 >= 150, 200 sees 149 < 150
        {"pixels outside the AOI count but are kept",
         [](int x, int y) { return x == 0 && y == 1 ? 255 : (x == 1 && y == 1 ? 90 : 0); }, 200, 20,
         [](int x, int y) { return x == 0 && y == 1 ? 255 : (x == 1 && y == 1 ? 90 : 0); }},
    };
    for (const Case& c : cases) {
        FakeUserInterface user;
        CImage image = MakeGrey(7, 7, c.pixels);
        image.SetUpperLeft(1, 1, false);
        image.SetLowerRight(5, 5, false);
        ASSERT_EQ(image.Clean(3, c.clutter, c.significance, 0), 0) << c.what;
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 7; ++x) {
                const int e = c.expected(x, y);
                EXPECT_EQ(image.pixelValueArray[y][x], CColorVal(e, e, e)) << c.what << " at " << x << ", " << y;
            }
        EXPECT_TRUE(user.questions.empty()) << c.what;
        EXPECT_EQ(image.format, FORMAT_GRAYSCALE);
    }
}

TEST(Clean, BackgroundQuestions)
{
    struct Case {
        const char* what;
        int dark, light;  // a 7 x 7 image of dark with a light 3 x 3 block in the middle
        int background;
        std::deque<bool> answers;
        std::vector<std::string> questions;
        int result;
        const char* error;
        int blockAfter, edgeAfter, outsideAfter;  // (3, 3), (1, 1) and (0, 0)
    } cases[] = {
        {"black background: no question", 0, 200, 0, {}, {}, 0, "", 200, 0, 0},
        {"white background, No", 255, 40, 255, {false}, {kInvertQuestion}, -1,
         "Please invert your image before cleaning.  Clean aborted.", 40, 255, 255},
        {"white background, Yes: the AOI is inverted, then cleaned", 255, 40, 255, {true}, {kInvertQuestion}, 0, "",
         215, 0, 255},
        {"detected black, confirmed", 0, 200, -1, {true}, {kBlackQuestion}, 0, "", 200, 0, 0},
        {"detected white, confirmed, invert refused", 255, 40, 7, {true, false}, {kWhiteQuestion, kInvertQuestion},
         -1, "Please invert your image before cleaning.  Clean aborted.", 40, 255, 255},
        {"detected black, overruled, inverted", 0, 200, -1, {false, true}, {kBlackQuestion, kInvertQuestion}, 0, "",
         55, 255, 0},
    };
    for (const Case& c : cases) {
        FakeUserInterface user;
        user.answers = c.answers;
        CImage image =
            MakeGrey(7, 7, [&](int x, int y) { return x >= 2 && x <= 4 && y >= 2 && y <= 4 ? c.light : c.dark; });
        image.SetUpperLeft(1, 1, false);
        image.SetLowerRight(5, 5, false);
        EXPECT_EQ(image.Clean(3, 150, 20, c.background), c.result) << c.what;
        EXPECT_EQ(user.questions, c.questions) << c.what;
        if (c.result != 0) {
            EXPECT_EQ(image.errorMessage, c.error);
        }
        EXPECT_EQ(image.pixelValueArray[3][3].red, c.blockAfter) << c.what;
        EXPECT_EQ(image.pixelValueArray[1][1].red, c.edgeAfter) << c.what;
        EXPECT_EQ(image.pixelValueArray[0][0].red, c.outsideAfter) << c.what;
    }
}

TEST(Clean, Refusals)
{
    struct Case {
        bool rgb;
        int mask;
        const char* error;
    } cases[] = {
        {true, 3, "CImage::Clean() only defined on grayscale images"},
        {false, 0, "Size of clean mask must be at least 1.  Clean Aborted."},
        {false, -3, "Size of clean mask must be at least 1.  Clean Aborted."},
    };
    for (const Case& c : cases) {
        FakeUserInterface user;
        CImage image = MakeGrey(7, 7, [](int x, int y) { return Dot(x, y, 200); });
        if (c.rgb) image.format = FORMAT_RGB;
        image.SetUpperLeft(1, 1, false);
        image.SetLowerRight(5, 5, false);
        EXPECT_EQ(image.Clean(c.mask, 150, 20, -1), -1);
        EXPECT_EQ(image.errorMessage, c.error);
        EXPECT_EQ(image.pixelValueArray[3][3].red, 200);
        EXPECT_TRUE(user.questions.empty());
    }
}

TEST(Clean, AnEvenMaskIsNamedAsGivenInTheRoomQuestion)
{
    FakeUserInterface user;
    CImage image = MakeGrey(9, 9, [](int x, int y) { return Dot(x, y, 200); });
    image.SetUpperLeft(1, 1, false);
    ASSERT_EQ(image.Clean(4, 150, 20, 0), 0);
    ASSERT_EQ(user.questions.size(), 1u);
    EXPECT_EQ(user.questions[0].substr(0, 32), "The current filter size is 4x4.\n");
    EXPECT_EQ((std::vector<int>{image.aoiLeft, image.aoiTop, image.aoiRight, image.aoiBottom}),
              (std::vector<int>{2, 2, 6, 6}));
}

TEST(Clean, EvenAndOneMaskSizes)
{
    struct Case {
        int mask;
        int clutter;
        int expected;  // at (3, 3), a 200 with a 100 two pixels to its right
    } cases[] = {{1, 1, 0}, {2, 100, 0}, {3, 100, 0}, {4, 100, 200}, {5, 100, 200}};
    for (const Case& c : cases) {
        FakeUserInterface user;
        CImage image = MakeGrey(9, 9, [](int x, int y) { return y == 4 && x == 6 ? 100 : Dot(x - 1, y - 1, 200); });
        image.SetUpperLeft(4, 4, false);
        image.SetLowerRight(4, 4, false);
        ASSERT_EQ(image.Clean(c.mask, c.clutter, 20, 0), 0) << c.mask;
        EXPECT_EQ(image.pixelValueArray[4][4].red, c.expected) << c.mask;
    }
}
