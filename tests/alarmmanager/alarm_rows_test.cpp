// What the alarm manager makes of alarm records: which get a row, their pictures, and Sort's order
// by the firing time itself (across a year's end, far in the future, the zero date, equal times).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "alarmmanager/alarm_rows.h"
#include "core/date_routines.h"

using alarmmanager::IsListed;
using alarmmanager::SortByFiringTime;
using alarmmanager::StatusPictureOf;
using alarmmanager::TypePictureOf;
using core::Alarm;

namespace {

Alarm Named(const std::string& name, const char* fire = "2026-03-01 07:00:00") {
    Alarm a;
    a.NAME = name;
    a.FIRE = core::ParseDateTimeString(fire);
    return a;
}

std::vector<std::string> Names(const std::vector<Alarm>& alarms) {
    std::vector<std::string> names;
    for (const Alarm& a : alarms) names.push_back(a.NAME);
    return names;
}

TEST(AlarmRows, OnlyNamedAlarmsThatAreNeitherDeletedNorRemovedAreListed) {
    Alarm a = Named("Tea");
    EXPECT_TRUE(IsListed(a));
    a.AlarmState = core::kAlarmHeldBack | core::kAlarmStartAhead;
    EXPECT_TRUE(IsListed(a));
    a.AlarmState = core::kAlarmDeleted;
    EXPECT_FALSE(IsListed(a));
    a.AlarmState = core::kAlarmRemoved;
    EXPECT_FALSE(IsListed(a));
    EXPECT_FALSE(IsListed(Named("")));
}

TEST(AlarmRows, TheStatusPictureFollowsTheStateAndARepeatingAlarmThatIsOnHasItsOwn) {
    struct Case {
        std::uint8_t flag;
        std::int32_t flags;
        const char* picture;
    } cases[] = {
        {core::kAlarmOff, 0, "WarlockAlarmOff.gif"},
        {core::kAlarmOff, core::kAlarmRepetitive, "WarlockAlarmOff.gif"},
        {core::kAlarmOn, 0, "WarlockAlarmOn.gif"},
        {core::kAlarmOn, core::kAlarmRepetitive, "WarlockAlarmInfinite.gif"},
        {core::kAlarmPassed, 0, "WarlockAlarmPassed.gif"},
        {core::kAlarmPassed, core::kAlarmRepetitive, "WarlockAlarmPassed.gif"},
    };
    for (const Case& c : cases) {
        Alarm a = Named("A");
        a.FLAG = c.flag;
        a.Flags = c.flags;
        EXPECT_EQ(StatusPictureOf(a), std::string("\\GUI\\Settings\\") + c.picture) << int(c.flag) << " " << c.flags;
    }
    Alarm odd = Named("A");
    odd.FLAG = 3;
    EXPECT_EQ(StatusPictureOf(odd), "");
}

TEST(AlarmRows, OnlyACountdownRepeatingByIntervalShowsTheHourglass) {
    using namespace core;
    struct Case {
        std::int32_t flags;
        const char* picture;
    } cases[] = {
        {0, "WarlockAlarmTypeClock.gif"},
        {kAlarmCountdown, "WarlockAlarmTypeClock.gif"},
        {kAlarmRepetitive | kAlarmCountdown, "WarlockAlarmTypeClock.gif"},  // repeats by days
        {kAlarmRepetitive | kAlarmByInterval, "WarlockAlarmTypeClock.gif"},
        {kAlarmRepetitive | kAlarmCountdown | kAlarmByInterval, "WarlockAlarmTypeCountdown.gif"},
        {kAlarmRepetitive | kAlarmCountdown | kAlarmByInterval | kAlarmStartFrom | kAlarmSlide,
         "WarlockAlarmTypeCountdownClock.gif"},
        {kAlarmCountdown | kAlarmStartFrom, "WarlockAlarmTypeClock.gif"},
    };
    for (const Case& c : cases) {
        Alarm a = Named("A");
        a.Flags = c.flags;
        EXPECT_EQ(TypePictureOf(a), std::string("\\GUI\\Settings\\") + c.picture) << c.flags;
    }
}

TEST(AlarmSort, OrdersByTheDateItselfAcrossAYearsEndAndFarAhead) {
    // A key of 365-day years and 31-day months would put late December after the next January and
    // every time after 2049-11-24 first.
    std::vector<Alarm> alarms = {Named("2051", "2051-06-01 00:00:00"), Named("Jan", "2027-01-01 08:00:00"),
                                 Named("Dec", "2026-12-28 08:00:00"), Named("2049", "2049-11-24 00:00:01"),
                                 Named("Feb", "2026-02-28 23:59:59")};
    EXPECT_TRUE(SortByFiringTime(alarms));
    EXPECT_EQ(Names(alarms), (std::vector<std::string>{"Feb", "Dec", "Jan", "2049", "2051"}));
    EXPECT_FALSE(SortByFiringTime(alarms)) << "a sorted list does not move";
}

TEST(AlarmSort, EqualTimesKeepTheirOrderAndTheZeroDateGoesFirstWithEveryRecordKept) {
    std::vector<Alarm> alarms = {Named("B", "2026-05-01 07:00:00"), Named("A1", "2026-04-01 07:00:00"),
                                 Named("C", "2026-05-01 07:00:00"), Named("A2", "2026-04-01 07:00:00"),
                                 Named("Never", "1899-12-30 00:00:00"), Named("Old", "1990-01-01 00:00:00")};
    alarms[2].AlarmState = core::kAlarmDeleted;
    alarms[2].Text = "deleted, still listed in memory";
    SortByFiringTime(alarms);
    EXPECT_EQ(Names(alarms), (std::vector<std::string>{"Never", "Old", "A1", "A2", "B", "C"}));
    EXPECT_EQ(alarms[5].AlarmState, core::kAlarmDeleted);
    EXPECT_EQ(alarms[5].Text, "deleted, still listed in memory");
    std::vector<Alarm> none;
    EXPECT_FALSE(SortByFiringTime(none));
}

}  // namespace
