// The clock's shared date and duration routines: dates as text, durations split into calendar-ish
// parts and joined again, adding seconds to a date, and the unique keys of labels and alarms.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/date_time.h"

namespace core {

// Durations are whole seconds with years of 365 days and months of 31 days.
constexpr std::int32_t kSecondsPerYear = 31'536'000;
constexpr std::int32_t kSecondsPerMonth = 2'678'400;
constexpr std::int32_t kLongestDuration = 1'576'800'000;  // 50 years of 365 days

// "YYYY-MM-DD hh:mm:ss": the year with four digits ("0101"), every other field with two. A year
// outside 0 to 9999 is written as it is ("-1", "10007"), which ParseDateTimeString cannot read
// back: what is stored must have HasFourDigitYear.
std::string FormatDateTimeString(const DateTime& d);

// True when the date's year fits the four digits of the text form (0 to 9999), so its text reads
// back as the same date.
bool HasFourDigitYear(const DateTime& d);

// The text form read back by fixed character positions (year 1-4, month 6-7, day 9-10, hour
// 12-13, minute 15-16, second 18-19; the characters between are not looked at), normalised as
// DateSerial and TimeSerial do. "0", an empty text or one of blanks only is 2 July 1900, 00:00:00.
// Raises platform::Error when a field is not a 16-bit whole number.
DateTime ParseDateTimeString(const std::string& s);

// Splits a duration into years, months, days, hours, minutes and seconds. A part that the count
// does not reach is not written: callers set all six to 0 first. Negative counts write nothing.
void SplitSeconds(std::int32_t seconds, std::uint8_t& years, std::uint8_t& months, std::uint8_t& days,
                  std::uint8_t& hours, std::uint8_t& minutes, std::uint8_t& secs);

// The duration of the parts; -1 when it lies above kLongestDuration (or below the 32-bit range).
// Negative parts are accepted and give negative totals.
std::int32_t JoinSeconds(std::uint8_t years, std::int16_t months, std::int16_t days, std::int32_t hours,
                         std::int32_t minutes, std::int32_t secs);

// d becomes d plus the seconds; the count is 0 on return.
void AddSecondsToDate(DateTime& d, std::int32_t& seconds);

// "YYYY-MM-DD # hh:mm:ss # n" with n from 0 to 999, drawn from a generator seeded with the second
// of d and the current year: two keys made in the same second of a year are equal. The second form
// makes a key for a list: it draws again until isTaken says the key is free, so a new key is never
// one the list already holds. Raises platform::Error when all 1,000 keys of that second are taken.
std::string GenerateUniqueKey(const DateTime& d);
std::string GenerateUniqueKey(const DateTime& d, const std::function<bool(const std::string&)>& isTaken);

}  // namespace core
