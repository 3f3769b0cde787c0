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

void InjectMouseMove(POINT screen, std::optional<ModifierKeys> held = std::nullopt);
void InjectMouseButton(POINT screen, MouseButton button, bool down, std::optional<ModifierKeys> held = std::nullopt);
// A key press or release with its virtual-key code; a press of a character key also gives WM_CHAR
// with the character's Unicode code point (0 for none).
void InjectKey(int vk, bool down, unsigned int character = 0, std::optional<ModifierKeys> held = std::nullopt);

}  // namespace platform
