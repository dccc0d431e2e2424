#include <gtest/gtest.h>

#include <functional>

#include "forms/RectTracker.h"
#include "forms/SeriesParameterFields.h"
#include "forms/SeriesSelectFiles.h"
#include "support/FakeUserInterface.h"

namespace {

using Reader = std::function<std::optional<FieldFailure>(OperationParams&)>;

}  // namespace

// Each case changes one field of a page's defaults; the first refused field
// and its text, or the values read when nothing is refused.
TEST(SeriesParameterFields, RefusalsAndValuesPerPage)
{
    constexpr const char* kInt255 = "Please enter an integer between 0 and 255.";
    struct Case {
        const char* name;
        Reader read;
        int control;  // 0: accepted
        const char* message;
        std::function<void(const OperationParams&)> check;
    };
    const auto none = [](const OperationParams&) {};
    const Case cases[] = {
        {"morph defaults", [](OperationParams& p) { return SeriesMorphFields{}.Read(p); }, 0, "",
         [](const OperationParams& p) {
             EXPECT_EQ(p.morphSize, 3);
             EXPECT_EQ(p.repetitions, 1);
         }},
        {"morph size 9, repetitions 5",
         [](OperationParams& p) { return SeriesMorphFields{3, 2, "5"}.Read(p); }, 0, "",
         [](const OperationParams& p) {
             EXPECT_EQ(p.morphSize, 9);
             EXPECT_EQ(p.morphDirection, 2);
             EXPECT_EQ(p.repetitions, 5);
         }},
        {"repetitions 6", [](OperationParams& p) { return SeriesMorphFields{0, 0, "6"}.Read(p); }, 1021,
         "Please enter an integer between 1 and 5.", none},
        {"repetitions text", [](OperationParams& p) { return SeriesMorphFields{0, 0, "x"}.Read(p); }, 1021,
         "Please enter an integer.", none},
        {"filter defaults", [](OperationParams& p) { return SeriesFilterFields{}.Read(p); }, 0, "",
         [](const OperationParams& p) {
             EXPECT_EQ(p.filterSize, 3);
             EXPECT_EQ(p.boost, 1.0);
             EXPECT_EQ(p.significanceThreshold, 20);
             EXPECT_EQ(p.clutterThreshold, 150);
         }},
        {"boost text", [](OperationParams& p) { return SeriesFilterFields{1, 0, "b", "20", "150"}.Read(p); }, 1026,
         "Please enter a number.", none},
        {"significance 256",
         [](OperationParams& p) { return SeriesFilterFields{1, 0, "2.5", "256", "150"}.Read(p); }, 1042, kInt255,
         none},
        {"clutter 20656",
         [](OperationParams& p) { return SeriesFilterFields{1, 0, "2.5", "0", "20656"}.Read(p); }, 1029,
         "Please enter an integer between 0 and 20655.", none},
        {"filter size 5, boost 2.5",
         [](OperationParams& p) { return SeriesFilterFields{1, 7, "2.5", "0", "20655"}.Read(p); }, 0, "",
         [](const OperationParams& p) {
             EXPECT_EQ(p.filterSize, 5);
             EXPECT_EQ(p.prewittDirection, 7);
             EXPECT_EQ(p.boost, 2.5);
             EXPECT_EQ(p.clutterThreshold, 20655);
         }},
        {"degrees 361", [](OperationParams& p) { return SeriesTransformFields{"361", "100", "100", 1}.Read(p); },
         1031, "Please enter a number between -360 and 360.", none},
        {"X text", [](OperationParams& p) { return SeriesTransformFields{"90", "a", "100", 1}.Read(p); }, 1033,
         "Please enter a number.", none},
        {"Back takes X 0", [](OperationParams& p) { return SeriesTransformFields{"90", "0", "100", 1}.Read(p); }, 0,
         "", none},
        {"Next refuses X 0", [](OperationParams& p) { return SeriesTransformFields{"90", "0", "100", 1}.Next(p); },
         1033, "Please enter a value between 0 and 400", none},
        {"Next refuses X 400.5",
         [](OperationParams& p) { return SeriesTransformFields{"90", "400.5", "100", 1}.Next(p); }, 1033,
         "Please enter a value between 0 and 400", none},
        {"Next refuses Y 0", [](OperationParams& p) { return SeriesTransformFields{"90", "50", "0", 1}.Next(p); },
         1037, "Please enter a value between 0 and 400", none},
        {"Next takes 400", [](OperationParams& p) { return SeriesTransformFields{"-45.5", "400", "25", 0}.Next(p); },
         0, "",
         [](const OperationParams& p) {
             EXPECT_EQ(p.theta, -45.5);
             EXPECT_EQ(p.scaleX, 400);
             EXPECT_EQ(p.scaleY, 25);
             EXPECT_EQ(p.interpolation, 0);
         }},
        {"no results file", [](OperationParams& p) { return SeriesObjectFields{}.Next(p); }, 1055,
         "Please specify an output file", none},
        {"all metrics",
         [](OperationParams& p) {
             SeriesObjectFields f;
             f.fileName = "out.dat";
             return f.Next(p);
         },
         0, "",
         [](const OperationParams& p) {
             EXPECT_EQ(p.metricMask, 2047);
             EXPECT_EQ(p.resultsFile, "out.dat");
         }},
        {"area and roundness",
         [](OperationParams& p) {
             SeriesObjectFields f;
             f.fileName = "out.dat";
             f.metrics.fill(false);
             f.metrics[0] = f.metrics[10] = true;
             return f.Next(p);
         },
         0, "", [](const OperationParams& p) { EXPECT_EQ(p.metricMask, 0x401); }},
        {"area limits and options",
         [](OperationParams& p) {
             SeriesObjectFields f;
             f.fileName = "out.dat";
             f.minArea = "12.5";
             f.minMajor = "0";
             f.options.excludeEdge = f.options.summary = true;
             return f.Next(p);
         },
         0, "",
         [](const OperationParams& p) {
             EXPECT_EQ(p.minArea, 12.5);
             EXPECT_EQ(p.maxArea, 0);
             EXPECT_EQ(p.minMajor, 0);
             EXPECT_TRUE(p.excludeEdge && p.summary && !p.ownPixels);
         }},
        {"negative maximum area",
         [](OperationParams& p) {
             SeriesObjectFields f;
             f.fileName = "out.dat";
             f.maxArea = "-3";
             return f.Next(p);
         },
         1091, "Please enter an area of 0 or more.", [](const OperationParams& p) { EXPECT_EQ(p.resultsFile, ""); }},
        {"negative shortest major axis",
         [](OperationParams& p) {
             SeriesObjectFields f;
             f.fileName = "out.dat";
             f.minMajor = "-1";
             return f.Next(p);
         },
         1092, "Please enter a length of 0 or more.", none},
        {"process defaults", [](OperationParams& p) { return SeriesProcessFields{}.Read(p); }, 0, "",
         [](const OperationParams& p) {
             EXPECT_EQ(p.boundMode, 1);
             EXPECT_EQ(p.lowerLimit, 100);
             EXPECT_EQ(p.upperLimit, 150);
             EXPECT_EQ(p.threshold, 127);
             EXPECT_EQ(p.component, 3);
             EXPECT_EQ(p.editAbove, 0);
         }},
        {"red 300",
         [](OperationParams& p) {
             SeriesProcessFields f;
             f.red = "300";
             f.upper = "-1";
             return f.Read(p);
         },
         1071, kInt255, none},
        {"fill text",
         [](OperationParams& p) {
             SeriesProcessFields f;
             f.fill = "";
             return f.Read(p);
         },
         1081, "Please enter an integer.", none},
        {"palette colour",
         [](OperationParams& p) {
             SeriesProcessFields f;
             f.SetColor(CColorVal(12, 0, 255));
             return f.Read(p);
         },
         0, "",
         [](const OperationParams& p) {
             EXPECT_EQ(p.red, 12);
             EXPECT_EQ(p.green, 0);
             EXPECT_EQ(p.blue, 255);
         }},
    };
    for (const Case& c : cases) {
        OperationParams p;
        const std::optional<FieldFailure> failure = c.read(p);
        EXPECT_EQ(failure ? failure->control : 0, c.control) << c.name;
        EXPECT_EQ(failure ? failure->message : "", c.message) << c.name;
        if (!failure) c.check(p);
    }
}

