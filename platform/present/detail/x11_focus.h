// The desktop's keyboard focus and the program's: which of our windows has the keyboard, asking
// the window manager to give it to the program's foreground window, and keeping it on a window of
// ours when the one that had it goes away.
#pragma once

#include "platform/present/detail/x11_presenter_state.h"

namespace platform::x11 {

// The program gave one of its windows the keyboard by its own doing: while the desktop's keyboard
// is ours, it follows. With another program's window focused, that stands.
void FollowProgramFocus(HWND);

// Our window that has the keyboard goes away: the window the program hands the keyboard on to
// takes it instead.
void KeepFocusPastLeaving(const XWin& xw);

// The window manager gave one of our windows the keyboard: it becomes the active window.
void FollowFocusIn(const XFocusChangeEvent& e);

}  // namespace platform::x11
