#include <gtest/gtest.h>

#include <vector>

#include "image/Image.h"
#include "support/FakeUserInterface.h"
#include "support/TestImages.h"

namespace {

void ExpectAoi(const CImage& image, int left, int top, int right, int bottom)
{
    EXPECT_EQ(image.aoiLeft, left);
    EXPECT_EQ(image.aoiTop, top);
    EXPECT_EQ(image.aoiRight, right);
    EXPECT_EQ(image.aoiBottom, bottom);
}

// Rows of colour references 0x00BBGGRR for CopyFromBuffer.
struct Buffer {
    Buffer(int w, int h, std::uint32_t value) : data(h, std::vector<std::uint32_t>(w, value))
    {
        for (auto& row : data) rows.push_back(row.data());
    }
    std::vector<std::vector<std::uint32_t>> data;
    std::vector<const std::uint32_t*> rows;
};

}  // namespace

TEST(ImageStorage, NewImageIsEmpty)
{
    CImage image;
    EXPECT_EQ(image.width, 0);
    EXPECT_EQ(image.height, 0);
    ExpectAoi(image, 0, 0, 0, 0);
    EXPECT_EQ(image.format, FORMAT_RGB);
    EXPECT_EQ(image.objectColor, 255u);
    EXPECT_TRUE(image.errorMessage.empty());
    EXPECT_FALSE(image.dataArray.present());
}

TEST(ImageStorage, BlankImageFillsAndSetsWholeAoi)
{
    CImage image;
    image.format = FORMAT_GRAYSCALE;
    ASSERT_EQ(image.BlankImage(1, 1, CColorVal(1, 2, 3)), 0);
    ExpectAoi(image, 0, 0, 0, 0);
    EXPECT_EQ(image.format, FORMAT_RGB);
    ASSERT_EQ(image.BlankImage(640, 480, CColorVal(255, 255, 255)), 0);
    ExpectAoi(image, 0, 0, 639, 479);
    EXPECT_EQ(image.pixelValueArray[479][639], CColorVal(255, 255, 255));
}

TEST(ImageStorage, FailedBlankImageLeavesEmptyImageWithText)
{
    CImage image = MakeImage(4, 4, [](int, int) { return CColorVal(9, 9, 9); });
    EXPECT_EQ(image.BlankImage(-1, 5, CColorVal()), -1);
    EXPECT_EQ(image.errorMessage, "BlankImage() aborted;  unable to allocate memory for pixelValueArray.");
    EXPECT_TRUE(image.IsEmpty());
    ExpectAoi(image, 0, 0, 0, 0);
}

TEST(ImageStorage, PasteIntoCentresBufferAndSetsAoi)
{
    CImage image = MakeGrey(101, 51, [](int, int) { return 7; });
    const Buffer grey(10, 10, 0x00202020);
    ASSERT_EQ(image.CopyFromBuffer(10, 10, grey.rows.data(), false), 0);
    ExpectAoi(image, 45, 20, 54, 29);
    for (int y = 0; y < 51; ++y)
        for (int x = 0; x < 101; ++x) {
            const bool inside = x >= 45 && x <= 54 && y >= 20 && y <= 29;
            EXPECT_EQ(image.pixelValueArray[y][x].red, inside ? 0x20 : 7) << x << "," << y;
        }
    EXPECT_EQ(image.format, FORMAT_GRAYSCALE);
}

TEST(ImageStorage, PasteIntoFormatRules)
{
    CImage rgb = MakeImage(20, 20, [](int, int) { return CColorVal(1, 1, 1); });
    const Buffer grey(3, 3, 0x00404040);
    rgb.CopyFromBuffer(3, 3, grey.rows.data(), false);
    EXPECT_EQ(rgb.format, FORMAT_RGB);

    CImage gray = MakeGrey(20, 20, [](int, int) { return 1; });
    Buffer coloured(3, 3, 0x00404040);
    coloured.data[1][2] = 0x00010203;  // R 3, G 2, B 1
    gray.CopyFromBuffer(3, 3, coloured.rows.data(), false);
    EXPECT_EQ(gray.format, FORMAT_RGB);
    EXPECT_EQ(gray.pixelValueArray[10 - 1 + 1][10 - 1 + 2], CColorVal(3, 2, 1));
}

