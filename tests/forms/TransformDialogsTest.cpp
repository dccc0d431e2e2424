#include <gtest/gtest.h>

#include "forms/RotateDialogModel.h"
#include "forms/ScaleDialogModel.h"
#include "support/FakeUserInterface.h"
#include "support/TestImages.h"

TEST(RotateDialog, DegreesRangeAndRun)
{
    RotateDialogModel dlg;
    EXPECT_EQ(dlg.Title(), "Rotate");
    EXPECT_EQ(dlg.Params().theta, 90);
    EXPECT_EQ(dlg.Params().interpolation, 1);
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"-360", nullptr}, {"360", nullptr}, {"12.5", nullptr},
        {"360.5", "Please enter a number between -360 and 360."},
        {"-400", "Please enter a number between -360 and 360."},
        {"ninety", "Please enter a number."},
    };
    for (const Case& c : cases) {
        dlg.degreesText = c.text;
        const std::optional<FieldFailure> failure = dlg.Validate();
        EXPECT_EQ(failure.has_value(), c.message != nullptr) << c.text;
        if (failure) {
            EXPECT_EQ(failure->control, RotateDialogModel::kDegrees);
            EXPECT_EQ(failure->message, c.message);
        }
    }
    dlg.degreesText = "180";
    dlg.method = 0;
    CImage viaDialog = MakeGrey(5, 3, [](int x, int y) { return 10 * x + y; });
    CImage direct = viaDialog;
    ASSERT_EQ(dlg.ApplyTo(viaDialog), 0);
    ASSERT_EQ(direct.Rotate(180, 0), 0);
    EXPECT_TRUE(std::equal(viaDialog.pixelValueArray.data(),
                           viaDialog.pixelValueArray.data() + viaDialog.pixelValueArray.size(),
                           direct.pixelValueArray.data()));
}

TEST(ScaleDialog, OkChecksXThenY)
{
    FakeUserInterface ui;
    struct Case {
        const char* x;
        const char* y;
        int control;  // 0: accepted
        const char* message;
    } cases[] = {
        {"400", "400", 0, ""},
        {"0.5", "100", 0, ""},
        {"400.5", "100", ScaleDialogModel::kX, "Please enter a value between 0 and 400"},
        {"0", "0", ScaleDialogModel::kX, "Please enter a value between 0 and 400"},
        {"100", "0", ScaleDialogModel::kY, "Please enter a value between 0 and 400"},
        {"100", "401", ScaleDialogModel::kY, "Please enter a value between 0 and 400"},
        {"", "100", ScaleDialogModel::kX, "Please enter a number."},
        {"500", ".", ScaleDialogModel::kY, "Please enter a number."},  // fields first, then the range
    };
    for (const Case& c : cases) {
        ScaleDialogModel dlg;
        dlg.x.SetText(c.x);
        dlg.y.SetText(c.y);
        ui.errors.clear();
        const std::optional<FieldFailure> failure = dlg.Ok();
        EXPECT_EQ(failure ? failure->control : 0, c.control) << c.x << " " << c.y;
        if (failure) {
            EXPECT_EQ(failure->message, c.message);
            EXPECT_EQ(ui.errors, (std::vector<std::string>{c.message}));
        }
    }
}

TEST(ScaleDialog, TypedMinusIsDroppedAndTheImageScaled)
{
    ScaleDialogModel dlg;
    EXPECT_EQ(dlg.Title(), "Scale");
    EXPECT_EQ(dlg.x.Text(), "100");
    dlg.x.SetText("");
    for (char key : std::string("-200")) dlg.x.Type(key);
    EXPECT_EQ(dlg.x.Text(), "200");
    dlg.method = 0;
    const OperationParams p = dlg.Params();
    EXPECT_EQ(p.scaleX, 200);
    EXPECT_EQ(p.scaleY, 100);
    EXPECT_EQ(p.interpolation, 0);
    CImage image = MakeGrey(3, 2, [](int x, int) { return x; });
    ASSERT_EQ(dlg.ApplyTo(image), 0);
    EXPECT_EQ(image.width, 6);
    EXPECT_EQ(image.height, 2);
}
