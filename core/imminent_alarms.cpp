#include "core/imminent_alarms.h"

#include "core/alarm.h"
#include "core/globals.h"

namespace core {
namespace {
// The earliest FIRE among the enabled alarms the last rebuild left out.
std::optional<DateTime> earliestLeftOut;
// The earliest moment a listed alarm can be due: its earliest FIRE, or none to wait for when a
// listed alarm waits for its start (that is looked at every tick).
std::optional<DateTime> earliestListed;
bool listedWaitForStart = false;
}  // namespace

void RebuildImmediateAlarms(DateTime now) {
    RescanCounter = 0;
    ImmediateAlarms.assign(1, 0);
    earliestLeftOut.reset();
    earliestListed.reset();
    listedWaitForStart = false;
    for (std::size_t i = 0; i < Alarms.size(); ++i) {
        const Alarm& a = Alarms[i];
        // An alarm held with no next firing can fire only after a computation, which rescans.
        if (a.FLAG != kAlarmOn || (a.AlarmState & kAlarmNoNextFiring)) continue;
        // An alarm waiting for its start is watched each tick, whatever its FIRE says.
        if (SecondsBetween(now, a.FIRE) <= kImminentWindowSeconds || (a.AlarmState & kAlarmStartAhead)) {
            ImmediateAlarms.push_back(static_cast<std::int32_t>(i));
            if (a.AlarmState & kAlarmStartAhead) listedWaitForStart = true;
            if (!earliestListed || a.FIRE < *earliestListed) earliestListed = a.FIRE;
        } else if (!earliestLeftOut || a.FIRE < *earliestLeftOut)
            earliestLeftOut = a.FIRE;
    }
}

bool ImmediateAlarmsMayBeDue(DateTime now) {
    return listedWaitForStart || (earliestListed && SecondsBetween(*earliestListed, now) >= 0);
}

bool ImmediateAlarmsNeedRebuild(DateTime now) {
    if (RescanCounter > kRescanPeriodSeconds) return true;
    return earliestLeftOut && SecondsBetween(now, *earliestLeftOut) <= kImminentWindowSeconds;
}

}  // namespace core
