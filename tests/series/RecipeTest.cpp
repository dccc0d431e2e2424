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
    // Limits that name their units, and a grey image's Stretch, which names no channel.
    OperationStep units{FindOperation("Find Objects"), {}, {}, {}};
    units.params.resultsFile = "u.dat";
    units.params.minArea = 30;
    units.params.minAreaUnit = "\u00b5m";
    units.params.maxArea = 900;
    units.params.maxAreaUnit = "px";
    units.params.minMajor = 0;
    OperationStep stretch{FindOperation("Stretch"), {}, {}, {}};
    stretch.params.channel = -1;
    const std::vector<OperationStep> steps = {filter, objects, fft, threshold, sifted, units, stretch};

    const std::string text = RecipeText(steps);
    EXPECT_EQ(text, "nuvak recipe 1\n"
                    "--op \"Unsharp Mask\" --size 5 --boost 0.1 --aoi 10,10,300,200 --answer yes\n"
                    "--op \"Find Objects\" --results \"my \\\"objects\\\".dat\" --metrics 2047 --background 255 "
                    "--answer no\n"
                    "--op \"FFT Filter\" --ellipse 0,0,7,7\n"
                    "--op Threshold --threshold 127 --fill 0 --above --component rgb\n"
                    "--op \"Find Objects\" --results o.dat --metrics 2047 --background auto --min-area 12.5 --max-area 400 "
                    "--exclude-edge --own-pixels --summary\n"
                    "--op \"Find Objects\" --results u.dat --metrics 2047 --background auto --min-area 30um2 "
                    "--max-area 900px --min-major 0\n"
                    "--op Stretch\n");
    const std::vector<OperationStep> read = ParseRecipe(text, "r.nrcp");
    ASSERT_EQ(read.size(), steps.size());
    for (size_t i = 0; i < steps.size(); ++i) EXPECT_EQ(StepCommandLine(read[i]), StepCommandLine(steps[i]));
    EXPECT_EQ(read[0].params.boost, 0.1);
    EXPECT_EQ(read[1].params.resultsFile, "my \"objects\".dat");
    EXPECT_EQ(read[4].params.minArea, 12.5);
    EXPECT_TRUE(read[4].params.excludeEdge && read[4].params.ownPixels && read[4].params.summary);
    EXPECT_EQ(read[5].params.minAreaUnit, "\u00b5m");
    EXPECT_EQ(read[5].origin, "r.nrcp:7");
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

TEST(Recipe, AStepRecordsTheBackgroundItsAnswerChose)
{
    const std::string black = "Detected LIGHT objects on a BLACK background.\nIs this correct?";
    const std::string white = "Detected DARK objects on a WHITE background.\nIs this correct?";
    const std::string invert = "Clean is designed to work on images with light objects\non a black background.  Invert image?";
    const struct {
        const char* op;
        std::vector<platform::GivenAnswer> answers;
        const char* line;
    } cases[] = {
        {"Find Objects", {{black, true}}, "--op \"Find Objects\" --results o.dat --metrics 2047 --background 0"},
        {"Find Objects", {{black, false}}, "--op \"Find Objects\" --results o.dat --metrics 2047 --background 255"},
        {"Find Objects", {{white, false}}, "--op \"Find Objects\" --results o.dat --metrics 2047 --background 0"},
        {"Clean", {{white, true}, {invert, true}},
         "--op Clean --size 3 --clutter 150 --significance 20 --background 255 --answer yes"},
        {"Invert", {{white, true}}, "--op Invert"},
        {"Low Pass Filter", {{"room?", false}}, "--op \"Low Pass Filter\" --size 3 --answer no"},
    };
    for (const auto& c : cases) {
        OperationStep step{FindOperation(c.op), {}, {}, true};
        step.params.resultsFile = "o.dat";
        RecordAnswers(step, c.answers);
        EXPECT_EQ(StepCommandLine(step), c.line);
    }
}
