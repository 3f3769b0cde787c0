#include "platform/present/detail/x11_window_hints.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>

#include "platform/present/detail/x11_window_icon.h"
#include "platform/window/screen.h"

namespace platform::x11 {
namespace {

bool IsPopupLike(const PresentedWindow& w) {
    return w.className == "#32768" || (w.exStyle & WS_EX_NOACTIVATE) ||
           ((w.style & WS_POPUP) && (w.exStyle & WS_EX_TOOLWINDOW) && (w.exStyle & WS_EX_TOPMOST) && w.owned);
}

// On the original platform a top-level window has no taskbar button when it is a tool window or
// owned (a form that shows none is owned by the program's hidden window); the shell's own
// windows are the taskbar.
bool SkipsTaskbar(const PresentedWindow& w) {
    return (w.exStyle & WS_EX_TOOLWINDOW) || w.owned || w.ownedByHiddenWindow || w.shellWindow;
}

std::vector<Atom> WantedStates(const PresentedWindow& w) {
    std::vector<Atom> states;
    if (w.exStyle & WS_EX_TOPMOST) states.push_back(X().stateAbove);
    if (SkipsTaskbar(w)) {
        states.push_back(X().stateSkipTaskbar);
        states.push_back(X().stateSkipPager);
    }
    if (w.modal) states.push_back(X().stateModal);
    if (w.maximized) {
        states.push_back(X().stateMaxVert);
        states.push_back(X().stateMaxHorz);
    }
    return states;
}

// A window manager reads _NET_WM_STATE when a window is mapped; after that it takes changes only
// as client messages to the root window (two states at most in one), and writes the property
// itself.
void SendStateChange(XWindowId xid, bool add, Atom state, Atom second = 0) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = xid;
    e.xclient.message_type = X().netWmState;
    e.xclient.format = 32;
    e.xclient.data.l[0] = add ? 1 : 0;  // _NET_WM_STATE_ADD or _NET_WM_STATE_REMOVE
    e.xclient.data.l[1] = static_cast<long>(state);
    e.xclient.data.l[2] = static_cast<long>(second);
    e.xclient.data.l[3] = 1;  // asked for by an application
    XSendEvent(X().display, X().root, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
}

}  // namespace

bool Presented(const PresentedWindow& w) {
    if (!w.topLevel) return false;
    if (w.shellWindow && !ShellWindowsPresented()) return false;
    return true;
}

void ApplyStates(XWin& xw, const PresentedWindow& w) {
    std::vector<Atom> wanted = WantedStates(w);
    if (wanted == xw.states) return;
    if (xw.mapped && WindowManagerRuns()) {
        auto holds = [](const std::vector<Atom>& list, Atom a) { return std::find(list.begin(), list.end(), a) != list.end(); };
        for (Atom state : {X().stateAbove, X().stateSkipTaskbar, X().stateSkipPager, X().stateModal})
            if (holds(wanted, state) != holds(xw.states, state)) SendStateChange(xw.xid, holds(wanted, state), state);
        // Both directions of a maximise in one request, so that the window manager never shows it
        // maximised one way only.
        if (holds(wanted, X().stateMaxVert) != holds(xw.states, X().stateMaxVert))
            SendStateChange(xw.xid, holds(wanted, X().stateMaxVert), X().stateMaxVert, X().stateMaxHorz);
    } else {
        SetAtomList(xw.xid, X().netWmState, wanted);
    }
    xw.states = std::move(wanted);
}

// A modal window is transient for the window it blocks, so that a window manager keeps it above
// that window (and gives it the focus when that window is clicked); one that blocks every window of
// the program is transient for the program's window group, which window managers read from a
// transient for the root window.
void ApplyTransient(XWin& xw, const PresentedWindow& w) {
    xw.modal = w.modal;
    XWindowId wanted = 0;
    if (w.modal && w.modalBlocksProgram && !xw.shell)
        wanted = X().root;
    else if (w.modal)
        if (auto it = X().windows.find(w.modalOver.id()); w.modalOver && it != X().windows.end()) wanted = it->second.xid;
    if (wanted == xw.transientFor) return;
    if (wanted)
        XSetTransientForHint(X().display, xw.xid, wanted);
    else
        XDeleteProperty(X().display, xw.xid, XA_WM_TRANSIENT_FOR);
    xw.transientFor = wanted;
}

void ApplyStrut(const XWin& xw, const RECT& r) {
    // A dock along the edge it touches reserves that band of the screen.
    SIZE screen = ScreenSize();
    long strut[12] = {};
    if (r.top >= screen.cy / 2) {
        strut[3] = screen.cy - r.top;
        strut[10] = r.left;
        strut[11] = r.right - 1;
    } else if (r.left >= screen.cx / 2) {
        strut[1] = screen.cx - r.left;
        strut[6] = r.top;
        strut[7] = r.bottom - 1;
    } else if (r.bottom < screen.cy / 2) {
        strut[2] = r.bottom;
        strut[8] = r.left;
        strut[9] = r.right - 1;
    } else {
        strut[0] = r.right;
        strut[4] = r.top;
        strut[5] = r.bottom - 1;
    }
    XChangeProperty(X().display, xw.xid, X().strutPartial, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(strut), 12);
    XChangeProperty(X().display, xw.xid, X().strut, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(strut), 4);
}

XWin& Create(HWND hwnd, const PresentedWindow& w, const RECT& r) {
    XWin& xw = X().windows[hwnd.id()];
    xw.shell = w.shellWindow;
    XSetWindowAttributes attrs{};
    attrs.override_redirect = IsPopupLike(w) ? True : False;
    xw.overrideRedirect = attrs.override_redirect;
    attrs.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | LeaveWindowMask |
                       KeyPressMask | KeyReleaseMask | StructureNotifyMask | FocusChangeMask | PropertyChangeMask;
    attrs.background_pixel = 0;
    xw.xid = XCreateWindow(X().display, X().root, r.left, r.top, static_cast<unsigned>(std::max<LONG>(1, r.width())),
                           static_cast<unsigned>(std::max<LONG>(1, r.height())), 0, CopyFromParent, InputOutput,
                           CopyFromParent, CWOverrideRedirect | CWEventMask | CWBackPixel, &attrs);
    xw.screenRect = r;
    // Our windows draw their own frames; the window manager adds none. The shell's windows (the
    // taskbar) cannot be closed, as the desktop's own taskbar cannot: they take no close request
    // and tell the window manager to offer none (no function of its own at all).
    if (!w.shellWindow) XSetWMProtocols(X().display, xw.xid, &X().wmDelete, 1);
    long motif[5] = {w.shellWindow ? 3 : 2, 0, 0, 0, 0};
    XChangeProperty(X().display, xw.xid, X().motifHints, X().motifHints, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(motif), 5);
    XSizeHints hints{};
    hints.flags = USPosition | PPosition | USSize | PSize;
    hints.x = r.left;
    hints.y = r.top;
    hints.width = r.width();
    hints.height = r.height();
    XSetWMNormalHints(X().display, xw.xid, &hints);
    XClassHint classHint{const_cast<char*>("OZRClock"), const_cast<char*>("OZRClock")};
    XSetClassHint(X().display, xw.xid, &classHint);
    if (!xw.overrideRedirect) SetProgramIcon(X().display, xw.xid, X().netWmIcon);
    SetInitialState(xw, NormalState);
    Atom type = X().typeNormal;
    if (w.className == "Shell_TrayWnd")
        type = X().typeDock;
    else if (w.className == "#32768")
        type = X().typePopupMenu;
    else if (IsPopupLike(w))
        type = X().typeTooltip;
    else if (w.exStyle & WS_EX_TOOLWINDOW)
        type = X().typeUtility;
    SetAtomList(xw.xid, X().windowType, {type});
    if (type == X().typeDock) ApplyStrut(xw, r);
    ApplyStates(xw, w);
    ApplyTransient(xw, w);
    return xw;
}

// Titles, states and layering go to the server only when they change.
void SetTitle(XWin& xw, const std::string& title) {
    if (xw.title == title) return;
    xw.title = title;
    XStoreName(X().display, xw.xid, title.c_str());
    XChangeProperty(X().display, xw.xid, X().netWmName, X().utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title.data()), static_cast<int>(title.size()));
}

void SetInitialState(const XWin& xw, int state) {
    XWMHints hints{};
    hints.flags = StateHint;
    hints.initial_state = state;
    if (!xw.shell) {
        hints.flags |= WindowGroupHint;
        hints.window_group = X().groupLeader;
    }
    XSetWMHints(X().display, xw.xid, &hints);
}

void FollowStates(XWin& xw) {
    if (!WindowManagerRuns()) return;
    const std::vector<Atom> states = AtomList(X().display, xw.xid, X().netWmState);
    auto holds = [&](Atom a) { return std::find(states.begin(), states.end(), a) != states.end(); };
    if (holds(X().stateMaxVert) != holds(X().stateMaxHorz)) return;
    const HWND h = HandleOf(xw.xid);
    std::optional<PresentedWindow> w = ReadPresentedWindow(h);
    if (!w || w->maximized == holds(X().stateMaxVert)) return;
    w->maximized = holds(X().stateMaxVert);
    xw.states = WantedStates(*w);  // what the window manager has now: nothing to ask of it
    WindowManagerMaximized(h, w->maximized);
}

}  // namespace platform::x11
