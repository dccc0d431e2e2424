#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frequency/FilterEllipse.h"
#include "image/Image.h"
#include "support/TestImages.h"

namespace {

// '#' for display pixels whose data value is still 1, '.' for deleted ones.
std::vector<std::string> Kept(const CImage& image)
{
    std::vector<std::string> rows(image.height, std::string(image.width, '?'));
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const FrequencyBuffer::Value v =
                image.dataArray[(y + image.height / 2) % image.height][(x + image.width / 2) % image.width];
            rows[y][x] = v == FrequencyBuffer::Value(1, 1) ? '#' : (v == FrequencyBuffer::Value() ? '.' : '?');
        }
    return rows;
}

CImage SpectrumOfOnes(int width, int height, int left, int top, int right, int bottom)
{
    CImage image = MakeGrey(width, height, [](int, int) { return 7; });
    EXPECT_TRUE(image.dataArray.Allocate(width, height));
    ForEachSpectrumValue(image, [](FrequencyBuffer::Value& v) { v = {1, 1}; });
    image.SetUpperLeft(left, top, false);
    image.SetLowerRight(right, bottom, false);
    return image;
}

}  // namespace

TEST(FilterEllipse, FromSlider)
{
    struct Case {
        int width, height, position;
        int left, top, right, bottom;
    } cases[] = {
        {8, 8, 100, 0, 0, 7, 7},     {8, 8, 0, 4, 4, 4, 4},      {16, 8, 50, 4, 2, 12, 6},
        {8, 16, 25, 3, 6, 5, 10},    {256, 64, 99, 2, 1, 255, 63}, {64, 64, 1, 32, 32, 32, 32},
    };
    for (const Case& c : cases) {
        const FilterEllipse e = FilterEllipse::FromSlider(c.width, c.height, c.position);
        EXPECT_EQ(e.left, c.left) << c.width << "x" << c.height << " at " << c.position;
        EXPECT_EQ(e.top, c.top) << c.width << "x" << c.height << " at " << c.position;
        EXPECT_EQ(e.right, c.right) << c.width << "x" << c.height << " at " << c.position;
        EXPECT_EQ(e.bottom, c.bottom) << c.width << "x" << c.height << " at " << c.position;
    }
}

TEST(FilterEllipse, PixelSetIsInscribedAndSymmetric)
{
    struct Case {
        FilterEllipse box;
        int width, height;
        std::vector<std::string> inside;
    } cases[] = {
        {{0, 0, 7, 7}, 8, 8, {"..####..", ".######.", "########", "########", "########", "########", ".######.", "..####.."}},
        {{1, 0, 5, 2}, 8, 4, {"..###...", ".#####..", "..###...", "........"}},
        {{2, 1, 2, 1}, 4, 3, {"....", "..#.", "...."}},
        {{1, 1, 2, 2}, 4, 4, {"....", ".##.", ".##.", "...."}},
        {{3, 0, 1, 2}, 4, 3, {"....", "....", "...."}},  // an empty box
    };
    for (const Case& c : cases) {
        std::vector<std::string> inside(c.height, std::string(c.width, '.'));
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                if (c.box.Contains(x, y)) inside[y][x] = '#';
        EXPECT_EQ(inside, c.inside) << c.box.left << "," << c.box.top << "-" << c.box.right << "," << c.box.bottom;
    }
}

TEST(DeleteEllipseFrequencies, OutsideTheWholeSpectrumDeletesTheCorners)
{
    CImage image = SpectrumOfOnes(8, 8, 0, 0, 7, 7);
    EXPECT_EQ(image.DeleteEllipseFrequencies(true), 0);
    EXPECT_EQ(Kept(image), (std::vector<std::string>{"..####..", ".######.", "########", "########", "########",
                                                     "########", ".######.", "..####.."}));
    // The pixels are left for FftForDisplay to redraw.
    EXPECT_EQ(image.pixelValueArray[0][0].red, 7);
}

TEST(DeleteEllipseFrequencies, InsideDeletesThePointMirroredPartnerToo)
{
    // Display (5, 2) of an 8 x 4 spectrum is frequency (u, v) = (1, 0); its
    // partner display (2, 1) is (-u - 1, -v - 1) = (-2, -1), data (3, 6).
    CImage image = SpectrumOfOnes(8, 4, 5, 2, 5, 2);
    image.DeleteEllipseFrequencies(false);
    EXPECT_EQ(Kept(image), (std::vector<std::string>{"########", "##.#####", "#####.##", "########"}));
    EXPECT_EQ(image.dataArray[0][1], FrequencyBuffer::Value());
    EXPECT_EQ(image.dataArray[3][6], FrequencyBuffer::Value());
}

TEST(DeleteEllipseFrequencies, EllipseAwayFromTheCentreDeletesBothSides)
{
    CImage inside = SpectrumOfOnes(8, 4, 0, 0, 2, 1);
    inside.DeleteEllipseFrequencies(false);
    EXPECT_EQ(Kept(inside), (std::vector<std::string>{"...#####", "...#####", "#####...", "#####..."}));

    CImage outside = SpectrumOfOnes(8, 4, 0, 0, 2, 1);
    outside.DeleteEllipseFrequencies(true);
    EXPECT_EQ(Kept(outside), (std::vector<std::string>{"........", "........", "........", "........"}));
}

TEST(DeleteEllipseFrequencies, WithoutASpectrumNothingHappens)
{
    CImage image = MakeGrey(4, 4, [](int, int) { return 3; });
    EXPECT_EQ(image.DeleteEllipseFrequencies(true), 0);
    EXPECT_FALSE(image.dataArray.present());
}
