#include <gtest/gtest.h>

#include "objects/Sketch.h"
#include "support/TestImages.h"

namespace {

std::vector<CBoundaryPoint> Points(std::initializer_list<std::pair<int, int>> xy)
{
    std::vector<CBoundaryPoint> points;
    for (auto [x, y] : xy) points.push_back({x, y});
    return points;
}

}  // namespace

TEST(BoundaryTrace, StepBlockedAndNextBoundaryPoint)
{
    // The centre (2, 2) has neighbours at N, E and SW; (0, 0) is outside
    // the AOI (1, 1)-(4, 4).
    CImage image = Sketch({
        "#....",
        "..#..",
        "..##.",
        ".#...",
        ".....",
    });
    image.SetUpperLeft(1, 1, false);
    const PixelRows& work = image.pixelValueArray;
    const bool blocked[8] = {false, true, false, true, true, false, true, true};
    for (int direction = 1; direction <= 8; ++direction)
        EXPECT_EQ(image.StepBlocked(work, 0, 2, 2, direction), blocked[direction - 1]) << direction;
    EXPECT_TRUE(image.StepBlocked(work, 0, 1, 1, 8));  // the lit pixel outside the AOI
    EXPECT_TRUE(image.StepBlocked(work, 0, 4, 4, 4));  // beyond the corner

    struct Case {
        int first;
        int moved;
        int x, y;
    } cases[] = {
        {1, 1, 2, 1}, {2, 3, 3, 2}, {3, 3, 3, 2}, {4, 6, 1, 3}, {6, 6, 1, 3}, {7, 1, 2, 1}, {8, 1, 2, 1},
    };
    for (const Case& c : cases) {
        int x = 2, y = 2;
        EXPECT_EQ(image.NextBoundaryPoint(work, 0, x, y, c.first), c.moved) << c.first;
        EXPECT_EQ(x, c.x) << c.first;
        EXPECT_EQ(y, c.y) << c.first;
    }
    // Alone: all eight blocked, the point stays.
    int x = 0, y = 0;
    EXPECT_EQ(Sketch({"#.", ".."}).NextBoundaryPoint(Sketch({"#.", ".."}).pixelValueArray, 0, x, y, 1), 0);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
}

TEST(BoundaryTrace, FindStartPixelScansTheAoiFromAPoint)
{
    CImage image = Sketch({
        "#.....",
        "....#.",
        ".#....",
        "......",
    });
    image.SetUpperLeft(1, 0, false);
    image.SetLowerRight(4, 3, false);
    const PixelRows& work = image.pixelValueArray;
    struct Case {
        int fromX, fromY;
        bool found;
        int x, y;
    } cases[] = {
        {1, 0, true, 4, 1}, {2, 1, true, 4, 1}, {4, 1, true, 4, 1}, {1, 2, true, 1, 2}, {2, 2, false, 2, 2},
    };
    for (const Case& c : cases) {
        int x = c.fromX, y = c.fromY;
        EXPECT_EQ(image.FindStartPixel(work, 0, x, y), c.found) << c.fromX << "," << c.fromY;
        EXPECT_EQ(x, c.x) << c.fromX << "," << c.fromY;
        EXPECT_EQ(y, c.y) << c.fromX << "," << c.fromY;
    }
}

TEST(BoundaryTrace, TheGreyLevelDecidesWhatIsBackground)
{
    // Luminances 0, 0, 1 on black; 255, 254 on white.
    CImage black = MakeImage(3, 1, [](int x, int) {
        const CColorVal pixels[] = {CColorVal(1, 0, 0), CColorVal(0, 0, 4), CColorVal(0, 1, 0)};
        return pixels[x];
    });
    int x = 0, y = 0;
    EXPECT_TRUE(black.FindStartPixel(black.pixelValueArray, 0, x, y));
    EXPECT_EQ(x, 2);
    CImage white = MakeImage(2, 1, [](int x, int) { return x ? CColorVal(255, 255, 250) : CColorVal(254, 255, 255); });
    x = 0;
    EXPECT_TRUE(white.FindStartPixel(white.pixelValueArray, 255, x, y));
    EXPECT_EQ(x, 1);
}

TEST(BoundaryTrace, TracedPoints)
{
    struct Case {
        const char* name;
        std::vector<std::string> rows;
        // Each traced object in turn.
        std::vector<std::vector<CBoundaryPoint>> objects;
    } cases[] = {
        {"an isolated pixel", {"...", ".#.", "..."}, {Points({{1, 1}})}},
        {"a 3 x 2 block, clockwise from its top-left",
         {"#.###", "..###"},
         {Points({{0, 0}}), Points({{2, 0}, {3, 0}, {4, 0}, {4, 1}, {3, 1}, {2, 1}})}},
        {"a hook: the inner corner is visited once per side",
         {"###", "#..", "###"},
         {Points({{0, 0}, {1, 0}, {2, 0}, {1, 0}, {0, 1}, {1, 2}, {2, 2}, {1, 2}, {0, 2}, {0, 1}})}},
        {"a start pixel that bridges two arms ends the trace at the first return",
         {"..#..", ".#.#.", "#...#"},
         {Points({{2, 0}, {3, 1}, {4, 2}, {3, 1}}), Points({{1, 1}, {0, 2}})}},
    };
    for (const Case& c : cases) {
        CImage image = Sketch(c.rows);
        PixelRows work = image.pixelValueArray;
        int x = 0, y = 0;
        for (const std::vector<CBoundaryPoint>& expected : c.objects) {
            ASSERT_TRUE(image.FindStartPixel(work, 0, x, y)) << c.name;
            EXPECT_EQ(image.TraceObject(work, 0, x, y).boundaryPoints, expected) << c.name;
        }
        EXPECT_FALSE(image.FindStartPixel(work, 0, x, y)) << c.name;
    }
}

TEST(BoundaryTrace, AddBoundaryPointGrowsTheBoxAndSetsPartial)
{
    CImage image = Sketch({"......", "......", "......", "......"});
    image.SetUpperLeft(1, 1, false);
    PixelRows work = image.pixelValueArray;
    work[2][3] = CColorVal(9, 9, 9);
    struct Step {
        int x, y;
        bool closes, partial;
        int left, top, right, bottom;
    } steps[] = {
        {3, 2, false, false, 3, 2, 3, 2},  {2, 3, false, true, 2, 2, 3, 3},  {4, 2, false, true, 2, 2, 4, 3},
        {2, 1, false, true, 2, 1, 4, 3},   {3, 2, true, true, 2, 1, 4, 3},
    };
    CFoundObject object;
    for (const Step& s : steps) {
        EXPECT_EQ(object.AddBoundaryPoint(s.x, s.y, image, work, 0), s.closes) << s.x << "," << s.y;
        EXPECT_EQ(object.partial, s.partial) << s.x << "," << s.y;
        EXPECT_EQ(object.left, s.left);
        EXPECT_EQ(object.top, s.top);
        EXPECT_EQ(object.right, s.right);
        EXPECT_EQ(object.bottom, s.bottom);
    }
    EXPECT_EQ(object.PerimeterCount(), 4);
    // Closing measured the object and erased it from the working copy.
    EXPECT_EQ(object.area, 1);
    EXPECT_EQ(work[2][3], CColorVal());
}
