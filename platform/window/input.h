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

}  // namespace platform
