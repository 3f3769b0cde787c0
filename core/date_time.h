// DateTime: a local date and time in whole seconds, on the serial-date model the clock's design
// uses. Day 0 is 30 December 1899, a day has 86,400 seconds, earlier moments are negative, and the
// calendar is the proleptic Gregorian one for every year. There is no time zone: values are local.
#pragma once

#include <compare>
#include <cstdint>

#include "platform/services/clock.h"

namespace core {

constexpr std::int64_t kSecondsPerDay = 86'400;

class DateTime {
public:
    constexpr DateTime() = default;
    static constexpr DateTime FromSerialSeconds(std::int64_t seconds) {
        DateTime d;
        d.seconds_ = seconds;
        return d;
    }
    constexpr std::int64_t SerialSeconds() const { return seconds_; }
    double SerialDays() const { return static_cast<double>(seconds_) / kSecondsPerDay; }

    int Year() const;
    int Month() const;  // 1 to 12
    int Day() const;    // 1 to 31
    int Hour() const;
    int Minute() const;
    int Second() const;
    int DayOfWeek() const;       // 0 Sunday to 6 Saturday
    DateTime DateOnly() const;   // the same day at 00:00:00
    std::int64_t TimeOfDay() const;  // seconds since midnight

    constexpr auto operator<=>(const DateTime&) const = default;

private:
    std::int64_t seconds_ = 0;
};

// The date from year, month and day, normalised: month 0 is December of the year before, month 13
// January of the year after, day 0 the last day of the month before, and a day past the month's
// end runs into the next month.
DateTime DateSerial(std::int64_t year, std::int64_t month, std::int64_t day);
// A time of day from hours, minutes and seconds, normalised the same way (61 seconds is 1 minute
// 1 second), as a count of seconds to add to a date.
constexpr std::int64_t TimeSerial(std::int64_t hours, std::int64_t minutes, std::int64_t seconds) {
    return hours * 3600 + minutes * 60 + seconds;
}
DateTime MakeDateTime(std::int64_t year, std::int64_t month, std::int64_t day, std::int64_t hour, std::int64_t minute, std::int64_t second);

constexpr DateTime AddSeconds(DateTime d, std::int64_t seconds) { return DateTime::FromSerialSeconds(d.SerialSeconds() + seconds); }
constexpr DateTime AddDays(DateTime d, std::int64_t days) { return AddSeconds(d, days * kSecondsPerDay); }
// The seconds from one moment to another, negative when `to` lies before `from`.
constexpr std::int64_t SecondsBetween(DateTime from, DateTime to) { return to.SerialSeconds() - from.SerialSeconds(); }

DateTime FromSystemTime(const platform::SYSTEMTIME& st);  // milliseconds dropped
platform::SYSTEMTIME ToSystemTime(DateTime d);
DateTime Now();  // the platform clock's local time

}  // namespace core
