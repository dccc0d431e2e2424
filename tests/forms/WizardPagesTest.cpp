#include <gtest/gtest.h>

#include "forms/MetricBoxes.h"
#include "forms/SeriesAoiPage.h"
#include "forms/SeriesParameterControls.h"
#include "forms/ViewTools.h"
#include "image/Image.h"
#include "support/FakeUserInterface.h"

TEST(MetricBoxes, MaskFromTheCheckedBoxes)
{
    std::array<bool, kMetricBoxCount> checked;
    checked.fill(true);
    EXPECT_EQ(MetricMaskFromBoxes(checked), 2047);
    checked.fill(false);
    EXPECT_EQ(MetricMaskFromBoxes(checked), 0);
    struct Case {
        int box;
        const char* label;
        int control;
        int mask;
    } cases[] = {
        {0, "Area", 1043, 0x001},           {3, "Color statistics", 1046, 0x008},
        {7, "Orientation angle", 1050, 0x200}, {8, "Partiality", 1051, 0x080},
        {9, "Perimeter count", 1052, 0x100},   {10, "Roundness", 1053, 0x400},
    };
    for (const Case& c : cases) {
        checked.fill(false);
        checked[c.box] = true;
        EXPECT_EQ(MetricMaskFromBoxes(checked), c.mask) << c.label;
        EXPECT_STREQ(MetricBoxes()[c.box].label, c.label);
        EXPECT_EQ(MetricBoxes()[c.box].seriesControl, c.control);
    }
}

TEST(ViewTools, ValidToolsAndTheZoomRule)
{
    FakeUserInterface ui;
    EXPECT_TRUE(CheckTool(0));
    EXPECT_TRUE(CheckTool(2));
    EXPECT_FALSE(CheckTool(3));
    EXPECT_FALSE(CheckTool(-1));
    EXPECT_EQ(ui.errors, (std::vector<std::string>(2, "CNUVAKView::ChangeTools()\n\nError:  invalid tool type.")));
    EXPECT_EQ(ToolForZoom(TOOL_MEASURE, 1.0f), TOOL_MEASURE);
    EXPECT_EQ(ToolForZoom(TOOL_MEASURE, 2.0f), TOOL_SELECT_FEATURE);
    EXPECT_EQ(ToolForZoom(TOOL_SELECT_AOI, 0.5f), TOOL_SELECT_AOI);
    EXPECT_FALSE(MeasureEnabled(0.5f));
}

TEST(SeriesAoiPage, TrackerStaysOnThePictureAndBecomesTheAoi)
{
    PreviewPicModel pic;
    SetSeriesAoiBox(pic);
    pic.SetImageSize(800, 600);  // scale 0.5: 400 x 300
    const AoiRect whole = WholePictureTracker(pic);
    EXPECT_EQ(whole.left, 5);
    EXPECT_EQ(whole.right, 405);
    EXPECT_EQ(whole.bottom, 305);
    const AoiRect all = TrackerToImage(whole, pic, 800, 600);
    EXPECT_EQ(all.left, 0);
    EXPECT_EQ(all.top, 0);
    EXPECT_EQ(all.right, 799);
    EXPECT_EQ(all.bottom, 599);
    const AoiRect part = TrackerToImage({105, 55, 205, 156}, pic, 800, 600);
    EXPECT_EQ(part.left, 200);
    EXPECT_EQ(part.top, 100);
    EXPECT_EQ(part.right, 400);
    EXPECT_EQ(part.bottom, 302);

    const AoiRect before{20, 20, 60, 60};
    struct Case {
        AoiRect after;
        bool kept;
    } cases[] = {
        {{4, 20, 44, 60}, false}, {{20, 4, 60, 44}, false}, {{370, 20, 406, 60}, false},
        {{20, 270, 60, 306}, false}, {{5, 5, 405, 305}, true}, {{30, 30, 70, 70}, true},
    };
    for (const Case& c : cases) {
        const AoiRect r = KeepTrackerOnPicture(before, c.after, pic);
        EXPECT_EQ(r.left, c.kept ? c.after.left : before.left) << c.after.left << "," << c.after.top;
        EXPECT_EQ(r.bottom, c.kept ? c.after.bottom : before.bottom) << c.after.left << "," << c.after.top;
    }
    // 539 x 100 fits at 400 / 539: the picture's 399 columns scale back to 537, yet the whole tracker is the
    // whole image.
    pic.SetImageSize(539, 100);
    const AoiRect wide = TrackerToImage(WholePictureTracker(pic), pic, 539, 100);
    EXPECT_EQ(wide.right, 538);
    EXPECT_EQ(wide.bottom, 99);
}

TEST(SeriesParameterControls, ShownAndEnabledPerOperation)
{
    struct Case {
        const char* op;
        int format;
        SeriesParameterControls expected;
    };
    auto with = [](auto set) {
        SeriesParameterControls c;
        set(c);
        return c;
    };
    const Case cases[] = {
        {"Opening", FORMAT_GRAYSCALE, with([](auto& c) { c.repetitions = true; })},
        {"Erosion", FORMAT_GRAYSCALE, with([](auto&) {})},
        {"Prewitt", FORMAT_RGB, with([](auto& c) { c.sizeEnabled = false, c.direction = true; })},
        {"Unsharp Mask", FORMAT_RGB, with([](auto& c) { c.boost = true; })},
        {"Clean", FORMAT_GRAYSCALE, with([](auto& c) { c.thresholds = true; })},
        {"Bound", FORMAT_GRAYSCALE, with([](auto& c) { c.boundGroups = true, c.intensityEnabled = true; })},
        {"Bound", FORMAT_RGB, with([](auto& c) { c.boundGroups = true, c.colorEnabled = true; })},
        {"Brightness Slice", FORMAT_GRAYSCALE, with([](auto& c) { c.sliceLimits = true; })},
        {"Threshold", FORMAT_GRAYSCALE, with([](auto& c) { c.editPixels = true; })},
        {"Threshold", FORMAT_RGB, with([](auto& c) { c.editPixels = true, c.componentEnabled = true; })},
        {"Rotate", FORMAT_RGB, with([](auto& c) { c.degrees = true; })},
        {"Scale", FORMAT_RGB, with([](auto& c) { c.scale = true; })},
    };
    for (const Case& c : cases) {
        const SeriesParameterControls got = SeriesControlsFor(c.op, c.format);
        const SeriesParameterControls& e = c.expected;
        const bool fields[][2] = {
            {got.repetitions, e.repetitions},   {got.sizeEnabled, e.sizeEnabled},
            {got.direction, e.direction},       {got.boost, e.boost},
            {got.thresholds, e.thresholds},     {got.boundGroups, e.boundGroups},
            {got.intensityEnabled, e.intensityEnabled}, {got.colorEnabled, e.colorEnabled},
            {got.sliceLimits, e.sliceLimits},   {got.editPixels, e.editPixels},
            {got.componentEnabled, e.componentEnabled}, {got.degrees, e.degrees},
            {got.scale, e.scale},
        };
        for (size_t i = 0; i < std::size(fields); ++i)
            EXPECT_EQ(fields[i][0], fields[i][1]) << c.op << " " << c.format << " field " << i;
    }
}
