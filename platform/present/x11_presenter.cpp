#include "platform/present/x11_presenter.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include "platform/present/desktop_screen.h"
#include "platform/present/minimized_bars.h"
#include "platform/present/presented_windows.h"
#include "platform/present/detail/x11_pixels.h"
#include "platform/present/detail/x11_keys.h"
#include "platform/present/detail/x11_panels.h"
#include "platform/present/detail/x11_services.h"
#include "platform/present/detail/x11_window_icon.h"
#include "platform/present/detail/x11_window_truth.h"
#include "platform/window/error_boundary.h"
#include "platform/window/input.h"
#include "platform/window/loop.h"
#include "platform/window/outside_ends.h"
#include "platform/window/panel_area.h"
#include "platform/window/screen.h"
#include "platform/window/window_manager.h"

namespace platform {
using XWindowId = ::Window;

namespace {

struct XWin {
    XWindowId xid = 0;
    bool mapped = false;
    RECT screenRect;
    std::string title;
    std::vector<Atom> states;  // the _NET_WM_STATE atoms asked for last
    XWindowId transientFor = 0;  // WM_TRANSIENT_FOR as set last
    bool modal = false;          // a message box or modal form while it waits
    bool shaped = false;
    bool keyed = false;
    bool framed = false;  // a window manager reparented it into a frame of its own
    XWindowId frame = 0;  // that frame, a child of the root
    RequestedPlaces requested;  // places asked of the server that it has not confirmed yet
    bool overrideRedirect = false;  // menus and balloons: never managed, never framed
    bool shell = false;             // the shell's (the taskbar): not of the program's window group
    bool iconic = false;            // minimised by the window manager (asked for, or told of)
    bool managed = false;           // the window manager keeps it as a client (WM_STATE says so)
    bool keyboardGrabbed = false;   // an open menu holds the keyboard
    DWORD layeredFlags = 0;
    BYTE alpha = 255;
    COLORREF key = 0;
};

struct X11State {
    Display* display = nullptr;
    int screen = 0;
    XWindowId root = 0;
    // Never shown: it leads the program's window group (a box that blocks the whole program is
    // transient for the group).
    XWindowId groupLeader = 0;
    int sourceId = 0;
    bool shapeExtension = false;
    std::map<std::uint32_t, XWin> windows;
    std::vector<XWindowId> lastStack;
    bool takingStack = false;  // the program's order follows the server's: nothing goes back
    std::optional<bool> managerRuns;  // read again when the root's window-manager check changes
    X11PixelSender pixels;
    // The server time of the user's last press or key on our windows: what a request to activate
    // a window on the user's behalf carries.
    Time lastUserTime = CurrentTime;
    bool focusToFollow = false;  // the keyboard focus follows the program's once its work is done
    XWindowId keyboardOn = 0;     // our window that took the desktop's keyboard last
    // Our window that had the keyboard went away and left it with nobody: the window the program
    // hands it on to takes it (until then, or until one of ours takes it from the window manager).
    bool keyboardLeft = false;
    Atom clientListStacking = 0, stateMaxVert = 0, stateMaxHorz = 0;
    Atom restackWindow = 0, supportingWmCheck = 0, wmState = 0, netSupported = 0, moveResize = 0, activeWindow = 0,
         workArea = 0;
    Atom wmDelete, wmProtocols, netWmName, utf8, netWmState, stateAbove, stateSkipTaskbar, stateSkipPager, stateModal,
        windowType, typeDock, typeUtility, typeNormal, typePopupMenu, typeTooltip, strutPartial, strut, opacity,
        motifHints, netWmIcon;
};

X11State& X() {
    static X11State state;
    return state;
}


XWin* FindX(XWindowId xid) {
    for (auto& [id, xw] : X().windows)
        if (xw.xid == xid) return &xw;
    return nullptr;
}

HWND HandleOf(XWindowId xid) {
    for (auto& [id, xw] : X().windows)
        if (xw.xid == xid) return HWND{id};
    return HWND{};
}

// Windows of the shell (the taskbar) show only while the clock has taken over its tray clock;
// otherwise the real desktop keeps its own panel and no second taskbar appears.
bool Presented(const PresentedWindow& w) {
    if (!w.topLevel) return false;
    if (w.shellWindow && !ShellWindowsPresented()) return false;
    return true;
}

bool IsPopupLike(const PresentedWindow& w) {
    return w.className == "#32768" || (w.exStyle & WS_EX_NOACTIVATE) ||
           ((w.style & WS_POPUP) && (w.exStyle & WS_EX_TOOLWINDOW) && (w.exStyle & WS_EX_TOPMOST) && w.owned);
}

void SetAtomList(XWindowId xid, Atom property, const std::vector<Atom>& atoms) {
    XChangeProperty(X().display, xid, property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(atoms.data()), static_cast<int>(atoms.size()));
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

bool WindowManagerRuns();

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

void SetInitialState(const XWin& xw, int state);

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

void ApplyShape(XWin& xw, const Surface& surface, const RECT& area);

void ApplyLayered(XWin& xw, HWND hwnd, const PresentedWindow& w) {
    DWORD flags = w.layeredFlags;
    bool keyed = (flags & LWA_COLORKEY) != 0;
    if (flags == xw.layeredFlags && w.layeredAlpha == xw.alpha && (!keyed || w.layeredKey == xw.key)) return;
    bool reshape = keyed != xw.keyed || (keyed && w.layeredKey != xw.key);
    const bool wasBlended = (xw.layeredFlags & LWA_ALPHA) != 0;
    const bool blended = (flags & LWA_ALPHA) != 0;
    if (blended && !(wasBlended && w.layeredAlpha == xw.alpha)) {
        unsigned long value = static_cast<unsigned long>(w.layeredAlpha) * 0x01010101ul;
        XChangeProperty(X().display, xw.xid, X().opacity, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&value), 1);
    } else if (!blended && wasBlended) {
        XDeleteProperty(X().display, xw.xid, X().opacity);
    }
    xw.keyed = keyed;
    xw.key = w.layeredKey;
    xw.layeredFlags = flags;
    xw.alpha = w.layeredAlpha;
    if (reshape && xw.mapped)
        if (auto surface = WindowSurface(hwnd)) ApplyShape(xw, *surface, surface->bounds());
}

// The colour key becomes the window's shape: key-coloured pixels are not part of the window.
// Once shaped, only the repainted area of the shape is sent again.
void ApplyShape(XWin& xw, const Surface& surface, const RECT& area) {
    if (!X().shapeExtension) return;
    if (!xw.keyed) {
        if (xw.shaped) XShapeCombineMask(X().display, xw.xid, ShapeBounding, 0, 0, None, ShapeSet);
        xw.shaped = false;
        return;
    }
    const bool whole = !xw.shaped || area == surface.bounds();
    const RECT part = whole ? surface.bounds() : area;
    Pixel key = OpaquePixel(xw.key);
    std::vector<XRectangle> runs;
    for (int y = part.top; y < part.bottom; ++y) {
        const Pixel* row = surface.row(y);
        int x = part.left;
        while (x < part.right) {
            while (x < part.right && SameColor(row[x], key)) ++x;
            int start = x;
            while (x < part.right && !SameColor(row[x], key)) ++x;
            if (x > start)
                runs.push_back(XRectangle{static_cast<short>(start), static_cast<short>(y),
                                          static_cast<unsigned short>(x - start), 1});
        }
    }
    if (!whole) {
        XRectangle cut{static_cast<short>(part.left), static_cast<short>(part.top), static_cast<unsigned short>(part.width()),
                       static_cast<unsigned short>(part.height())};
        XShapeCombineRectangles(X().display, xw.xid, ShapeBounding, 0, 0, &cut, 1, ShapeSubtract, Unsorted);
    }
    XShapeCombineRectangles(X().display, xw.xid, ShapeBounding, 0, 0, runs.data(), static_cast<int>(runs.size()),
                            whole ? ShapeSet : ShapeUnion, YXBanded);
    xw.shaped = true;
}

// Sends the area's pixels; `repainted` when they changed (and with them the shape of a keyed
// window), not when the server only lost them (an exposure).
void PushPixels(HWND hwnd, const RECT& area, bool repainted) {
    auto it = X().windows.find(hwnd.id());
    if (it == X().windows.end() || !it->second.mapped) return;
    auto surface = WindowSurface(hwnd);
    if (!surface) return;
    RECT r = IntersectRects(area, surface->bounds());
    if (r.empty()) return;
    X().pixels.Send(it->second.xid, *surface, r);
    if (repainted) ApplyShape(it->second, *surface, r);
}

// An EWMH window manager announces itself on the root window (read once, and again when that
// changes).
bool WindowManagerRuns() {
    if (X().managerRuns) return *X().managerRuns;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const bool found = XGetWindowProperty(X().display, X().root, X().supportingWmCheck, 0, 1, False, XA_WINDOW, &type,
                                          &format, &count, &after, &data) == Success &&
                       data && count == 1;
    if (data) XFree(data);
    X().managerRuns = found;
    return found;
}

// The window manager lists what it supports on the root window.
bool WindowManagerSupports(Atom feature) {
    if (!WindowManagerRuns()) return false;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool found = false;
    if (XGetWindowProperty(X().display, X().root, X().netSupported, 0, 4096, False, XA_ATOM, &type, &format, &count,
                           &after, &data) == Success &&
        data) {
        const Atom* atoms = reinterpret_cast<const Atom*>(data);
        found = std::find(atoms, atoms + count, feature) != atoms + count;
    }
    if (data) XFree(data);
    return found;
}

// WM_HINTS: the state the window is mapped in, and the program's group.
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

// The X window that has the desktop's keyboard focus.
XWindowId XFocus() {
    XWindowId focus = 0;
    int revert = 0;
    XGetInputFocus(X().display, &focus, &revert);
    return focus;
}

// Gives the program's foreground window the desktop's keyboard focus, unless it has it: asked of
// the window manager as the user's own doing (the time of the user's last press or key), or set
// directly where no window manager runs. A window the window manager has not taken on yet (one
// just shown) gets the focus by the window manager's own rules for new windows.
void FocusForegroundWindow() {
    auto it = X().windows.find(GetForegroundWindow().id());
    if (it == X().windows.end() || !it->second.mapped || it->second.iconic || it->second.overrideRedirect) return;
    const XWindowId focus = XFocus();
    if (focus == it->second.xid) return;
    if (WindowManagerSupports(X().activeWindow)) {
        if (!it->second.managed) return;
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = it->second.xid;
        e.xclient.message_type = X().activeWindow;
        e.xclient.format = 32;
        e.xclient.data.l[0] = 1;  // asked for by an application
        e.xclient.data.l[1] = static_cast<long>(X().lastUserTime);
        e.xclient.data.l[2] = HandleOf(focus) ? static_cast<long>(focus) : 0;  // our window active now
        XSendEvent(X().display, X().root, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    } else {
        XSetInputFocus(X().display, it->second.xid, RevertToParent, X().lastUserTime);
    }
    X().keyboardLeft = false;
    XFlush(X().display);
}

// The desktop's keyboard focus goes to the program's foreground window once the program's work of
// the moment is done, so that a window that hands the keyboard on and takes it back in one step
// moves nothing.
void FocusForegroundWindowSoon() {
    if (X().focusToFollow) return;
    X().focusToFollow = true;
    PostTask([] {
        X().focusToFollow = false;
        if (X().display) FocusForegroundWindow();
    });
}

// The desktop's keyboard is on one of our windows, or was left with nobody (no program's window
// has it) when the last of ours to have it went away.
bool KeyboardIsOurs() {
    const XWindowId focus = XFocus();
    return HandleOf(focus) || (X().keyboardLeft && !InsideManagedClient(X().display, focus, X().wmState));
}

// The program gave one of its windows the keyboard by its own doing: while the desktop's keyboard
// is ours, it follows. With another program's window focused, that stands.
void FollowProgramFocus(HWND) {
    if (KeyboardIsOurs()) FocusForegroundWindowSoon();
}

// Our window that has the keyboard goes away: the program hid, minimised or destroyed it, or the
// window manager minimised it. A window manager would fall back to a window of its own choosing,
// often none of ours or none at all, and the keys typed next would reach nothing: the window the
// program hands the keyboard on to (its owner, or the frontmost) takes it instead.
void KeepFocusPastLeaving(const XWin& xw) {
    if (!xw.mapped || xw.overrideRedirect) return;
    const XWindowId focus = XFocus();
    if (focus != xw.xid && (X().keyboardOn != xw.xid || HandleOf(focus) ||
                            InsideManagedClient(X().display, focus, X().wmState)))
        return;
    X().keyboardLeft = true;
    FocusForegroundWindowSoon();
}

// Shows, hides, minimises or restores the X window as the program's window is now. A window
// manager minimises a window itself (ICCCM's iconic state): the window stays one of its clients,
// which its taskbar or Alt+Tab restores. With none, a minimised window is simply not shown.
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
    // The window manager dropped the states when the window was last withdrawn.
    SetAtomList(xw.xid, X().netWmState, xw.states);
    XMapWindow(X().display, xw.xid);
    xw.mapped = true;
    if (minimized) return;
    if (auto surface = WindowSurface(hwnd)) ApplyShape(xw, *surface, surface->bounds());
    ShowAgain(hwnd, RECT{0, 0, r.width(), r.height()});
}

// While a menu is open it holds the keyboard, as a menu's own loop does, so that its arrows, Enter
// and Esc reach it whichever window had the focus.
void ApplyKeyboardGrab(HWND hwnd, XWin& xw) {
    const bool wanted = xw.mapped && hwnd == MenuKeyWindow();
    if (wanted == xw.keyboardGrabbed) return;
    if (wanted)
        xw.keyboardGrabbed =
            XGrabKeyboard(X().display, xw.xid, False, GrabModeAsync, GrabModeAsync, CurrentTime) == GrabSuccess;
    else {
        XUngrabKeyboard(X().display, CurrentTime);
        xw.keyboardGrabbed = false;
    }
}

// The window manager's frame around a window it manages: its ancestor that is a child of the root.
XWindowId FrameOf(XWindowId xid) {
    for (XWindowId w = xid;;) {
        XWindowId root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(X().display, w, &root, &parent, &children, &count)) return 0;
        if (children) XFree(children);
        if (parent == root || !parent) return parent ? w : 0;
        w = parent;
    }
}

// Our shown windows in the program's order, topmost first.
std::vector<XWindowId> ProgramStack() {
    std::vector<XWindowId> stack;
    for (HWND top : TopLevelWindowsInZOrder()) {
        auto it = X().windows.find(top.id());
        if (it != X().windows.end() && it->second.mapped && !it->second.iconic) stack.push_back(it->second.xid);
    }
    return stack;
}

void Restack() {
    const std::vector<XWindowId> stack = ProgramStack();
    if (stack == X().lastStack || stack.empty()) return;
    X().lastStack = stack;
    if (X().takingStack) return;
    // Each window goes right below the one above it. Windows a window manager has framed are not
    // siblings any more (their frames are), so the server would refuse to stack them against
    // each other: the window manager is asked instead. A pair of one framed and one unframed
    // window (a menu or balloon over a managed window) has no common parent and keeps its order,
    // but under a modal window: that one's frame is put over it, so that nothing covers a box.
    // A window the window manager has not reparented yet soon will be: it counts as framed.
    const bool managerRuns = WindowManagerRuns();
    auto framed = [&](const XWin& w) { return w.framed || (managerRuns && !w.overrideRedirect); };
    // The topmost goes on top too, unless a window manager frames it: that one raises the windows
    // it activates by its own rules, and one that keeps windows from pushing in front of the user's
    // work takes a client's raise of an unfocused window as a wish for attention (icewm marks it
    // so, and lists even a window that keeps out of its task list).
    if (const XWin* front = FindX(stack.front()); front && !framed(*front)) XRaiseWindow(X().display, front->xid);
    for (std::size_t i = 1; i < stack.size(); ++i) {
        const XWin* below = FindX(stack[i]);
        const XWin* above = FindX(stack[i - 1]);
        if (!below || !above) continue;
        if (above->modal && above->framed && !framed(*below)) {
            if (XWindowId frame = FrameOf(above->xid)) {
                XWindowChanges changes{};
                changes.sibling = frame;
                changes.stack_mode = Below;
                XConfigureWindow(X().display, below->xid, CWSibling | CWStackMode, &changes);
            }
        } else if (!framed(*below) && !framed(*above)) {
            XWindowChanges changes{};
            changes.sibling = above->xid;
            changes.stack_mode = Below;
            XConfigureWindow(X().display, below->xid, CWSibling | CWStackMode, &changes);
        } else if (framed(*below) && framed(*above)) {
            XEvent e{};
            e.xclient.type = ClientMessage;
            e.xclient.window = below->xid;
            e.xclient.message_type = X().restackWindow;
            e.xclient.format = 32;
            e.xclient.data.l[0] = 2;  // as a direct user action: the program reorders on its user's clicks
            e.xclient.data.l[1] = static_cast<long>(above->xid);
            e.xclient.data.l[2] = Below;
            XSendEvent(X().display, X().root, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
        }
    }
}

void Sync(HWND hwnd) {
    if (!X().display) return;  // the display is gone
    const std::optional<PresentedWindow> w = ReadPresentedWindow(hwnd);
    if (!w) return;
    if (!w->topLevel) {
        HWND top = GetTopLevel(hwnd);
        if (top && top != hwnd) Sync(top);
        return;
    }
    const bool wanted = Presented(*w) && (w->style & WS_VISIBLE);
    auto it = X().windows.find(hwnd.id());
    RECT r;
    GetWindowRect(hwnd, &r);
    if (it == X().windows.end()) {
        if (!wanted) return;
        Create(hwnd, *w, r);
        it = X().windows.find(hwnd.id());
    }
    XWin& xw = it->second;
    SetTitle(xw, w->title);
    ApplyStates(xw, *w);
    ApplyTransient(xw, *w);
    ApplyLayered(xw, hwnd, *w);
    if (!(xw.screenRect == r)) {
        xw.requested.Asked(r);
        XMoveResizeWindow(X().display, xw.xid, r.left, r.top, static_cast<unsigned>(std::max<LONG>(1, r.width())),
                          static_cast<unsigned>(std::max<LONG>(1, r.height())));
        if (w->className == "Shell_TrayWnd") ApplyStrut(xw, r);
        xw.screenRect = r;
    }
    ApplyShownState(hwnd, xw, wanted, w->minimized, r);
    ApplyKeyboardGrab(hwnd, xw);
    Restack();
    XFlush(X().display);
}

void Forget(HWND hwnd) {
    if (!X().display) return;
    auto it = X().windows.find(hwnd.id());
    if (it == X().windows.end()) return;
    if (it->second.keyboardGrabbed) XUngrabKeyboard(X().display, CurrentTime);
    KeepFocusPastLeaving(it->second);
    XDestroyWindow(X().display, it->second.xid);
    X().windows.erase(it);
    X().lastStack.clear();
    XFlush(X().display);
}

// The desktop's other panels reserve edges of the screen (the work area changes with them): the
// shell's taskbar keeps to what they leave.
void FollowOtherPanels() {
    SetPanelFreeArea(ReadPanelFreeArea(X().display, X().root, ScreenSize(),
                                       [](XWindowId xid) { return static_cast<bool>(HandleOf(xid)); }));
}

// The modifier keys an event says are held, which count over what was seen pressed and released.
ModifierKeys HeldModifiers(unsigned int state) {
    return ModifierKeys{(state & ShiftMask) != 0, (state & ControlMask) != 0, (state & Mod1Mask) != 0};
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
    xw->managed = state == NormalState || state == IconicState;
    const bool iconic = state == IconicState;
    if (!xw->managed || iconic == xw->iconic) return;
    if (iconic) KeepFocusPastLeaving(*xw);
    xw->iconic = iconic;
    if (HWND h = HandleOf(xid)) WindowManagerIconic(h, iconic);
}

// The server (and the window manager, whoever asked) put the window there: the program's record
// follows, unless it is one of the program's own requests coming through.
void FollowConfigure(XWin& xw, const XConfigureEvent& c) {
    const RECT r = RootRectAfterConfigure(X().display, X().root, c, xw.framed);
    if (xw.requested.Confirms(r) || r == xw.screenRect) return;
    xw.screenRect = r;  // the window is there already: nothing goes back to the server
    xw.requested.Clear();
    if (const HWND h = HandleOf(xw.xid)) WindowManagerPlaced(h, r);
}

// The program's order of its windows follows the server's stacking of them (or of their frames).
// Where the server's order breaks the program's bands (a topmost window over a box that blocks it),
// the program's order goes back to the server.
void FollowStacking() {
    std::vector<HWND> topFirst;
    std::vector<XWindowId> stacked;
    for (XWindowId child : RootChildrenTopFirst(X().display, X().root))
        for (const auto& [id, xw] : X().windows)
            if (xw.mapped && !xw.iconic && (xw.xid == child || (xw.framed && xw.frame == child))) {
                topFirst.push_back(HWND{id});
                stacked.push_back(xw.xid);
            }
    X().takingStack = true;
    WindowManagerStacked(topFirst);
    X().takingStack = false;
    const std::vector<XWindowId> program = ProgramStack();
    if (std::is_permutation(stacked.begin(), stacked.end(), program.begin(), program.end())) {
        X().lastStack = stacked;
        Restack();
    }
}

// The window manager maximised or restored the window by its own rules (its keys, its menu):
// the program's window is maximised or restored too. Half a maximise changes nothing.
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

// A caption or border drag goes to the window manager, as toolkits that draw their own captions
// hand it over (_NET_WM_MOVERESIZE); it then moves or sizes the window itself.
bool MoveSizeByWindowManager(HWND hwnd, int edge, POINT screen) {
    static const long kDirection[] = {8, 7, 3, 1, 0, 2, 5, 6, 4};  // by edge: move, left, right, top, ...
    auto it = X().windows.find(hwnd.id());
    if (it == X().windows.end() || !it->second.mapped || it->second.overrideRedirect || edge < 0 || edge > 8 ||
        !WindowManagerSupports(X().moveResize))
        return false;
    XUngrabPointer(X().display, CurrentTime);  // the press's own grab would keep the pointer from it
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = it->second.xid;
    e.xclient.message_type = X().moveResize;
    e.xclient.format = 32;
    e.xclient.data.l[0] = screen.x;
    e.xclient.data.l[1] = screen.y;
    e.xclient.data.l[2] = kDirection[edge];
    e.xclient.data.l[3] = 1;  // the left button
    e.xclient.data.l[4] = 1;  // asked for by an application
    XSendEvent(X().display, X().root, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XFlush(X().display);
    // The window manager has the press now; its release never comes here.
    InjectMouseButton(screen, MouseButton::Left, false);
    return true;
}

void HandleEvent(XEvent& e) {
    if (HandleX11ServiceEvent(e)) return;
    switch (e.type) {
        case Expose:
            // Sent once the paints waiting now are done: the pixels the surface holds at this
            // moment may be ones never meant to be seen (a surface made anew for a size).
            if (HWND h = HandleOf(e.xexpose.window))
                ShowAgain(h, RECT{e.xexpose.x, e.xexpose.y, e.xexpose.x + e.xexpose.width, e.xexpose.y + e.xexpose.height});
            break;
        case MotionNotify:
            InjectMouseMove(POINT{e.xmotion.x_root, e.xmotion.y_root}, HeldModifiers(e.xmotion.state),
                            HandleOf(e.xmotion.window));
            break;
        case LeaveNotify:
            // No motion comes from where no window of ours lies: the cursor's last place is where
            // it left, so that what watches it (a hover balloon, a hot item) sees it gone.
            SetCursorPos(e.xcrossing.x_root, e.xcrossing.y_root);
            break;
        case ButtonPress:
        case ButtonRelease: {
            static const MouseButton kButtons[] = {MouseButton::Left, MouseButton::Middle, MouseButton::Right};
            unsigned b = e.xbutton.button;
            if (b < 1 || b > 3) break;
            X().lastUserTime = e.xbutton.time;
            InjectMouseButton(POINT{e.xbutton.x_root, e.xbutton.y_root}, kButtons[b - 1], e.type == ButtonPress,
                              HeldModifiers(e.xbutton.state), HandleOf(e.xbutton.window));
            break;
        }
        case KeyPress:
        case KeyRelease: {
            X().lastUserTime = e.xkey.time;
            char text[8] = {};
            KeySym sym = 0;
            int n = XLookupString(&e.xkey, text, sizeof(text), &sym, nullptr);
            int vk = VirtualKeyFromKeysym(sym);
            // Characters as code points: Latin-1 key symbols are their code points, and key
            // symbols of other scripts carry theirs above 0x01000000.
            unsigned int character = 0;
            if (sym >= 0x01000100 && sym <= 0x0110FFFF)
                character = static_cast<unsigned int>(sym - 0x01000000);
            else if (n == 1)
                character = static_cast<unsigned char>(text[0]);
            if (!vk && character) vk = 0xE5;  // a character key without a virtual key of its own
            if (vk) InjectKey(vk, e.type == KeyPress, character, HeldModifiers(e.xkey.state));
            break;
        }
        case FocusIn:
            // The window manager gave one of our windows the keyboard: it becomes the active window,
            // so that what is typed into it reaches it. A grab's start and end (an open menu's) move
            // no focus, nor does the pointer where no window manager gives it.
            if ((e.xfocus.mode == NotifyNormal || e.xfocus.mode == NotifyWhileGrabbed) && e.xfocus.detail != NotifyPointer)
                if (HWND h = HandleOf(e.xfocus.window)) {
                    X().keyboardOn = e.xfocus.window;
                    X().keyboardLeft = false;
                    // A window that a modal window blocks was raised with the focus: the program's
                    // order goes back to the server, the modal window on top.
                    if (!IsWindowEnabled(h)) X().lastStack.clear();
                    WindowManagerFocus(h);
                    Restack();
                    XFlush(X().display);
                }
            break;
        case PropertyNotify:
            if (e.xproperty.window == X().root) {
                if (e.xproperty.atom == X().supportingWmCheck) X().managerRuns.reset();
                if (e.xproperty.atom == X().clientListStacking) FollowStacking();
                if (e.xproperty.atom == X().workArea) {
                    SetWorkArea(PublishedWorkArea(X().display, X().root, X().workArea));
                    FollowOtherPanels();
                }
            } else if (e.xproperty.atom == X().wmState) {
                NoteWindowManagerState(e.xproperty.window);
            } else if (XWin* xw = FindX(e.xproperty.window); xw && e.xproperty.atom == X().netWmState) {
                FollowStates(*xw);
            }
            break;
        case ConfigureNotify:
            if (XWin* xw = FindX(e.xconfigure.window)) {
                // With no window manager to tell of its stacking, the windows themselves are the
                // root's children whose order changed.
                const bool restacked = !e.xconfigure.send_event && !xw->framed && !WindowManagerRuns();
                FollowConfigure(*xw, e.xconfigure);
                if (restacked) FollowStacking();
            }
            break;
        case DestroyNotify:
            // Another client destroyed one of our windows (the program's own go from the records
            // first): the program's window is still there, so it gets an X window anew.
            if (HWND h = HandleOf(e.xdestroywindow.window)) {
                X().windows.erase(h.id());
                X().lastStack.clear();
                Sync(h);
            }
            break;
        case ReparentNotify:
            if (XWin* xw = FindX(e.xreparent.window)) {
                // A window manager ignores an order asked before it managed the window: ask again.
                xw->framed = e.xreparent.parent != X().root;
                xw->frame = xw->framed ? FrameOf(xw->xid) : 0;
                X().lastStack.clear();
                Restack();
            }
            break;
        case ClientMessage:
            if (static_cast<Atom>(e.xclient.data.l[0]) == X().wmDelete) {
                if (HWND h = HandleOf(e.xclient.window)) WindowManagerClose(h);
            }
            break;
        default: break;
    }
}

void DrainEvents() {
    while (XPending(X().display) > 0) {
        XEvent e;
        XNextEvent(X().display, &e);
        HandleEvent(e);
    }
}

// A request the server refused (most often about a window that vanished under us) is not worth a
// crash; it is reported as dropped work. No Xlib call may be made from here.
int ReportXError(Display*, XErrorEvent* e) {
    ReportDropped("an X request the server refused: error " + std::to_string(e->error_code) + ", request " +
                  std::to_string(e->request_code) + "." + std::to_string(e->minor_code) + ", resource " +
                  std::to_string(e->resourceid));
    return 0;
}

// The connection to the display broke (the server ended, or the session with it): Xlib ends the
// process once this returns. What the program keeps is written first; from here on nothing may
// talk to the display, so the presenter stops presenting before the program's saves run.
int DisplayLost(Display*) {
    X().display = nullptr;
    RemoveEventSource(X().sourceId);
    SetWindowManagerMoveSize(nullptr);
    SetWindowManagerActivate(nullptr);
    SetWindowManagerKeepsMinimized(nullptr);
    EndWithoutDisplay();
    return 0;
}

}  // namespace

bool StartX11Presenter(std::string* error) {
    if (X().display) return true;
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        if (error) *error = "cannot open the X display (DISPLAY is not set or the server does not answer)";
        return false;
    }
    XSetErrorHandler(ReportXError);
    XSetIOErrorHandler(DisplayLost);
    X().display = display;
    X().screen = DefaultScreen(display);
    X().root = RootWindow(display, X().screen);
    int eventBase = 0, errorBase = 0;
    X().shapeExtension = XShapeQueryExtension(display, &eventBase, &errorBase);
    X().pixels.Start(display, X().screen);
    X().groupLeader = XCreateSimpleWindow(display, X().root, -1, -1, 1, 1, 0, 0, 0);
    XClassHint leaderClass{const_cast<char*>("OZRClock"), const_cast<char*>("OZRClock")};
    XSetClassHint(display, X().groupLeader, &leaderClass);
    auto& x = X();
    InternAtoms(display, {{&x.wmDelete, "WM_DELETE_WINDOW"},
                          {&x.wmProtocols, "WM_PROTOCOLS"},
                          {&x.netWmName, "_NET_WM_NAME"},
                          {&x.utf8, "UTF8_STRING"},
                          {&x.netWmState, "_NET_WM_STATE"},
                          {&x.restackWindow, "_NET_RESTACK_WINDOW"},
                          {&x.supportingWmCheck, "_NET_SUPPORTING_WM_CHECK"},
                          {&x.wmState, "WM_STATE"},
                          {&x.netSupported, "_NET_SUPPORTED"},
                          {&x.moveResize, "_NET_WM_MOVERESIZE"},
                          {&x.activeWindow, "_NET_ACTIVE_WINDOW"},
                          {&x.stateAbove, "_NET_WM_STATE_ABOVE"},
                          {&x.stateSkipTaskbar, "_NET_WM_STATE_SKIP_TASKBAR"},
                          {&x.stateSkipPager, "_NET_WM_STATE_SKIP_PAGER"},
                          {&x.stateModal, "_NET_WM_STATE_MODAL"},
                          {&x.windowType, "_NET_WM_WINDOW_TYPE"},
                          {&x.typeDock, "_NET_WM_WINDOW_TYPE_DOCK"},
                          {&x.typeUtility, "_NET_WM_WINDOW_TYPE_UTILITY"},
                          {&x.typeNormal, "_NET_WM_WINDOW_TYPE_NORMAL"},
                          {&x.typePopupMenu, "_NET_WM_WINDOW_TYPE_POPUP_MENU"},
                          {&x.typeTooltip, "_NET_WM_WINDOW_TYPE_TOOLTIP"},
                          {&x.strutPartial, "_NET_WM_STRUT_PARTIAL"},
                          {&x.strut, "_NET_WM_STRUT"},
                          {&x.opacity, "_NET_WM_WINDOW_OPACITY"},
                          {&x.motifHints, "_MOTIF_WM_HINTS"},
                          {&x.netWmIcon, "_NET_WM_ICON"},
                          {&x.clientListStacking, "_NET_CLIENT_LIST_STACKING"},
                          {&x.workArea, "_NET_WORKAREA"},
                          {&x.stateMaxVert, "_NET_WM_STATE_MAXIMIZED_VERT"},
                          {&x.stateMaxHorz, "_NET_WM_STATE_MAXIMIZED_HORZ"}});
    SetScreenSize(SIZE{DisplayWidth(display, X().screen), DisplayHeight(display, X().screen)});
    SetWorkArea(PublishedWorkArea(display, X().root, X().workArea));

    InstallX11Services(display, X().root, [](XWindowId xid) { return static_cast<bool>(HandleOf(xid)); });
    // The root tells of the work area as other panels change, and of the window manager's stacking.
    XSelectInput(display, X().root, PropertyChangeMask);
    FollowOtherPanels();

    // Once the display is gone (lost, or the presenter stopped) the windows' changes reach it no more.
    ObservePresentedWindows([](HWND hwnd) { if (X().display) Sync(hwnd); },
                            [](HWND hwnd) { if (X().display) Forget(hwnd); });
    SetWindowManagerMoveSize(MoveSizeByWindowManager);
    SetWindowManagerActivate(FollowProgramFocus);
    SetWindowManagerKeepsMinimized(WindowManagerRuns);
    SetPresentedWindowsListener([](HWND hwnd, const RECT& area, bool repainted) {
        if (!X().display) return;
        Sync(hwnd);
        PushPixels(hwnd, area, repainted);
        XFlush(X().display);
    });
    // Xlib reads events into its own queue whenever it talks to the server (a flush, a reply), so
    // the connection alone does not tell of every waiting event.
    X().sourceId = AddEventSource(ConnectionNumber(display), DrainEvents,
                                  [] { return XEventsQueued(X().display, QueuedAlready) > 0; });
    for (HWND top : TopLevelWindowsInZOrder()) Sync(top);
    XFlush(display);
    return true;
}

void StopX11Presenter() {
    if (!X().display) return;
    RemoveEventSource(X().sourceId);
    SetWindowManagerMoveSize(nullptr);
    SetWindowManagerActivate(nullptr);
    SetWindowManagerKeepsMinimized(nullptr);
    StopX11Services();
    for (auto& [id, xw] : X().windows) XDestroyWindow(X().display, xw.xid);
    X().windows.clear();
    X().managerRuns.reset();
    X().lastUserTime = CurrentTime;  // times and windows of that display mean nothing on another
    X().keyboardOn = 0;
    X().keyboardLeft = false;
    XDestroyWindow(X().display, X().groupLeader);
    X().groupLeader = 0;
    SetPanelFreeArea(RECT{0, 0, ScreenSize().cx, ScreenSize().cy});
    X().pixels.Stop();
    SetWorkArea(RECT{});
    XCloseDisplay(X().display);
    X().display = nullptr;
}

bool X11PresenterRunning() { return X().display != nullptr; }

}  // namespace platform
