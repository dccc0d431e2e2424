#include <gtest/gtest.h>

#include <functional>

#include "image/Image.h"
#include "processing/Neighbourhood.h"
#include "support/FakeUserInterface.h"
#include "support/TestImages.h"

namespace {

struct SizedOp {
    const char* what;  // as in "Size of low pass filter ..."
    const char* aborted;  // as in "Low Pass Aborted."
    const char* method;
    std::function<int(CImage&, int)> run;
};

const std::vector<float> kOnes(81, 1.0f);

const SizedOp kSizedOps[] = {
    {"low pass filter", "Low Pass", "LowPass", [](CImage& i, int n) { return i.LowPass(n); }},
    {"high pass filter", "High Pass", "HighPass", [](CImage& i, int n) { return i.HighPass(n); }},
    {"Laplace filter", "Laplace", "Laplace", [](CImage& i, int n) { return i.Laplace(n); }},
    {"unsharp mask filter", "Unsharp Mask", "UnsharpMask", [](CImage& i, int n) { return i.UnsharpMask(n, 1.0); }},
    {"custom filter", "Custom Filter", "CustomFilter",
     [](CImage& i, int n) {
         return i.CustomFilter(n, std::span<const float>(kOnes.data(), n < 3 ? 9 : (n > 9 ? 81 : n * n)));
     }},
    {"median filter", "Median Filter", "MedianFilter", [](CImage& i, int n) { return i.MedianFilter(n); }},
    {"erosion filter", "Erosion", "Erosion", [](CImage& i, int n) { return i.Erosion(n, 0); }},
    {"dilation filter", "Dilation", "Dilation", [](CImage& i, int n) { return i.Dilation(n, 1); }},
};

std::string Text(const char* pattern, const char* a)
{
    return std::string(pattern).replace(std::string(pattern).find("%s"), 2, a);
}

}  // namespace

TEST(Neighbourhood, SizeIsCorrectedWithANoticeAndEvenSizesAreRefused)
{
    struct Case {
        int size;
        const char* notice;  // with %s for the filter's name
        const char* error;   // with %s for the aborted name
    } cases[] = {
        {1, "Size of %s reset to minimum (3).", nullptr},
        {-5, "Size of %s reset to minimum (3).", nullptr},
        {11, "Size of %s reset to maximum (9).", nullptr},
        {4, nullptr, "must be an odd number.  %s Aborted."},
        {8, nullptr, "must be an odd number.  %s Aborted."},
    };
    for (const SizedOp& op : kSizedOps)
        for (const Case& c : cases) {
            FakeUserInterface user;
            CImage image = MakeGrey(20, 20, [](int x, int y) { return 10 * x + y; });
            image.SetUpperLeft(9, 9, false);
            image.SetLowerRight(10, 10, false);
            const CImage before = image;
            const int result = op.run(image, c.size);
            if (c.notice) {
                EXPECT_EQ(result, 0) << op.method << " " << c.size;
                EXPECT_EQ(user.notices, std::vector<std::string>{Text(c.notice, op.what)}) << op.method;
            } else {
                EXPECT_EQ(result, -1) << op.method << " " << c.size;
                EXPECT_TRUE(user.notices.empty());
                EXPECT_EQ(image.errorMessage, std::string("Size of ") + op.what + " " + Text(c.error, op.aborted));
                EXPECT_TRUE(image.pixelValueArray.data()[0] == before.pixelValueArray.data()[0]);
            }
            EXPECT_TRUE(user.questions.empty());
        }
}

