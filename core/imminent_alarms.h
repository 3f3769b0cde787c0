// The imminent alarms: the enabled alarms that fire within the next 29 minutes. The engine
// rebuilds this list every half hour (and whenever asked), so that its once-a-second test looks
// at a few alarms instead of the whole list.
#pragma once

#include <cstdint>
#include <optional>

#include "core/date_time.h"

namespace core {

inline constexpr std::int64_t kImminentWindowSeconds = 1740;
// RescanCounter above this rebuilds the list at the next tick.
inline constexpr std::int16_t kRescanPeriodSeconds = 1800;

// Rebuilds ImmediateAlarms from Alarms: element 0 is a placeholder, then the index of every
// enabled alarm whose FIRE lies at most kImminentWindowSeconds after now (past ones included).
// Remembers the earliest FIRE of the enabled alarms left out.
void RebuildImmediateAlarms(DateTime now);

// The list is due for a rebuild: the rescan period has passed or was cut short, or the earliest
// alarm left out of the last rebuild has come within the window since.
bool ImmediateAlarmsNeedRebuild(DateTime now);

// Some listed alarm may be due now. FIRE changes only through a computation, which asks for a
// rebuild, so between rebuilds a tick before the earliest listed FIRE has nothing to look at.
bool ImmediateAlarmsMayBeDue(DateTime now);

}  // namespace core
