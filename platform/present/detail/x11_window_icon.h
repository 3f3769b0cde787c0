// The program's icon on its X windows (_NET_WM_ICON), so that task lists, pagers and window
// switchers show the clock rather than a generic picture.
#pragma once

#include <X11/Xlib.h>

namespace platform {

// Sets the icon on the window; the picture is read once from the program folder. A picture that
// cannot be read is reported once, and the windows then go without an icon.
void SetProgramIcon(Display* display, ::Window window, Atom netWmIcon);

}  // namespace platform