TEST(ImageStorage, ReplaceModeTakesBufferSizeAndFormat)
{
    CImage image = MakeImage(4, 4, [](int, int) { return CColorVal(); });
    const Buffer grey(30, 20, 0xFF111111);  // the top byte is ignored
    ASSERT_EQ(image.CopyFromBuffer(30, 20, grey.rows.data(), false), 0);  // larger: replaces
    EXPECT_EQ(image.width, 30);
    EXPECT_EQ(image.height, 20);
    EXPECT_EQ(image.format, FORMAT_GRAYSCALE);
    ExpectAoi(image, 0, 0, 29, 19);
    EXPECT_EQ(image.pixelValueArray[19][29], CColorVal(0x11, 0x11, 0x11));

    Buffer colour(2, 2, 0x00000000);
    colour.data[0][0] = 0x000000FF;
    ASSERT_EQ(image.CopyFromBuffer(2, 2, colour.rows.data(), true), 0);
    EXPECT_EQ(image.format, FORMAT_RGB);
    EXPECT_EQ(image.pixelValueArray[0][0], CColorVal(255, 0, 0));
}

TEST(ImageStorage, AssignmentCopiesEverythingButObjects)
{
    CImage source = MakeImage(5, 3, [](int x, int y) { return CColorVal(x, y, x + y); });
    source.SetUpperLeft(1, 1, false);
    source.SetLowerRight(3, 2, false);
    source.errorMessage = "old";
    source.redHistogram[5] = 11;
    source.format = FORMAT_GRAYSCALE;
    source.objectColor = 0x00FF00;
    source.objects.resize(2);
    ASSERT_TRUE(source.dataArray.Allocate(5, 3));
    source.dataArray[2][4] = {1.5, -2.5};

    CImage target = MakeImage(2, 2, [](int, int) { return CColorVal(); });
    target.objects.resize(1);
    target = source;
    EXPECT_EQ(target.width, 5);
    EXPECT_EQ(target.height, 3);
    ExpectAoi(target, 1, 1, 3, 2);
    EXPECT_EQ(target.errorMessage, "old");
    EXPECT_EQ(target.redHistogram[5], 11);
    EXPECT_EQ(target.format, FORMAT_GRAYSCALE);
    EXPECT_EQ(target.objectColor, 0x00FF00u);
    EXPECT_TRUE(target.objects.empty());
    EXPECT_EQ(target.pixelValueArray[2][4], CColorVal(4, 2, 6));
    ASSERT_TRUE(target.dataArray.present());
    EXPECT_EQ(target.dataArray[2][4], std::complex<double>(1.5, -2.5));

    // A deep copy: changing the copy leaves the source alone.
    target.pixelValueArray[0][0] = CColorVal(99, 99, 99);
    EXPECT_EQ(source.pixelValueArray[0][0], CColorVal(0, 0, 0));
}

TEST(ImageStorage, CropKeepsFormatAndDeletesObjects)
{
    CImage image = MakeGrey(6, 5, [](int x, int y) { return 10 * y + x; });
    image.objects.resize(3);
    image.errorMessage = "stale";
    image.greenHistogram[1] = 4;
    ASSERT_EQ(image.Crop(1, 2, 3, 4), 0);
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 3);
    EXPECT_EQ(image.format, FORMAT_GRAYSCALE);
    EXPECT_TRUE(image.objects.empty());
    EXPECT_TRUE(image.errorMessage.empty());
    EXPECT_EQ(image.greenHistogram[1], 4);
    ExpectAoi(image, 0, 0, 2, 2);
    EXPECT_EQ(image.pixelValueArray[0][0].red, 21);
    EXPECT_EQ(image.pixelValueArray[2][2].red, 43);
}

TEST(ImageStorage, ReleaseKeepsFormatHistogramsAndOutlineColour)
{
    CImage image = MakeGrey(3, 3, [](int, int) { return 1; });
    image.blueHistogram[0] = 9;
    image.objectColor = 0x123456;
    image.ReleaseStorage();
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(image.format, FORMAT_GRAYSCALE);
    EXPECT_EQ(image.blueHistogram[0], 9);
    EXPECT_EQ(image.objectColor, 0x123456u);
}

TEST(ImageStorage, FormatNames)
{
    EXPECT_STREQ(FormatName(0), "RGB");
    EXPECT_STREQ(FormatName(1), "GRAYSCALE");
    EXPECT_STREQ(FormatName(2), "UNKNOWN");
    EXPECT_STREQ(FormatName(-1), "UNKNOWN");
}
