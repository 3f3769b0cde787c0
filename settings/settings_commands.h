// What the main window's commands open: the settings window on a section, and the about window.
#pragma once

#include <cstdint>

namespace settings {

// "Program Settings - Program Settings" (1, 1) and "Program Settings - Alarm Settings" (7, 8): opens
// the settings window with that node expanded and that node selected; when the window is open
// already it only comes to the front; while the about window is open nothing happens.
void OpenSettingsWindow(std::int16_t expandNode, std::int16_t selectNode);

// "About": the about window, modeless, unless a settings or about window or the introduction is open.
void OpenAboutWindow();

}  // namespace settings
