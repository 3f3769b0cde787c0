// A label's text as the clock shows it now: the local time read once, and the countdown to the
// next alarm from what the program last passed.
#pragma once

#include <cstdint>
#include <string>

#include "hooklib/hook_label.h"
#include "platform/services/clock.h"

namespace hooklib {

std::string RenderLabelNow(const HookLabel& label);

// What a label's text is made from besides its script: the local time to the second and the
// countdown's seconds left. A label renders the same text at two equal moments.
struct LabelMoment {
    platform::SYSTEMTIME local;  // milliseconds left at 0
    std::int64_t secondsLeft = 0;
    bool operator==(const LabelMoment&) const = default;
};
LabelMoment LabelMomentNow();
std::string RenderLabelAt(const HookLabel& label, const LabelMoment& moment);

}  // namespace hooklib
