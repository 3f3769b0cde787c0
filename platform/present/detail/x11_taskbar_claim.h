// One desktop shows one copy's taskbar. Each copy of the program draws a taskbar of its own, and
// two of them would each keep clear of the other's reserved edge and so climb over each other
// without end. The copy that shows its taskbar owns a selection of the screen (as a desktop's
// managers do); another copy's waits, unshown, until that owner's window is gone, and takes the
// desktop then.
#pragma once

#include <X11/Xlib.h>

namespace platform::x11 {

// Whether this copy's taskbar may show, with wanted telling whether it would (the clock lives in
// it): takes the desktop's taskbar when no copy holds it, gives it up when no longer wanted, and
// otherwise waits for the copy that holds it (saying so once, in the program's log).
bool HoldDesktopTaskbar(bool wanted);
// The holder gone, or the desktop's taskbar taken from us: true when the event was that, and the
// shell's windows must be presented anew.
bool FollowTaskbarClaim(const XEvent& e);
// The display closes: nothing is held or watched any more.
void ForgetTaskbarClaim();

}  // namespace platform::x11
