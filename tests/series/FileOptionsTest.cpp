// How images are read and written, from the options every front end gives:
// the values taken, and each refusal with its reason.
#include <gtest/gtest.h>

#include "series/FileOptions.h"

namespace {

std::vector<StepOption> Options(const std::vector<std::string>& words)
{
    std::vector<StepOption> options;
    std::vector<std::string> others;
    SplitOptions(words, options, others);
    return options;
}

// Every option the reader takes, read from words.
void TakeAll(const std::vector<std::string>& words)
{
    std::vector<StepOption> options = Options(words);
    TakeRange(options);
    TakeQuality(options);
    TakeCalibration(options);
    TakeFormat(options);
}

}  // namespace

TEST(FileOptions, ValuesTaken)
{
    std::vector<StepOption> given = Options({"--range", "10,200", "--quality=7", "--pixel-size", "0.5,2", "--unit",
                                             "um", "--format", "tiff", "--size", "3"});
    EXPECT_EQ(TakeRange(given), (SampleRange{SampleRange::Mode::Fixed, 10, 200}));
    EXPECT_EQ(TakeQuality(given), 7);
    EXPECT_EQ(TakeCalibration(given), (CCalibration{0.5, 2, "\u00b5m"}));
    EXPECT_EQ(TakeFormat(given), FileFormat::Tiff);
    ASSERT_EQ(given.size(), 1u);  // what is not theirs stays for the step
    EXPECT_EQ(given[0].name, "size");

    std::vector<StepOption> none;
    EXPECT_EQ(TakeRange(none), std::nullopt);
    EXPECT_EQ(TakeQuality(none), 95);
    EXPECT_EQ(TakeCalibration(none), std::nullopt);
    EXPECT_EQ(TakeFormat(none), std::nullopt);
    given = Options({"--pixel-size", "3", "--unit", "in"});
    EXPECT_EQ(TakeCalibration(given), (CCalibration{3, 3, "in"}));
}

TEST(FileOptions, RefusalsNameTheReason)
{
    const char* const range = "--range must be full or LO,HI with 0 <= LO < HI <= 65535";
    const char* const quality = "--quality must be an integer from 1 to 100";
    const char* const size = "--pixel-size must be W or W,H with numbers above 0";
    const struct {
        std::vector<std::string> words;
        std::string reason;
    } cases[] = {
        {{"--range", "9,3"}, range},
        {{"--range", "0,65536"}, range},
        {{"--quality", "0"}, quality},
        {{"--quality", "101"}, quality},
        {{"--quality", "9x"}, quality},
        {{"--quality", ""}, quality},
        {{"--pixel-size", "2"}, "--pixel-size and --unit go together"},
        {{"--unit", "mm"}, "--pixel-size and --unit go together"},
        {{"--pixel-size", "2", "--unit", "ft"}, "--unit must be nm, um, mm, cm, m or in"},
        {{"--pixel-size", "0", "--unit", "mm"}, size},
        {{"--pixel-size", "1,", "--unit", "mm"}, size},
        {{"--pixel-size", "1,2x", "--unit", "mm"}, size},
        {{"--pixel-size", "inf", "--unit", "mm"}, size},
        {{"--pixel-size", "1,-1", "--unit", "mm"}, size},
        {{"--format", "gif"}, "--format must be bmp, png, tif or jpg"},
    };
    for (const auto& c : cases) {
        try {
            TakeAll(c.words);
            ADD_FAILURE() << "taken: " << c.words[1];
        } catch (const OptionError& refused) {
            EXPECT_EQ(refused.reason, c.reason) << c.words[1];
        }
    }
}
