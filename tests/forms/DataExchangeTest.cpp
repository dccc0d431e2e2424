#include <gtest/gtest.h>

#include "forms/DataExchange.h"
#include "forms/NumericEdit.h"

TEST(DataExchange, Integers)
{
    struct Case {
        const char* text;
        int min, max;
        bool ok;
        int value;
        const char* message;
    } cases[] = {
        {"127", 0, 255, true, 127, ""},
        {" 42 ", 0, 255, true, 42, ""},
        {"+7", 0, 255, true, 7, ""},
        {"0", 0, 255, true, 0, ""},
        {"255", 0, 255, true, 255, ""},
        {"300", 0, 255, false, 0, "Please enter an integer between 0 and 255."},
        {"-1", 0, 255, false, 0, "Please enter an integer between 0 and 255."},
        {"0", 1, 5, false, 0, "Please enter an integer between 1 and 5."},
        {"6", 1, 5, false, 0, "Please enter an integer between 1 and 5."},
        {"20656", 0, 20655, false, 0, "Please enter an integer between 0 and 20655."},
        {"99999999999999999999", 0, 255, false, 0, "Please enter an integer between 0 and 255."},
        {"", 0, 255, false, 0, "Please enter an integer."},
        {"-", 0, 255, false, 0, "Please enter an integer."},
        {"12a", 0, 255, false, 0, "Please enter an integer."},
        {"1.5", 0, 255, false, 0, "Please enter an integer."},
        {"1 2", 0, 255, false, 0, "Please enter an integer."},
    };
    for (const Case& c : cases) {
        const Exchanged<int> r = ExchangeInt(c.text, c.min, c.max);
        EXPECT_EQ(r.ok, c.ok) << c.text;
        EXPECT_EQ(r.value, c.value) << c.text;
        EXPECT_EQ(r.message, c.message) << c.text;
    }
    EXPECT_EQ(ExchangeInt("-2147483648").value, -2147483648);
    EXPECT_EQ(ExchangeInt("2147483648").message, "Please enter an integer.");
}

TEST(DataExchange, Numbers)
{
    struct Case {
        const char* text;
        bool ok;
        double value;
        const char* message;
    } cases[] = {
        {"90", true, 90, ""},
        {"-360", true, -360, ""},
        {"360", true, 360, ""},
        {" 12.5 ", true, 12.5, ""},
        {".5", true, 0.5, ""},
        {"5.", true, 5, ""},
        {"1e2", true, 100, ""},
        {"360.5", false, 0, "Please enter a number between -360 and 360."},
        {"-361", false, 0, "Please enter a number between -360 and 360."},
        {"", false, 0, "Please enter a number."},
        {".", false, 0, "Please enter a number."},
        {"abc", false, 0, "Please enter a number."},
        {"1,5", false, 0, "Please enter a number."},
        {"inf", false, 0, "Please enter a number."},
        {"nan", false, 0, "Please enter a number."},
        {"0x10", false, 0, "Please enter a number."},
        {"1e999", false, 0, "Please enter a number."},
        {"1e", false, 0, "Please enter a number."},
    };
    for (const Case& c : cases) {
        const Exchanged<double> r = ExchangeReal(c.text, -360, 360);
        EXPECT_EQ(r.ok, c.ok) << c.text;
        EXPECT_EQ(r.value, c.value) << c.text;
        EXPECT_EQ(r.message, c.message) << c.text;
    }
    EXPECT_EQ(ExchangeReal("1e300").value, 1e300);
}

TEST(NumericEdit, KeysAndValueAfterEveryKey)
{
    struct Case {
        const char* keys;
        const char* text;
        double value;
        bool lastAccepted;
    } cases[] = {
        {"-5", "5", 5, true},          // the minus sign is dropped
        {"12.5", "12.5", 12.5, true},
        {"1.2.3", "1.2.3", 1.2, true},  // leading number, the rest ignored
        {"4x", "4", 4, false},
        {"45\b", "4", 4, true},
        {"\b\b", "", 0, true},
        {".", ".", 0, true},
        {" 7", "7", 7, true},
    };
    for (const Case& c : cases) {
        NumericEdit edit(0);
        edit.SetText("");
        bool accepted = true;
        for (const char* k = c.keys; *k; ++k) accepted = edit.Type(*k);
        EXPECT_EQ(edit.Text(), c.text) << c.keys;
        EXPECT_EQ(edit.Value(), c.value) << c.keys;
        EXPECT_EQ(accepted, c.lastAccepted) << c.keys;
    }
}

TEST(NumericEdit, StartsWithItsOwnersValueAndRereadsADroppedKey)
{
    NumericEdit boost(1);
    EXPECT_EQ(boost.Text(), "1");
    EXPECT_EQ(boost.Value(), 1);
    NumericEdit percent(100);
    percent.SetText("12abc");
    EXPECT_EQ(percent.Value(), 12);
    EXPECT_FALSE(percent.Type('-'));
    EXPECT_EQ(percent.Value(), 12);
    EXPECT_EQ(LeadingNumber("  3.25xyz"), 3.25);
    EXPECT_EQ(LeadingNumber("x3"), 0);
}
