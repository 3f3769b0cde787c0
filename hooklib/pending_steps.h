// The library's routines whose behaviour is built in later steps: the taskbar menu and click
// actions, smart windows, popup help and the clock tooltip, and special behaviours. Until then
// each does what is noted below, and the callers already call them where they belong.
#pragma once

#include <cstdint>

#include "platform/window/window.h"

namespace hooklib {

// Destroys the smart-window manager's windows and the manager. For now: there is none.
void DestroySmartWindowManager();
// Releases the calling context's special-behaviour queue. For now: there is none.
void ReleaseBehaviorQueue();

}  // namespace hooklib
