// The number boxes of the settings pages: the decimal and integer clean-ups and the -/+ stepping.
#include "settings/number_box.h"

#include <gtest/gtest.h>

#include "platform/window/messages.h"

namespace {

using settings::NumberBoxRule;

TEST(SanitizeDecimalText, CleansCutsAndClampsABoxOfZeroToTen) {
    struct Case {
        const char* entry;
        const char* shown;
    };
    const Case cases[] = {
        {"5", "5.0"},   {"0.25", "0.2"}, {"9.99", "9.9"}, {"12.34", "10.0"}, {"abc", "0.0"},    {"", "0.0"},
        {"-3", "3.0"},  {"007.5", "7.5"}, {".5", "0.5"},  {"1,5", "10.0"} /* the other separator is dropped: 15 */,
        {"1.2.3", "0.0"} /* no number */,  {"0", "0.0"},   {" 4 ", "4.0"},
    };
    for (const Case& c : cases) EXPECT_EQ(settings::SanitizeDecimalText(c.entry, 0, 10, true, 1, 1, "."), c.shown) << c.entry;
}

TEST(SanitizeDecimalText, FollowsTheSeparatorTheSignAndTheDecimalsAsked) {
    EXPECT_EQ(settings::SanitizeDecimalText("1.5", 0, 100, false, 0, 0, "."), "15");  // decimals not allowed
    EXPECT_EQ(settings::SanitizeDecimalText("2,75", 0, 10, true, 2, 1, ","), "2,75");
    EXPECT_EQ(settings::SanitizeDecimalText("2.75", 0, 10, true, 2, 1, ","), "10,0");  // "." is not the separator here
    EXPECT_EQ(settings::SanitizeDecimalText("-2.5", -5, 5, true, 1, 1, "."), "-2.5");
    EXPECT_EQ(settings::SanitizeDecimalText("-9", -5, 5, true, 1, 1, "."), "-5.0");
    EXPECT_EQ(settings::SanitizeDecimalText("3", 0, 10, true, 1, 3, "."), "3.0");  // shown no more than kept
    EXPECT_EQ(settings::SanitizeDecimalText("3.10", 0, 10, true, 2, 0, "."), "3.1");
}

TEST(SanitizeNumericText, KeepsDigitsAndClampsToTheBounds) {
    struct Case {
        const char* entry;
        long lower, upper;
        const char* shown;
    };
    const Case cases[] = {
        {"007", 1, 5000, "7"},        {"1.5", 1, 5000, "15"},      {"-5", 1, 5000, "5"},
        {"", 1, 5000, "1"},           {"0", 1, 5000, "1"},         {"12345", 1, 5000, "5000"},
        {"-0012", -2000, 2000, "-12"}, {"12-", -2000, 2000, "12"}, {"--5", -2000, 2000, "-5"},
        {"99999999999999999999999999", 1, 5000, "5000"} /* far too many digits: the bound */,
        {"-99999999999999999999999999", -2000, 2000, "-2000"}, {"4x2", 0, 100, "42"},
    };
    for (const Case& c : cases) EXPECT_EQ(settings::SanitizeNumericText(c.entry, c.lower, c.upper), c.shown) << c.entry;
}

TEST(NumberBoxStep, StepsByTheBoxsDecimalsAndNeverPastABound) {
    const NumberBoxRule tenths{0, 10, 0.1, 1, 1};
    const NumberBoxRule whole{1, 5000, 1, 0, 0};
    struct Case {
        const char* text;
        const NumberBoxRule& rule;
        int direction;
        const char* after;
    };
    const Case cases[] = {
        {"0.3", tenths, -1, "0.2"},  // not 0.1: binary fractions are taken on the box's decimals
        {"0.7", tenths, 1, "0.8"},   {"0.0", tenths, -1, "0.0"}, {"10.0", tenths, 1, "10.0"},
        {"9.95", tenths, 1, "10.0"}, {"", tenths, 1, "0.1"} /* an empty box is cleaned first */,
        {"abc", tenths, 1, "0.1"} /* so is text that is no number */,
        {"1", whole, -1, "1"},       {"5000", whole, 1, "5000"}, {"41", whole, 1, "42"},
        {"7x", whole, 1, "8"},       {"99999999999999999999", whole, -1, "4999"} /* the bound, then one step */, {"0.35", tenths, 1, "0.4"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(settings::StepNumberBoxText(c.text, c.rule, c.direction, "."), c.after) << c.text << " " << c.direction;
}

TEST(NumberBoxStep, UpAndRightArePlusLeftAndDownAreMinus) {
    EXPECT_EQ(settings::StepOfKey(platform::VK_UP), 1);
    EXPECT_EQ(settings::StepOfKey(platform::VK_RIGHT), 1);
    EXPECT_EQ(settings::StepOfKey(platform::VK_LEFT), -1);
    EXPECT_EQ(settings::StepOfKey(platform::VK_DOWN), -1);
    EXPECT_EQ(settings::StepOfKey(platform::VK_F2), 0);
}

}  // namespace
