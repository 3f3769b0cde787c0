// What the X11 presenter tells the window manager of a window: its type, title, states
// (_NET_WM_STATE), transient owner, strut, initial state and group, and the functions and size
// hints it is made with; and what the window manager changes of its states by its own rules.
#pragma once

#include <string>

#include "platform/present/detail/x11_presenter_state.h"
#include "platform/present/presented_windows.h"

namespace platform::x11 {

// Windows of the shell (the taskbar) show only while the clock has taken over its tray clock;
// otherwise the real desktop keeps its own panel and no second taskbar appears.
bool Presented(const PresentedWindow& w);

// Makes the X window of a top-level window, with every hint a window manager reads at mapping.
XWin& Create(HWND hwnd, const PresentedWindow& w, const RECT& r);

// Titles, states and layering go to the server only when they change.
void SetTitle(XWin& xw, const std::string& title);
void SetIcon(XWin& xw, HICON icon);
void ApplyStates(XWin& xw, const PresentedWindow& w);
void ApplyTransient(XWin& xw, const PresentedWindow& w);
void ApplyStrut(const XWin& xw, const RECT& r);

// Which process on which machine the window belongs to (_NET_WM_PID, WM_CLIENT_MACHINE).
void SetClientIdentity(XWindowId xid);

// The window manager's functions (_MOTIF_WM_HINTS), and the sizes it may give the window
// (WM_NORMAL_HINTS): a window without a sizing frame keeps the size the program gives it, as its
// minimum and its maximum, so that no window manager's maximise, key or snap makes it any other.
void ApplyFunctions(XWin& xw, const PresentedWindow& w);
// The window offers the window manager's minimise (it has a minimise box of its own).
bool OffersMinimize(const XWin& xw);
void ApplySizeHints(XWin& xw, const RECT& r, bool fixed);

// WM_HINTS: the state the window is mapped in, and the program's group.
void SetInitialState(const XWin& xw, int state);

// The window manager maximised or restored the window by its own rules (its keys, its menu):
// the program's window is maximised or restored too, and a fullscreen counts as a maximise. Half
// a maximise changes nothing.
void FollowStates(XWin& xw);

}  // namespace platform::x11
