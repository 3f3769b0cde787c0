// The taskbar clock's hover tooltip, run in the context that owns the taskbar clock.
#pragma once

#include <string>

#include "platform/services/clock.h"
#include "platform/window/window.h"

namespace hooklib {

// Called by the clock's procedure on every mouse move over it.
void ClockMouseMove(platform::LPARAM clientPoint);
// Stops the hover's delay and watch timers.
void StopClockTooltipTimers();
// Takes the tooltip down at once and stops the hover's timers (a menu opens over the clock).
void CloseClockTooltip();
// Makes the tooltip for the clock's rectangle unless one shows.
void ShowClockTooltip(const platform::RECT& clock);
// The long date it shows: "Tuesday, 08 December, 2026".
std::string ClockTooltipText(const platform::SYSTEMTIME& date);

}  // namespace hooklib