TEST(RectTracker, HandlesHitAndDrag)
{
    const AoiRect r{20, 30, 60, 70};
    struct Case {
        int x, y;
        std::optional<TrackerHit> hit;
    } hits[] = {
        {13, 23, TrackerHit::TopLeft},    {19, 29, TrackerHit::TopLeft},   {60, 23, TrackerHit::TopRight},
        {66, 76, TrackerHit::BottomRight}, {13, 70, TrackerHit::BottomLeft}, {37, 25, TrackerHit::Top},
        {62, 47, TrackerHit::Right},       {40, 72, TrackerHit::Bottom},    {15, 50, TrackerHit::Left},
        {20, 30, TrackerHit::Inside},      {59, 69, TrackerHit::Inside},    {12, 23, std::nullopt},
        {30, 25, std::nullopt},            {60, 69, std::nullopt},
    };
    for (const Case& c : hits) EXPECT_EQ(HitTracker(r, c.x, c.y), c.hit) << c.x << "," << c.y;

    struct Drag {
        TrackerHit grabbed;
        int dx, dy;
        AoiRect expected;
    } drags[] = {
        {TrackerHit::Inside, 5, -10, {25, 20, 65, 60}},
        {TrackerHit::TopLeft, -3, 4, {17, 34, 60, 70}},
        {TrackerHit::BottomRight, 10, 10, {20, 30, 70, 80}},
        {TrackerHit::Top, 9, 5, {20, 35, 60, 70}},
        {TrackerHit::Right, -50, 9, {10, 30, 20, 70}},  // dragged across the left side
        {TrackerHit::Bottom, 0, -45, {20, 25, 60, 30}},
    };
    for (const Drag& d : drags) {
        const AoiRect got = TrackTo(r, d.grabbed, d.dx, d.dy);
        EXPECT_EQ((std::array{got.left, got.top, got.right, got.bottom}),
                  (std::array{d.expected.left, d.expected.top, d.expected.right, d.expected.bottom}))
            << static_cast<int>(d.grabbed);
    }
}

TEST(SeriesSelectFiles, BrowseSelectionAndTheBufferLimit)
{
    FakeUserInterface ui;
    SeriesSettings settings;
    settings.AddFile("/old.bmp");
    ASSERT_TRUE(TakeFileSelection(settings, {"/d/a.bmp", "/d/b.bmp"}));
    EXPECT_EQ(settings.fileList, "/d/a.bmp\r\n/d/b.bmp\r\n");
    EXPECT_EQ(settings.fileCount, 2);
    // 999998 characters and their terminator, then the closing one: just fits.
    ASSERT_TRUE(TakeFileSelection(settings, {std::string(999998, 'a')}));
    EXPECT_EQ(settings.fileCount, 1);
    EXPECT_TRUE(ui.errors.empty());
    EXPECT_FALSE(TakeFileSelection(settings, {std::string(999998, 'b'), "c"}));
    EXPECT_EQ(settings.fileList, std::string(999998, 'a') + "\r\n");
    EXPECT_EQ(ui.errors, (std::vector<std::string>{"Too many files have been specified.  The file buffer can only "
                                                   "hold 1000000 characters."}));
}
