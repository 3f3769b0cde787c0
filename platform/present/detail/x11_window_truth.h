// What the X server and the window manager say of our top-level windows: where a window is after
// a ConfigureNotify, how the root's children are stacked, the work area, a window's states. The
// X11 presenter takes these as the truth and makes the program's records follow.
#pragma once

#include <X11/Xlib.h>

#include <deque>
#include <vector>

#include "platform/base.h"

namespace platform {

// The window's rectangle on the root after a ConfigureNotify. A synthetic event (the window
// manager's) is in root coordinates; a real one of a window in a frame is relative to the frame,
// and the window's place on the root is asked of the server.
RECT RootRectAfterConfigure(Display* display, ::Window root, const XConfigureEvent& event, bool framed);

// The root's children, topmost first.
std::vector<::Window> RootChildrenTopFirst(Display* display, ::Window root);

// The work area the window manager publishes (_NET_WORKAREA, of the first desktop); empty when
// none is published.
RECT PublishedWorkArea(Display* display, ::Window root, Atom workArea);

// The atoms of a window's property (an empty list when it has none).
std::vector<Atom> AtomList(Display* display, ::Window window, Atom property);

// True when the window is a client of the window manager (it holds WM_STATE) or lies inside one:
// a window of some program that has the keyboard, not one of the window manager's own, the root,
// or none (None, PointerRoot).
bool InsideManagedClient(Display* display, ::Window window, Atom wmState);

// The places the program asked for a window that the server has not confirmed yet: a
// ConfigureNotify that tells of one of them is the program's own move coming through (also an
// older one, overtaken by a later request), never a move to follow back.
class RequestedPlaces {
public:
    void Asked(const RECT& r);
    // True when `r` was asked for; it and every older request are done.
    bool Confirms(const RECT& r);
    void Clear() { asked_.clear(); }
    bool Pending() const { return !asked_.empty(); }

private:
    std::deque<RECT> asked_;
};

}  // namespace platform