TEST(Neighbourhood, RoomQuestionAndAoiShrink)
{
    const char* question =
        "The current filter size is %dx%d.\nThe current image size is %dx%d.\n"
        "The currently selected area of interest is (%d, %d) to (%d, %d).\n"
        "There is not enough room for the selected filter to be applied to the current area of interest.\n\n"
        "Do you want to reduce the area of interest to make room to apply the filter?";
    struct Case {
        int width, height, size;
        int aoi[4];
        bool answer;
        int result;
        int aoiAfter[4];
        const char* error;  // with %s for the aborted name
    } cases[] = {
        {10, 10, 3, {0, 0, 9, 9}, true, 0, {1, 1, 8, 8}, ""},
        {10, 10, 3, {0, 0, 9, 9}, false, -1, {0, 0, 9, 9},
         "There is not enough room to apply the filter.  %s Aborted."},
        {3, 3, 3, {0, 0, 2, 2}, true, -1, {0, 0, 2, 2}, "Cannot reset AOI.  %s Aborted."},
        {12, 12, 5, {3, 0, 9, 11}, true, 0, {3, 2, 9, 9}, ""},
        {12, 12, 5, {2, 2, 9, 4}, true, 0, {2, 2, 9, 4}, ""},  // has room: no question
        {12, 7, 7, {0, 0, 11, 6}, true, -1, {0, 0, 11, 6}, "Cannot reset AOI.  %s Aborted."},  // one row left
        {5, 12, 3, {0, 3, 4, 8}, true, 0, {1, 3, 3, 8}, ""},
    };
    for (const SizedOp& op : kSizedOps)
        for (const Case& c : cases) {
            FakeUserInterface user;
            user.answers = {c.answer};
            CImage image = MakeGrey(c.width, c.height, [](int x, int y) { return (x * 37 + y * 11) % 256; });
            image.aoiLeft = c.aoi[0], image.aoiTop = c.aoi[1], image.aoiRight = c.aoi[2], image.aoiBottom = c.aoi[3];
            const CImage before = image;
            EXPECT_EQ(op.run(image, c.size), c.result) << op.method;
            const bool hadRoom = c.aoi[0] == c.aoiAfter[0] && c.aoi[1] == c.aoiAfter[1] && c.result == 0;
            if (hadRoom) {
                EXPECT_TRUE(user.questions.empty());
            } else {
                char text[600];
                std::snprintf(text, sizeof text, question, c.size, c.size, c.width, c.height, c.aoi[0], c.aoi[1],
                              c.aoi[2], c.aoi[3]);
                EXPECT_EQ(user.questions, std::vector<std::string>{text}) << op.method;
            }
            EXPECT_EQ((std::vector<int>{image.aoiLeft, image.aoiTop, image.aoiRight, image.aoiBottom}),
                      (std::vector<int>(c.aoiAfter, c.aoiAfter + 4)))
                << op.method << " " << c.width << "x" << c.height;
            if (c.result != 0) {
                EXPECT_EQ(image.errorMessage, Text(c.error, op.aborted));
                EXPECT_EQ(std::vector<CColorVal>(image.pixelValueArray.data(),
                                                 image.pixelValueArray.data() + image.pixelValueArray.size()),
                          std::vector<CColorVal>(before.pixelValueArray.data(),
                                                 before.pixelValueArray.data() + before.pixelValueArray.size()));
            }
        }
}

TEST(Neighbourhood, RoomTextsOfTheFixedSizeOperations)
{
    struct Case {
        const char* name;
        std::function<int(CImage&)> run;
    } cases[] = {
        {"Prewitt", [](CImage& i) { return i.Prewitt(0); }},
        {"Sobel", [](CImage& i) { return i.Sobel(); }},
        {"Clean", [](CImage& i) { return i.Clean(3, 150, 20, 0); }},
    };
    for (const Case& c : cases) {
        FakeUserInterface user;
        user.answers = {false, true};
        CImage image = MakeGrey(3, 3, [](int x, int) { return 100 * x; });
        EXPECT_EQ(c.run(image), -1);
        EXPECT_EQ(image.errorMessage,
                  std::string("There is not enough room to apply the filter.  ") + c.name + " Aborted.");
        EXPECT_EQ(c.run(image), -1);
        EXPECT_EQ(image.errorMessage, std::string("Cannot reset AOI.  ") + c.name + " Aborted.");
        ASSERT_EQ(user.questions.size(), 2u);
        EXPECT_EQ(user.questions[0].substr(0, 32), "The current filter size is 3x3.\n");
        EXPECT_EQ(image.pixelValueArray[1][2], CColorVal(200, 200, 200));
        EXPECT_TRUE(user.notices.empty());
    }
}

TEST(Neighbourhood, ALackOfMemoryEndsWithTheOperationsText)
{
    using namespace neighbourhood;
    struct Case {
        const NeighbourhoodTexts& texts;
        const char* method;
    } cases[] = {
        {kLowPass, "LowPass"},         {kHighPass, "HighPass"}, {kLaplace, "Laplace"},
        {kUnsharpMask, "UnsharpMask"}, {kCustomFilter, "CustomFilter"}, {kMedianFilter, "MedianFilter"},
        {kErosion, "Erosion"},         {kDilation, "Dilation"}, {kPrewitt, "Prewitt"},
        {kSobel, "Sobel"},             {kClean, "Clean"},
    };
    for (const Case& c : cases) {
        CImage image = MakeGrey(3, 3, [](int, int) { return 1; });
        EXPECT_EQ(WithWorkingStorage(image, c.texts, [] { throw std::bad_alloc(); }), -1);
        EXPECT_EQ(image.errorMessage, std::string("CImage::") + c.method + " cannot allocate sufficient memory.");
        image.errorMessage.clear();
        EXPECT_EQ(WithWorkingStorage(image, c.texts, [] {}), 0);
        EXPECT_EQ(image.errorMessage, "");
    }
}
