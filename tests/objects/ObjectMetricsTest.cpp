#include <gtest/gtest.h>

#include <cmath>

#include "objects/Sketch.h"
#include "support/TestImages.h"

namespace {

const char* const kGreyHeader =
    "#id,x,y,area,left,top,right,bottom,circum,elong,major,minor,partl,perim,theta,round,gMin,gMax,gAvg,gDev\r\n";

}  // namespace

TEST(ObjectMetrics, TheFilledRectangle)
{
    // 10 x 4 at columns 3..12, rows 2..5, grey 200 on black.
    CImage image = MakeGrey(16, 8, [](int x, int y) { return x >= 3 && x <= 12 && y >= 2 && y <= 5 ? 200 : 0; });
    const FindRun run = FindObjects(image);
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.file, std::string(kGreyHeader) + "1,7.5,3.5,40,3,2,12,5,24.0,0.3,9.0,3.0,F,24,0.0,0.9,200,200,200.0,0.0\r\n");
    ASSERT_EQ(image.ObjectCount(), 1);
    const CFoundObject& o = image.objects[0];
    EXPECT_EQ(o.area, 40);
    EXPECT_EQ(o.PerimeterCount(), 24);
    EXPECT_EQ(o.boundaryPoints.front(), (CBoundaryPoint{3, 2}));
    EXPECT_EQ(o.boundaryPoints[1], (CBoundaryPoint{4, 2}));  // east along the top edge
    EXPECT_EQ(o.boundaryPoints.back(), (CBoundaryPoint{3, 3}));
    EXPECT_EQ(o.edgeSlopeAcross, 0.0);
    EXPECT_EQ(o.edgeSlopeDown, 0.0);
    EXPECT_EQ(o.boxWidthSpan, 9.0);
    EXPECT_EQ(o.boxHeightSpan, 3.0);
    EXPECT_EQ(o.theta, 0.0);
    EXPECT_EQ(o.majorAxis, 9.0);
    EXPECT_EQ(o.minorAxis, 3.0);
    EXPECT_DOUBLE_EQ(o.elongation, 1.0 / 3.0);
    EXPECT_EQ(o.circumference, 24.0);
    EXPECT_NEAR(o.roundness, 0.8727, 5e-5);
    EXPECT_EQ(o.roundness, 40 * 12.56637061435916 / 576);
    EXPECT_EQ(o.centroidX, 7.5);
    EXPECT_EQ(o.centroidY, 3.5);
    EXPECT_FALSE(o.partial);
    EXPECT_EQ(o.separator, ",");
}

// Shapes picked so that each clean-up rule of the edge slopes, both
// orientation formulas and both ways to the axes are taken.
TEST(ObjectMetrics, RowsOfShapes)
{
    struct Case {
        const char* name;
        std::vector<std::string> rows;
        const char* row;
    } cases[] = {
        {"diagonal: P and Q equal, axes from the spans",
         {".......", ".#.....", "..#....", "...#...", "....#..", ".....#.", "......."},
         "1,3.0,3.0,5,1,1,5,5,11.3,1.0,4.0,4.0,F,8,135.0,0.5,200,200,200.0,0.0"},
        {"antidiagonal: r = 0 with P < 0",
         {".......", ".....#.", "....#..", "...#...", "..#....", ".#.....", "......."},
         "1,3.0,3.0,5,1,1,5,5,11.3,1.0,4.0,4.0,F,8,45.0,0.5,200,200,200.0,0.0"},
        {"slanted band: axes from h and f",
         {"............", ".######.....", "...######...", ".....######.", "............"},
         "1,5.5,2.0,18,1,1,10,3,19.7,0.2,7.5,1.8,F,18,166.7,0.6,200,200,200.0,0.0"},
        {"disc", {".........", "...###...", "..#####..", ".#######.", ".#######.", ".#######.", "..#####..",
                  "...###...", "........."},
         "1,4.0,4.0,37,1,1,7,7,19.3,1.0,6.0,6.0,F,16,0.0,1.2,200,200,200.0,0.0"},
        {"no slopes: theta 0 for a wide box", {"........", ".#.#.#..", ".##.##..", "........"},
         "1,3.0,1.6,7,1,1,5,2,12.5,0.2,4.0,1.0,F,10,0.0,0.6,200,200,200.0,0.0"},
        {"faint Q dropped: theta 90 for a tall box", {".......", "....#..", ".....#.", "...###.", "....##.", "......."},
         "1,4.3,2.9,7,3,1,5,4,9.7,0.7,3.0,2.0,F,8,90.0,0.9,200,200,200.0,0.0"},
        {"P = 0, Q > 2: P becomes 1", {".........", "..#......", ".##..###.", ".#.##.##.", "........."},
         "1,4.0,2.4,11,1,1,7,3,17.9,0.3,5.6,1.9,F,15,169.3,0.4,200,200,200.0,0.0"},
        {"P = 0, Q < -2: P becomes -1", {".........", "...#.##..", ".####.##.", "..##.....", "........."},
         "1,3.8,1.9,11,1,1,7,3,15.3,0.3,5.6,1.9,F,12,10.8,0.6,200,200,200.0,0.0"},
        {"Q = 0, faint P dropped", {".......", ".##....", ".###...", ".##....", ".##....", "......."},
         "1,1.7,2.4,9,1,1,3,4,8.8,0.7,3.0,2.0,F,8,90.0,1.5,200,200,200.0,0.0"},
        {"Q = 0, P > 2: Q becomes 1",
         {"..........", ".......#..", ".....##...", ".......#..", "........#.", "......###.", ".........."},
         "1,6.8,3.4,8,5,1,8,5,15.9,0.5,4.9,2.2,F,13,107.8,0.4,200,200,200.0,0.0"},
        {"Q = 0, P < -2: Q becomes -1",
         {"......", "..###.", "..##..", "..##..", ".###..", "..##..", "...#..", "......"},
         "1,2.5,3.2,13,1,1,4,6,13.7,0.4,5.9,2.3,F,12,76.7,0.9,200,200,200.0,0.0"},
        {"both slopes kept", {"......", "..###.", ".####.", "..###.", "....#.", "......"},
         "1,2.9,2.2,11,1,1,4,4,10.2,0.7,3.7,2.4,F,9,163.2,1.3,200,200,200.0,0.0"},
        {"two levels: weighted centroid and deviation", {"......", ".#oo#.", ".#oo#.", ".####.", "......"},
         "1,2.5,2.1,12,1,1,4,3,10.0,0.7,3.0,2.0,F,10,0.0,1.5,100,200,166.7,47.1"},
    };
    for (const Case& c : cases) {
        CImage image = Sketch(c.rows);
        const FindRun run = FindObjects(image);
        EXPECT_EQ(run.status, 0) << c.name;
        EXPECT_EQ(run.file, std::string(kGreyHeader) + c.row + "\r\n") << c.name;
    }
}

