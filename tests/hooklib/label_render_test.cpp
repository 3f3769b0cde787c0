#include <gtest/gtest.h>

#include <random>

#include "hooklib/label_countdown.h"
#include "hooklib/label_render.h"
#include "tests/hooklib/label_test_support.h"
#include "tests/support/locale_scope.h"

using namespace hooklib;
using hooklib::test::ParsedLabel;
using platform::SYSTEMTIME;

namespace {

// A local time; the day of the week is left wrong on purpose, the names come from the date.
SYSTEMTIME At(int year, int month, int day, int hour, int minute, int second) {
    SYSTEMTIME t;
    t.wYear = static_cast<platform::WORD>(year);
    t.wMonth = static_cast<platform::WORD>(month);
    t.wDayOfWeek = 6;
    t.wDay = static_cast<platform::WORD>(day);
    t.wHour = static_cast<platform::WORD>(hour);
    t.wMinute = static_cast<platform::WORD>(minute);
    t.wSecond = static_cast<platform::WORD>(second);
    return t;
}

struct RenderCase {
    const char* script;
    SYSTEMTIME time;
    std::int64_t secondsToNextAlarm;
    const char* text;
};

const SYSTEMTIME kMorning = At(2026, 3, 7, 9, 5, 3);  // a Saturday

void ExpectRenders(const RenderCase& c) {
    SCOPED_TRACE(c.script);
    auto label = ParsedLabel(c.script);
    EXPECT_EQ(RenderLabel(*label, c.time, c.secondsToNextAlarm), c.text);
}

TEST(LabelRender, TimeTokensAndTheTwelveHourClock) {
    const RenderCase cases[] = {
        {"achh:mm:ss", kMorning, 0, "09:05:03"},
        {"h:m:s", kMorning, 0, "9:5:3"},
        {"hh h", At(2026, 3, 7, 0, 0, 0), 0, "00 0"},
        {"hh h", At(2026, 3, 7, 23, 0, 0), 0, "23 23"},
        {"HH:mm AMPM", At(2026, 3, 7, 0, 30, 0), 0, "12:30 AM"},
        {"HH:mm AMPM", At(2026, 3, 7, 13, 7, 0), 0, "01:07 PM"},
        {"HH:mm AMPM", At(2026, 3, 7, 11, 59, 59), 0, "11:59 AM"},
        {"HH:mm AMPM", At(2026, 3, 7, 12, 0, 0), 0, "12:00 PM"},
        {"H AmPm ampm", At(2026, 3, 7, 0, 0, 0), 0, "12 Am am"},
        {"H AmPm ampm", At(2026, 3, 7, 12, 0, 0), 0, "12 Pm pm"},
        {"H AmPm ampm", At(2026, 3, 7, 23, 0, 0), 0, "11 Pm pm"},
        {"H", kMorning, 0, "9"},
    };
    for (const RenderCase& c : cases) {
        ExpectRenders(c);
    }
}

TEST(LabelRender, DateTokensYearFormsAndNames) {
    testsupport::LocaleScope english("C");
    const RenderCase cases[] = {
        {"MMMM MMM MM M", kMorning, 0, "March Mar 03 3"},
        {"MMMMM", kMorning, 0, "March3"},
        {"DDDD DDD DD D", kMorning, 0, "Saturday Sat 07 7"},
        {"DDDD DDD", At(2024, 2, 29, 0, 0, 0), 0, "Thursday Thu"},
        {"DDDD", At(2000, 1, 1, 0, 0, 0), 0, "Saturday"},
        {"DDDD", At(1900, 3, 1, 0, 0, 0), 0, "Thursday"},
        {"DDDD MMMM", At(2025, 12, 31, 0, 0, 0), 0, "Wednesday December"},
        {"MMM", At(2025, 9, 1, 0, 0, 0), 0, "Sep"},
        {"YYYY YY Y", At(2026, 3, 7, 0, 0, 0), 0, "2026 26 26"},
        {"YYYY YY Y", At(2005, 3, 7, 0, 0, 0), 0, "2005 05 5"},
        {"YYYY YY Y", At(2000, 3, 7, 0, 0, 0), 0, "2000 00 0"},
        {"YYYYY", At(1999, 3, 7, 0, 0, 0), 0, "199999"},
        // A date that is no calendar date has no names; its numbers are still written.
        {"DDDD|MMMM|MM/DD", At(2026, 2, 30, 0, 0, 0), 0, "||02/30"},
        {"MMM|M", At(2026, 13, 1, 0, 0, 0), 0, "|13"},
    };
    for (const RenderCase& c : cases) {
        ExpectRenders(c);
    }
}

TEST(LabelRender, MonthAndDayNamesAreTheUsersTimeLocales) {
    const SYSTEMTIME firstOfMarch = At(2026, 3, 1, 12, 0, 0);  // a Sunday
    {
        testsupport::LocaleScope english("C");
        ExpectRenders({"MMMM DDDD", firstOfMarch, 0, "March Sunday"});
    }
    if (!testsupport::LocaleScope::Available("nl_NL.UTF-8"))
        GTEST_SKIP() << "the locale nl_NL.UTF-8 is not generated here (tools/install-deps.sh makes it)";
    testsupport::LocaleScope dutch("nl_NL.UTF-8");
    ExpectRenders({"MMMM DDDD", firstOfMarch, 0, "maart zondag"});
    ExpectRenders({"MMM DDD", firstOfMarch, 0, "mrt zo"});
    ExpectRenders({"DDDD|MMMM", At(2026, 2, 30, 0, 0, 0), 0, "|"});
}

TEST(LabelRender, FlagsAndLiterals) {
    const RenderCase cases[] = {
        {"", kMorning, 0, ""},
        {"-- / --", kMorning, 0, "-- / --"},
        {"!tooltipalacar", kMorning, 0, ""},
        {"hh!tooltip:mm", kMorning, 0, "09:05"},
        {"Time", kMorning, 0, "Ti5e"},
        {"\"%d%%\" %s", kMorning, 0, "\"%d%%\" %3"},
        {"\xC3\xA9t\xC3\xA9 hh", kMorning, 0, "\xC3\xA9t\xC3\xA9 09"},
    };
    for (const RenderCase& c : cases) {
        ExpectRenders(c);
    }
}

TEST(LabelRender, CountdownToTheNextAlarm) {
    const RenderCase cases[] = {
        {"ETA", kMorning, 0, "00:00:00"},    // no alarm
        {"ETA", kMorning, -42, "00:00:00"},  // the alarm's time passed before a new count came
        {"ETA", kMorning, 59, "00:00:59"},
        {"ETA", kMorning, 3600 + 2 * 60 + 4, "01:02:04"},
        {"ETA", kMorning, 2 * 86400 + 3 * 3600 + 4 * 60 + 5, "51:04:05"},  // hours go past 24
        {"ETA", kMorning, 500000, "138:53:20"},                             // and past 99
        {"ETA", kMorning, 2147483647, "596523:14:07"},
        {"next ETA", kMorning, 65, "next 00:01:05"},
    };
    for (const RenderCase& c : cases) {
        ExpectRenders(c);
    }
}

struct CountdownCase {
    const char* name;
    std::int32_t passed;
    std::uint32_t setSecond;
    std::uint32_t nowSecond;
    std::int64_t left;
};

TEST(LabelCountdown, CountsDownFromTheSecondTheCountCame) {
    const CountdownCase cases[] = {
        {"none", 0, 100, 100, 0},
        {"negative count is none", -5, 100, 200, 0},
        {"one hour two minutes five seconds, one second ago", 3725, 100, 101, 3724},
        {"just passed", 10, 100, 110, 0},
        {"overdue", 10, 100, 120, -10},
        {"second stamps wrap at 32 bits", 60, 0xFFFFFFF0u, 0x0000000Cu, 32},
    };
    for (const CountdownCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SecondsToNextAlarm(c.passed, c.setSecond, c.nowSecond), c.left);
    }
}

