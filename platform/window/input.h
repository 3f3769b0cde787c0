// Input from the presenter (a real pointer and keyboard, or a test): routed to windows as the
// desktop does it, as posted messages in the order they happened.
#pragma once

#include <optional>

#include "platform/window/window.h"

namespace platform {

enum class MouseButton { Left, Right, Middle };

// The modifier keys held as the device reports them with each event. A presenter that knows them
// passes them, and they are taken as they are: a release that went to another program, or to a
// window that is gone, leaves no key held. Without them the presses and releases seen count.
struct ModifierKeys {
    bool shift = false;
    bool control = false;
    bool alt = false;
};

// A presenter whose pointer events come to a window (a real desktop's) names the top-level window
// the event came to: the pointer is on it, and on its child under the point, whatever the
// program's own stacking says. Without one the pointer goes to the frontmost window under it.
void InjectMouseMove(POINT screen, std::optional<ModifierKeys> held = std::nullopt, HWND over = HWND{});
void InjectMouseButton(POINT screen, MouseButton button, bool down, std::optional<ModifierKeys> held = std::nullopt,
                       HWND over = HWND{});
// A key press or release with its virtual-key code; a press of a character key also gives WM_CHAR
// with the character's Unicode code point (0 for none). A presenter whose keys come to a window (a
// real desktop's) names the top-level window the key came to: the key goes to that window's focused
// control, and that window becomes the active one, whatever the program took as active meanwhile;
// a key that came to a window that is gone reaches nothing. Without one the key goes to the
// foreground window's focused control.
void InjectKey(int vk, bool down, unsigned int character = 0, std::optional<ModifierKeys> held = std::nullopt,
               HWND to = HWND{});
// The key was released while another program had the keyboard, unseen here: it counts as up from
// here on, without a message, so that its next press is a press and not a repeat.
void InjectKeyReleasedElsewhere(int vk);

}  // namespace platform
