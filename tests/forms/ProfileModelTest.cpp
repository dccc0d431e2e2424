#include <gtest/gtest.h>

#include "forms/ProfileModel.h"
#include "support/FakeUserInterface.h"
#include "support/TestImages.h"

namespace {

// Red is the column, green the row: each sample names its pixel.
const CImage kGrid = MakeImage(120, 120, [](int x, int y) { return CColorVal(x, y, 0); });

std::vector<ImagePoint> Walk(ImagePoint p1, ImagePoint p2)
{
    FakeUserInterface ui;
    std::vector<ImagePoint> pixels;
    for (const CColorVal& v : SampleProfile(kGrid, p1, p2, CalculateAngle(p1.x, p1.y, p2.x, p2.y)))
        pixels.push_back({v.red, v.green});
    return pixels;
}

}  // namespace

TEST(ProfileModel, SamplingAlongTheLine)
{
    struct Case {
        ImagePoint p1, p2;
        std::vector<ImagePoint> pixels;
    } cases[] = {
        {{10, 5}, {14, 5}, {{10, 5}, {11, 5}, {12, 5}, {13, 5}, {14, 5}}},
        {{14, 5}, {10, 5}, {{14, 5}, {13, 5}, {12, 5}, {11, 5}, {10, 5}}},
        {{3, 9}, {3, 6}, {{3, 9}, {3, 8}, {3, 7}, {3, 6}}},
        {{7, 7}, {7, 7}, {{7, 7}}},
        // 45 degrees is shallow: stepped along x.
        {{0, 3}, {3, 0}, {{0, 3}, {1, 2}, {2, 1}, {3, 0}}},
        // Shallow with rounding: y = 0.5 x rounds half away.
        {{0, 0}, {4, 2}, {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}}},
        // Steep downwards: x = y / 2.
        {{0, 0}, {2, 4}, {{0, 0}, {1, 1}, {1, 2}, {2, 3}, {2, 4}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Walk(c.p1, c.p2), c.pixels) << c.p1.x << "," << c.p1.y << " " << c.p2.x << "," << c.p2.y;
}

TEST(ProfileModel, FortySixDegreesIsSteep)
{
    const std::vector<ImagePoint> pixels = Walk({0, 104}, {100, 0});  // 46.12 degrees
    ASSERT_EQ(pixels.size(), 105u);
    EXPECT_EQ(pixels.front(), (ImagePoint{0, 104}));
    EXPECT_EQ(pixels[52], (ImagePoint{50, 52}));
    EXPECT_EQ(pixels.back(), (ImagePoint{100, 0}));
    EXPECT_EQ(Walk({0, 100}, {100, 0}).size(), 101u);  // 45 degrees: one sample per column
}

TEST(ProfileModel, StatisticsTexts)
{
    FakeUserInterface ui;
    const CImage grey = MakeGrey(4, 1, [](int x, int) { return 10 * x; });  // 0 10 20 30
    ProfileModel profile;
    profile.Open(grey, {0, 0}, {3, 0}, 0, "measured");
    EXPECT_FALSE(profile.BoxesEnabled());
    EXPECT_EQ(profile.MeasurementText(), "measured");
    EXPECT_EQ(profile.StatisticsText(), "Mean: 15.0\nStd Dev: 11.2");  // sqrt(125)
    EXPECT_TRUE(profile.CurveShown(0));
    EXPECT_FALSE(profile.CurveShown(1));

    const CImage rgb = MakeImage(2, 1, [](int x, int) { return x == 0 ? CColorVal(10, 0, 255) : CColorVal(20, 5, 255); });
    profile.Open(rgb, {0, 0}, {1, 0}, 0, "");
    EXPECT_TRUE(profile.BoxesEnabled());
    const char* rgbText = "RED\nMean: 15.0\nStd Dev: 5.0\nGREEN\nMean: 2.5\nStd Dev: 2.5\n"
                          "BLUE\nMean: 255.0\nStd Dev: 0.0\n";
    EXPECT_EQ(profile.StatisticsText(), rgbText);
    profile.checked[1] = false;
    EXPECT_FALSE(profile.CurveShown(1));
    EXPECT_TRUE(profile.CurveShown(2));
    EXPECT_EQ(profile.StatisticsText(), rgbText);

    // Zero length: one sample, its value the mean, no deviation.
    profile.Open(grey, {2, 0}, {2, 0}, 0, "");
    EXPECT_EQ(profile.Samples().size(), 1u);
    EXPECT_EQ(profile.StatisticsText(), "Mean: 20.0\nStd Dev: 0.0");
    const std::vector<ImagePoint> curve = profile.Curve(0);
    ASSERT_EQ(curve.size(), 1u);
    EXPECT_EQ(curve[0], (ImagePoint{35, 195 - 14}));  // 20 x 175/255 = 13.7
}

TEST(ProfileModel, CurvePointsAndReadout)
{
    const CImage grey = MakeGrey(3, 1, [](int x, int) { return x == 0 ? 0 : (x == 1 ? 255 : 128); });
    ProfileModel profile;
    profile.Open(grey, {0, 0}, {2, 0}, 0, "");
    EXPECT_EQ(profile.Curve(0), (std::vector<ImagePoint>{{35, 195}, {160, 20}, {285, 107}}));  // 87.8 -> 88

    struct Case {
        int x, y;
        const char* text;
    } cases[] = {
        {35, 20, "Intensity:  255"}, {285, 195, "Intensity:  0"}, {100, 107, "Intensity:  128"},
        {34, 100, "Intensity:"},     {286, 100, "Intensity:"},    {100, 19, "Intensity:"},
        {100, 196, "Intensity:"},
    };
    for (const Case& c : cases) EXPECT_EQ(ProfileReadout(c.x, c.y), c.text) << c.x << "," << c.y;
}

TEST(ProfileModel, MissingWindowTexts)
{
    struct Case {
        ProfileHandler handler;
        ProfileMissing missing;
        const char* text;
    } cases[] = {
        {ProfileHandler::Opening, ProfileMissing::MainFrame,
         "CProfileDlg::OnPaint() aborted.\nFailed to obtain pointer to main frame."},
        {ProfileHandler::Opening, ProfileMissing::ChildWindow,
         "CProfileDlg::OnPaint() aborted.\nFailed to obtain pointer to active MDI child window."},
        {ProfileHandler::Opening, ProfileMissing::Document,
         "CProfileDlg::OnPaint() aborted.\nFailed to obtain pointer to active document."},
        {ProfileHandler::Painting, ProfileMissing::MainFrame,
         "CHistogramDlg::OnPaint() aborted.\nFailed to obtain pointer to main frame."},
        {ProfileHandler::Painting, ProfileMissing::ChildWindow,
         "CHistogramDlg::OnPaint() aborted.\nFailed to obtain pointer to active MDI child window."},
        {ProfileHandler::Painting, ProfileMissing::Document,
         "CHistogramDlg::OnPaint() aborted.\nFailed to obtain pointer to active document."},
        {ProfileHandler::MouseMove, ProfileMissing::MainFrame,
         "CHistogramDlg::OnMouseMove() aborted.\nFailed to obtain pointer to main frame."},
        {ProfileHandler::MouseMove, ProfileMissing::ChildWindow,
         "CHistogramDlg::OnMouseMove() aborted.\nFailed to obtain pointer to active MDI child window."},
        {ProfileHandler::MouseMove, ProfileMissing::Document,
         "CHistogramDlg::OnMouseMove() aborted.\nFailed to obtain pointer to active document."},
    };
    for (const Case& c : cases) EXPECT_EQ(ProfileMissingText(c.handler, c.missing), c.text);
}