// The 32-bit millisecond count wraps after 49.7 days of uptime; the countdown is taken from
// the 64-bit count and goes on smoothly across that point.
TEST(LabelCountdown, GoesOnAcrossTheWrapOfTheMillisecondCount) {
    const std::uint64_t wrap = std::uint64_t{1} << 32;
    const std::uint32_t set = CountdownSecond(wrap - 2000);
    const std::uint32_t now = CountdownSecond(wrap + 3000);
    const std::int64_t left = SecondsToNextAlarm(100, set, now);
    EXPECT_EQ(left, 95);
    auto label = ParsedLabel("ETA");
    EXPECT_EQ(RenderLabel(*label, kMorning, left), "00:01:35");
}

// Whatever the record holds, rendering stays within it.
TEST(LabelRender, DamagedRecordsAndWildTimesRenderWithinBounds) {
    auto label = ParsedLabel("hh:mm");
    label->Tokens[1].LiteralStart = 60000;
    label->Tokens[1].LiteralLength = 60000;
    EXPECT_EQ(RenderLabel(*label, kMorning, 0), "0905");
    label->Tokens[0].Row = 200;  // no such row: read as a literal at the start of the store
    label->Tokens[0].LiteralStart = 0;
    label->Tokens[0].LiteralLength = 1;
    EXPECT_EQ(RenderLabel(*label, kMorning, 0), ":05");
    label->TokenCount = -3;
    EXPECT_EQ(RenderLabel(*label, kMorning, 0), "");
    label->TokenCount = 30000;
    EXPECT_LE(RenderLabel(*label, kMorning, 0).size(), 499u * 16);

    std::mt19937 random(7);
    std::uniform_int_distribution<int> word(0, 0xFFFF);
    auto every = ParsedLabel("AMPM MMMM MMM MM YYYY YY Y DDDD DDD DD D hh HH H mm ss ETA");
    for (int run = 0; run < 2000; ++run) {
        SYSTEMTIME t;
        t.wYear = static_cast<platform::WORD>(word(random));
        t.wMonth = static_cast<platform::WORD>(word(random) % 16);
        t.wDay = static_cast<platform::WORD>(word(random) % 40);
        t.wHour = static_cast<platform::WORD>(word(random));
        t.wMinute = static_cast<platform::WORD>(word(random));
        t.wSecond = static_cast<platform::WORD>(word(random));
        const std::string text = RenderLabel(*every, t, static_cast<std::int64_t>(word(random)) * word(random) - 0x8000);
        ASSERT_LE(text.size(), 200u);
    }
}

}  // namespace
