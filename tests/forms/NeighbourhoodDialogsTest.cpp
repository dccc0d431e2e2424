#include <gtest/gtest.h>

#include "forms/CleanDialogModel.h"
#include "forms/FilterDialogModel.h"
#include "forms/MorphologyDialogModel.h"
#include "support/FakeUserInterface.h"
#include "support/TestImages.h"

TEST(FilterDialog, TypesTitlesAndControls)
{
    FakeUserInterface ui;
    struct Case {
        int type;
        const char* title;
        const char* operation;
        bool size, direction, boost;
    } cases[] = {
        {0, "High Pass Spatial Filter", "High Pass Filter", true, false, false},
        {1, "Laplacian Edge Enhancement", "Laplace", true, false, false},
        {2, "Low Pass Spatial Filter", "Low Pass Filter", true, false, false},
        {3, "Median Filter", "Median Filter", true, false, false},
        {4, "Prewitt Edge Enhancement", "Prewitt", false, true, false},
        {5, "Sobel Edge Enhancement", "Sobel", false, false, false},
        {6, "Unsharp Mask", "Unsharp Mask", true, false, true},
    };
    for (const Case& c : cases) {
        FilterDialogModel dlg;
        dlg.SetFilterType(c.type);
        EXPECT_EQ(dlg.Title(), c.title);
        EXPECT_EQ(dlg.OperationName(), c.operation);
        EXPECT_EQ(dlg.SizeEnabled(), c.size) << c.type;
        EXPECT_EQ(dlg.DirectionShown(), c.direction) << c.type;
        EXPECT_EQ(dlg.BoostShown(), c.boost) << c.type;
    }
    EXPECT_TRUE(ui.errors.empty());

    FilterDialogModel dlg;
    dlg.SetFilterType(FilterDialogModel::kPrewitt);
    dlg.SetFilterType(7);
    dlg.SetFilterType(-1);
    EXPECT_EQ(dlg.FilterType(), FilterDialogModel::kPrewitt);
    EXPECT_EQ(ui.errors, (std::vector<std::string>{"Unrecognized filter type.", "Unrecognized filter type."}));
    EXPECT_EQ(FilterDialogModel::DirectionEntries().front(), "North");
    EXPECT_EQ(FilterDialogModel::DirectionEntries()[7], "Northwest");
}

TEST(FilterDialog, DefaultsAndBoost)
{
    FilterDialogModel dlg;
    dlg.SetFilterType(FilterDialogModel::kUnsharpMask);
    OperationParams p = dlg.Params();
    EXPECT_EQ(p.filterSize, 3);
    EXPECT_EQ(p.prewittDirection, 0);
    EXPECT_EQ(p.boost, 1.0);
    dlg.boost.SetText("");
    for (char key : std::string("-2.5")) dlg.boost.Type(key);
    dlg.size = 3;
    p = dlg.Params();
    EXPECT_EQ(p.boost, 2.5);
    EXPECT_EQ(p.filterSize, 9);
    dlg.boost.SetText(".");
    ASSERT_TRUE(dlg.Validate());
    EXPECT_EQ(dlg.Validate()->control, FilterDialogModel::kBoost);
    EXPECT_EQ(dlg.Validate()->message, "Please enter a number.");
}

TEST(NeighbourhoodDialogs, CannotShrinkClosesBeforeTheOperation)
{
    const CImage tiny = MakeGrey(3, 3, [](int, int) { return 0; });
    struct Case {
        PreviewDialog* dlg;
        const char* text;
    };
    FilterDialogModel filter;
    filter.SetFilterType(FilterDialogModel::kSobel);  // shrinks by the Size list's 3
    MorphologyDialogModel morph;
    CleanDialogModel clean;
    const Case cases[] = {
        {&filter, "Cannot reset AOI.  Filter Aborted."},
        {&morph, "Cannot reset AOI.  Morphological operation aborted."},
        {&clean, "Cannot reset AOI.  Clean Aborted."},
    };
    for (const Case& c : cases) {
        FakeUserInterface ui;
        ui.answers = {true};  // the background detector: LIGHT objects on BLACK
        EXPECT_EQ(c.dlg->Open(tiny), PreviewResult::Closed);
        EXPECT_EQ(ui.errors, (std::vector<std::string>{c.text}));
        EXPECT_EQ(ui.waitCount, 0);
    }
}

TEST(NeighbourhoodDialogs, PreviewAoiShrinksByHalfTheSizeWithoutAsking)
{
    FakeUserInterface ui;
    MorphologyDialogModel dlg;
    dlg.size = 1;  // 5: half 2
    CImage image = MakeGrey(10, 8, [](int, int) { return 0; });
    image.SetUpperLeft(1, 3, false);
    dlg.Open(image);
    const CImage& preview = dlg.PreviewCopy();
    EXPECT_EQ(preview.aoiLeft, 2);
    EXPECT_EQ(preview.aoiTop, 3);
    EXPECT_EQ(preview.aoiRight, 7);
    EXPECT_EQ(preview.aoiBottom, 5);
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_TRUE(ui.notices.empty());
    EXPECT_EQ(ui.waitDepth, 0);
    if (!OperationAvailable("Erosion")) {
        EXPECT_TRUE(dlg.IsClosed());
        EXPECT_EQ(ui.errors, (std::vector<std::string>{"The operation \"Erosion\" is not available.",
                                                       "Morphological operation aborted."}));
    }
}

