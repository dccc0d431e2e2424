#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

#include "image/FoundObject.h"
#include "support/TestFiles.h"

namespace {

// Every field different, so that a swapped column shows.
CFoundObject Measured()
{
    CFoundObject o;
    o.centroidX = 12.46;
    o.centroidY = 7.0;
    o.area = 40;
    o.left = 3, o.top = 2, o.right = 12, o.bottom = 5;
    o.circumference = 24.05;
    o.elongation = 0.25;  // exactly half-way: printf rounds it to even
    o.majorAxis = 9.96;
    o.minorAxis = 2.49;
    o.partial = true;
    o.boundaryPoints.resize(24);
    o.theta = -0.04;
    o.roundness = 0.8727;
    o.red = {10, 250, 130.55, 3.0};
    o.green = {20, 240, 120.0, 4.44};
    o.blue = {30, 230, 110.0, 5.0};
    return o;
}

}  // namespace

TEST(ResultsFile, HeaderAndRowForEachFlag)
{
    struct Case {
        int flags;
        bool grayscale;
        const char* header;
        const char* row;
    } cases[] = {
        {0, true, "#id,x,y", "1,12.5,7.0"},
        {METRIC_AREA, true, "#id,x,y,area", "1,12.5,7.0,40"},
        {METRIC_BOUNDING_BOX, true, "#id,x,y,left,top,right,bottom", "1,12.5,7.0,3,2,12,5"},
        {METRIC_CIRCUMFERENCE, true, "#id,x,y,circum", "1,12.5,7.0,24.1"},
        {METRIC_COLOR, true, "#id,x,y,gMin,gMax,gAvg,gDev", "1,12.5,7.0,10,250,130.6,3.0"},
        {METRIC_COLOR, false, "#id,x,y,rMin,rMax,rAvg,rDev,gMin,gMax,gAvg,gDev,bMin,bMax,bAvg,bDev",
         "1,12.5,7.0,10,250,130.6,3.0,20,240,120.0,4.4,30,230,110.0,5.0"},
        {METRIC_ELONGATION, true, "#id,x,y,elong", "1,12.5,7.0,0.2"},
        {METRIC_MAJOR_AXIS, true, "#id,x,y,major", "1,12.5,7.0,10.0"},
        {METRIC_MINOR_AXIS, true, "#id,x,y,minor", "1,12.5,7.0,2.5"},
        {METRIC_PARTIAL, true, "#id,x,y,partl", "1,12.5,7.0,T"},
        {METRIC_PERIMETER, true, "#id,x,y,perim", "1,12.5,7.0,24"},
        {METRIC_THETA, true, "#id,x,y,theta", "1,12.5,7.0,-0.0"},
        {METRIC_ROUNDNESS, true, "#id,x,y,round", "1,12.5,7.0,0.9"},
        {METRIC_COLOR | METRIC_AREA | METRIC_ROUNDNESS, true, "#id,x,y,area,round,gMin,gMax,gAvg,gDev",
         "1,12.5,7.0,40,0.9,10,250,130.6,3.0"},
        {METRIC_ALL, true,
         "#id,x,y,area,left,top,right,bottom,circum,elong,major,minor,partl,perim,theta,round,gMin,gMax,gAvg,gDev",
         "1,12.5,7.0,40,3,2,12,5,24.1,0.2,10.0,2.5,T,24,-0.0,0.9,10,250,130.6,3.0"},
        {METRIC_ALL, false,
         "#id,x,y,area,left,top,right,bottom,circum,elong,major,minor,partl,perim,theta,round,"
         "rMin,rMax,rAvg,rDev,gMin,gMax,gAvg,gDev,bMin,bMax,bAvg,bDev",
         "1,12.5,7.0,40,3,2,12,5,24.1,0.2,10.0,2.5,T,24,-0.0,0.9,"
         "10,250,130.6,3.0,20,240,120.0,4.4,30,230,110.0,5.0"},
    };
    const CFoundObject o = Measured();
    for (const Case& c : cases) {
        EXPECT_EQ(o.HeaderLine(c.flags, c.grayscale), c.header) << c.flags;
        EXPECT_EQ(o.RowText(1, c.grayscale, c.flags), c.row) << c.flags;
    }
    CFoundObject whole = o;
    whole.partial = false;
    EXPECT_EQ(whole.RowText(312, true, METRIC_PARTIAL), "312,12.5,7.0,F");
    const std::string all = o.HeaderLine(METRIC_ALL, false);
    EXPECT_EQ(std::count(all.begin(), all.end(), ',') + 1, 28);
    whole.separator = std::string(1, ';');
    EXPECT_EQ(whole.HeaderLine(METRIC_AREA, true), "#id;x;y;area");
    EXPECT_EQ(whole.RowText(2, true, METRIC_AREA), "2;12.5;7.0;40");
}

// Reals are formatted without the C library's locale; the digits must be
// those of "%.1f" for every value.
TEST(ResultsFile, RealsAsPrintfFormatsThem)
{
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> small(-1000.0, 1000.0);
    CFoundObject o;
    for (int i = 0; i < 20000; ++i) {
        o.centroidX = i % 2 ? small(random) : std::ldexp(small(random), static_cast<int>(random() % 80) - 40);
        o.centroidY = (random() % 20001) / 20.0 - 500.0;  // many exact halves of a tenth
        char expected[200];
        std::snprintf(expected, sizeof expected, "%d,%.1f,%.1f", i, o.centroidX, o.centroidY);
        ASSERT_EQ(o.RowText(i, true, 0), expected);
    }
    o.centroidX = 1e12 * 3.0;
    o.centroidY = -500.0;
    EXPECT_EQ(o.RowText(1, true, 0), "1,3000000000000.0,-500.0");
}

TEST(ResultsFile, WriteRowEndsWithCrLfAndFlushes)
{
    TempDir dir;
    const std::string path = dir.path("rows.dat");
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    const CFoundObject o = Measured();
    EXPECT_TRUE(WriteResultsLine(file, o.HeaderLine(METRIC_AREA, true)));
    EXPECT_TRUE(o.WriteRow(file, 1, true, METRIC_AREA));
    const std::vector<std::uint8_t> bytes = ReadBytes(path);  // before closing
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "#id,x,y,area\r\n1,12.5,7.0,40\r\n");
    std::fclose(file);

    std::FILE* readOnly = std::fopen(path.c_str(), "rb");
    ASSERT_NE(readOnly, nullptr);
    EXPECT_FALSE(o.WriteRow(readOnly, 2, true, METRIC_AREA));
    std::fclose(readOnly);
}
