#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <utility>

#include "image/Image.h"
#include "processing/MorphologyDifference.h"
#include "support/FakeUserInterface.h"
#include "support/TestImages.h"

namespace {

using Points = std::set<std::pair<int, int>>;  // (x, y) of the white pixels

CImage WhiteOnBlack(int size, const Points& white)
{
    return MakeGrey(size, size, [&](int x, int y) { return white.count({x, y}) ? 255 : 0; });
}

Points WhitePixels(const CImage& image)
{
    Points white;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const CColorVal p = image.pixelValueArray[y][x];
            EXPECT_TRUE(p.red == 0 || p.red == 255) << x << ", " << y;
            EXPECT_TRUE(p.IsGrey());
            if (p.red == 255) white.insert({x, y});
        }
    return white;
}

Points Square(int left, int top, int side)
{
    Points points;
    for (int y = top; y < top + side; ++y)
        for (int x = left; x < left + side; ++x) points.insert({x, y});
    return points;
}

const Points kDot = {{5, 5}};

}  // namespace

// 11 x 11 images, AOI (2, 2)-(8, 8).
TEST(Morphology, ElementShapes)
{
    struct Case {
        const char* what;
        Points white;
        bool dilate;
        int size, direction;
        Points expected;
    } cases[] = {
        {"erosion removes a dot", kDot, false, 3, 0, {}},
        {"dilation makes a 3 x 3 square", kDot, true, 3, 0, Square(4, 4, 3)},
        {"dilation 5 horizontal", kDot, true, 5, 1, {{3, 5}, {4, 5}, {5, 5}, {6, 5}, {7, 5}}},
        {"dilation 5 vertical", kDot, true, 5, 2, {{5, 3}, {5, 4}, {5, 5}, {5, 6}, {5, 7}}},
        {"dilation 5 diagonal: upper right to lower left", kDot, true, 5, 3,
         {{7, 3}, {6, 4}, {5, 5}, {4, 6}, {3, 7}}},
        {"direction 9 is omnidirectional", kDot, true, 3, 9, Square(4, 4, 3)},
        {"erosion horizontal keeps the middle of a row of five", {{3, 5}, {4, 5}, {5, 5}, {6, 5}, {7, 5}}, false, 3, 1,
         {{4, 5}, {5, 5}, {6, 5}}},
        {"erosion vertical removes a row", {{3, 5}, {4, 5}, {5, 5}, {6, 5}, {7, 5}}, false, 3, 2, {}},
        {"erosion diagonal keeps an anti-diagonal's middle", {{6, 4}, {5, 5}, {4, 6}}, false, 3, 3, {{5, 5}}},
        {"erosion diagonal removes a main diagonal", {{4, 4}, {5, 5}, {6, 6}}, false, 3, 3, {}},
        {"erosion of a 5 x 5 square leaves 3 x 3", Square(3, 3, 5), false, 3, 0, Square(4, 4, 3)},
        {"dilation stops at the AOI", Square(8, 8, 3), true, 3, 0,
         []() {
             Points p = Square(8, 8, 3);
             for (int i = 7; i <= 8; ++i) p.insert({i, 7}), p.insert({7, i});
             return p;
         }()},
    };
    for (const Case& c : cases) {
        FakeUserInterface user;
        CImage image = WhiteOnBlack(11, c.white);
        image.SetUpperLeft(2, 2, false);
        image.SetLowerRight(8, 8, false);
        ASSERT_EQ(c.dilate ? image.Dilation(c.size, c.direction) : image.Erosion(c.size, c.direction), 0) << c.what;
        EXPECT_EQ(WhitePixels(image), c.expected) << c.what;
        EXPECT_EQ(image.format, FORMAT_GRAYSCALE);
    }
}

TEST(Morphology, OpeningErodesAllRepetitionsFirst)
{
    FakeUserInterface user;
    // A 4 x 4 square holds a 3 x 3 element but not the 5 x 5 of two erosions.
    CImage twice = WhiteOnBlack(12, Square(4, 4, 4));
    twice.SetUpperLeft(2, 2, false);
    twice.SetLowerRight(9, 9, false);
    CImage alternating = twice;
    ASSERT_EQ(twice.Opening(3, 0, 2), 0);
    EXPECT_EQ(WhitePixels(twice), Points{});
    ASSERT_EQ(alternating.Opening(3, 0, 1), 0);
    ASSERT_EQ(alternating.Opening(3, 0, 1), 0);
    EXPECT_EQ(WhitePixels(alternating), Square(4, 4, 4));

    // Closing fills a gap of two only with two repetitions.
    Points gapped = Square(3, 4, 6);
    gapped.erase({5, 5}), gapped.erase({6, 5}), gapped.erase({5, 6}), gapped.erase({6, 6});
    CImage closed = WhiteOnBlack(12, gapped);
    closed.SetUpperLeft(2, 2, false);
    closed.SetLowerRight(9, 9, false);
    ASSERT_EQ(closed.Closing(3, 0, 1), 0);
    EXPECT_EQ(WhitePixels(closed).count({5, 5}), 1u);
    EXPECT_TRUE(user.notices.empty() && user.questions.empty());
}

