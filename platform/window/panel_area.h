// The part of the screen that the panels of other programs on the desktop leave free (the edges
// they reserve for themselves). The shell's taskbar lies inside it, never over another panel.
#pragma once

#include <functional>

#include "platform/base.h"

namespace platform {

// The whole screen (the primary monitor) unless a presenter told of panels.
RECT PanelFreeArea();
// A presenter tells the area it found; a change is heard by the listener (the shell's taskbar).
void SetPanelFreeArea(const RECT& area);
void SetPanelFreeAreaListener(std::function<void()> listener);
// The monitors changed: the listener hears of it when the free area did.
void PanelFreeAreaMayHaveChanged();

}  // namespace platform
