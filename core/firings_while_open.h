// The alarms the engine fired while the settings window was open. Cancel reads the alarm files
// again to drop what the user changed there; what the engine did meanwhile (a one-time alarm rang
// and passed, a repeating one moved on to its next firing) is no change of the user's and outlasts
// it. The engine does not save while the window is open, and an alarm the user changed is held back
// from its saves, so without this the reload would bring a rung alarm back on, with its firing time
// past, and it would ring again.
#pragma once

#include "core/alarm.h"
#include "core/date_time.h"

namespace core {

// The engine fired the alarm at `at` while the settings window was open.
void RememberFiring(const Alarm& a, DateTime at);

// Apply wrote the firings with everything else, or a new settings window starts afresh.
void ForgetFirings();

// After Cancel's reload: a one-time alarm that rang meanwhile and is on in the files with a firing
// time not after the one that rang is marked passed (one the files hold off, or set for later,
// stays as the files have it). Forgets the firings. True when the engine fired any alarm
// meanwhile: the caller saves once the next firing times are computed, so that the files keep the
// firings too.
bool CarryFiringsOver();

}  // namespace core
