// The monitors of the X screen and the one translation between the server's root coordinates and
// the program's, whose 0,0 is the primary monitor's top-left corner (as on the classic desktop).
// Monitors are read with RandR 1.5 and read again whenever RandR tells of a change; a server
// without it tells of them by Xinerama, or else is one monitor, the whole screen.
#pragma once

#include <X11/Xlib.h>

#include <cstddef>
#include <vector>

#include "platform/base.h"

namespace platform::x11 {

// The monitors in root coordinates, never none.
struct ScreenMonitors {
    std::vector<RECT> monitors;
    std::size_t primary = 0;
};

// Asks for RandR's notifications (on a server that has RandR).
void WatchMonitors(Display* display, ::Window root);
// True when the event was RandR's: the monitors are to be read again.
bool IsMonitorChange(XEvent& event);
ScreenMonitors ReadMonitors(Display* display, ::Window root);

// The root window's size.
SIZE RootSize(Display* display, int screen);

RECT ToRoot(const RECT& program);
POINT ToRoot(POINT program);
RECT FromRoot(const RECT& root);
POINT FromRoot(POINT root);

}  // namespace platform::x11
