// When each alarm fires next: FIRE of every enabled alarm, computed from its schedule, and the
// seconds to the nearest one, which the library's countdown token shows.
//
//   one-time      OriginalDate, plus the countdown span for a countdown (Flags 0x2)
//   by interval   (Flags 0x1 + 0x8) the first start + k x RepeatInterval (k >= 1) after now, where
//                 start is OriginalDate (plus the countdown span); while the start lies ahead, FIRE
//                 stays and AlarmState bit 16 keeps the engine from firing the alarm
//   by days       (Flags 0x1 without 0x8) the first day of RepeatDaily from today on whose clock
//                 time (that of OriginalDate) lies after the current second
//
// Times are local date-times in whole seconds.
#pragma once

#include <cstdint>
#include <vector>

#include "core/alarm.h"
#include "core/date_time.h"

namespace core {

// The span of a countdown of `seconds`: its parts (SplitSeconds) counted on the calendar from
// December of a common year on, so months have 31, 31, 28, 31 ... days: 1 month is 31 days,
// 3 months 90, 1 year 365, 3 years 1,096 (the third year is a leap year).
std::int64_t CountdownSpan(std::int32_t seconds);

// Recomputes FIRE of every alarm with FLAG 1 (with skipRetroactive, alarms with Flags 0x400 keep
// theirs: start-up catches a missed firing up); then asks the engine for a rescan and tells the
// library the time to the next alarm. True when some FIRE changed.
//
// An alarm has no next firing when it repeats by an interval of 0 seconds or below, when its
// times leave the 32-bit range of seconds, or when its firing time would fall in a year that
// four digits cannot hold (the alarm files could not read it back): its FIRE stays, AlarmState
// bit 32 holds it (not fired, not counted for the next alarm), and the debug log says why.
bool CalculateNextFiring(bool skipRetroactive);

// True when d's weekday is in mask (or mask is exactly 0x80); d then moves to that day at the time
// of day of clock, and the result is whether that moment lies after the current second. False,
// d unchanged, when the weekday is not in the mask.
bool DateMatchesDayMask(DateTime& d, const DateTime& clock, std::uint8_t mask);

// Tells the library (OZRNextAlarmFiringTime) the seconds from now to the nearest FIRE of an enabled
// alarm, walking Alarms in order: a running best that goes below 0 (an alarm already past) counts
// as none, so an enabled alarm after it in the list replaces it. 0 when no alarm is enabled. An
// alarm held with no next firing takes no part: its FIRE is no firing to count down to. An
// alarm's firing is the one UpcomingFiring gives: an interval alarm waiting for its start counts
// by its first firing.
void UpdateNextAlarmFiringTime();
// The count it tells, for a list and a moment. Counts beyond the 32-bit range are cut to it.
std::int32_t NextAlarmSeconds(const std::vector<Alarm>& alarms, const DateTime& now);

// The firing an alarm's schedule gives next, as the alarm manager shows it: FIRE, or for an alarm
// that repeats by interval and waits for its start (whose FIRE stays as it was) the first step
// after that start, where one exists.
DateTime UpcomingFiring(const Alarm& alarm, const DateTime& now);

// For the engine's tick: true when the alarm waits for its start (AlarmState bit 16) and that
// start has come by `now`, so a CalculateNextFiring now gives it its first firing.
bool StartReached(const Alarm& alarm, const DateTime& now);

}  // namespace core
