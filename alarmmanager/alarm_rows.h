// What the alarm manager's grid makes of an alarm record: whether it gets a row, its status and
// type pictures, and the order Sort gives the alarm list.
#pragma once

#include <string>
#include <vector>

#include "core/alarm.h"

namespace alarmmanager {

// A named alarm that is neither deleted nor removed from its file.
bool IsListed(const core::Alarm& a);

// The pictures, as paths after the program folder. The status picture follows FLAG (a repeating
// alarm that is on has its own); a FLAG outside 0 to 2 has none (""). The type picture is the
// clock's unless the alarm counts down by a repeating interval, from now or from a clock time.
std::string StatusPictureOf(const core::Alarm& a);
std::string TypePictureOf(const core::Alarm& a);

// The Activation column's text: the alarm's next firing as its schedule will give it after now.
std::string ActivationTextOf(const core::Alarm& a, core::DateTime now);

// Orders the list by FIRE, earliest first; alarms firing at the same moment keep their order.
// True when any record moved.
bool SortByFiringTime(std::vector<core::Alarm>& alarms);

}  // namespace alarmmanager
