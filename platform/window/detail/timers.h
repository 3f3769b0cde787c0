// Window and thread timers in one queue ordered by due time.
#pragma once

#include <cstdint>

#include "platform/window/window.h"

namespace platform::detail {

constexpr UINT kMinimumTimerMs = 15;  // the platform's tick: shorter intervals run at this

// The monotonic time of the next due timer, or -1 when none.
std::int64_t NextTimerDue();
// Fires every timer due at or before now; returns how many fired.
int FireDueTimers(std::int64_t now);
std::size_t LiveTimerCount();
void KillTimersOfWindow(HWND hwnd);

}  // namespace platform::detail
