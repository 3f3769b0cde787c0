#include "core/next_firing.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>

#include "core/date_routines.h"
#include "core/debug_log.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "core/library_binding.h"

namespace core {
namespace {

constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
// Within this many seconds of start-up an interval alarm is computed as if 9 s had passed, so
// the computation at start-up does not hand the engine a firing it is about to miss.
constexpr std::int64_t kStartUpGrace = 9;

bool Has(std::int32_t flags, std::int32_t bit) { return (flags & bit) != 0; }

DateTime Start(const Alarm& alarm) {
    DateTime start = alarm.OriginalDate;
    if (Has(alarm.Flags, kAlarmCountdown)) start = AddSeconds(start, CountdownSpan(alarm.OriginalCountdown));
    return start;
}

// What the computation makes of an alarm: a firing time, "the start lies ahead" (an interval
// alarm), or no next firing.
struct Outcome {
    enum { Fire, StartAhead, Undefined } kind;
    DateTime fire;
    std::string why;
};

Outcome NextIntervalFiring(const Alarm& alarm, DateTime now) {
    const DateTime start = Start(alarm);
    const std::int64_t elapsed = SecondsBetween(start, now);
    if (elapsed < 0) return {Outcome::StartAhead, {}, {}};
    if (elapsed > kInt32Max) return {Outcome::Undefined, {}, "its start lies too long ago"};
    if (alarm.RepeatInterval <= 0) return {Outcome::Undefined, {}, "its interval is not above 0 seconds"};
    const std::int64_t k = elapsed / alarm.RepeatInterval + 1;
    const std::int64_t offset = std::int64_t{alarm.RepeatInterval} * k;
    if (offset > kInt32Max) return {Outcome::Undefined, {}, "its next firing lies too far from its start"};
    DateTime fire = start;
    std::int32_t seconds = static_cast<std::int32_t>(offset);
    AddSecondsToDate(fire, seconds);
    return {Outcome::Fire, fire, {}};
}

// The moment interval alarms are computed for: now, or 9 s on within 9 s of start-up.
DateTime IntervalNow() {
    DateTime now = Now();
    if (SecondsBetween(StartTime, now) < kStartUpGrace) now = AddSeconds(now, kStartUpGrace);
    return now;
}

DateTime NextDayFiring(const Alarm& alarm) {
    DateTime d = Now();
    for (int k = 0; k < 7; ++k) {
        if (DateMatchesDayMask(d, alarm.OriginalDate, alarm.RepeatDaily)) break;
        d = AddDays(d, 1);
    }
    return d;
}

Outcome ScheduledFiring(const Alarm& alarm) {
    if (!Has(alarm.Flags, kAlarmRepetitive)) return {Outcome::Fire, Start(alarm), {}};
    if (!Has(alarm.Flags, kAlarmByInterval)) return {Outcome::Fire, NextDayFiring(alarm), {}};
    return NextIntervalFiring(alarm, IntervalNow());
}

// The alarm's next firing time, its AlarmState bits following; nothing when FIRE is to stay.
std::optional<DateTime> NextFiring(Alarm& alarm) {
    Outcome outcome = ScheduledFiring(alarm);
    // The alarm files hold dates with four-digit years: a firing time beyond them could be
    // written but never read back, and would stop every alarm from loading.
    if (outcome.kind == Outcome::Fire && !HasFourDigitYear(outcome.fire))
        outcome = {Outcome::Undefined, {}, "it would fall in the year " + std::to_string(outcome.fire.Year()) +
                                               ", which four digits cannot hold"};
    constexpr auto held = static_cast<std::uint8_t>(kAlarmStartAhead | kAlarmNoNextFiring);
    switch (outcome.kind) {
        case Outcome::Fire:
            alarm.AlarmState &= static_cast<std::uint8_t>(~held);
            return outcome.fire;
        case Outcome::StartAhead:
            alarm.AlarmState = static_cast<std::uint8_t>((alarm.AlarmState & ~held) | kAlarmStartAhead);
            return std::nullopt;
        case Outcome::Undefined:
            if (!(alarm.AlarmState & kAlarmNoNextFiring))
                DebugLog("[CalculateNextFiring]: alarm \"" + alarm.NAME + "\" has no next firing: " + outcome.why + ".");
            alarm.AlarmState = static_cast<std::uint8_t>((alarm.AlarmState & ~held) | kAlarmNoNextFiring);
            return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

std::int64_t CountdownSpan(std::int32_t seconds) {
    std::uint8_t years = 0, months = 0, days = 0, hours = 0, minutes = 0, secs = 0;
    SplitSeconds(seconds, years, months, days, hours, minutes, secs);
    const std::int64_t spanDays =
        (DateSerial(110 + years, months, days).SerialSeconds() - DateSerial(109, 11, 30).SerialSeconds()) / kSecondsPerDay;
    return spanDays * kSecondsPerDay + TimeSerial(hours, minutes, secs);
}

bool CalculateNextFiring(bool skipRetroactive) {
    bool changed = false;
    for (Alarm& alarm : Alarms) {
        if (alarm.FLAG != kAlarmOn) continue;
        if (skipRetroactive && Has(alarm.Flags, kAlarmRetroactive)) continue;
        std::optional<DateTime> computed = NextFiring(alarm);
        if (computed && *computed != alarm.FIRE) {
            alarm.FIRE = *computed;
            changed = true;
        }
    }
    frmMain().RescanImmediateAlarms();
    UpdateNextAlarmFiringTime();
    return changed;
}

bool DateMatchesDayMask(DateTime& d, const DateTime& clock, std::uint8_t mask) {
    // DayOfWeek: 0 Sunday to 6 Saturday; the mask: 0x01 Monday to 0x20 Saturday, 0x40 Sunday.
    const int weekday = d.DayOfWeek();
    const std::uint8_t bit = static_cast<std::uint8_t>(weekday == 0 ? 0x40 : 1 << (weekday - 1));
    if (mask != kEveryDay && !(mask & bit)) return false;
    d = AddSeconds(d.DateOnly(), clock.TimeOfDay());
    return SecondsBetween(d, Now()) < 0;
}

void UpdateNextAlarmFiringTime() {
    // The library keeps only the last count it is told: one call with the count the walk ends on
    // tells what a call for every record on the way would.
    OZRNextAlarmFiringTime(NextAlarmSeconds(Alarms, Now()));
}

std::int32_t NextAlarmSeconds(const std::vector<Alarm>& alarms, const DateTime& now) {
    std::int64_t best = 0;
    for (const Alarm& alarm : alarms) {
        if (alarm.FLAG == kAlarmOn && !(alarm.AlarmState & kAlarmNoNextFiring)) {
            // An interval alarm waiting for its start keeps a FIRE that has passed: its first
            // firing is the one ahead.
            const std::int64_t diff = SecondsBetween(now, UpcomingFiring(alarm, now));
            if (diff < best || best == 0) best = diff;
        }
        if (best < 0) best = 0;
    }
    return static_cast<std::int32_t>(std::min(best, kInt32Max));
}

DateTime UpcomingFiring(const Alarm& alarm, const DateTime& now) {
    if (!Has(alarm.Flags, kAlarmRepetitive) || !Has(alarm.Flags, kAlarmByInterval)) return alarm.FIRE;
    if (NextIntervalFiring(alarm, now).kind != Outcome::StartAhead) return alarm.FIRE;
    // Computed at the start itself, the rule gives its first step.
    const Outcome first = NextIntervalFiring(alarm, Start(alarm));
    return first.kind == Outcome::Fire && HasFourDigitYear(first.fire) ? first.fire : alarm.FIRE;
}

bool StartReached(const Alarm& alarm, const DateTime& now) {
    if (alarm.FLAG != kAlarmOn || !(alarm.AlarmState & kAlarmStartAhead)) return false;
    if (!Has(alarm.Flags, kAlarmRepetitive) || !Has(alarm.Flags, kAlarmByInterval)) return false;
    return NextIntervalFiring(alarm, now).kind == Outcome::Fire;
}

}  // namespace core
