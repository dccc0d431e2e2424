#include <gtest/gtest.h>

#include "forms/ImageCalculations.h"
#include "support/FakeUserInterface.h"
#include "support/TestImages.h"

namespace {

constexpr const char* kLimit =
    "The number of open images found exceeds the limit of 25.\nThe first 25 open images will be used.\n";

}  // namespace

TEST(ImageCalculations, CandidatesOfEqualSizeAndFormat)
{
    const CImage grey = MakeGrey(4, 3, [](int, int) { return 1; });
    const CImage rgb = MakeImage(4, 3, [](int, int) { return CColorVal(1, 2, 3); });
    const CImage wider = MakeGrey(5, 3, [](int, int) { return 1; });
    const CImage taller = MakeGrey(4, 4, [](int, int) { return 1; });
    struct Case {
        int matching;  // images like the reference, after one of each other kind
        size_t listed;
        bool message;
    } cases[] = {{1, 1, false}, {25, 25, false}, {26, 25, true}, {30, 25, true}};
    for (const Case& c : cases) {
        FakeUserInterface ui;
        std::vector<OpenImage> open = {{"rgb", &rgb, ""}, {"wider", &wider, ""}, {"taller", &taller, ""}};
        for (int i = 0; i < c.matching; ++i) open.push_back({"Image" + std::to_string(i + 1), &grey, ""});
        const std::vector<int> found = CalculationCandidates(open, grey);
        ASSERT_EQ(found.size(), c.listed) << c.matching;
        EXPECT_EQ(found.front(), 3);
        EXPECT_EQ(found.back(), 2 + static_cast<int>(c.listed));
        EXPECT_EQ(ui.notices, c.message ? std::vector<std::string>{kLimit} : std::vector<std::string>{})
            << c.matching;
    }
}

TEST(ImageCalculations, ListsAndTheRun)
{
    EXPECT_EQ(ImageCalculationsDialogModel::OperationEntries(),
              (std::vector<std::string>{"Add", "Subtract", "Absolute Difference", "Multiply", "Divide"}));
    EXPECT_EQ(ImageCalculationsDialogModel::ResultEntries(), (std::vector<std::string>{"New Image"}));

    FakeUserInterface ui;
    const CImage a = MakeGrey(2, 1, [](int, int) { return 100; });
    const CImage b = MakeGrey(2, 1, [](int, int) { return 30; });
    // Two images titled alike stay apart: the choice is by position.
    const std::vector<OpenImage> open = {{"Image1", &a, ""}, {"Image1", &b, ""}};
    const std::vector<int> candidates = CalculationCandidates(open, a);
    ImageCalculationsDialogModel choice;
    choice.operation = 1;
    choice.firstOperand = 0;
    choice.secondOperand = 1;
    CImage result;
    EXPECT_EQ(PerformImageCalculation(open, candidates, choice, result), CalculationOutcome::Done);
    EXPECT_EQ(result.pixelValueArray[0][0], CColorVal(70, 70, 70));
    EXPECT_EQ(a.pixelValueArray[0][0], CColorVal(100, 100, 100));
    EXPECT_EQ(ui.waitCount, 1);

    choice.operation = 5;
    EXPECT_EQ(PerformImageCalculation(open, candidates, choice, result), CalculationOutcome::Refused);
    EXPECT_EQ(ui.errors,
              (std::vector<std::string>{"Aborting CNUVAKApp::PerformImageCalculations.\nUnrecognized operation requested.\n"}));
}

TEST(ImageCalculations, AFailedOperationStillHandsBackItsResult)
{
    FakeUserInterface ui;
    const CImage a = MakeGrey(2, 1, [](int, int) { return 100; });
    const CImage c = MakeGrey(3, 1, [](int, int) { return 30; });
    // Candidates listed by another rule: a size mismatch reaches the operation.
    const std::vector<OpenImage> open = {{"A", &a, ""}, {"C", &c, ""}};
    ImageCalculationsDialogModel choice;
    choice.secondOperand = 1;
    CImage result;
    EXPECT_EQ(PerformImageCalculation(open, {0, 1}, choice, result), CalculationOutcome::Failed);
    EXPECT_EQ(ui.errors, (std::vector<std::string>{"CImage::AddImage: Images must be the same size to Add"}));
    EXPECT_EQ(result.width, 2);
}

TEST(ImageCalculations, TitlesSharedByTwoImagesAreToldApart)
{
    const CImage image = MakeGrey(2, 2, [](int, int) { return 0; });
    const std::vector<OpenImage> open = {
        {"a.bmp", &image, "/data/day1/a.bmp"}, {"Image1", &image, ""}, {"a.bmp", &image, "/data/day2/a.bmp"},
        {"Image1", &image, ""},                {"b.bmp", &image, "/data/b.bmp"}, {"Image1", &image, ""},
    };
    EXPECT_EQ(OperandTitles(open, {0, 1, 2, 3, 4, 5}),
              (std::vector<std::string>{"a.bmp (/data/day1)", "Image1", "a.bmp (/data/day2)", "Image1:2", "b.bmp",
                                        "Image1:3"}));
    EXPECT_EQ(OperandTitles(open, {0, 4}), (std::vector<std::string>{"a.bmp", "b.bmp"}));
}
