// The window manager's contract: what a desktop's window manager asks of the program's top-level
// windows and tells them. The X11 presenter speaks it to a real window manager; headless, tests
// speak it in its place. With no window manager nothing here is ever called, and the windows
// behave as the platform alone makes them.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/window/window.h"

namespace platform {

// The window manager asks the window to close (its own close button, its Alt+F4): the window gets
// it as its user's Alt+F4 (WM_SYSCOMMAND SC_CLOSE, posted), whatever control in it has the focus.
// A disabled window ignores it, and so does the shell's taskbar, which cannot be closed.
void WindowManagerClose(HWND hwnd);
// The window manager minimised the window, or restored it (from a taskbar, a panel, Alt+Tab).
void WindowManagerIconic(HWND hwnd, bool iconic);
// The window manager gave the window the keyboard focus: it becomes its context's active window,
// so that keys typed into it reach it. A disabled window, or one that never activates, stays as it
// is.
void WindowManagerFocus(HWND hwnd);
// The window manager gave the keyboard to another program's window: no window of ours is the
// foreground window (none shows an active caption, none takes a key) until one of ours takes the
// keyboard again. Each context keeps its active window and its focus for when it comes back.
void WindowManagerFocusElsewhere();
// The window manager (or the X server) put the window there, at that size: it is moved and sized
// as when the program does it (WM_WINDOWPOSCHANGING, WM_MOVE, WM_SIZE, a repaint after a size),
// so that the program's record of it is where the window is.
void WindowManagerPlaced(HWND hwnd, const RECT& screen);
// The window manager stacked these top-level windows so, topmost first (windows it does not show
// are not listed): the program's order follows, each window within its band.
void WindowManagerStacked(const std::vector<HWND>& topFirst);
// The window manager maximised the window, or restored it: its maximised state follows; where it
// goes the window manager tells as a placement.
void WindowManagerMaximized(HWND hwnd, bool maximized);
// The program made one of its windows the one that takes the keyboard by its own doing: it gave it
// the focus, showed it, or handed the keyboard on to it from the window that had it when that one
// was hidden, minimised or destroyed (its owner, or else the frontmost window of the program that
// can be active, as on the classic desktop). The handler (a presenter) moves the desktop's keyboard
// focus along while it is on the program's windows, so that what the user types next reaches the
// window the program chose. Not called for a focus change that came from the window manager.
void SetWindowManagerActivate(std::function<void(HWND hwnd)> handler);
// The desktop's time of the user's doing that this process answers now: for a process the user
// has just started, the time of that start; 0 when the presenter knows none. A message to another
// running copy of the program carries it there (UserActedThroughAnotherCopy), so that the window
// that copy brings forward as it answers is the user's doing too, which a window manager that keeps
// windows from pushing in front of the user's work lets come forward. The presenter gives the
// handlers that read the time and take one that arrived.
void SetWindowManagerUserTime(std::function<std::uint32_t()> read, std::function<void(std::uint32_t)> arrived);
std::uint32_t UserActionTime();
void UserActedThroughAnotherCopy(std::uint32_t time);

// A window manager that moves and sizes windows itself takes the caption and border drags: edge 0
// is a move, 1 to 8 a size by that edge (left, right, top, top-left, top-right, bottom,
// bottom-left, bottom-right). The handler answers false to leave the drag to the platform's own
// tracking (which moves and sizes the window as the pointer goes). None: the platform tracks.
void SetWindowManagerMoveSize(std::function<bool(HWND hwnd, int edge, POINT screen)> handler);

}  // namespace platform
