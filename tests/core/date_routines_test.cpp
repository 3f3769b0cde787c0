#include "core/date_routines.h"

#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <set>

#include "core/rounding.h"
#include "platform/base.h"

using namespace core;

namespace {
std::string Text(const DateTime& d) { return FormatDateTimeString(d); }
}  // namespace

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    struct Case {
        double in, out;
    } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
                 {2.4999, 2}, {2.5001, 3}, {7597.5, 7598}, {7598.5, 7598}, {-7.0, -7}, {998.5, 998}};
    for (const Case& c : cases) EXPECT_EQ(RoundHalfEven(c.in), c.out) << c.in;
}

TEST(DateSerial, NormalisesMonthsAndDaysAcrossYearsAndLeapYears) {
    struct Case {
        int y, m, d;
        const char* expected;
    } cases[] = {
        {2024, 3, 5, "2024-03-05 00:00:00"},  {2024, 13, 1, "2025-01-01 00:00:00"}, {2024, 0, 1, "2023-12-01 00:00:00"},
        {2024, 3, 0, "2024-02-29 00:00:00"},  {2023, 3, 0, "2023-02-28 00:00:00"},  {1900, 3, 0, "1900-02-28 00:00:00"},
        {2000, 3, 0, "2000-02-29 00:00:00"},  {2100, 3, 0, "2100-02-28 00:00:00"},  {2024, 1, 32, "2024-02-01 00:00:00"},
        {2024, 2, 30, "2024-03-01 00:00:00"}, {2024, -1, 1, "2023-11-01 00:00:00"}, {2024, 25, 0, "2025-12-31 00:00:00"},
        {1899, 12, 30, "1899-12-30 00:00:00"}, {110, 0, 0, "0109-11-30 00:00:00"},   {112, 2, 29, "0112-02-29 00:00:00"},
    };
    for (const Case& c : cases) EXPECT_EQ(Text(DateSerial(c.y, c.m, c.d)), c.expected) << c.y << "-" << c.m << "-" << c.d;
    EXPECT_EQ(DateSerial(1899, 12, 30).SerialSeconds(), 0);
    EXPECT_EQ(DateSerial(1900, 1, 1).SerialDays(), 2.0);
    EXPECT_EQ(Text(MakeDateTime(2024, 12, 31, 23, 59, 61)), "2025-01-01 00:00:01");
    EXPECT_EQ(Text(MakeDateTime(2024, 3, 1, 0, 0, -1)), "2024-02-29 23:59:59");
    EXPECT_EQ(DateSerial(2024, 3, 5).DayOfWeek(), 2);  // a Tuesday
    EXPECT_EQ(DateSerial(1899, 12, 30).DayOfWeek(), 6);
    EXPECT_EQ(DateSerial(1899, 12, 24).DayOfWeek(), 0);
}

TEST(FormatDateTimeString, PadsTheYearToFourDigitsAndEveryOtherFieldToTwo) {
    EXPECT_EQ(Text(MakeDateTime(2024, 3, 5, 7, 8, 9)), "2024-03-05 07:08:09");
    EXPECT_EQ(Text(MakeDateTime(2024, 12, 31, 23, 59, 59)), "2024-12-31 23:59:59");
    EXPECT_EQ(Text(MakeDateTime(2024, 1, 1, 0, 0, 0)), "2024-01-01 00:00:00");
    EXPECT_EQ(Text(MakeDateTime(999, 1, 2, 3, 4, 5)), "0999-01-02 03:04:05");
    EXPECT_EQ(Text(MakeDateTime(101, 12, 9, 10, 26, 25)), "0101-12-09 10:26:25");
    EXPECT_EQ(Text(MakeDateTime(0, 1, 1, 0, 0, 0)), "0000-01-01 00:00:00");
    // Beyond four digits the text is no date the reader takes back; stored dates are checked.
    EXPECT_EQ(Text(ParseDateTimeString("0000-00-00 00:00:00")), "-1-11-30 00:00:00");
    EXPECT_EQ(Text(MakeDateTime(10007, 6, 11, 4, 40, 39)), "10007-06-11 04:40:39");
    EXPECT_TRUE(HasFourDigitYear(MakeDateTime(0, 1, 1, 0, 0, 0)));
    EXPECT_TRUE(HasFourDigitYear(MakeDateTime(9999, 12, 31, 23, 59, 59)));
    EXPECT_FALSE(HasFourDigitYear(MakeDateTime(-1, 12, 31, 23, 59, 59)));
    EXPECT_FALSE(HasFourDigitYear(MakeDateTime(10000, 1, 1, 0, 0, 0)));
}