TEST(Morphology, NothingRunsWithoutRepetitions)
{
    FakeUserInterface user;
    CImage image = WhiteOnBlack(7, kDot);
    image.format = FORMAT_RGB;  // would fail if anything ran
    EXPECT_EQ(image.Opening(3, 0, 0), 0);
    EXPECT_EQ(image.Closing(3, 0, -2), 0);
    EXPECT_EQ(WhitePixels(image), kDot);
}

// 9 x 9 grey images, AOI (1, 1)-(7, 7).
TEST(Morphology, Differences)
{
    struct Case {
        const char* what;
        std::function<int(int, int)> pixels;
        std::function<int(CImage&)> run;
        std::function<int(int, int)> expected;  // inside the AOI; outside is black
    } cases[] = {
        {"outline of a uniform image", [](int, int) { return 120; }, [](CImage& i) { return i.Outline(3, 0); },
         [](int, int) { return 0; }},
        {"outline of a square keeps its inner border",
         [](int x, int y) { return x >= 2 && x <= 6 && y >= 2 && y <= 6 ? 255 : 0; },
         [](CImage& i) { return i.Outline(3, 0); },
         [](int x, int y) {
             const bool in = x >= 2 && x <= 6 && y >= 2 && y <= 6;
             const bool inner = x >= 3 && x <= 5 && y >= 3 && y <= 5;
             return in && !inner ? 255 : 0;
         }},
        {"gradient of a dot", [](int x, int y) { return x == 4 && y == 4 ? 255 : 0; },
         [](CImage& i) { return i.MorphologicalGradient(3, 0); },
         [](int x, int y) { return x >= 3 && x <= 5 && y >= 3 && y <= 5 ? 255 : 0; }},
        {"gradient of a uniform image", [](int, int) { return 77; },
         [](CImage& i) { return i.MorphologicalGradient(3, 2); }, [](int, int) { return 0; }},
        {"peak of a uniform image", [](int, int) { return 90; }, [](CImage& i) { return i.PeakDetector(3, 0, 1); },
         [](int, int) { return 0; }},
        {"peak of 200 on 50", [](int x, int y) { return x == 4 && y == 4 ? 200 : 50; },
         [](CImage& i) { return i.PeakDetector(3, 0, 1); }, [](int x, int y) { return x == 4 && y == 4 ? 150 : 0; }},
        {"valley of 50 on 200", [](int x, int y) { return x == 4 && y == 4 ? 50 : 200; },
         [](CImage& i) { return i.ValleyDetector(3, 0, 1); }, [](int x, int y) { return x == 4 && y == 4 ? 150 : 0; }},
        {"valley of a uniform image", [](int, int) { return 3; }, [](CImage& i) { return i.ValleyDetector(3, 1, 2); },
         [](int, int) { return 0; }},
    };
    for (const Case& c : cases) {
        FakeUserInterface user;
        CImage image = MakeGrey(9, 9, c.pixels);
        image.SetUpperLeft(1, 1, false);
        image.SetLowerRight(7, 7, false);
        ASSERT_EQ(c.run(image), 0) << c.what;
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 9; ++x) {
                const bool inAoi = x >= 1 && x <= 7 && y >= 1 && y <= 7;
                const int e = inAoi ? c.expected(x, y) : 0;
                EXPECT_EQ(image.pixelValueArray[y][x], CColorVal(e, e, e)) << c.what << " at " << x << ", " << y;
            }
        EXPECT_TRUE(user.questions.empty() && user.notices.empty() && user.errors.empty()) << c.what;
    }
}

TEST(Morphology, ABorderAoiIsAskedAboutOnce)
{
    struct Case {
        const char* what;
        std::function<int(CImage&)> run;
    } cases[] = {
        {"opening", [](CImage& i) { return i.Opening(3, 0, 2); }},
        {"outline", [](CImage& i) { return i.Outline(3, 0); }},
        {"gradient", [](CImage& i) { return i.MorphologicalGradient(3, 0); }},
        {"peak", [](CImage& i) { return i.PeakDetector(3, 0, 2); }},
        {"valley", [](CImage& i) { return i.ValleyDetector(3, 0, 2); }},
    };
    for (const Case& c : cases) {
        FakeUserInterface user;
        CImage image = MakeGrey(8, 8, [](int x, int y) { return x == 0 || y == 7 ? 200 : 40 + x; });
        ASSERT_EQ(c.run(image), 0) << c.what;
        EXPECT_EQ(user.questions.size(), 1u) << c.what;
        EXPECT_EQ((std::vector<int>{image.aoiLeft, image.aoiTop, image.aoiRight, image.aoiBottom}),
                  (std::vector<int>{1, 1, 6, 6}))
            << c.what;
        EXPECT_EQ(image.pixelValueArray[7][3].red, c.what[0] == 'o' && c.what[1] == 'p' ? 200 : 0) << c.what;
    }
}

