// Input from the presenter (a real pointer and keyboard, or a test): routed to windows as the
// desktop does it, as posted messages in the order they happened.
#pragma once

#include "platform/window/window.h"

namespace platform {

enum class MouseButton { Left, Right, Middle };

void InjectMouseMove(POINT screen);
void InjectMouseButton(POINT screen, MouseButton button, bool down);
// A key press or release with its virtual-key code; a press of a character key also gives WM_CHAR
// with the character's Unicode code point (0 for none).
void InjectKey(int vk, bool down, unsigned int character = 0);

namespace detail {
// Input waits in its own queue and is routed when the loop takes it, as the desktop does: a
// capture or focus change made by an earlier input decides where the next one goes. Returns true
// when an input event was handled.
bool DispatchOneInput();
bool InputPending();
// While a menu window is open it takes every key, as a menu's loop does; none (0) ends that.
void SetMenuKeyWindow(HWND menuWindow);
}  // namespace detail

}  // namespace platform
