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
// The window that has the keyboard (the foreground window) is about to be hidden, minimised or
// destroyed: its owner, or else the frontmost window of its program that can be active, becomes
// active in its place, as on the classic desktop, so that the keys typed next reach the program.
// That happens once the work of the moment is done, before the next input. A modal window leaves
// it to its wait, which gives the focus back when it ends.
void HandOverForeground(HWND leaving);
// Makes `top` the window that takes the keyboard (the foreground window).
void SetForeground(HWND top);
// The program made `hwnd` the window that takes the keyboard: a window manager hears of it
// (window_manager.h), unless its own focus change made it so.
void ForegroundChanged(HWND hwnd);
// A modal window the user minimised still blocks what it blocks: a key typed to it or to a window
// it blocks, and a press on such a window, bring it back (restored and active) instead of acting
// unseen or being lost. True when a minimised modal window was restored.
bool RestoreMinimizedModalWindows();
// The next press starts afresh: it never makes a double click with one before (a modal wait
// lay between them).
void ForgetLastPress();
// While held, the mouse buttons' presses and releases reach no window: they change only the
// buttons' state and are counted, for one that picks a place on the screen with a click.
void HoldPointerClicks(bool on);
// Whether the button (a VK_ code) was released since the clicks were held or since the last ask.
bool TakePointerRelease(int vk);

}  // namespace platform::detail
