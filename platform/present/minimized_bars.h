// Minimised windows within reach where no window manager keeps them: as on the classic desktop
// without a taskbar, each minimised top-level window shows as a small caption bar (its title and a
// restore box) along the bottom of the screen (above a taskbar there), left to right, and a click
// on it restores the window. A window manager that keeps minimised windows itself (its taskbar,
// its icons) makes the bars unneeded.
#pragma once

#include <functional>

namespace platform {

// Safe to call more than once.
void StartMinimizedBars();
// The presenter tells whether a window manager keeps minimised windows now (none: it never does).
void SetWindowManagerKeepsMinimized(std::function<bool()> keeps);

}  // namespace platform
