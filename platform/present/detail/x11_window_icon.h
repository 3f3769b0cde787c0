// The icons of the X windows (_NET_WM_ICON), so that captions, task lists, pagers and window
// switchers show the window's own picture (an alarm's), or the clock rather than a generic one.
#pragma once

#include <X11/Xlib.h>

#include "platform/base.h"

namespace platform {

// Sets the window's own icon on it, or the program's for a window without one (WindowIconPixels).
void SetWindowIcon(Display* display, ::Window window, Atom netWmIcon, HICON icon);

}  // namespace platform
