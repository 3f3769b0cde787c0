#include "platform/present/detail/x11_shown_state.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <vector>

#include "platform/present/desktop_screen.h"
#include "platform/present/detail/x11_focus.h"
#include "platform/present/detail/x11_window_hints.h"
#include "platform/present/detail/x11_window_shape.h"
#include "platform/window/loop.h"
#include "platform/window/window_manager.h"

namespace platform::x11 {

// Shows, hides, minimises or restores the X window as the program's window is now. A window
// manager minimises a window itself (ICCCM's iconic state): the window stays one of its clients,
// which its taskbar or Alt+Tab restores. With none, a minimised window is simply not shown.
namespace {

// A window manager that lists what it allows a window (_NET_WM_ALLOWED_ACTIONS) and lists no
// minimise refuses an iconify: the window stays as it is (WM_STATE Normal). A list not written yet
// tells nothing.
bool MinimizeRefused(const XWin& xw) {
    if (!WindowManagerSupports(X().allowedActions)) return false;
    const std::vector<Atom> allowed = AtomList(X().display, xw.xid, X().allowedActions);
    return !allowed.empty() && std::find(allowed.begin(), allowed.end(), X().actionMinimize) == allowed.end();
}

}  // namespace

void ApplyShownState(HWND hwnd, XWin& xw, bool wanted, bool minimized, const RECT& r) {
    if (!wanted) {
        KeepFocusPastLeaving(xw);
        if (xw.mapped) {
            if (xw.iconic)
                XWithdrawWindow(X().display, xw.xid, X().screen);
            else
                XUnmapWindow(X().display, xw.xid);
        }
        xw.mapped = false;
        xw.iconic = false;
        return;
    }
    if (minimized) {
        if (xw.iconic) return;
        if (xw.mapped && xw.managed && MinimizeRefused(xw)) {
            // The window manager's answer is the truth: the window is still on the screen, so the
            // program's window is not minimised either and keeps taking input and clicks.
            PostTask([hwnd] { WindowManagerIconic(hwnd, false); });
            return;
        }
        KeepFocusPastLeaving(xw);
        if (xw.overrideRedirect || !WindowManagerRuns()) {
            if (xw.mapped) XUnmapWindow(X().display, xw.xid);
            xw.mapped = false;
            return;
        }
        xw.iconic = true;
        if (xw.mapped) {
            XIconifyWindow(X().display, xw.xid, X().screen);
            return;
        }
        SetInitialState(xw, IconicState);
    } else if (xw.iconic) {
        // Mapping an iconic window asks its window manager to restore it.
        xw.iconic = false;
        SetInitialState(xw, NormalState);
        XMapWindow(X().display, xw.xid);
        return;
    } else if (xw.mapped) {
        return;
    }
    if (!minimized) NoteShownAnew(xw);
    // The window manager dropped the states when the window was last withdrawn.
    SetAtomList(xw.xid, X().netWmState, xw.states);
    XMapWindow(X().display, xw.xid);
    xw.mapped = true;
    if (minimized) return;
    if (auto surface = WindowSurface(hwnd)) ApplyShape(xw, *surface, surface->bounds());
    ShowAgain(hwnd, RECT{0, 0, r.width(), r.height()});
}

// The window manager tells the state it keeps a client in (WM_STATE): a window it minimised or
// restored on its own (a taskbar, Alt+Tab) is minimised or restored in the program too.
void NoteWindowManagerState(XWindowId xid) {
    XWin* xw = FindX(xid);
    if (!xw) return;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    long state = -1;
    if (XGetWindowProperty(X().display, xid, X().wmState, 0, 2, False, X().wmState, &type, &format, &count, &after,
                           &data) == Success &&
        data && count >= 1 && format == 32)
        state = reinterpret_cast<const long*>(data)[0];
    if (data) XFree(data);
    const bool wasManaged = xw->managed;
    xw->managed = state == NormalState || state == IconicState;
    if (!wasManaged && state == NormalState) NoteManaged(*xw);
    const bool iconic = state == IconicState;
    if (!xw->managed || iconic == xw->iconic) return;
    xw->iconic = iconic;
    const HWND h = HandleOf(xid);
    // A window without a minimise box of its own (the floating clock) that another program
    // minimised all the same (a pager, a task list) comes back at once where it was: the program
    // never takes it as minimised, and the mapping asks the window manager to restore it.
    if (iconic && !OffersMinimize(*xw)) {
        if (h) Sync(h);
        return;
    }
    if (iconic) KeepFocusPastLeaving(*xw);
    if (h) WindowManagerIconic(h, iconic);
}

}  // namespace platform::x11