TEST(ParseDateTimeString, ReadsFixedPositionsAndNormalises) {
    struct Case {
        std::string text;
        std::string expected;
    } cases[] = {
        {"2024-03-05 07:08:09", "2024-03-05 07:08:09"},
        {"0", "1900-07-02 00:00:00"},
        {"", "1900-07-02 00:00:00"},
        {"     ", "1900-07-02 00:00:00"},
        {"2024-13-05 07:08:09", "2025-01-05 07:08:09"},
        {"2024-13-01 00:00:00", "2025-01-01 00:00:00"},
        {"2024/02/30T25.61.61", "2024-03-02 02:02:01"},  // the separators are not looked at
        {"2024-03-05 07:08:09 and more", "2024-03-05 07:08:09"},
    };
    for (const Case& c : cases) EXPECT_EQ(Text(ParseDateTimeString(c.text)), c.expected) << '"' << c.text << '"';

    for (std::string bad : {"yesterday", "2024-03-05", "2024-03-05 07:08", "2024-0x-05 07:08:09", "00"}) {
        EXPECT_THROW(ParseDateTimeString(bad), platform::Error) << bad;
    }
}

TEST(ParseDateTimeString, ReadsBackEveryFormattedDateOfTheYears0To9999) {
    std::mt19937_64 random(7);
    const std::int64_t first = DateSerial(0, 1, 1).SerialSeconds();
    const std::int64_t span = DateSerial(10000, 1, 1).SerialSeconds() - first;
    for (int i = 0; i < 2000; ++i) {
        DateTime d = DateTime::FromSerialSeconds(first + static_cast<std::int64_t>(random() % static_cast<std::uint64_t>(span)));
        ASSERT_EQ(ParseDateTimeString(FormatDateTimeString(d)), d) << FormatDateTimeString(d);
    }
}

