// Turns a parsed label into the text the clock shows. A pure function: the local time and the
// seconds to the next alarm are given by the caller, who reads the clock once per render.
#pragma once

#include <cstdint>
#include <string>

#include "hooklib/hook_label.h"
#include "platform/services/clock.h"

namespace hooklib {

// The label's text at localTime. secondsToNextAlarm feeds the countdown token (see
// SecondsToNextAlarm); 0 or less shows "00:00:00". Literals are copied as written, never used
// as a format. The length in characters is the result's size.
std::string RenderLabel(const HookLabel& label, const platform::SYSTEMTIME& localTime, std::int64_t secondsToNextAlarm);

}  // namespace hooklib
