#include <gtest/gtest.h>

#include "forms/HistogramModel.h"
#include "processing/HistogramCombos.h"
#include "support/TestImages.h"

namespace {

// Grey levels 10 (two pixels), 130 and 250 in the AOI; 0 outside it.
CImage Occupied()
{
    const int levels[] = {10, 10, 130, 250, 0};
    CImage image = MakeGrey(5, 1, [&](int x, int) { return levels[x]; });
    image.SetLowerRight(3, 0, false);
    return image;
}

}  // namespace

TEST(HistogramModel, ChannelsBarsAndColours)
{
    EXPECT_EQ(HistogramChannelEntries(FORMAT_GRAYSCALE), (std::vector<std::string>{"Intensity"}));
    EXPECT_EQ(HistogramChannelEntries(FORMAT_RGB), (std::vector<std::string>{"Red", "Green", "Blue"}));

    CImage image = Occupied();
    const std::vector<int> tops = HistogramBarTops(image, 0);
    EXPECT_EQ(tops[10], 20);   // the peak fills the graph
    EXPECT_EQ(tops[130], 107);  // 195 - 87.5, truncated
    EXPECT_EQ(tops[0], 195);    // outside the AOI: not counted

    EXPECT_EQ(HistogramPenColor(FORMAT_GRAYSCALE, 0), CColorVal(0, 0, 0));
    EXPECT_EQ(HistogramPenColor(FORMAT_RGB, 1), CColorVal(0, 255, 0));
    EXPECT_EQ(HistogramRampColor(FORMAT_GRAYSCALE, 0, 77), CColorVal(77, 77, 77));
    EXPECT_EQ(HistogramRampColor(FORMAT_RGB, 2, 77), CColorVal(0, 0, 77));
}

TEST(HistogramModel, ReadoutUnderTheMouse)
{
    CImage image = Occupied();
    image.ComputeHistograms();
    HistogramDrag drag;
    struct Case {
        int x, y;
        const char* intensity;
        const char* count;
    } cases[] = {
        {20, 100, "Intensity:  10", "Pixel Count:  2"},
        {10, 21, "Intensity:  0", "Pixel Count:  0"},
        {265, 194, "Intensity:  255", "Pixel Count:  0"},
        {266, 100, "Intensity:", "Pixel Count:"},
        {9, 100, "Intensity:", "Pixel Count:"},
        {100, 20, "Intensity:", "Pixel Count:"},
        {100, 195, "Intensity:", "Pixel Count:"},
    };
    for (const Case& c : cases) {
        const HistogramReadout r = drag.Move(image, 0, c.x, c.y);
        EXPECT_EQ(r.intensity, c.intensity) << c.x << "," << c.y;
        EXPECT_EQ(r.count, c.count) << c.x << "," << c.y;
    }
    ASSERT_TRUE(drag.Press(image, 0, 100, 100));
    EXPECT_EQ(drag.Move(image, 0, 20, 100).intensity, "Intensity:");
}

TEST(HistogramModel, DragSlidesWithinTheFreeRoom)
{
    struct Case {
        int pressX, releaseX;
        int shift;
        int first;  // level of the first pixel afterwards
    } cases[] = {
        {100, 400, 5, 15},     // at most 5 to the right
        {100, -200, -10, 0},   // at most 10 to the left
        {100, 103, 3, 13},
        {100, 100, 0, 10},
    };
    for (const Case& c : cases) {
        CImage image = Occupied();
        HistogramDrag drag;
        ASSERT_TRUE(drag.Press(image, 0, c.pressX, 100));
        EXPECT_EQ(drag.Release(image, 0, c.releaseX), c.shift) << c.releaseX;
        EXPECT_EQ(image.pixelValueArray[0][0], CColorVal(c.first, c.first, c.first));
        EXPECT_EQ(image.pixelValueArray[0][4], CColorVal(0, 0, 0));
        EXPECT_FALSE(drag.Dragging());
    }
}

TEST(HistogramModel, PressOutsideTheOccupiedLevelsStartsNoDrag)
{
    CImage image = Occupied();
    HistogramDrag drag;
    struct Case {
        int x, y;
        bool starts;
    } cases[] = {
        {19, 100, false}, {20, 100, true}, {260, 100, true}, {261, 100, false},
        {100, 19, false}, {100, 20, true}, {100, 195, true}, {100, 196, false},
    };
    for (const Case& c : cases) {
        HistogramDrag d;
        EXPECT_EQ(d.Press(image, 0, c.x, c.y), c.starts) << c.x << "," << c.y;
    }
    EXPECT_EQ(drag.Release(image, 0, 200), 0);  // not dragging: nothing moves
    EXPECT_EQ(image.pixelValueArray[0][0], CColorVal(10, 10, 10));

    // Markers at the occupied range's ends, drawn only while they fit.
    ASSERT_TRUE(drag.Press(image, 0, 100, 100));
    EXPECT_EQ(drag.LowMarker(100), 20);
    EXPECT_EQ(drag.HighMarker(100), 260);
    EXPECT_TRUE(drag.MarkersFit(90));
    EXPECT_FALSE(drag.MarkersFit(89));
    EXPECT_TRUE(drag.MarkersFit(106));
    EXPECT_FALSE(drag.MarkersFit(107));
}

TEST(HistogramModel, StretchOfFiftyToHundred)
{
    CImage image = MakeGrey(3, 1, [](int x, int) { return 50 + 25 * x; });
    StretchHistogram(image, 0);
    EXPECT_EQ(image.pixelValueArray[0][0], CColorVal(0, 0, 0));
    EXPECT_EQ(image.pixelValueArray[0][2], CColorVal(255, 255, 255));
}

TEST(HistogramModel, NoDocumentTexts)
{
    struct Case {
        HistogramHandler handler;
        const char* text;
    } cases[] = {
        {HistogramHandler::Opening,
         "CHistogramDlg::OnInitDialog() aborted.\nFailed to obtain pointer to active document."},
        {HistogramHandler::Painting, "CHistogramDlg::OnPaint() aborted.\nFailed to obtain pointer to active document."},
        {HistogramHandler::MouseMove,
         "CHistogramDlg::OnMouseMove() aborted.\nFailed to obtain pointer to active document."},
        {HistogramHandler::ChannelChange,
         "CHistogramDlg::OnSelchangeHstChannel() aborted.\nFailed to obtain pointer to active document."},
        {HistogramHandler::Stretch,
         "CHistogramDlg::OnHstStretch() aborted.\nFailed to obtain pointer to active document."},
        {HistogramHandler::Equalize,
         "CHistogramDlg::OnHstEqualize() aborted.\nFailed to obtain pointer to active document."},
        {HistogramHandler::Reset,
         "CHistogramDlg::OnReset() cannot restore original image data.\nFailed to obtain pointer to active document."},
        {HistogramHandler::Cancel,
         "CHistogramDlg::OnCancel() cannot restore original image data.\nFailed to obtain pointer to active document."},
    };
    for (const Case& c : cases) EXPECT_EQ(HistogramNoDocumentText(c.handler), c.text);
}
