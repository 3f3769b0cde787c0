#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/services/clock.h"

using namespace platform;

TEST(VirtualClock, MovesOnlyWhenAdvancedAndSetsWallTime) {
    setenv("TZ", "UTC", 1);
    tzset();
    std::int64_t start = 0;
    ASSERT_TRUE(ParseLocalTimestamp("2026-03-01T12:00:00", &start));
    auto clock = MakeVirtualClock(start);
    auto mono = clock->MonotonicMs();
    EXPECT_EQ(clock->UtcMs(), start);
    clock->Advance(1500);
    EXPECT_EQ(clock->MonotonicMs(), mono + 1500);
    EXPECT_EQ(clock->UtcMs(), start + 1500);
    // Setting the wall time never moves the monotonic count.
    EXPECT_TRUE(clock->SetUtcMs(start - 60'000));
    EXPECT_EQ(clock->MonotonicMs(), mono + 1500);
    EXPECT_EQ(clock->UtcMs(), start - 60'000);
}

TEST(VirtualClock, TickCountWrapsAt32BitsButTheLongCountDoesNot) {
    InstallService<Clock>(MakeVirtualClock(0));
    auto before64 = GetTickCount64();
    CurrentClock().Advance((std::int64_t{1} << 32));
    EXPECT_EQ(GetTickCount(), static_cast<DWORD>(before64));
    EXPECT_EQ(GetTickCount64(), before64 + (std::uint64_t{1} << 32));
    InstallService<Clock>(MakeSystemClock());
}

TEST(LocalTime, FollowsTheTimeZoneAndRejectsMalformedStamps) {
    setenv("TZ", "Europe/Bucharest", 1);
    tzset();
    std::int64_t utc = 0;
    ASSERT_TRUE(ParseLocalTimestamp("2026-07-01T03:00:00", &utc));
    SYSTEMTIME st = UtcMsToSystemTime(utc);
    EXPECT_EQ(st.wHour, 0);  // summer time is UTC+3
    SYSTEMTIME local = UtcMsToLocalTime(utc);
    EXPECT_EQ(local.wHour, 3);
    EXPECT_EQ(local.wDayOfWeek, 3);  // a Wednesday
    EXPECT_FALSE(ParseLocalTimestamp("2026-13-01T00:00:00", &utc));
    EXPECT_FALSE(ParseLocalTimestamp("yesterday", &utc));
    EXPECT_FALSE(ParseLocalTimestamp("2026-03-01T12:00:00Z", &utc));
    // The same instant in a zone set anew is converted in that zone, as is the second after it.
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(UtcMsToLocalTime(utc + 10'000).wHour, 0);
    setenv("TZ", "Asia/Tokyo", 1);
    tzset();
    EXPECT_EQ(UtcMsToLocalTime(utc + 10'000).wHour, 9);
    EXPECT_EQ(UtcMsToLocalTime(utc + 11'000).wSecond, 11);
    setenv("TZ", "UTC", 1);
    tzset();
}
