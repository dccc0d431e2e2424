// Find Objects' options and calibrated columns on images with known objects:
// one touching the AOI's edge, one lying inside another's bounding box, and
// areas at the limits.
#include <gtest/gtest.h>

#include "objects/Sketch.h"

namespace {

// A ring (area 16 of its own, box 5 x 5 holding a 4-pixel dot), a 3 x 4 block
// touching the right edge, and the dot inside the ring.
const std::vector<std::string> kRows = {
    "..........",
    ".#####....",
    ".#...#..##",
    ".#.#.#..##",
    ".#...#..##",
    ".#####..##",
    "..........",
};

CObjectOptions Options(double minArea, double maxArea, bool edge, bool own, bool summary)
{
    CObjectOptions o;
    o.minArea = minArea;
    o.maxArea = maxArea;
    o.excludeEdge = edge;
    o.ownPixels = own;
    o.summary = summary;
    return o;
}

}  // namespace

TEST(ObjectOptions, LimitsEdgeOwnPixelsAndSummary)
{
    struct Case {
        CObjectOptions options;
        const char* file;
    } cases[] = {
        // The default: the ring's box counts the dot too (17 pixels).
        {{}, "#id,x,y,area\r\n1,3.0,3.0,17\r\n2,8.5,3.5,8\r\n"},
        {Options(0, 0, false, true, false), "#id,x,y,area\r\n1,3.0,3.0,16\r\n2,8.5,3.5,8\r\n"},
        {Options(8, 8, false, false, false), "#id,x,y,area\r\n1,8.5,3.5,8\r\n"},
        {Options(9, 17, false, false, false), "#id,x,y,area\r\n1,3.0,3.0,17\r\n"},
        {Options(0, 0, true, false, true), "#id,x,y,area\r\n1,3.0,3.0,17\r\n# objects: 1, total area: 17, mean area: 17.0\r\n"},
        {Options(100, 0, false, false, true), "#id,x,y,area\r\n# objects: 0, total area: 0, mean area: 0.0\r\n"},
        // No shortest major axis: the one-pixel dot is reported too; 4 leaves only the ring.
        {[] { CObjectOptions o; o.minMajor = 0; return o; }(),
         "#id,x,y,area\r\n1,3.0,3.0,17\r\n2,8.5,3.5,8\r\n3,3.0,3.0,1\r\n"},
        {[] { CObjectOptions o; o.minMajor = 4; return o; }(), "#id,x,y,area\r\n1,3.0,3.0,17\r\n"},
    };
    for (const Case& c : cases) {
        CImage image = Sketch(kRows);
        image.SetUpperLeft(0, 0, false);
        image.SetLowerRight(9, 6, false);
        const FindRun run = FindObjects(image, METRIC_AREA, 0, c.options);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.file, c.file);
    }
}

TEST(ObjectOptions, CalibratedColumnsFollowTheSpecifiedOnes)
{
    CImage image = Sketch({"......", ".####.", ".####.", "......"});
    image.calibration = {0.5, 0.25, "\u00b5m"};
    const FindRun run = FindObjects(image, METRIC_AREA | METRIC_CIRCUMFERENCE | METRIC_MAJOR_AXIS);
    // Centroid (2.5, 1.5); area 8 x 0.125; the 4 x 2 boundary: 6 steps across
    // of 0.5 and 2 down of 0.25; major axis 3 pixels along x.
    EXPECT_EQ(run.file, "#id,x,y,area,circum,major,x_um,y_um,area_um2,circum_um,major_um\r\n"
                        "1,2.5,1.5,8,8.0,3.0,1.25,0.375,1,3.5,1.5\r\n");
    // Six significant digits: a 2 um pixel in metres reads 3.2e-11 m2, not 0.0000.
    image.calibration = {0.000002, 0.000002, "m"};
    EXPECT_EQ(FindObjects(image, METRIC_AREA).file,
              "#id,x,y,area,x_m,y_m,area_m2\r\n1,2.5,1.5,8,5e-06,3e-06,3.2e-11\r\n");
    image.calibration = {};
    EXPECT_EQ(FindObjects(image, METRIC_AREA).file, "#id,x,y,area\r\n1,2.5,1.5,8\r\n");
}