TEST(SplitSeconds, FillsOnlyThePartsTheCountReaches) {
    struct Case {
        std::int32_t seconds;
        std::uint8_t parts[6];
    } cases[] = {
        {93'784, {0, 0, 1, 2, 3, 4}},
        {31'536'000, {1, 0, 0, 0, 0, 0}},
        {2'678'399, {0, 0, 30, 23, 59, 59}},
        {2'678'400, {0, 1, 0, 0, 0, 0}},
        {kLongestDuration, {50, 0, 0, 0, 0, 0}},
        {kLongestDuration - 1, {49, 11, 23, 23, 59, 59}},
        {59, {0, 0, 0, 0, 0, 59}},
        {0, {0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        std::uint8_t p[6] = {};
        SplitSeconds(c.seconds, p[0], p[1], p[2], p[3], p[4], p[5]);
        EXPECT_EQ(std::vector<int>(p, p + 6), std::vector<int>(c.parts, c.parts + 6)) << c.seconds;
    }
    // Parts whose step does not apply keep what the caller put in.
    std::uint8_t p[6] = {9, 9, 9, 9, 9, 9};
    SplitSeconds(3'661, p[0], p[1], p[2], p[3], p[4], p[5]);
    EXPECT_EQ(std::vector<int>(p, p + 6), (std::vector<int>{9, 9, 9, 1, 1, 1}));
    std::uint8_t q[6] = {7, 7, 7, 7, 7, 7};
    SplitSeconds(-5, q[0], q[1], q[2], q[3], q[4], q[5]);
    EXPECT_EQ(std::vector<int>(q, q + 6), (std::vector<int>{7, 7, 7, 7, 7, 7}));
}

TEST(JoinSeconds, AddsThePartsUpToTheUpperLimit) {
    EXPECT_EQ(JoinSeconds(50, 0, 0, 0, 0, 0), 1'576'800'000);
    EXPECT_EQ(JoinSeconds(50, 0, 0, 0, 0, 1), -1);
    EXPECT_EQ(JoinSeconds(0, 1, 0, 0, 0, 0), 2'678'400);
    EXPECT_EQ(JoinSeconds(0, 0, 1, 2, 3, 4), 93'784);
    EXPECT_EQ(JoinSeconds(0, -1, 0, 0, 0, 0), -2'678'400);
    EXPECT_EQ(JoinSeconds(1, 0, 0, 0, 0, -10), 31'535'990);
    EXPECT_EQ(JoinSeconds(255, 32767, 32767, 2147483647, 2147483647, 2147483647), -1);  // no overflow
    EXPECT_EQ(JoinSeconds(0, 0, 0, -2147483647, 0, 0), -1);  // below the 32-bit range

    std::mt19937 random(11);
    for (int i = 0; i < 2000; ++i) {
        std::int32_t seconds = static_cast<std::int32_t>(random() % (kLongestDuration + 1u));
        std::uint8_t p[6] = {};
        SplitSeconds(seconds, p[0], p[1], p[2], p[3], p[4], p[5]);
        ASSERT_EQ(JoinSeconds(p[0], p[1], p[2], p[3], p[4], p[5]), seconds);
    }
}

TEST(AddSecondsToDate, AddsAllTheSecondsAndEmptiesTheCount) {
    DateTime d = MakeDateTime(2024, 1, 1, 0, 0, 0);
    std::int32_t seconds = 100'000;
    AddSecondsToDate(d, seconds);
    EXPECT_EQ(Text(d), "2024-01-02 03:46:40");
    EXPECT_EQ(seconds, 0);

    DateTime start = MakeDateTime(2024, 1, 1, 0, 0, 0);
    DateTime later = start;
    std::int32_t many = 2'000'000'000;
    AddSecondsToDate(later, many);
    EXPECT_EQ(SecondsBetween(start, later), TimeSerial(23'148 * 24 + 3, 33, 20));
    EXPECT_EQ(many, 0);

    DateTime leap = MakeDateTime(2024, 2, 28, 23, 0, 0);
    std::int32_t twoHours = 7'200;
    AddSecondsToDate(leap, twoHours);
    EXPECT_EQ(Text(leap), "2024-02-29 01:00:00");
}

TEST(GenerateUniqueKey, HasTheKeyFormAndRepeatsWithinASecond) {
    const DateTime d = MakeDateTime(2024, 3, 5, 7, 8, 9);
    const std::string key = GenerateUniqueKey(d);
    EXPECT_TRUE(std::regex_match(key, std::regex(R"(2024-03-05 # 07:08:09 # (0|[1-9][0-9]{0,2}))"))) << key;
    EXPECT_EQ(GenerateUniqueKey(d), key);
    EXPECT_EQ(GenerateUniqueKey(MakeDateTime(2024, 3, 5, 7, 8, 9)), key);

    std::set<std::string> numbers;
    for (int second = 0; second < 60; ++second) {
        std::string k = GenerateUniqueKey(MakeDateTime(2024, 3, 5, 7, 8, second));
        numbers.insert(k.substr(k.rfind(' ') + 1));
    }
    EXPECT_GT(numbers.size(), 40u) << "the number should vary with the second";
}

TEST(GenerateUniqueKey, AKeyForAListIsNeverOneTheListHolds) {
    const DateTime d = MakeDateTime(2024, 3, 5, 7, 8, 9);
    std::set<std::string> list;
    auto taken = [&](const std::string& k) { return list.count(k) > 0; };
    // The first key is the plain one; every later key of the same second differs from all before.
    list.insert(GenerateUniqueKey(d, taken));
    EXPECT_EQ(*list.begin(), GenerateUniqueKey(d));
    for (int i = 1; i < 1000; ++i) {
        std::string key = GenerateUniqueKey(d, taken);
        ASSERT_EQ(list.count(key), 0u) << key;
        ASSERT_EQ(key.rfind("2024-03-05 # 07:08:09 # ", 0), 0u) << key;
        list.insert(key);
    }
    EXPECT_EQ(list.size(), 1000u);
    EXPECT_THROW(GenerateUniqueKey(d, taken), platform::Error);
}
