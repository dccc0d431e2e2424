#include <gtest/gtest.h>

#include "image/Image.h"
#include "processing/HistogramCombos.h"
#include "support/PixelGrid.h"
#include "support/TestImages.h"

namespace {

// Grey levels in the green channel of an RGB image; red 1, blue 2.
CImage GreenRow(const std::vector<int>& levels)
{
    return MakeImage(static_cast<int>(levels.size()), 1, [&](int x, int) { return CColorVal(1, levels[x], 2); });
}

}  // namespace

TEST(HistogramCombos, StretchAndEqualizeTreatEveryChannelOfAGreyImage)
{
    struct Case {
        void (*combo)(CImage&, int);
        Grid in, out;
    } cases[] = {
        {StretchHistogram, {{50, 100, 150}}, {{0, 127, 255}}},  // factor 2.5499999 in single precision
        {StretchHistogram, {{50, 75, 100}}, {{0, 127, 255}}},   // factor 5.1
        {StretchHistogram, {{60, 60}}, {{0, 0}}},               // one level: no range to spread
        {StretchHistogram, {{0, 255}}, {{0, 255}}},
        {EqualizeHistogram, {{10, 10}, {10, 10}}, {{255, 255}, {255, 255}}},
        {EqualizeHistogram, {{0, 255}}, {{128, 255}}},
    };
    for (const Case& c : cases) {
        for (int channel : {0, 2, 9}) {
            CImage image = GreyFromGrid(c.in);
            c.combo(image, channel);
            EXPECT_EQ(LevelsOf(image), c.out) << "channel " << channel;
            EXPECT_EQ(image.pixelValueArray[0][1].green, c.out[0][1]);
            EXPECT_EQ(image.pixelValueArray[0][1].blue, c.out[0][1]);
            EXPECT_EQ(image.format, FORMAT_GRAYSCALE);
        }
    }
}

TEST(HistogramCombos, RgbTreatsOnlyTheChosenChannel)
{
    CImage image = GreenRow({50, 100, 150});
    StretchHistogram(image, 1);
    EXPECT_EQ(image.pixelValueArray[0][0], CColorVal(1, 0, 2));
    EXPECT_EQ(image.pixelValueArray[0][1], CColorVal(1, 127, 2));
    EXPECT_EQ(image.pixelValueArray[0][2], CColorVal(1, 255, 2));

    image = GreenRow({10, 10});
    EqualizeHistogram(image, 1);
    EXPECT_EQ(image.pixelValueArray[0][1], CColorVal(1, 255, 2));

    image = GreenRow({10, 20});
    StretchHistogram(image, 3);
    EqualizeHistogram(image, -1);
    EXPECT_EQ(SlideHistogram(image, 5, 40), 0);
    EXPECT_EQ(image.pixelValueArray[0][1], CColorVal(1, 20, 2));
}

TEST(HistogramCombos, StretchOnlyCountsTheAoi)
{
    CImage image = GreyFromGrid({{0, 50, 100, 255}});
    SetAoi(image, 1, 0, 2, 0);
    StretchHistogram(image, 0);
    EXPECT_EQ(LevelsOf(image), (Grid{{0, 0, 255, 255}}));
}

TEST(HistogramCombos, SlideIsLimitedToTheFreeRoom)
{
    struct Case {
        int shift, applied;
        Grid out;
    } cases[] = {
        {20, 5, {{15, 255}}},  {5, 5, {{15, 255}}},    {4, 4, {{14, 254}}}, {-30, -10, {{0, 240}}},
        {-10, -10, {{0, 240}}}, {0, 0, {{10, 250}}},
    };
    for (const Case& c : cases) {
        CImage image = GreyFromGrid({{10, 250}});
        EXPECT_EQ(SlideHistogram(image, 0, c.shift), c.applied) << "shift " << c.shift;
        EXPECT_EQ(LevelsOf(image), c.out) << "shift " << c.shift;
        EXPECT_EQ(image.pixelValueArray[0][0].blue, c.out[0][0]);
    }
}

TEST(HistogramCombos, SlideLimitOfAnRgbImageComesFromItsChannel)
{
    CImage image = MakeImage(2, 1, [](int x, int) { return CColorVal(x ? 255 : 0, x ? 200 : 100, 7); });
    image.ComputeHistograms();
    EXPECT_EQ(LimitSlide(image, 1, 90), 55);
    EXPECT_EQ(LimitSlide(image, 1, -150), -100);
    EXPECT_EQ(LimitSlide(image, 0, 3), 0);
    EXPECT_EQ(LimitSlide(image, 2, -3), -3);
    EXPECT_EQ(LimitSlide(image, 4, 3), 0);
    EXPECT_EQ(SlideHistogram(image, 1, 90), 55);
    EXPECT_EQ(image.pixelValueArray[0][0], CColorVal(0, 155, 7));
    EXPECT_EQ(image.pixelValueArray[0][1], CColorVal(255, 255, 7));
}