TEST(Morphology, FailureTexts)
{
    const std::string grey = "Morphological operations only defined on grayscale images";
    struct Case {
        std::function<int(CImage&)> run;
        bool rgb;
        std::string error;
        std::vector<std::string> shown;  // message boxes shown while running
        std::vector<std::string> notices;
    } cases[] = {
        {[](CImage& i) { return i.Erosion(3, 0); }, true, grey, {}, {}},
        {[](CImage& i) { return i.Dilation(3, 0); }, true, grey, {}, {}},
        {[](CImage& i) { return i.Opening(3, 0, 1); }, true, grey + "\nOpening aborted", {}, {}},
        {[](CImage& i) { return i.Closing(3, 0, 1); }, true, grey + "\nClosing aborted", {}, {}},
        {[](CImage& i) { return i.Opening(4, 0, 1); }, false,
         "Size of erosion filter must be an odd number.  Erosion Aborted.\nOpening aborted", {}, {}},
        {[](CImage& i) { return i.Closing(6, 0, 1); }, false,
         "Size of dilation filter must be an odd number.  Dilation Aborted.\nClosing aborted", {}, {}},
        {[](CImage& i) { return i.Outline(3, 0); }, true, "Outline aborted", {grey}, {}},
        {[](CImage& i) { return i.MorphologicalGradient(3, 0); }, true, "Morphological Gradient aborted", {grey}, {}},
        {[](CImage& i) { return i.PeakDetector(3, 0, 1); }, true, "Peak Detector aborted",
         {grey + "\nOpening aborted"}, {}},
        {[](CImage& i) { return i.ValleyDetector(3, 0, 1); }, true, "Valley Detector aborted",
         {grey + "\nClosing aborted"}, {}},
        {[](CImage& i) { return i.Opening(11, 0, 3); }, false, "", {},
         {"Size of erosion filter reset to maximum (9)."}},
        {[](CImage& i) { return i.Closing(1, 0, 2); }, false, "", {},
         {"Size of dilation filter reset to minimum (3)."}},
        {[](CImage& i) { return i.MorphologicalGradient(0, 0); }, false, "", {},
         {"Size of erosion filter reset to minimum (3)."}},
    };
    for (const Case& c : cases) {
        FakeUserInterface user;
        CImage image = MakeGrey(12, 12, [](int x, int y) { return x == 6 && y == 6 ? 200 : 10; });
        if (c.rgb) image.format = FORMAT_RGB;
        image.SetUpperLeft(5, 5, false);
        image.SetLowerRight(6, 6, false);
        const bool fails = !c.error.empty();
        EXPECT_EQ(c.run(image), fails ? -1 : 0) << c.error;
        if (fails) {
            EXPECT_EQ(image.errorMessage, c.error);
            EXPECT_EQ(image.pixelValueArray[6][6].red, 200) << c.error;
        }
        EXPECT_EQ(user.errors, c.shown) << c.error;
        EXPECT_EQ(user.notices, c.notices) << c.error;
    }
}

TEST(Morphology, AFailingSecondStepAppendsItsLine)
{
    using namespace morphology;
    struct Case {
        const DifferenceTexts& texts;
        const char* appended;
    } cases[] = {
        {kOutline, "\nOutline aborted"},
        {kGradient, "\nMorphological Gradient aborted"},
        {kPeakDetector, "\nPeak Detector aborted"},
        {kValleyDetector, "\nValley Detector aborted"},
    };
    for (const Case& c : cases) {
        FakeUserInterface user;
        CImage image = WhiteOnBlack(5, kDot);
        const int result = Difference(
            image,
            [](CImage& copy) {
                copy.SetLowerRight(3, 3, false);
                return 0;
            },
            [](CImage& self, const CImage&) {
                self.errorMessage = "step text";
                return -1;
            },
            c.texts);
        EXPECT_EQ(result, -1);
        EXPECT_EQ(image.errorMessage, std::string("step text") + c.appended);
        EXPECT_EQ(image.aoiRight, 3);  // the copy's AOI was taken before the second step
        EXPECT_TRUE(user.errors.empty());
    }
}
