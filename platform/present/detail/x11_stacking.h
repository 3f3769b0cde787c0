// The stacking of our windows: the program's order among its own windows goes to the server (or
// to the window manager, for windows it frames), and the program's order follows the server's
// when the window manager or another client restacks them.
#pragma once

#include "platform/present/detail/x11_presenter_state.h"

namespace platform::x11 {

// The window manager's frame around a window it manages: its ancestor that is a child of the root.
XWindowId FrameOf(XWindowId xid);

// Sends the program's order of its shown windows, when it changed since last sent.
void Restack();

// Another program's shown window lies over the window (over its frame, where it has one).
bool CoveredByAnotherProgram(const XWin& xw);

// The program's order of its windows follows the server's stacking of them (or of their frames).
void FollowStacking();

}  // namespace platform::x11
