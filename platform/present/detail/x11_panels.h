// The edges of the screen that other programs' panels reserve (EWMH struts), read from the X
// server: the desktop's own taskbar, a dock. _NET_WORKAREA would count the program's own taskbar
// too, so the struts are read window by window.
#pragma once

#include <X11/Xlib.h>

#include <functional>

#include "platform/base.h"

namespace platform {

// The screen (of that size) less what the shown windows that are not the program's own (isOwn)
// reserve along its edges.
RECT ReadPanelFreeArea(Display* display, ::Window root, SIZE screen, const std::function<bool(::Window)>& isOwn);

}  // namespace platform