TEST(MorphologyDialog, OperationsTitlesAndRepetitions)
{
    struct Case {
        int operation;
        const char* title;
        const char* name;
        bool repetitions;
    } cases[] = {
        {0, "Erosion", "Erosion", false},
        {1, "Dilation", "Dilation", false},
        {2, "Opening", "Opening", true},
        {3, "Closing", "Closing", true},
        {4, "Outline", "Outline", false},
        {5, "Gradient", "Gradient", false},
        {6, "Peak Detector", "Peak Detection", true},
        {7, "Valley Detector", "Valley Detection", true},
        {8, "Erosion", "Erosion", false},
        {-3, "Erosion", "Erosion", false},
    };
    for (const Case& c : cases) {
        MorphologyDialogModel dlg;
        dlg.SetOperation(c.operation);
        EXPECT_EQ(dlg.Title(), c.title) << c.operation;
        EXPECT_EQ(dlg.OperationName(), c.name) << c.operation;
        EXPECT_EQ(dlg.RepetitionsShown(), c.repetitions) << c.operation;
    }
    MorphologyDialogModel dlg;
    dlg.SetOperation(MorphologyDialogModel::kOpening);
    EXPECT_EQ(MorphologyDialogModel::DirectionEntries(),
              (std::vector<std::string>{"Omnidirectional", "Horizontal", "Vertical", "Diagonal"}));
    const OperationParams p = dlg.Params();
    EXPECT_EQ(p.morphSize, 3);
    EXPECT_EQ(p.morphDirection, 0);
    EXPECT_EQ(p.repetitions, 1);
    for (const char* text : {"0", "6"}) {
        dlg.repetitionsText = text;
        ASSERT_TRUE(dlg.Validate()) << text;
        EXPECT_EQ(dlg.Validate()->control, MorphologyDialogModel::kRepetitions);
        EXPECT_EQ(dlg.Validate()->message, "Please enter an integer between 1 and 5.");
    }
    dlg.repetitionsText = "5";
    dlg.direction = 3;
    EXPECT_FALSE(dlg.Validate());
    EXPECT_EQ(dlg.Params().repetitions, 5);
    EXPECT_EQ(dlg.Params().morphDirection, 3);

    FakeUserInterface ui;
    dlg.Open(MakeGrey(640, 480, [](int, int) { return 0; }));
    EXPECT_EQ(dlg.Picture().Left(), 160);
    EXPECT_EQ(dlg.Picture().DisplayWidth(), 244);
}

TEST(CleanDialog, BackgroundIsAskedOnceAndInvertedOnYes)
{
    // A white frame: the detector proposes a WHITE background.
    const CImage image = MakeGrey(9, 9, [](int x, int y) { return x == 4 && y == 4 ? 0 : 255; });
    {
        FakeUserInterface ui;
        ui.answers = {true, false};
        CleanDialogModel dlg;
        EXPECT_EQ(dlg.Open(image), PreviewResult::Closed);
        EXPECT_EQ(ui.questions, (std::vector<std::string>{
                                    "Detected DARK objects on a WHITE background.\nIs this correct?",
                                    "Clean is designed to work on images with light objects\n"
                                    "on a black background.  Invert image?"}));
        EXPECT_EQ(ui.errors, (std::vector<std::string>{"Please invert your image before cleaning.  Clean aborted."}));
    }
    FakeUserInterface ui;
    CleanDialogModel dlg;
    dlg.Open(image);
    EXPECT_EQ(ui.questions.size(), 2u);
    EXPECT_EQ(dlg.Background(), 0);
    EXPECT_TRUE(dlg.Inverted());
    EXPECT_EQ(dlg.ReferenceCopy().pixelValueArray[0][0], CColorVal(0, 0, 0));
    EXPECT_EQ(dlg.ReferenceCopy().pixelValueArray[4][4], CColorVal(255, 255, 255));
    const OperationParams p = dlg.Params();
    EXPECT_EQ(p.background, 0);
    EXPECT_EQ(p.filterSize, 3);
    EXPECT_EQ(p.significanceThreshold, 20);
    EXPECT_EQ(p.clutterThreshold, 150);
    dlg.clutterText = "20656";
    EXPECT_EQ(dlg.Validate()->control, CleanDialogModel::kClutter);
    EXPECT_EQ(dlg.Validate()->message, "Please enter an integer between 0 and 20655.");
    dlg.significanceText = "-1";
    EXPECT_EQ(dlg.Validate()->control, CleanDialogModel::kSignificance);
    if (!OperationAvailable("Clean")) {
        EXPECT_EQ(ui.errors,
                  (std::vector<std::string>{"The operation \"Clean\" is not available.", "Clean Aborted."}));
        // The document's run still inverts first, then reports the failure.
        CImage document = image;
        EXPECT_EQ(dlg.ApplyTo(document), -1);
        EXPECT_EQ(document.pixelValueArray[0][0], CColorVal(0, 0, 0));
    }
}
