#include "platform/present/detail/x11_window_hints.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "platform/present/detail/x11_monitors.h"
#include "platform/present/detail/x11_taskbar_claim.h"
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
    if (w.shellWindow) return HoldDesktopTaskbar(ShellWindowsPresented());
    return true;
}

void ApplyStates(XWin& xw, const PresentedWindow& w) {
    std::vector<Atom> wanted = WantedStates(w);
    if (xw.keptAbove && std::find(wanted.begin(), wanted.end(), X().stateAbove) == wanted.end())
        wanted.insert(wanted.begin(), X().stateAbove);
    if (wanted == xw.states) return;
    if (xw.mapped && WindowManagerRuns()) {
        auto holds = [](const std::vector<Atom>& list, Atom a) { return std::find(list.begin(), list.end(), a) != list.end(); };
        for (Atom state : {X().stateAbove, X().stateSkipTaskbar, X().stateSkipPager, X().stateModal})
            if (holds(wanted, state) != holds(xw.states, state)) SendStateChange(xw.xid, holds(wanted, state), state);
        // Both directions of a maximise in one request, so that the window manager never shows it
        // maximised one way only.
        // A restore also ends the fullscreen a window manager may have made of a maximise (one that
        // takes a window without a frame of its own at the screen's size for a fullscreen one).
        if (holds(wanted, X().stateMaxVert) != holds(xw.states, X().stateMaxVert)) {
            SendStateChange(xw.xid, holds(wanted, X().stateMaxVert), X().stateMaxVert, X().stateMaxHorz);
            if (!holds(wanted, X().stateMaxVert)) SendStateChange(xw.xid, false, X().stateFullscreen);
        }
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
    if (w.modal && w.modalBlocksProgram && !xw.dock)
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

void ApplyStrut(const XWin& xw, const RECT& place) {
    // A dock along the edge it touches reserves that band of the screen (the root's edge, in the
    // root's coordinates).
    const SIZE screen = RootSize(X().display, X().screen);
    const RECT r = ToRoot(place);
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

// The window manager offers only what the window's own frame offers: a size by its borders only
// with a sizing frame, minimise and maximise only with their boxes. Our windows draw their own
// frames (no decoration of the window manager's); the taskbar offers nothing at all, as the
// desktop's own cannot be moved, sized or closed.
namespace {
constexpr long kResize = 2, kMove = 4, kMinimize = 8, kMaximize = 16, kClose = 32;
}  // namespace

bool OffersMinimize(const XWin& xw) { return xw.functions > 0 && (xw.functions & kMinimize); }

void ApplyFunctions(XWin& xw, const PresentedWindow& w) {
    constexpr long kFunctionsGiven = 1, kDecorationsGiven = 2;
    long functions = 0;
    if (!xw.dock)
        functions = kMove | kClose | ((w.style & WS_THICKFRAME) ? kResize : 0) | ((w.style & WS_MINIMIZEBOX) ? kMinimize : 0) |
                    ((w.style & WS_MAXIMIZEBOX) ? kMaximize : 0);
    if (functions == xw.functions) return;
    long motif[5] = {kFunctionsGiven | kDecorationsGiven, functions, 0, 0, 0};
    XChangeProperty(X().display, xw.xid, X().motifHints, X().motifHints, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(motif), 5);
    xw.functions = functions;
}

void ApplySizeHints(XWin& xw, const RECT& r, bool fixed) {
    const SIZE size = fixed ? SIZE{std::max<LONG>(1, r.width()), std::max<LONG>(1, r.height())} : SIZE{-1, -1};
    if (size.cx == xw.fixedSize.cx && size.cy == xw.fixedSize.cy) return;
    XSizeHints hints{};
    hints.flags = USPosition | PPosition | USSize | PSize;
    hints.x = ToRoot(r).left;
    hints.y = ToRoot(r).top;
    hints.width = r.width();
    hints.height = r.height();
    if (fixed) {
        hints.flags |= PMinSize | PMaxSize;
        hints.min_width = hints.max_width = size.cx;
        hints.min_height = hints.max_height = size.cy;
    }
    XSetWMNormalHints(X().display, xw.xid, &hints);
    xw.fixedSize = size;
}

// Which process on which machine the window belongs to (_NET_WM_PID, WM_CLIENT_MACHINE): window
// managers read them to tell the program's windows apart from other programs' when they weigh
// whether a new window may take the keyboard.
void SetClientIdentity(XWindowId xid) {
    const long pid = static_cast<long>(getpid());
    XChangeProperty(X().display, xid, X().netWmPid, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
    char host[256] = {};
    if (gethostname(host, sizeof host - 1) != 0) return;
    XChangeProperty(X().display, xid, XA_WM_CLIENT_MACHINE, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(host), static_cast<int>(std::strlen(host)));
}

XWin& Create(HWND hwnd, const PresentedWindow& w, const RECT& r) {
    XWin& xw = X().windows[hwnd.id()];
    xw.dock = w.className == "Shell_TrayWnd";
    XSetWindowAttributes attrs{};
    attrs.override_redirect = IsPopupLike(w) ? True : False;
    xw.overrideRedirect = attrs.override_redirect;
    attrs.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | LeaveWindowMask |
                       KeyPressMask | KeyReleaseMask | StructureNotifyMask | FocusChangeMask | PropertyChangeMask;
    attrs.background_pixel = 0;
    xw.xid = XCreateWindow(X().display, X().root, ToRoot(r).left, ToRoot(r).top, static_cast<unsigned>(std::max<LONG>(1, r.width())),
                           static_cast<unsigned>(std::max<LONG>(1, r.height())), 0, CopyFromParent, InputOutput,
                           CopyFromParent, CWOverrideRedirect | CWEventMask | CWBackPixel, &attrs);
    xw.screenRect = r;
    // Every window takes the close request, also the taskbar, which ignores it: a window manager
    // kills the client of a window that cannot take one when a task list or pager asks to close it.
    XSetWMProtocols(X().display, xw.xid, &X().wmDelete, 1);
    ApplyFunctions(xw, w);
    ApplySizeHints(xw, r, !(w.style & WS_THICKFRAME));
    XClassHint classHint{const_cast<char*>("OZRClock"), const_cast<char*>("OZRClock")};
    XSetClassHint(X().display, xw.xid, &classHint);
    SetClientIdentity(xw.xid);
    SetIcon(xw, w.icon);
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

// Only a window the window manager keeps shows an icon (balloons and menus have no caption).
void SetIcon(XWin& xw, HICON icon) {
    if (xw.overrideRedirect || (xw.iconSet && xw.icon == icon)) return;
    xw.icon = icon;
    xw.iconSet = true;
    SetWindowIcon(X().display, xw.xid, X().netWmIcon, icon);
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
    // The window takes the keyboard when the window manager gives it (ICCCM's passive input): some
    // window managers give none to a window that does not say so.
    hints.flags = StateHint | InputHint;
    hints.input = True;
    hints.initial_state = state;
    if (!xw.dock) {
        hints.flags |= WindowGroupHint;
        hints.window_group = X().groupLeader;
    }
    XSetWMHints(X().display, xw.xid, &hints);
}

void FollowStates(XWin& xw) {
    if (!WindowManagerRuns()) return;
    const std::vector<Atom> states = AtomList(X().display, xw.xid, X().netWmState);
    auto holds = [&](Atom a) { return std::find(states.begin(), states.end(), a) != states.end(); };
    const bool fullscreen = holds(X().stateFullscreen);
    if (holds(X().stateMaxVert) != holds(X().stateMaxHorz) && !fullscreen) return;
    const HWND h = HandleOf(xw.xid);
    std::optional<PresentedWindow> w = ReadPresentedWindow(h);
    const bool maximized = holds(X().stateMaxVert) || fullscreen;
    if (!w || w->maximized == maximized) return;
    w->maximized = maximized;
    xw.states = WantedStates(*w);  // what the window manager has now: nothing to ask of it
    WindowManagerMaximized(h, w->maximized);
}

}  // namespace platform::x11
