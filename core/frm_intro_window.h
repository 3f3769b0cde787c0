// What the first-run window, the splash and the tip window share: their pictures, their place
// above every other window and their fading.
#pragma once

#include <string>

#include "platform/forms/picture.h"
#include "platform/window/window.h"

namespace core {

// A picture of the greeting windows, by its file name in "\GUI\Misc\" of the program folder. A
// picture that is missing or unreadable leaves its box empty and is told to the debug log: the
// greeting is no reason for the clock not to start.
platform::forms::Picture IntroPicture(const std::string& fileName);

// On: above every window that is not topmost; off: back among them. Neither moves nor sizes it.
void SetTopmost(platform::HWND hwnd, bool on);

// Makes the window a layered window: its whole extended style becomes WS_EX_LAYERED (the window
// system keeps its topmost band). ApplyOpacity then sets how opaque the compositor draws it, 0 to
// 255, and, with a colour key, which colour of it is left transparent.
void MakeLayered(platform::HWND hwnd);
void ApplyOpacity(platform::HWND hwnd, int opacity);
void ApplyOpacity(platform::HWND hwnd, platform::COLORREF colorKey, int opacity);

}  // namespace core
