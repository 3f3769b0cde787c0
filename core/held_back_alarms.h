// The alarms the settings window's pages changed and Apply has not written yet (held back from
// every save), across a reload the user did not ask for: the online restore replaces the alarm
// files while the window may hold such changes, an alarm under edit in the wizard and rows of the
// alarm manager that name alarms by their index in Alarms. An index changes with every load; an
// alarm's key in its collection does not, so that is how an alarm is found again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/alarm.h"

namespace core {

// The index in Alarms of the alarm with this one's key in the same collection (deleted and removed
// records aside); nothing when the list no longer holds it.
std::optional<std::size_t> IndexOfSameAlarm(const Alarm& alarm);

// Loads the alarm files again (ProcessAlarms) and puts the held-back records back on top, each in
// the place of its alarm in the new list, or at the end when the new list does not hold it (a
// deletion of an alarm no longer there is done already). EditedAlarmIndex follows AlarmUnderEdit
// to its new place, or becomes -1 when the new list does not hold it. Gives, for each index of the
// list before, the index of the same alarm in the new one, or -1 where it holds none.
std::vector<std::int32_t> ReloadAlarmsKeepingHeldBack();

}  // namespace core
