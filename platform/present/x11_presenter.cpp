#include "platform/present/x11_presenter.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>

#include <algorithm>
#include <optional>

#include "platform/present/desktop_screen.h"
#include "platform/present/minimized_bars.h"
#include "platform/present/presented_windows.h"
#include "platform/present/detail/x11_monitors.h"
#include "platform/present/detail/x11_focus.h"
#include "platform/present/detail/x11_input.h"
#include "platform/present/detail/x11_panels.h"
#include "platform/present/detail/x11_presenter_state.h"
#include "platform/present/detail/x11_services.h"
#include "platform/present/detail/x11_shown_state.h"
#include "platform/present/detail/x11_stacking.h"
#include "platform/present/detail/x11_taskbar_claim.h"
#include "platform/present/detail/x11_window_hints.h"
#include "platform/present/detail/x11_window_shape.h"
#include "platform/present/detail/x11_window_truth.h"
#include "platform/window/error_boundary.h"
#include "platform/window/loop.h"
#include "platform/window/outside_ends.h"
#include "platform/window/monitors.h"
#include "platform/window/panel_area.h"
#include "platform/window/screen.h"
#include "platform/window/window_manager.h"

namespace platform {
using namespace x11;

void x11::Sync(HWND hwnd) {
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
    SetIcon(xw, w->icon);
    ApplyStates(xw, *w);
    ApplyTransient(xw, *w);
    ApplyLayered(xw, hwnd, *w);
    ApplyFunctions(xw, *w);
    const bool fixed = !(w->style & WS_THICKFRAME);
    if (!(xw.screenRect == r)) {
        // A window manager holds a new size to the size hints: they let the window go first.
        if (r.width() != xw.screenRect.width() || r.height() != xw.screenRect.height()) ApplySizeHints(xw, r, false);
        xw.requested.Asked(r);
        XMoveResizeWindow(X().display, xw.xid, ToRoot(r).left, ToRoot(r).top, static_cast<unsigned>(std::max<LONG>(1, r.width())),
                          static_cast<unsigned>(std::max<LONG>(1, r.height())));
        if (w->className == "Shell_TrayWnd") ApplyStrut(xw, r);
        xw.screenRect = r;
    }
    ApplySizeHints(xw, r, fixed);
    ApplyShownState(hwnd, xw, wanted, w->minimized, r);
    ApplyKeyboardGrab(hwnd, xw);
    Restack();
    XFlush(X().display);
}

namespace {

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
    SetPanelFreeArea(FromRoot(ReadPanelFreeArea(X().display, X().root, RootSize(X().display, X().screen),
                                                [](XWindowId xid) { return static_cast<bool>(HandleOf(xid)); })));
}

// The desktop's work area, as the window manager publishes it, in the program's coordinates.
void FollowWorkArea() {
    const RECT published = PublishedWorkArea(X().display, X().root, X().workArea);
    SetWorkArea(published.empty() ? RECT{} : FromRoot(published));
}

// Monitors came, went or changed: the program hears of them. Where the primary monitor moved, the
// program's coordinates move with it, and every window's record is where the window is in them.
void FollowMonitors() {
    const ScreenMonitors read = ReadMonitors(X().display, X().root);
    const POINT before = MonitorLayoutOrigin();
    const RECT& primary = read.monitors[read.primary];
    const LONG dx = before.x - primary.left, dy = before.y - primary.top;
    if (dx || dy)
        for (auto& [id, xw] : X().windows) {
            xw.screenRect = OffsetRectBy(xw.screenRect, dx, dy);
            xw.requested.Clear();
            WindowManagerPlaced(HWND{id}, xw.screenRect);
        }
    SetMonitorLayout(read.monitors, read.primary);
    FollowWorkArea();
    FollowOtherPanels();
}

// The server (and the window manager, whoever asked) put the window there: the program's record
// follows, unless it is one of the program's own requests coming through.
void FollowConfigure(XWin& xw, const XConfigureEvent& c) {
    const RECT r = FromRoot(RootRectAfterConfigure(X().display, X().root, c, xw.framed));
    if (xw.requested.Confirms(r) || r == xw.screenRect) {
        xw.sizeAskedAgain = 0;
        return;
    }
    // A window whose size the program fixes keeps it: a window manager that took the program's
    // request while it still held the window to the size before (it read the new size hints
    // after the request, as xfwm4 may on a busy machine) is asked again, a few times at most.
    const bool otherSize = r.width() != xw.screenRect.width() || r.height() != xw.screenRect.height();
    if (otherSize && xw.fixedSize.cx > 0 && xw.requested.Pending() && xw.sizeAskedAgain < 3) {
        ++xw.sizeAskedAgain;
        const RECT asked = ToRoot(xw.screenRect);
        xw.requested.Asked(xw.screenRect);
        XMoveResizeWindow(X().display, xw.xid, asked.left, asked.top, static_cast<unsigned>(xw.screenRect.width()),
                          static_cast<unsigned>(xw.screenRect.height()));
        XFlush(X().display);
        return;
    }
    // A maximise may come as a new size before its state: the state is read first, so that the
    // place the window goes back to is where it stood before.
    if (r.width() != xw.screenRect.width() || r.height() != xw.screenRect.height()) FollowStates(xw);
    xw.screenRect = r;  // the window is there already: nothing goes back to the server
    xw.requested.Clear();
    if (const HWND h = HandleOf(xw.xid)) WindowManagerPlaced(h, r);
}

void HandleEvent(XEvent& e) {
    if (HandleX11ServiceEvent(e) || HandleInputEvent(e)) return;
    if (FollowTaskbarClaim(e)) {
        // The other copy's taskbar went with its reserved edge: ours lays out without it.
        FollowOtherPanels();
        for (HWND top : TopLevelWindowsInZOrder())
            if (const std::optional<PresentedWindow> w = ReadPresentedWindow(top); w && w->shellWindow) Sync(top);
        return;
    }
    if (IsMonitorChange(e)) {
        FollowMonitors();
        return;
    }
    switch (e.type) {
        case Expose:
            // Sent once the paints waiting now are done: the pixels the surface holds at this
            // moment may be ones never meant to be seen (a surface made anew for a size).
            if (HWND h = HandleOf(e.xexpose.window))
                ShowAgain(h, RECT{e.xexpose.x, e.xexpose.y, e.xexpose.x + e.xexpose.width, e.xexpose.y + e.xexpose.height});
            break;
        case FocusIn: FollowFocusIn(e.xfocus); break;
        case FocusOut: FollowFocusOut(e.xfocus); break;
        case PropertyNotify:
            if (e.xproperty.window == X().root) {
                if (e.xproperty.atom == X().supportingWmCheck) X().managerRuns.reset();
                if (e.xproperty.atom == X().clientListStacking) FollowStacking();
                if (e.xproperty.atom == X().activeWindow) FollowActiveWindow();
                if (e.xproperty.atom == X().workArea) {
                    FollowWorkArea();
                    FollowOtherPanels();
                }
            } else if (e.xproperty.atom == X().wmState) {
                NoteWindowManagerState(e.xproperty.window);
            } else if (XWin* xw = FindX(e.xproperty.window); xw && e.xproperty.atom == X().netWmState) {
                FollowStates(*xw);
                NoteRefusedKeyboard(*xw, AtomList(X().display, xw->xid, X().netWmState));
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
    SetWindowManagerUserTime(nullptr, nullptr);
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
    // A held key's repeats come as presses alone, so that they are known as repeats.
    XkbSetDetectableAutoRepeat(display, True, nullptr);
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
                          {&x.netWmPid, "_NET_WM_PID"},
                          {&x.netWmUserTime, "_NET_WM_USER_TIME"},
                          {&x.stateDemandsAttention, "_NET_WM_STATE_DEMANDS_ATTENTION"},
                          {&x.stateFullscreen, "_NET_WM_STATE_FULLSCREEN"},
                          {&x.clientListStacking, "_NET_CLIENT_LIST_STACKING"},
                          {&x.workArea, "_NET_WORKAREA"},
                          {&x.stateMaxVert, "_NET_WM_STATE_MAXIMIZED_VERT"},
                          {&x.stateMaxHorz, "_NET_WM_STATE_MAXIMIZED_HORZ"},
                          {&x.allowedActions, "_NET_WM_ALLOWED_ACTIONS"},
                          {&x.actionMinimize, "_NET_WM_ACTION_MINIMIZE"}});
    SetClientIdentity(X().groupLeader);
    XSelectInput(display, X().groupLeader, PropertyChangeMask);  // the server's time is read there
    WatchMonitors(display, X().root);

    InstallX11Services(display, X().root, [](XWindowId xid) { return static_cast<bool>(HandleOf(xid)); });
    // The root tells of the work area as other panels change, and of the window manager's stacking.
    XSelectInput(display, X().root, PropertyChangeMask);
    FollowMonitors();

    // Once the display is gone (lost, or the presenter stopped) the windows' changes reach it no more.
    ObservePresentedWindows([](HWND hwnd) { if (X().display) Sync(hwnd); },
                            [](HWND hwnd) { if (X().display) Forget(hwnd); });
    SetWindowManagerMoveSize(MoveSizeByWindowManager);
    SetWindowManagerActivate(FollowProgramFocus);
    SetWindowManagerKeepsMinimized(WindowManagerRuns);
    SetWindowManagerUserTime(UserStartTime, TakeHandedOverUserTime);
    SetPresentedWindowsListener(
        [](HWND hwnd, const RECT& area, bool repainted) {
            if (!X().display) return;
            Sync(hwnd);
            PushPixels(hwnd, area, repainted);
            XFlush(X().display);
        },
        [](HWND hwnd) {
            const std::optional<PresentedWindow> w = ReadPresentedWindow(hwnd);
            return w && Presented(*w);
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
    SetWindowManagerUserTime(nullptr, nullptr);
    StopX11Services();
    ForgetTaskbarClaim();
    for (auto& [id, xw] : X().windows) XDestroyWindow(X().display, xw.xid);
    X().windows.clear();
    X().managerRuns.reset();
    X().lastUserTime = CurrentTime;  // times and windows of that display mean nothing on another
    X().keyboardOn = 0;
    X().keyboardLeft = X11State::KeyboardLeft::No;
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
