// Whether an X window is shown, minimised (ICCCM's iconic state) or withdrawn, as the program's
// window is; and the state the window manager keeps it in, which the program follows.
#pragma once

#include "platform/present/detail/x11_presenter_state.h"

namespace platform::x11 {

// Shows, hides, minimises or restores the X window as the program's window is now.
void ApplyShownState(HWND hwnd, XWin& xw, bool wanted, bool minimized, const RECT& r);

// The window manager tells the state it keeps a client in (WM_STATE).
void NoteWindowManagerState(XWindowId xid);

}  // namespace platform::x11
