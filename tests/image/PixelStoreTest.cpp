// Which form an image's pixels are held in, and that every move between the
// forms keeps each pixel.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "image/Image.h"
#include "platform/ParallelRows.h"
#include "support/ImageReads.h"
#include "support/SamePixels.h"
#include "support/TestFiles.h"
#include "support/TestImages.h"

namespace {

CImage Levels(int width = 7, int height = 5)
{
    return MakeGrey(width, height, [](int x, int y) { return (x * 37 + y * 11) % 256; });
}

}  // namespace

TEST(PixelStore, FormsFollowWhatTheCodeAsksFor)
{
    const CImage expected = Levels();
    CImage image = Levels();
    image.SettleStorage();
    EXPECT_TRUE(image.pixelValueArray.HoldsGrey());
    EXPECT_TRUE(SamePixels(image, expected));  // read-only rows are made and the plane stays
    EXPECT_TRUE(image.pixelValueArray.HoldsGrey());

    const CImage copy = image;
    EXPECT_TRUE(copy.pixelValueArray.HoldsGrey());
    EXPECT_TRUE(SamePixels(copy, expected));
    CImage cropped = image;
    ASSERT_EQ(cropped.Crop(2, 1, 5, 3), 0);
    EXPECT_TRUE(cropped.pixelValueArray.HoldsGrey());
    EXPECT_EQ(std::as_const(cropped).pixelValueArray[1][2], expected.pixelValueArray[2][4]);

    image.pixelValueArray[4][6] = CColorVal(1, 2, 3);  // writable rows drop the plane
    EXPECT_FALSE(image.pixelValueArray.HoldsGrey());
    EXPECT_EQ(image.pixelValueArray.WritableGrey(), nullptr);  // one colour pixel keeps the rows
    EXPECT_EQ(std::as_const(image).pixelValueArray[4][6], CColorVal(1, 2, 3));
    image.SettleStorage();
    EXPECT_FALSE(image.pixelValueArray.HoldsGrey());

    CImage colour = MakeImage(3, 2, [](int x, int y) { return CColorVal(x * 90, y * 200, 17); });
    CImage converted = colour;
    converted.ConvertToGrayscale();
    EXPECT_TRUE(converted.pixelValueArray.HoldsGrey());
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            const int v = colour.pixelValueArray[y][x].Luminance();
            EXPECT_EQ(std::as_const(converted).pixelValueArray[y][x], CColorVal(v, v, v)) << x << "," << y;
        }
}

// Point operations on a grey plane keep it, with the pixels the colour
// rows would get, inside the AOI only.
TEST(PixelStore, PointOperationsKeepTheGreyPlane)
{
    const struct {
        const char* name;
        void (*run)(CImage&);
    } cases[] = {
        {"invert", [](CImage& i) { i.Invert(); }},
        {"threshold below", [](CImage& i) { i.Threshold(100, 7, true, 3); }},
        {"threshold above", [](CImage& i) { i.Threshold(60, 300, false, 1); }},
        {"brightness slice", [](CImage& i) { ASSERT_EQ(i.BrightnessSlice(50, 150), 0); }},
    };
    for (const auto& c : cases) {
        CImage rows = Levels(9, 6), plane = Levels(9, 6);
        for (CImage* image : {&rows, &plane}) {
            image->aoiLeft = 2, image->aoiTop = 1, image->aoiRight = 7, image->aoiBottom = 4;
        }
        plane.SettleStorage();
        c.run(rows);
        c.run(plane);
        EXPECT_TRUE(plane.pixelValueArray.HoldsGrey()) << c.name;
        EXPECT_TRUE(SamePixels(plane, rows)) << c.name;
    }
}

TEST(PixelStore, GreyFilesOpenAsOneByteAPixel)
{
    TempDir dir;
    CImage colour = MakeImage(5, 4, [](int x, int y) { return CColorVal(x * 50, y * 60, x == y ? 9 : 0); });
    const CImage grey = Levels(5, 4);
    struct Case {
        const char* name;
        const CImage& image;
        bool held;
    };
    for (const Case& c : {Case{"grey.bmp", grey, true}, Case{"grey.png", grey, true}, Case{"grey.tif", grey, true},
                          Case{"colour.bmp", colour, false}, Case{"colour.png", colour, false}}) {
        CImage source = c.image;
        std::string message;
        bool causeValid = false;
        int cause = 0;
        ASSERT_EQ(source.SerializeFile(true, dir.path(c.name), false, message, causeValid, cause), 0) << c.name;
        const ImageRead read = ReadImageFile(dir.path(c.name));
        ASSERT_FALSE(read.refused) << c.name;
        EXPECT_EQ(read.image.pixelValueArray.HoldsGrey(), c.held) << c.name;
        EXPECT_TRUE(SamePixels(read.image, c.image)) << c.name;
    }
}

TEST(PixelStore, BandsAskingForRowsAtOnceMakeThemOnce)
{
    const CImage levels = Levels(300, 200);
    for (const int threads : {1, 2, 3}) {
        const parallel::ScopedThreads scoped(threads, 1);
        CImage image = levels;
        image.SettleStorage();
        image.Invert();  // every band asks for writable colour rows of the plane
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 300; ++x) {
                const int v = 255 - levels.pixelValueArray[y][x].red;
                ASSERT_EQ(std::as_const(image).pixelValueArray[y][x], CColorVal(v, v, v)) << threads;
            }
    }
}
