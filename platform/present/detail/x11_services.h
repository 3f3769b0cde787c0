// The outside services an X11 desktop provides: the window manager's list of other programs'
// windows with their polite close request, the CLIPBOARD and PRIMARY selections that the platform
// owns, and the pointer wherever it is on the screen.
// Installed by the X11 presenter on its connection.
#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <initializer_list>
#include <utility>

namespace platform {

// Interns every named atom in one round trip to the server (one XInternAtom each would wait for
// the server once per atom, which a loaded machine makes slow before the first window shows).
void InternAtoms(Display* display, std::initializer_list<std::pair<Atom*, const char*>> atoms);

// isOwn tells the presenter's own windows, which are not "other programs' windows".
void InstallX11Services(Display* display, ::Window root, std::function<bool(::Window)> isOwn);
// Takes the events of the selections; false for any other event.
bool HandleX11ServiceEvent(const XEvent& event);
void StopX11Services();

}  // namespace platform
