// The size of the screen the windows live on: the primary monitor's (platform/window/monitors.h).
#pragma once

#include "platform/base.h"

namespace platform {
SIZE ScreenSize();
// One monitor of that size.
void SetScreenSize(SIZE size);
// The part of the primary monitor that other panels leave to windows (what a maximised window
// fills there): the whole of it unless a presenter tells of less.
RECT WorkArea();
// The presenter tells the desktop's work area (what the window manager publishes), in the
// program's coordinates; each monitor's is the part of it on the monitor.
void SetWorkArea(const RECT& area);
}  // namespace platform
