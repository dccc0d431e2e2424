#include <gtest/gtest.h>

#include "forms/BoundDialogModel.h"
#include "forms/BrightnessSliceDialogModel.h"
#include "forms/ThresholdDialogModel.h"
#include "support/FakeUserInterface.h"
#include "support/TestImages.h"

namespace {

CImage Ramp(int format)
{
    // 4 x 1: levels 0, 100, 150, 200, the last pixel outside the AOI.
    const int levels[] = {0, 100, 150, 200};
    CImage image = format == FORMAT_GRAYSCALE ? MakeGrey(4, 1, [&](int x, int) { return levels[x]; })
                                              : MakeImage(4, 1, [&](int x, int) {
                                                    return CColorVal(levels[x], 255 - levels[x], 50);
                                                });
    image.SetLowerRight(2, 0, false);
    return image;
}

std::vector<CColorVal> Row(const CImage& image)
{
    return std::vector<CColorVal>(image.pixelValueArray[0], image.pixelValueArray[0] + image.width);
}

}  // namespace

TEST(ThresholdDialog, DefaultsEnablingAndPreview)
{
    FakeUserInterface ui;
    ThresholdDialogModel dlg;
    const CImage grey = Ramp(FORMAT_GRAYSCALE);
    ASSERT_EQ(dlg.Open(grey), PreviewResult::Shown);
    EXPECT_EQ(dlg.Title(), "Threshold");
    EXPECT_FALSE(dlg.ComponentEnabled());
    EXPECT_EQ(ThresholdDialogModel::ComponentEntries()[dlg.component], "RGB");
    const OperationParams p = dlg.Params();
    EXPECT_EQ(p.threshold, 127);
    EXPECT_EQ(p.fillValue, 0);
    EXPECT_EQ(p.editAbove, 0);
    EXPECT_EQ(p.component, 3);
    // Below 127 becomes 0: 100 goes, 150 stays, the pixel outside the AOI stays.
    EXPECT_EQ(Row(dlg.PreviewCopy()), (std::vector<CColorVal>{{0, 0, 0}, {0, 0, 0}, {150, 150, 150}, {200, 200, 200}}));

    dlg.below = false;
    dlg.fillText = "7";
    ASSERT_EQ(dlg.Refresh(), PreviewResult::Shown);
    EXPECT_EQ(Row(dlg.PreviewCopy()), (std::vector<CColorVal>{{0, 0, 0}, {100, 100, 100}, {7, 7, 7}, {200, 200, 200}}));
    EXPECT_EQ(dlg.ReferenceCopy().pixelValueArray[0][2], CColorVal(150, 150, 150));

    // A refused field leaves the preview as it was.
    dlg.levelText = "300";
    EXPECT_EQ(dlg.Refresh(), PreviewResult::Refused);
    EXPECT_EQ(dlg.PreviewCopy().pixelValueArray[0][2], CColorVal(7, 7, 7));
    const std::optional<FieldFailure> refused = dlg.Ok();
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->control, ThresholdDialogModel::kLevel);
    EXPECT_EQ(ui.errors, (std::vector<std::string>{"Please enter an integer between 0 and 255.",
                                                   "Please enter an integer between 0 and 255."}));

    ThresholdDialogModel rgb;
    rgb.Open(Ramp(FORMAT_RGB));
    EXPECT_TRUE(rgb.ComponentEnabled());
}

TEST(ThresholdDialog, FieldsAreReadInOrder)
{
    FakeUserInterface ui;
    struct Case {
        const char* level;
        const char* fill;
        int control;
        const char* message;
    } cases[] = {
        {"300", "x", ThresholdDialogModel::kLevel, "Please enter an integer between 0 and 255."},
        {"", "0", ThresholdDialogModel::kLevel, "Please enter an integer."},
        {"10", "256", ThresholdDialogModel::kFill, "Please enter an integer between 0 and 255."},
        {"10", "1.5", ThresholdDialogModel::kFill, "Please enter an integer."},
    };
    for (const Case& c : cases) {
        ThresholdDialogModel dlg;
        dlg.levelText = c.level;
        dlg.fillText = c.fill;
        const std::optional<FieldFailure> failure = dlg.Validate();
        ASSERT_TRUE(failure) << c.level << " " << c.fill;
        EXPECT_EQ(failure->control, c.control) << c.level << " " << c.fill;
        EXPECT_EQ(failure->message, c.message) << c.level << " " << c.fill;
    }
}

