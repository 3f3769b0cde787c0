// The real pointer and keyboard become the window system's input: presses, moves and keys on our
// windows, the keyboard held while a menu is open, and caption drags handed to the window manager.
#pragma once

#include "platform/present/detail/x11_presenter_state.h"

namespace platform::x11 {

// While a menu is open it holds the keyboard.
void ApplyKeyboardGrab(HWND hwnd, XWin& xw);

// A caption or border drag goes to the window manager (_NET_WM_MOVERESIZE).
bool MoveSizeByWindowManager(HWND hwnd, int edge, POINT screen);

// Our window has the keyboard again: the keys held before whose release went to another program
// count as up, as the server says.
void ForgetKeysReleasedElsewhere();

// Takes a pointer or key event; false for any other event.
bool HandleInputEvent(XEvent& e);

}  // namespace platform::x11
