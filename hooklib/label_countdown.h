// The countdown to the next alarm. The program passes the seconds to its nearest alarm now and
// then; the library keeps them with the second of the monotonic clock at which they came and
// counts down from there. Seconds are taken from the 64-bit tick count, so the countdown does
// not jump when the 32-bit millisecond count wraps after 49.7 days.
#pragma once

#include <cstdint>

namespace hooklib {

// The second stamp stored with a count (NextAlarmSetSecond), from GetTickCount64's milliseconds.
// Kept in 32 bits; differences of stamps are taken modulo 2^32, which is exact for 136 years.
std::uint32_t CountdownSecond(std::uint64_t tickCount64Ms);

// Seconds left to the next alarm at nowSecond, for a count nextAlarmSeconds passed at
// setSecond; 0 when the count passed was below 1 (no alarm). Negative once the time passed
// before the program sent a new count.
std::int64_t SecondsToNextAlarm(std::int32_t nextAlarmSeconds, std::uint32_t setSecond, std::uint32_t nowSecond);

}  // namespace hooklib
