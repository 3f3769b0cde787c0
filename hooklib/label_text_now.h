// A label's text as the clock shows it now: the local time read once, and the countdown to the
// next alarm from what the program last passed.
#pragma once

#include <string>

#include "hooklib/hook_label.h"

namespace hooklib {

std::string RenderLabelNow(const HookLabel& label);

}  // namespace hooklib