TEST(ObjectMetrics, OnWhiteTheWeightIsTheDistanceFromWhite)
{
    // Weights 55 for the outer ring of 200 and 155 for the inner 100s pull
    // the centroid up, unlike on black.
    CImage image = Sketch({"wwwwww", "w#oo#w", "w#oo#w", "w####w", "wwwwww"}, 200, 255);
    const FindRun run = FindObjects(image, METRIC_COLOR, 255);
    EXPECT_EQ(run.file, "#id,x,y,gMin,gMax,gAvg,gDev\r\n1,2.5,1.8,100,200,166.7,47.1\r\n");
}

TEST(ObjectMetrics, DotInsideARingIsCountedWithTheRing)
{
    CImage image = Sketch({
        ".........",
        ".#######.",
        ".#.....#.",
        ".#..o..#.",
        ".#.....#.",
        ".#######.",
        ".........",
    });
    const FindRun run = FindObjects(image, METRIC_AREA | METRIC_BOUNDING_BOX | METRIC_COLOR);
    // The ring: 20 pixels of 200 and the dot of 100 inside its box; then
    // the dot itself, too small to report.
    EXPECT_EQ(run.file,
              "#id,x,y,area,left,top,right,bottom,gMin,gMax,gAvg,gDev\r\n"
              "1,4.0,3.0,21,1,1,7,5,100,200,195.2,21.3\r\n");
    ASSERT_EQ(image.ObjectCount(), 1);
    EXPECT_EQ(image.objects[0].PerimeterCount(), 20);
    EXPECT_EQ(image.objects[0].area, 21);

    // A dot large enough to report is found second, in raster order.
    CImage big = Sketch({
        "...........",
        ".#########.",
        ".#.......#.",
        ".#..ooo..#.",
        ".#..ooo..#.",
        ".#..ooo..#.",
        ".#..ooo..#.",
        ".#.......#.",
        ".#########.",
        "...........",
    });
    EXPECT_EQ(FindObjects(big, METRIC_AREA | METRIC_BOUNDING_BOX).file,
              "#id,x,y,area,left,top,right,bottom\r\n"
              "1,5.0,4.5,42,1,1,9,8\r\n"
              "2,5.0,4.5,12,4,3,6,6\r\n");
}

TEST(ObjectMetrics, RgbStatisticsPerComponent)
{
    // Every pixel has some green and blue: the minima must be the true ones.
    // Red is 0 in two of five columns; those pixels still count for its
    // mean and deviation (120 and 98.0; skipping them would give 62.0).
    CImage image = MakeImage(7, 4, [](int x, int y) {
        if (x == 0 || x == 6 || y == 0 || y == 3) return CColorVal();
        return x % 2 ? CColorVal(200, 90, 30 + x) : CColorVal(0, 100 + x, 60);
    });
    const FindRun run = FindObjects(image, METRIC_COLOR);
    EXPECT_EQ(run.file,
              "#id,x,y,rMin,rMax,rAvg,rDev,gMin,gMax,gAvg,gDev,bMin,bMax,bAvg,bDev\r\n"
              "1,3.0,1.5,0,200,120.0,98.0,90,104,95.2,6.4,31,60,43.8,13.3\r\n");
    ASSERT_EQ(image.ObjectCount(), 1);
    EXPECT_EQ(image.objects[0].green.min, 90);
    EXPECT_EQ(image.objects[0].blue.min, 31);
}
