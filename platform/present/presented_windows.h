// What a presenter reads of the window system: the top-level windows in stacking order, what each
// of them shows, and word of every change. Presenters read windows only through this.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/window/window.h"

namespace platform {

struct PresentedWindow {
    bool topLevel = false;
    std::string className;
    std::string title;
    HICON icon;  // its own; none: the program's
    DWORD style = 0;
    DWORD exStyle = 0;
    bool owned = false;                // it has an owner window
    bool ownedByHiddenWindow = false;  // a form that shows no taskbar button
    bool shellWindow = false;          // it belongs to the shell (the taskbar)
    bool minimized = false;
    bool maximized = false;
    // A message box or modal form while it waits, and the window it stands over (window/modal.h).
    bool modal = false;
    HWND modalOver;
    bool modalBlocksProgram = false;  // it blocks every window of the program, not only modalOver
    // Layering as it takes effect: no flags unless the window is layered and its attributes set.
    DWORD layeredFlags = 0;
    BYTE layeredAlpha = 255;
    COLORREF layeredKey = 0;
};

// The window as a presenter sees it; nothing for a stale or unknown handle.
std::optional<PresentedWindow> ReadPresentedWindow(HWND hwnd);
// The top-level windows, topmost first.
std::vector<HWND> TopLevelWindowsInZOrder();
// The shell's windows show only while the clock hooks into the shell (it has taken over its tray
// clock); otherwise the real desktop keeps its own panel.
bool ShellWindowsPresented();
// The open menu window that takes every key (none when no menu is open); its opening and closing
// are told as changes of that window.
HWND MenuKeyWindow();
// changed: a window moved, was resized, shown, hidden, restyled or re-stacked; destroyed: it is gone.
void ObservePresentedWindows(std::function<void(HWND)> changed, std::function<void(HWND)> destroyed);

}  // namespace platform
