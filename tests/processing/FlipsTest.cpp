#include <gtest/gtest.h>

#include <random>

#include "image/Image.h"
#include "support/PixelGrid.h"
#include "support/TestImages.h"

namespace {

const Grid kStart = {{0, 1, 2, 3}, {10, 11, 12, 13}, {20, 21, 22, 23}};

// The swaps written out pixel by pixel, to hold the row-wise versions to.
void PlainFlipHorizontal(CImage& im)
{
    for (int y = im.aoiTop; y <= im.aoiBottom; ++y)
        for (int x = im.aoiLeft; x <= im.aoiLeft + (im.aoiRight - im.aoiLeft) / 2; ++x)
            std::swap(im.pixelValueArray[y][x], im.pixelValueArray[y][im.aoiLeft + im.aoiRight - x]);
}

void PlainFlipVertical(CImage& im)
{
    for (int k = 0; im.aoiTop + k <= im.aoiTop + (im.aoiBottom - im.aoiTop) / 2; ++k)
        for (int x = im.aoiLeft; x <= im.aoiRight; ++x)
            std::swap(im.pixelValueArray[im.aoiTop + k][x], im.pixelValueArray[im.aoiBottom - k][x]);
}

}  // namespace

TEST(Flips, MirrorTheAoiAboutItsCentre)
{
    struct Case {
        bool horizontal;
        int left, top, right, bottom;
        Grid out;
    } cases[] = {
        {true, 0, 0, 3, 2, {{3, 2, 1, 0}, {13, 12, 11, 10}, {23, 22, 21, 20}}},
        {true, 1, 0, 2, 2, {{0, 2, 1, 3}, {10, 12, 11, 13}, {20, 22, 21, 23}}},
        {true, 0, 1, 2, 2, {{0, 1, 2, 3}, {12, 11, 10, 13}, {22, 21, 20, 23}}},
        {true, 2, 0, 2, 2, kStart},
        {false, 0, 0, 3, 2, {{20, 21, 22, 23}, {10, 11, 12, 13}, {0, 1, 2, 3}}},
        {false, 1, 0, 3, 1, {{0, 11, 12, 13}, {10, 1, 2, 3}, {20, 21, 22, 23}}},
        {false, 0, 2, 3, 2, kStart},
        {false, 3, 0, 3, 2, {{0, 1, 2, 23}, {10, 11, 12, 13}, {20, 21, 22, 3}}},
    };
    for (const Case& c : cases) {
        CImage image = GreyFromGrid(kStart);
        SetAoi(image, c.left, c.top, c.right, c.bottom);
        c.horizontal ? image.FlipHorizontal() : image.FlipVertical();
        EXPECT_EQ(LevelsOf(image), c.out) << (c.horizontal ? "horizontal " : "vertical ") << c.left << "," << c.top
                                          << "," << c.right << "," << c.bottom;
        EXPECT_EQ(image.aoiLeft, c.left);
        EXPECT_EQ(image.aoiBottom, c.bottom);
    }
}

TEST(Flips, MatchThePlainSwapsAndUndoThemselves)
{
    std::mt19937 random(7);
    for (int trial = 0; trial < 200; ++trial) {
        const int w = 1 + random() % 9, h = 1 + random() % 9;
        CImage image = MakeImage(w, h, [&](int, int) {
            return CColorVal(random() % 256, random() % 256, random() % 256);
        });
        const int l = random() % w, t = random() % h;
        SetAoi(image, l, t, l + random() % (w - l), t + random() % (h - t));
        const CImage original = image;
        CImage plain = image;
        image.FlipHorizontal();
        PlainFlipHorizontal(plain);
        ASSERT_TRUE(std::equal(image.pixelValueArray.data(), image.pixelValueArray.data() + w * h,
                               plain.pixelValueArray.data()));
        image.FlipVertical();
        PlainFlipVertical(plain);
        ASSERT_TRUE(std::equal(image.pixelValueArray.data(), image.pixelValueArray.data() + w * h,
                               plain.pixelValueArray.data()));
        image.FlipVertical();
        image.FlipHorizontal();
        ASSERT_TRUE(std::equal(image.pixelValueArray.data(), image.pixelValueArray.data() + w * h,
                               original.pixelValueArray.data()));
    }
}