TEST(BrightnessSliceDialog, GreyPreviewAndRgbClose)
{
    FakeUserInterface ui;
    BrightnessSliceDialogModel dlg;
    ASSERT_EQ(dlg.Open(Ramp(FORMAT_GRAYSCALE)), PreviewResult::Shown);
    EXPECT_EQ(dlg.Title(), "Brightness Slice");
    EXPECT_EQ(Row(dlg.PreviewCopy()),
              (std::vector<CColorVal>{{0, 0, 0}, {255, 255, 255}, {255, 255, 255}, {200, 200, 200}}));
    dlg.highText = "256";
    EXPECT_EQ(dlg.Refresh(), PreviewResult::Refused);
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(ui.errors[0], "Please enter an integer between 0 and 255.");

    BrightnessSliceDialogModel rgb;
    EXPECT_EQ(rgb.Open(Ramp(FORMAT_RGB)), PreviewResult::Closed);
    EXPECT_TRUE(rgb.IsClosed());
    EXPECT_EQ(ui.errors, (std::vector<std::string>{"Please enter an integer between 0 and 255.",
                                                   "CImage::BrightnessSlice() only defined on grayscale images",
                                                   "Brightness Slice Aborted."}));
    CDeviceBitmap bitmap;
    EXPECT_FALSE(rgb.Paint(bitmap, 32));
    EXPECT_EQ(rgb.Refresh(), PreviewResult::Closed);
}

TEST(BoundDialog, ColourByFormatAndPalette)
{
    FakeUserInterface ui;
    BoundDialogModel grey;
    ASSERT_EQ(grey.Open(Ramp(FORMAT_GRAYSCALE)), PreviewResult::Shown);
    EXPECT_TRUE(grey.IntensityEnabled());
    EXPECT_FALSE(grey.ColorEnabled());
    EXPECT_EQ(grey.Params().boundMode, 1);
    // Outside the AOI by default; the colour edits of a grey image play no part.
    grey.intensityText = "9";
    grey.redText = "200";
    ASSERT_EQ(grey.Refresh(), PreviewResult::Shown);
    EXPECT_EQ(grey.PreviewCopy().pixelValueArray[0][3], CColorVal(9, 9, 9));
    EXPECT_EQ(grey.PreviewCopy().format, FORMAT_GRAYSCALE);
    grey.fillMode = 0;
    ASSERT_EQ(grey.Refresh(), PreviewResult::Shown);
    EXPECT_EQ(Row(grey.PreviewCopy()), (std::vector<CColorVal>{{9, 9, 9}, {9, 9, 9}, {9, 9, 9}, {200, 200, 200}}));

    BoundDialogModel rgb;
    rgb.Open(Ramp(FORMAT_RGB));
    EXPECT_FALSE(rgb.IntensityEnabled());
    EXPECT_TRUE(rgb.ColorEnabled());
    rgb.SetPaletteColor(CColorVal(1, 2, 3));
    EXPECT_EQ(rgb.redText, "1");
    EXPECT_EQ(rgb.blueText, "3");
    ASSERT_EQ(rgb.Refresh(), PreviewResult::Shown);
    EXPECT_EQ(rgb.PreviewCopy().pixelValueArray[0][3], CColorVal(1, 2, 3));
    rgb.greenText = "x";
    EXPECT_EQ(rgb.PaletteColor(), CColorVal(1, 0, 3));
    EXPECT_EQ(rgb.Validate()->control, BoundDialogModel::kGreen);
    EXPECT_TRUE(ui.errors.empty());
}

TEST(PreviewDialog, PaintDrawsThePreviewOrClosesWithItsText)
{
    FakeUserInterface ui;
    ThresholdDialogModel dlg;
    dlg.Open(MakeGrey(640, 480, [](int x, int) { return x % 256; }));
    CDeviceBitmap bitmap;
    ASSERT_TRUE(dlg.Paint(bitmap, 24));
    EXPECT_EQ(dlg.Picture().Left(), 135);
    EXPECT_EQ(bitmap.width, 280);
    EXPECT_EQ(bitmap.height, 210);
    // Column 1 of the picture samples column 2 (2.29 rounded) of the preview, 0 after the threshold.
    EXPECT_EQ(bitmap.Row(0)[3 * 1], 0);
    EXPECT_EQ(bitmap.Row(0)[3 * 279], dlg.PreviewCopy().pixelValueArray[0][638].blue);

    struct NoRoom : ThresholdDialogModel {
        void PlacePicture(PreviewPicModel& p) const override { p.SetBox(0, 0, 0, 0); }
    } cramped;
    cramped.Open(MakeGrey(4, 4, [](int, int) { return 0; }));
    EXPECT_FALSE(cramped.Paint(bitmap, 24));
    EXPECT_TRUE(cramped.IsClosed());
    EXPECT_EQ(ui.errors, (std::vector<std::string>{"CImage::MakeScaledBitmap invalid scaling factor",
                                                   "The image cannot be displayed.\nCPreviewPic::Display() fails.\n\n"}));
}

TEST(OperationDialog, AnOperationNotBuiltFailsWithItsName)
{
    CImage image = MakeGrey(2, 2, [](int, int) { return 0; });
    EXPECT_FALSE(OperationAvailable("No Such Operation"));
    EXPECT_EQ(RunNamedOperation("No Such Operation", OperationParams(), image), -1);
    EXPECT_EQ(image.errorMessage, "The operation \"No Such Operation\" is not available.");
    EXPECT_EQ(SizeListEntries(), (std::vector<std::string>{"3", "5", "7", "9"}));
    EXPECT_EQ(SizeFromIndex(2), 7);
}
