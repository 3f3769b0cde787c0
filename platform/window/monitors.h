// The monitors the screen is cut into. As on the classic desktop, the program's coordinates put the
// primary monitor's top-left corner at 0,0: the screen of the screen metrics (its size, its work
// area, what is centred "on the screen") is the primary monitor, and the other monitors lie around
// it, at negative coordinates where they lie left of it or above it.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/base.h"

namespace platform {

// The area of the monitor that holds the point, or most of the rectangle; where none does (a
// place on a monitor that is gone), the primary monitor's.
RECT MonitorAreaAt(POINT point);
RECT MonitorAreaOf(const RECT& rect);
// The work area of that monitor.
RECT MonitorWorkAreaOf(const RECT& rect);
// What a window is centred on: the monitor of its owner when the owner shows, else the primary.
RECT CentringArea(HWND owner);
// True when some part of the rectangle lies on a monitor.
bool OnSomeMonitor(const RECT& rect);
// The rectangle moved at its size as little as it must to lie wholly within the area: left and up
// where it runs past the right or bottom edge, right and down past the left or top edge. One larger
// than the area keeps its top-left corner at the area's.
RECT KeptWithin(const RECT& rect, const RECT& area);
// The rectangle as it is where the monitors cover it whole (across the seam of two side by side
// too), else kept within the monitor nearest to it: the one that holds most of it, or where none
// holds any of it (its monitor is gone), the closest one.
RECT KeptOnMonitor(const RECT& rect);
// The bounding box of every monitor.
RECT VirtualScreen();

// A presenter tells the monitors as it finds them, in its own coordinates (an X screen's), and
// which of them is the primary one. They are kept moved so that the primary's corner is 0,0;
// the result is that corner in the presenter's coordinates, what it adds to the program's to get
// its own. An empty list leaves them as they are. A change is heard as a change of what the
// panels leave free (platform/window/panel_area.h): what lies along the screen's edges follows;
// and every shown window that the monitors no longer cover whole comes wholly onto the nearest one.
POINT SetMonitorLayout(const std::vector<RECT>& layout, std::size_t primary);
// Where the primary monitor's corner lies in the presenter's coordinates.
POINT MonitorLayoutOrigin();

}  // namespace platform
