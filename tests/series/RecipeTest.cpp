// Recipe text: steps written and read back are the same steps, and words
// are split as a shell splits them.
#include <gtest/gtest.h>

#include "series/Recipe.h"
#include "series/StepOptions.h"

TEST(Recipe, StepsRoundTripThroughTheText)
{
    OperationStep filter{FindOperation("Unsharp Mask"), {}, AoiBox{10, 10, 300, 200}, true};
    filter.params.filterSize = 5;
    filter.params.boost = 0.1;
    OperationStep objects{FindOperation("Find Objects"), {}, {}, false};
    objects.params.resultsFile = "my \"objects\".dat";
    objects.params.background = 255;
    OperationStep fft{FindOperation("FFT Filter"), {}, {}, {}};
    fft.params.customEllipse = true;
    fft.params.ellipseRight = fft.params.ellipseBottom = 7;
    OperationStep threshold{FindOperation("Threshold"), {}, {}, {}};
    threshold.params.editAbove = 1;
    OperationStep sifted{FindOperation("Find Objects"), {}, {}, {}};
    sifted.params.resultsFile = "o.dat";
    sifted.params.minArea = 12.5;
    sifted.params.maxArea = 400;
    sifted.params.excludeEdge = sifted.params.ownPixels = sifted.params.summary = true;
    const std::vector<OperationStep> steps = {filter, objects, fft, threshold, sifted};

    const std::string text = RecipeText(steps);
    EXPECT_EQ(text, "nuvak recipe 1\n"
                    "--op \"Unsharp Mask\" --size 5 --boost 0.1 --aoi 10,10,300,200 --answer yes\n"
                    "--op \"Find Objects\" --results \"my \\\"objects\\\".dat\" --metrics 2047 --background 255 "
                    "--answer no\n"
                    "--op \"FFT Filter\" --ellipse 0,0,7,7\n"
                    "--op Threshold --threshold 127 --fill 0 --above --component rgb\n"
                    "--op \"Find Objects\" --results o.dat --metrics 2047 --background auto --min-area 12.5 --max-area 400 "
                    "--exclude-edge --own-pixels --summary\n");
    const std::vector<OperationStep> read = ParseRecipe(text, "r.nrcp");
    ASSERT_EQ(read.size(), steps.size());
    for (size_t i = 0; i < steps.size(); ++i) EXPECT_EQ(StepCommandLine(read[i]), StepCommandLine(steps[i]));
    EXPECT_EQ(read[0].params.boost, 0.1);
    EXPECT_EQ(read[1].params.resultsFile, "my \"objects\".dat");
    EXPECT_EQ(read[4].params.minArea, 12.5);
    EXPECT_TRUE(read[4].params.excludeEdge && read[4].params.ownPixels && read[4].params.summary);
}

TEST(Recipe, WordsSplitLikeAShell)
{
    const struct {
        const char* line;
        std::vector<std::string> words;
    } cases[] = {
        {"  a\tb  ", {"a", "b"}},
        {"\"a b\" 'c \"d' e\\ f", {"a b", "c \"d", "e f"}},
        {"x\"y\"z \"\" \"\\\\\"", {"xyz", "", "\\"}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitWords(c.line), c.words) << c.line;
    EXPECT_THROW(SplitWords("'open"), OptionError);
    EXPECT_THROW(SplitWords("end\\"), OptionError);
}
