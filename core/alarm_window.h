// An alarm's window through the library: what a firing alarm and the alarm manager's Test show.
#pragma once

#include <cstdint>

#include "core/alarm.h"

namespace core {

// Asks the library for the window of the alarm with its fields and title font; closing the window
// reports `id` back to the main window. The windowless flag is the caller's business.
void ShowAlarmWindow(std::int32_t id, const Alarm& a);

}  // namespace core
