#include <gtest/gtest.h>

#include "processing/WeightEntry.h"

TEST(WeightEntry, CheckWeightMessages)
{
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"3", ""},
        {"-0.25", ""},
        {"1/9", ""},
        {"-1/8", ""},
        {"-", ""},
        {".", ""},
        {"007", ""},
        {"", "Error:  must enter value."},
        {"12a", "12a is not a valid entry."},
        {" 1", " 1 is not a valid entry."},
        {"1e5", "1e5 is not a valid entry."},
        {"+1", "+1 is not a valid entry."},
        {"2-", "Negative sign (-) must preceed the value."},
        {"--1", "Negative sign (-) must preceed the value."},
        {"1/-2", "Negative sign (-) must preceed the value."},
        {"/3", "Value must preceed the slash (/)."},
        {"1/2/3", "Value cannot contain more than 1 slash (/)"},
        {"1.5.2", "Value cannot contain more than 1 decimal point (.)"},
        {"1.5/2", "Value cannot contain both a decimal point (.) and a slash (/)."},
        {"1/2.5", "Value cannot contain both a decimal point (.) and a slash (/)."},
        {"1.2/3/4", "Value cannot contain both a decimal point (.) and a slash (/)."},
        {"1/2x", "1/2x is not a valid entry."},  // characters are checked in order
        {"1/0", "1/0 divides by zero.  The value after the slash (/) must not be 0."},
        {"0/0", "0/0 divides by zero.  The value after the slash (/) must not be 0."},
        {"5/", "5/ divides by zero.  The value after the slash (/) must not be 0."},
        {"3/000", "3/000 divides by zero.  The value after the slash (/) must not be 0."},
        // Beyond single precision a weight would be infinite or undefined.
        {"340000000000000000000000000000000000000", ""},
        {"-340000000000000000000000000000000000000.0", ""},
        {"340100000000000000000000000000000000000", "340100000000000000000000000000000000000 is too large.  "
                                                    "A weight must lie between -3.4e38 and 3.4e38."},
        {"-400000000000000000000000000000000000000.", "-400000000000000000000000000000000000000. is too large.  "
                                                      "A weight must lie between -3.4e38 and 3.4e38."},
        {"680000000000000000000000000000000000000/2", ""},
        {"680200000000000000000000000000000000000/2", "680200000000000000000000000000000000000/2 is too large.  "
                                                      "A weight must lie between -3.4e38 and 3.4e38."},
        {"1/1000000000000000000000000000000000000000000000000", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(CheckWeight(c.text), c.message) << c.text;

    // Parts beyond double precision: infinite over infinite is undefined.
    const std::string huge(400, '9');
    for (const std::string& text : {huge, huge + "/" + huge, huge + "/3", "-" + huge + "."})
        EXPECT_EQ(CheckWeight(text), text + " is too large.  A weight must lie between -3.4e38 and 3.4e38.");
    EXPECT_EQ(CheckWeight("1/" + huge), "");
}

TEST(WeightEntry, ValidateWeightsStopsAtTheFirstInvalidText)
{
    int bad = -7;
    std::string message;
    EXPECT_EQ(ValidateWeights({"1", "2/3", "-4"}, bad, message), 0);
    EXPECT_EQ(bad, -7);
    EXPECT_EQ(ValidateWeights({"1", "", "x", "/"}, bad, message), -1);
    EXPECT_EQ(bad, 1);
    EXPECT_EQ(message, "Error:  must enter value.");
    EXPECT_EQ(ValidateWeights({"0", "0", "9/", "x"}, bad, message), -1);
    EXPECT_EQ(bad, 2);
}

TEST(WeightEntry, ParseWeight)
{
    struct Case {
        const char* text;
        float value;
    } cases[] = {
        {"3", 3.0f},     {"-0.25", -0.25f}, {"1/9", static_cast<float>(1.0 / 9.0)}, {"-1/8", -0.125f},
        {"-", 0.0f},     {".", 0.0f},       {"-3/4", -0.75f},  {"2/3", static_cast<float>(2.0 / 3.0)},
        {"007", 7.0f},   {"0.1", 0.1f},     {"-/5", 0.0f},     {"99999999999999999999", 1e20f},
        {"16777217", 16777216.0f}, {"-9223372036854775809", -9.223372e18f},
        {"340000000000000000000000000000000000000", 3.4e38f},
        {"1/1000000000000000000000000000000000000000000000000", 0.0f},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseWeight(c.text), c.value) << c.text;
}
