#include <gtest/gtest.h>

#include "forms/CustomFilterModel.h"
#include "support/FakeUserInterface.h"
#include "support/SamePixels.h"
#include "support/TestFiles.h"
#include "support/TestImages.h"

TEST(CustomFilterModel, RefusalFocusesTheBoxInTheGrid)
{
    const struct {
        int size;
        int box;  // grid index, row by row
        const char* text;
        const char* message;
    } cases[] = {
        {3, 30, "", "Error:  must enter value."},
        {3, 50, "12a", "12a is not a valid entry."},
        {5, 20, "2-", "Negative sign (-) must preceed the value."},
        {9, 80, "1.5/2", "Value cannot contain both a decimal point (.) and a slash (/)."},
        {9, 0, "/3", "Value must preceed the slash (/)."},
    };
    for (const auto& c : cases) {
        FakeUserInterface user;
        CustomFilterModel model;
        model.size = c.size;
        model.grid[static_cast<size_t>(c.box)] = c.text;
        const std::optional<FieldFailure> failure = model.Ok();
        ASSERT_TRUE(failure) << c.text;
        EXPECT_EQ(failure->control, CustomFilterModel::kFirstWeight + c.box);
        EXPECT_EQ(user.errors, std::vector<std::string>{c.message});
    }
    // A refused text in a disabled box does not count.
    CustomFilterModel model;
    model.grid.front().assign(1, 'x');
    EXPECT_FALSE(model.Validate());
}

TEST(CustomFilterModel, WeightsComeFromTheEnabledBlockRowByRow)
{
    CustomFilterModel model;
    model.grid.fill("7");
    const char* texts[] = {"1", "-2", "0.5", "1/8", "-1/8", "3", ".", "-", "10"};
    int next = 0;
    for (int box = 0; box < 81; ++box)
        if (model.BoxEnabled(box)) model.grid[static_cast<size_t>(box)] = texts[next++];
    EXPECT_EQ(model.Weights(), (std::vector<float>{1, -2, 0.5f, 0.125f, -0.125f, 3, 0, 0, 10}));
    model.ClearAll();
    for (const std::string& text : model.grid) EXPECT_EQ(text, "0");
}

TEST(CustomFilterModel, KernelsFilterTheAoi)
{
    // A ramp; the identity kernel keeps it, a left-neighbour kernel shifts it.
    FakeUserInterface user;  // agrees to shrink the AOI to make room
    const CImage ramp = MakeGrey(6, 5, [](int x, int y) { return 10 * x + 3 * y; });
    CustomFilterModel model;
    model.grid = GridFromWeights(3, {"0", "0", "0", "0", "1", "0", "0", "0", "0"});
    CImage image = ramp;
    EXPECT_EQ(model.ApplyTo(image), 0);
    EXPECT_TRUE(SamePixels(image, ramp));

    model.grid = GridFromWeights(3, {"0", "0", "0", "1", "0", "0", "0", "0", "0"});
    image = ramp;
    EXPECT_EQ(model.ApplyTo(image), 0);
    for (int y = 1; y < 4; ++y)
        for (int x = 1; x < 5; ++x) EXPECT_EQ(image.pixelValueArray[y][x].red, 10 * (x - 1) + 3 * y) << x << "," << y;
}

// A recipe can name the kernel only while the grid holds a file's kernel, and
// replaying that step filters as OK did.
TEST(CustomFilterModel, StepsNameTheKernelFileWhileTheGridHoldsIt)
{
    FakeUserInterface user;
    TempDir dir;
    CustomFilterModel model;
    model.grid = GridFromWeights(3, {"0", "1/4", "0", "1/4", "0", "1/4", "0", "1/4", "0"});
    EXPECT_TRUE(model.Steps().empty());
    ASSERT_EQ(model.SaveTo(dir.path("k.ftr")), "");
    const std::vector<OperationStep> steps = model.Steps();
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(StepCommandLine(steps[0]), "--op \"Custom Filter\" --kernel " + dir.path("k.ftr"));
    const CImage ramp = MakeGrey(6, 5, [](int x, int y) { return 10 * x + 3 * y; });
    CImage byDialog = ramp, replayed = ramp;
    OperationOutputs outputs;
    EXPECT_EQ(model.ApplyTo(byDialog), 0);
    EXPECT_EQ(RunStep(replayed, steps[0], outputs, false), 0);
    EXPECT_TRUE(SamePixels(byDialog, replayed));

    model.grid[40] = "2";  // the centre
    EXPECT_TRUE(model.Steps().empty());
    ASSERT_EQ(model.ReadFrom(dir.path("k.ftr")), "");
    EXPECT_EQ(model.Steps().size(), 1u);
}
