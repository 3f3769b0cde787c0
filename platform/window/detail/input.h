// Inside the window system: the queue of input from the presenter, taken by the message loop.
#pragma once

#include "platform/window/window.h"

namespace platform::detail {

// Input waits in its own queue and is routed when the loop takes it, as the desktop does: a
// capture or focus change made by an earlier input decides where the next one goes. Returns true
// when an input event was handled.
bool DispatchOneInput();
bool InputPending();
// While a menu window is open it takes every key, as a menu's loop does; none (0) ends that.
void SetMenuKeyWindow(HWND menuWindow);
HWND CurrentMenuKeyWindow();
// The next press starts afresh: it never makes a double click with one before (a modal wait
// lay between them).
void ForgetLastPress();

}  // namespace platform::detail
