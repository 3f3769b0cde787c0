#include "core/next_firing.h"

#include <algorithm>

#include "tests/core/alarm_test_support.h"

using namespace core;

namespace {

class NextFiringTest : public AlarmTest {
protected:
    // An enabled alarm, added to the list (the blank record 0 stays first).
    Alarm& Add(std::int32_t flags, const char* originalDate, const char* fire = "2000-01-01 00:00:00") {
        Alarm a;
        a.FLAG = kAlarmOn;
        a.Flags = flags;
        a.OriginalDate = At(originalDate);
        a.FIRE = At(fire);
        a.CollectionFile = kDefaultCollectionForTests;
        Alarms.push_back(a);
        return Alarms.back();
    }
    static constexpr const char* kDefaultCollectionForTests = "MyAlarms.ozrini";
    static constexpr std::int32_t kInterval = kAlarmRepetitive | kAlarmByInterval;
    static constexpr std::int32_t kByDays = kAlarmRepetitive;
};

TEST(CountdownSpan, MonthsFollowTheCalendarFromDecemberOfACommonYear) {
    constexpr std::int32_t kDay = 86'400, kMonth = 2'678'400, kYear = 31'536'000;
    struct Case {
        std::int32_t countdown;
        std::int64_t days;
    } cases[] = {
        {kMonth, 31},          {2 * kMonth, 62},       {3 * kMonth, 90},          {11 * kMonth, 335},
        {kYear, 365},          {2 * kYear, 730},       {3 * kYear, 1096},         {kYear + 3 * kMonth, 455},
        {2 * kYear + 3 * kMonth, 821}, {92 * kDay, 92}, {93 * kDay, 90},          {0, 0},
        {kMonth - kDay, 30},   {50 * kYear, 18'262},
    };
    for (const Case& c : cases) EXPECT_EQ(CountdownSpan(c.countdown), c.days * kDay) << c.countdown;
    EXPECT_EQ(CountdownSpan(kDay + 2 * 3600 + 3 * 60 + 4), kDay + 2 * 3600 + 3 * 60 + 4);
    EXPECT_EQ(CountdownSpan(-5), 0) << "a negative count splits into nothing";
}

TEST_F(NextFiringTest, IntervalAlarmsFireAtTheNextStepAfterNow) {
    SetNow("2024-01-08T10:30:00");
    Alarm& a = Add(kInterval, "2024-01-08 08:00:00");
    a.RepeatInterval = 3600;
    EXPECT_TRUE(CalculateNextFiring(false));
    EXPECT_EQ(Text(Alarms[1].FIRE), "2024-01-08 11:00:00");
    EXPECT_FALSE(CalculateNextFiring(false)) << "nothing changed";

    SetNow("2024-01-08T11:00:00", 400);
    EXPECT_TRUE(CalculateNextFiring(false));
    EXPECT_EQ(Text(Alarms[1].FIRE), "2024-01-08 12:00:00") << "never the step that is now";
    EXPECT_EQ(RescanCounter, 2100) << "every computation asks the engine for a rescan";
}

TEST_F(NextFiringTest, AnIntervalAlarmWhoseStartLiesAheadWaitsForIt) {
    SetNow("2024-01-08T07:00:00");
    Alarm& a = Add(kInterval, "2024-01-08 08:00:00", "2024-01-01 05:00:00");
    a.RepeatInterval = 3600;
    EXPECT_FALSE(CalculateNextFiring(false));
    EXPECT_EQ(Text(Alarms[1].FIRE), "2024-01-01 05:00:00") << "FIRE stays";
    EXPECT_EQ(Alarms[1].AlarmState & kAlarmStartAhead, kAlarmStartAhead);
    EXPECT_FALSE(StartReached(Alarms[1], Now()));
    EXPECT_EQ(Text(UpcomingFiring(Alarms[1], Now())), "2024-01-08 09:00:00") << "what the manager shows meanwhile";

    // The engine recomputes as soon as the start has come: the first firing is start + interval.
    SetNow("2024-01-08T08:00:00");
    ASSERT_TRUE(StartReached(Alarms[1], Now()));
    EXPECT_TRUE(CalculateNextFiring(false));
    EXPECT_EQ(Text(Alarms[1].FIRE), "2024-01-08 09:00:00");
    EXPECT_EQ(Alarms[1].AlarmState & kAlarmStartAhead, 0);
    EXPECT_FALSE(StartReached(Alarms[1], Now()));
    EXPECT_EQ(Text(UpcomingFiring(Alarms[1], Now())), "2024-01-08 09:00:00");
    Alarms[1].RepeatInterval = 0;
    SetNow("2024-01-08T07:00:00");
    EXPECT_EQ(Text(UpcomingFiring(Alarms[1], Now())), "2024-01-08 09:00:00") << "no step without an interval: FIRE";
}

TEST_F(NextFiringTest, JustAfterStartUpIntervalAlarmsCountNowAsNineSecondsOn) {
    StartTime = At("2024-01-08 08:59:55");
    SetNow("2024-01-08T08:59:58");
    Add(kInterval, "2024-01-08 08:00:00").RepeatInterval = 60;
    CalculateNextFiring(true);
    EXPECT_EQ(Text(Alarms[1].FIRE), "2024-01-08 09:01:00") << "now counts as 09:00:07";

    SetNow("2024-01-08T09:00:04");  // 9 s after start-up: the rule is over
    CalculateNextFiring(false);
    EXPECT_EQ(Text(Alarms[1].FIRE), "2024-01-08 09:01:00");
    SetNow("2024-01-08T09:01:00");
    CalculateNextFiring(false);
    EXPECT_EQ(Text(Alarms[1].FIRE), "2024-01-08 09:02:00");
}

TEST_F(NextFiringTest, AlarmsWithoutANextFiringKeepFireAreHeldAndLeftOutOfTheCountdown) {
    SetNow("2024-01-08T10:30:00");
    Add(0, "2024-01-08 10:30:08", "2024-01-08 10:30:08");  // the real next alarm, 8 s away
    Add(kInterval, "2024-01-08 08:00:00", "2024-01-08 09:00:00").RepeatInterval = 0;
    Add(kInterval, "2024-01-08 08:00:00", "2024-01-08 09:00:00").RepeatInterval = -60;
    Add(kInterval, "1900-01-01 00:00:00", "2024-01-08 09:00:00").RepeatInterval = 60;  // 124 years ago
    // 64 years ago fits 32 bits, but the next step, 2 x 1.5e9 s on, does not.
    Add(kInterval, "1960-01-08 08:00:00", "2024-01-08 09:00:00").RepeatInterval = 1'500'000'000;
    // Firing times that four digits of year cannot hold: the alarm files could not read them back.
    Add(0, "0000-00-00 00:00:00", "2024-01-08 09:00:00");  // the year -1
    Add(kAlarmCountdown, "9999-06-01 00:00:00", "2024-01-08 09:00:00").OriginalCountdown = 31'536'000;
    EXPECT_FALSE(CalculateNextFiring(false));
    for (std::size_t i = 2; i < Alarms.size(); ++i) {
        EXPECT_EQ(Text(Alarms[i].FIRE), "2024-01-08 09:00:00") << i;
        EXPECT_EQ(Alarms[i].AlarmState, kAlarmNoNextFiring) << "held from firing: " << i;
        EXPECT_FALSE(StartReached(Alarms[i], Now())) << "and not recomputed every tick: " << i;
    }
    EXPECT_EQ(NextAlarmSeconds(Alarms, Now()), 8) << "held alarms take no part in the countdown";

    // A computation that finds a firing again frees the alarm.
    Alarms[2].RepeatInterval = 3600;
    EXPECT_TRUE(CalculateNextFiring(false));
    EXPECT_EQ(Text(Alarms[2].FIRE), "2024-01-08 11:00:00");
    EXPECT_EQ(Alarms[2].AlarmState, 0);
}

TEST_F(NextFiringTest, CountdownsRunFromTheirOriginalDate) {
    Add(kAlarmCountdown, "2024-01-10 12:00:00").OriginalCountdown = 8'035'200;  // 3 months of 31 days
    Add(kAlarmCountdown, "2024-01-08 10:00:00").OriginalCountdown = 86'400 + 2 * 3600;
    Add(kAlarmCountdown, "2024-01-08 10:25:00").OriginalCountdown = 300;
    Add(0, "2024-01-09 07:00:00");  // clock time
    EXPECT_TRUE(CalculateNextFiring(false));
    EXPECT_EQ(Text(Alarms[1].FIRE), "2024-04-09 12:00:00") << "90 days later";
    EXPECT_EQ(Text(Alarms[2].FIRE), "2024-01-09 12:00:00");
    EXPECT_EQ(Text(Alarms[3].FIRE), "2024-01-08 10:30:00") << "the parts of the first do not carry over";
    EXPECT_EQ(Text(Alarms[4].FIRE), "2024-01-09 07:00:00");

    // A countdown interval alarm starts after its countdown.
    Alarm& a = Add(kInterval | kAlarmCountdown, "2024-01-08 09:00:00");
    a.OriginalCountdown = 3600;
    a.RepeatInterval = 600;
    CalculateNextFiring(false);
    EXPECT_EQ(Text(Alarms[5].FIRE), "2024-01-08 10:40:00");
}

TEST_F(NextFiringTest, DayAlarmsFireOnTheirDaysAtTheirClockTime) {
    struct Case {
        const char* now;
        int ms;
        std::uint8_t mask;
        const char* fire;
    } cases[] = {
        {"2024-01-08T06:00:00", 0, 0x01, "2024-01-08 07:00:00"},    // Monday before the time
        {"2024-01-08T07:00:00", 500, 0x01, "2024-01-15 07:00:00"},  // in the firing second: next week
        {"2024-01-08T08:00:00", 0, 0x01, "2024-01-15 07:00:00"},
        {"2024-01-08T06:00:00", 0, 0x80, "2024-01-08 07:00:00"},    // every day
        {"2024-01-08T08:00:00", 0, 0x80, "2024-01-09 07:00:00"},
        {"2024-01-09T06:00:00", 0, 0x81, "2024-01-15 07:00:00"},    // 0x80 with other bits: only them
        {"2024-01-08T06:00:00", 0, 0x00, "2024-01-15 06:00:00"},    // no day: now + 7 days
        {"2024-01-08T08:00:00", 0, 0x60, "2024-01-13 07:00:00"},    // Saturday and Sunday
        {"2024-01-13T08:00:00", 0, 0x60, "2024-01-14 07:00:00"},
        {"2024-01-14T06:59:59", 0, 0x40, "2024-01-14 07:00:00"},    // Sunday is 0x40
        {"2024-01-12T23:59:59", 0, 0x10, "2024-01-19 07:00:00"},
    };
    for (const Case& c : cases) {
        SetNow(c.now, c.ms);
        Alarms.assign(1, Alarm{});
        Add(kByDays, "2023-05-05 07:00:00").RepeatDaily = c.mask;
        CalculateNextFiring(false);
        EXPECT_EQ(Text(Alarms[1].FIRE), c.fire) << c.now << " mask " << int(c.mask);
    }
}

TEST_F(NextFiringTest, DateMatchesDayMaskMovesOnlyAMatchingDay) {
    SetNow("2024-01-08T10:00:00");
    DateTime d = At("2024-01-09 03:04:05");  // Tuesday
    EXPECT_FALSE(DateMatchesDayMask(d, At("1999-01-01 12:00:00"), 0x01));
    EXPECT_EQ(Text(d), "2024-01-09 03:04:05") << "no match: unchanged";
    EXPECT_TRUE(DateMatchesDayMask(d, At("1999-01-01 12:00:00"), 0x02));
    EXPECT_EQ(Text(d), "2024-01-09 12:00:00");
    d = At("2024-01-08 23:00:00");
    EXPECT_FALSE(DateMatchesDayMask(d, At("1999-01-01 09:59:59"), 0x80)) << "a match that has passed";
    EXPECT_EQ(Text(d), "2024-01-08 09:59:59") << "keeps the new value";
}

TEST_F(NextFiringTest, OnlyEnabledAlarmsAreComputedAndRetroactiveOnesMayKeepTheirs) {
    Add(kInterval | kAlarmRetroactive, "2024-01-08 08:00:00", "2024-01-08 09:00:00").RepeatInterval = 3600;
    Add(0, "2024-01-09 07:00:00", "2024-01-01 01:01:01").FLAG = kAlarmOff;
    Add(0, "2024-01-09 07:00:00", "2024-01-01 01:01:01").FLAG = kAlarmPassed;
    EXPECT_FALSE(CalculateNextFiring(true));
    EXPECT_EQ(Text(Alarms[1].FIRE), "2024-01-08 09:00:00") << "a missed firing is caught up after start-up";
    EXPECT_TRUE(CalculateNextFiring(false));
    EXPECT_EQ(Text(Alarms[1].FIRE), "2024-01-08 11:00:00");
    EXPECT_EQ(Text(Alarms[2].FIRE), "2024-01-01 01:01:01");
    EXPECT_EQ(Text(Alarms[3].FIRE), "2024-01-01 01:01:01");
    EXPECT_EQ(Text(Alarms[0].FIRE), Text(DateTime{})) << "the blank record is off";
}

TEST_F(NextFiringTest, TheTimeToTheNextAlarmDependsOnTheListOrder) {
    const DateTime now = At("2024-01-08 10:30:00");
    auto list = [&](std::initializer_list<int> offsets, std::uint8_t flag = kAlarmOn) {
        std::vector<Alarm> alarms(1);
        for (int offset : offsets) {
            Alarm a;
            a.FLAG = flag;
            a.FIRE = AddSeconds(now, offset);
            alarms.push_back(a);
        }
        return alarms;
    };
    EXPECT_EQ(NextAlarmSeconds(list({100, -5, 50}), now), 50);
    EXPECT_EQ(NextAlarmSeconds(list({100, 50, -5}), now), 0) << "a past alarm last in the list hides the others";
    EXPECT_EQ(NextAlarmSeconds(list({-5, 100}), now), 100);
    EXPECT_EQ(NextAlarmSeconds(list({300, 200, 400}), now), 200);
    EXPECT_EQ(NextAlarmSeconds(list({100, 50}, kAlarmOff), now), 0) << "disabled alarms do not count";
    EXPECT_EQ(NextAlarmSeconds(list({100, 50}, kAlarmPassed), now), 0) << "passed alarms do not count";
    EXPECT_EQ(NextAlarmSeconds(list({}), now), 0);
    std::vector<Alarm> far = list({0});
    far[1].FIRE = At("9000-01-01 00:00:00");
    EXPECT_EQ(NextAlarmSeconds(far, now), 2'147'483'647);

    // An interval alarm waiting for its start (in an hour, then every 10 minutes) keeps a past
    // FIRE: it counts by its first firing wherever it stands.
    std::vector<Alarm> waiting = list({100, 50, -3600});
    Alarm& interval = waiting.back();
    interval.Flags = kInterval;
    interval.AlarmState = kAlarmStartAhead;
    interval.OriginalDate = AddSeconds(now, 3600);
    interval.RepeatInterval = 600;
    EXPECT_EQ(NextAlarmSeconds(waiting, now), 50);
    std::rotate(waiting.begin() + 1, waiting.end() - 1, waiting.end());
    EXPECT_EQ(NextAlarmSeconds(waiting, now), 50);
    waiting.resize(2);
    EXPECT_EQ(NextAlarmSeconds(waiting, now), 4200);
}

}  // namespace
