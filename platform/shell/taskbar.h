// The taskbar: the shell's window along one screen edge, with the task band and the notification
// area (icons, the chevron for icons that do not fit, and the clock). It lives in the shell's
// process context, is drawn like any window, and can be dragged to another edge with the mouse.
#pragma once

#include <functional>

#include "platform/base.h"

namespace platform {

enum class TaskbarEdge { Left, Right, Top, Bottom };

// What the taskbar paints behind its parts: the colour `first` alone, or a gradient across the
// bar's thickness from `first` (top or left) to `last` (bottom or right).
struct TaskbarBackground {
    COLORREF first = RGB(58, 110, 220);
    COLORREF last = RGB(30, 70, 180);
    bool gradient = true;
};

struct TaskbarWindows {
    HWND taskbar;   // Shell_TrayWnd
    HWND taskBand;  // ReBarWindow32
    HWND tray;      // TrayNotifyWnd
    HWND clock;     // TrayClockWClass
    HWND pager;     // SysPager
    HWND toolbar;   // ToolbarWindow32 "Notification Area"
    HWND chevron;   // Button
};

// Makes the taskbar (on that edge) in the shell's context. True when it runs, also when it was
// already running.
bool StartShell(TaskbarEdge edge = TaskbarEdge::Bottom);
// Destroys the taskbar and forgets its icons.
void StopShell();
bool ShellRunning();
TaskbarWindows GetTaskbarWindows();  // all 0 while no taskbar runs

TaskbarEdge CurrentTaskbarEdge();
// Moves the taskbar as a mouse drag does: capture, WM_ENTERSIZEMOVE, WM_MOVING, the move,
// WM_EXITSIZEMOVE (on which the taskbar lays itself out) and the release of the capture.
void MoveTaskbarToEdge(TaskbarEdge edge);
// Heard when a move (a drag or a choice in its menu) has put the taskbar on another edge.
void SetTaskbarMovedListener(std::function<void(TaskbarEdge)> listener);
// The rectangle the taskbar takes on an edge of the current screen.
RECT TaskbarRectOnEdge(TaskbarEdge edge);

void SetTaskbarBackground(const TaskbarBackground& background);
TaskbarBackground CurrentTaskbarBackground();

// The taskbar's context menu is open (its window is the one of class "#32768").
bool TaskbarMenuOpen();
HWND TaskbarMenuWindow();
// The menu the taskbar opened last (made afresh at every opening).
HMENU TaskbarMenu();

}  // namespace platform
