// The settings window (frmSeti) and the about window (frmAbout) as the commands open them. These
// are the only operations the main window calls of them.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/window/window.h"

namespace core {

// Loads frmSeti: shows the settings window (not modal) and returns. It sets SettingsWindowOpen,
// becomes the library's tooltip master window, opens with node TreeSelectNode selected (node
// TreeExpandNode expanded unless it is -1) and sets TreeExpandNode to -1. Closing the window
// clears SettingsWindowOpen and ModalWindowOpen.
void LoadSettingsWindow();
// frmSeti.AlwaysOnTop: the settings window in the topmost band or out of it, not moved or sized.
void SettingsWindowAlwaysOnTop(bool on);
// Loads and shows frmAbout (not modal) and gives its close button cmdClose the focus. Closing
// the window clears ModalWindowOpen.
void ShowAboutWindow();

// The settings window and the about window, when open and minimised, are restored: the commands
// and keys that would show them bring them back.
void RestoreMinimizedWindows();

// The alarm list was loaded again under the settings window (an online restore); movedTo gives for
// each index of the list before the index of the same alarm now, or -1. The alarm manager shows
// the new list, keeping its selection on the same alarms, and a wizard that edits an alarm the
// list no longer holds ends with a message. Nothing while the window is closed.
void ShowReloadedAlarms(const std::vector<std::int32_t>& movedTo);

// The settings window's place, where it stands unless maximised, into PX and PY (nothing while
// it is closed): the program ends, or Cancel leaves the other settings as they were stored.
void KeepSettingsWindowPlace();

// The open windows (none when closed), and the settings window's selected tree node.
platform::HWND SettingsWindowHandle();
platform::HWND AboutWindowHandle();
std::int16_t SettingsWindowSelectedNode();

}  // namespace core
