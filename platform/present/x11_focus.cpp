#include "platform/present/detail/x11_focus.h"

#include <X11/Xatom.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "platform/present/detail/x11_input.h"
#include "platform/present/detail/x11_stacking.h"
#include "platform/present/presented_windows.h"
#include "platform/window/loop.h"
#include "platform/window/window_manager.h"

namespace platform::x11 {
using Left = X11State::KeyboardLeft;

Time ServerTimeNow() {
    // A property change carries the server's time: an empty append to the group leader changes
    // nothing and is told back at once.
    const unsigned char nothing = 0;
    XChangeProperty(X().display, X().groupLeader, XA_WM_CLASS, XA_STRING, 8, PropModeAppend, &nothing, 0);
    XEvent e;
    XWindowEvent(X().display, X().groupLeader, PropertyChangeMask, &e);
    return e.xproperty.time;
}

namespace {

// The X window that has the desktop's keyboard focus.
XWindowId XFocus() {
    XWindowId focus = 0;
    int revert = 0;
    XGetInputFocus(X().display, &focus, &revert);
    return focus;
}

// Gives the program's foreground window the desktop's keyboard focus, unless it has it: asked of
// the window manager as the user's own doing (the time of the user's last press or key; for a
// window shown anew, the time it came), or set directly where no window manager runs. A window the
// window manager has not taken on yet is asked for once it has (NoteManaged).
void FocusForegroundWindow() {
    const bool broughtForward = std::exchange(X().bringForward, false);
    auto it = X().windows.find(GetForegroundWindow().id());
    if (it == X().windows.end() || !it->second.mapped || it->second.iconic || it->second.overrideRedirect) return;
    const XWindowId focus = XFocus();
    if (focus == it->second.xid) return;
    if (WindowManagerSupports(X().activeWindow)) {
        if (!it->second.managed) {
            it->second.activationAwaited = true;
            return;
        }
        const Time time = it->second.shownAnew ? ServerTimeNow() : X().lastUserTime;
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = it->second.xid;
        e.xclient.message_type = X().activeWindow;
        e.xclient.format = 32;
        e.xclient.data.l[0] = 1;  // asked for by an application
        e.xclient.data.l[1] = static_cast<long>(time);
        e.xclient.data.l[2] = HandleOf(focus) ? static_cast<long>(focus) : 0;  // our window active now
        XSendEvent(X().display, X().root, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
        // A window shown anew, or brought forward for the user, goes to the top of its band too:
        // some window managers give it the keyboard and leave it where it was, under the user's
        // work; others raise a new window over what the program raised since it was shown.
        if (it->second.shownAnew || broughtForward) RaiseInItsBand(it->second);
    } else {
        XSetInputFocus(X().display, it->second.xid, RevertToParent, X().lastUserTime);
    }
    X().keyboardLeft = Left::No;
    XFlush(X().display);
}

// The desktop's keyboard focus goes to the program's foreground window once the program's work of
// the moment is done, so that a window that hands the keyboard on and takes it back in one step
// moves nothing.
void FocusForegroundWindowSoon() {
    if (X().focusToFollow) return;
    X().focusToFollow = true;
    PostTask([] {
        if (std::exchange(X().focusToFollow, false) && X().display) FocusForegroundWindow();
    });
}

// No window has the keyboard: none at all, or the pointer's (keys go to what lies under it).
bool HeldByNoWindow(XWindowId focus) { return focus == None || focus == PointerRoot || focus == X().root; }

// The desktop's keyboard is on one of our windows, or was left with nobody (no program's window
// has it) when the last of ours to have it went away; not when that one gave it back to another
// program's window.
bool KeyboardIsOurs() {
    if (X().keyboardLeft == Left::GivenBack) return false;
    const XWindowId focus = XFocus();
    if (HandleOf(focus)) return true;
    // Where no window manager runs, a keyboard that no window holds (the server's own start, where
    // keys go to whatever lies under the pointer) is the program's to take.
    if (!WindowManagerRuns()) return X().keyboardLeft == Left::WithNobody || HeldByNoWindow(focus);
    return X().keyboardLeft == Left::WithNobody && !InsideManagedClient(X().display, focus, X().wmState);
}

// Another program's window has the desktop's keyboard (one its window manager manages, or, with
// none, any window but the root).
bool KeyboardIsAnotherPrograms(XWindowId focus) {
    if (HandleOf(focus)) return false;
    if (WindowManagerRuns()) return InsideManagedClient(X().display, focus, X().wmState);
    return !HeldByNoWindow(focus);
}

// The program's foreground window follows the desktop's keyboard: while another program has it,
// none of ours is in front, once the program's work of the moment is done.
void FollowKeyboardElsewhereSoon() {
    PostTask([] {
        if (X().display && KeyboardIsAnotherPrograms(XFocus())) WindowManagerFocusElsewhere();
    });
}

// The window is there and shown (another program's may have gone meanwhile).
bool Viewable(XWindowId xid) {
    XWindowAttributes a;
    return XGetWindowAttributes(X().display, xid, &a) && a.map_state == IsViewable;
}

// Gives the keyboard back to the window that had it (another program's or one of ours): as a pager or task list asks
// for it (the window manager grants that), or directly where none runs. Asked once our window has
// gone and without a time of ours, so that it comes after the window manager's own fallback for the
// window that went (some give the keyboard to the topmost window left, and take a request older
// than that as stale).
void GiveKeyboardBack(XWindowId to) {
    if (!Viewable(to)) return;
    if (WindowManagerSupports(X().activeWindow)) {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = to;
        e.xclient.message_type = X().activeWindow;
        e.xclient.format = 32;
        e.xclient.data.l[0] = 2;  // asked for by a pager: the user's wish
        e.xclient.data.l[1] = CurrentTime;
        XSendEvent(X().display, X().root, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    } else {
        XSetInputFocus(X().display, to, RevertToParent, CurrentTime);
    }
    XFlush(X().display);
}

// A topmost window of ours lies over the window, which is not topmost, in the program's order (the
// settings window over an alarm that fired). Menus and balloons come and go over anything.
bool CoveredByOurs(const XWin& xw) {
    if (Topmost(xw)) return false;
    for (HWND top : TopLevelWindowsInZOrder()) {
        const auto it = X().windows.find(top.id());
        if (it == X().windows.end()) continue;
        const XWin* other = &it->second;
        if (other == &xw) return false;
        if (other->mapped && !other->iconic && !other->overrideRedirect && Topmost(*other) &&
            !IntersectRects(other->screenRect, xw.screenRect).empty())
            return true;
    }
    return false;
}

}  // namespace

// The program gave one of its windows the keyboard by its own doing: while the desktop's keyboard
// is ours, it follows. With another program's window focused, that stands.
void FollowProgramFocus(HWND hwnd) {
    const auto it = X().windows.find(hwnd.id());
    const bool handedOver = std::chrono::steady_clock::now() < X().handOverUntil;
    X().handOverUntil = {};
    X().bringForward = X().bringForward || handedOver;
    // A window shown anew while another program had the keyboard (an alarm that fired) is kept
    // above that program's window, and the user's typing stays there until a click gives it to ours.
    const bool shownToTakeIt = it != X().windows.end() && it->second.shownAnew && !it->second.keptAbove;
    if (KeyboardIsOurs() || handedOver || shownToTakeIt)
        FocusForegroundWindowSoon();
    else
        FollowKeyboardElsewhereSoon();
}

std::uint32_t UserStartTime() {
    // A launcher that follows the startup notification protocol names the time of the user's
    // click in the start's id; else the start is the user's doing of this moment.
    if (const char* id = std::getenv("DESKTOP_STARTUP_ID"))
        if (const char* at = std::strstr(id, "_TIME"); at && std::isdigit(static_cast<unsigned char>(at[5])))
            return static_cast<std::uint32_t>(std::strtoul(at + 5, nullptr, 10));
    return static_cast<std::uint32_t>(ServerTimeNow());
}

void TakeHandedOverUserTime(std::uint32_t time) {
    X().lastUserTime = time;
    X().handOverUntil = std::chrono::steady_clock::now() + std::chrono::seconds(2);
}

void NoteShownAnew(XWin& xw) {
    xw.hadKeyboard = false;
    xw.focusBefore = 0;
    if (xw.overrideRedirect || xw.dock || !WindowManagerRuns()) return;
    // While another program's window has the keyboard, a window the program shows of its own accord
    // comes up above it and leaves the keyboard there (a user time of 0 asks for no focus as it
    // maps); one the user asked for through another copy of the program takes it. A window manager
    // marks a window it maps without the keyboard as asking for attention and lists it for that: one
    // out of the task list (the floating clock) is never shown so.
    const XWindowId focus = XFocus();
    const bool listed = std::find(xw.states.begin(), xw.states.end(), X().stateSkipTaskbar) == xw.states.end();
    const bool quiet = listed && KeyboardIsAnotherPrograms(focus) && std::chrono::steady_clock::now() >= X().handOverUntil;
    const long time = quiet ? 0 : static_cast<long>(ServerTimeNow());
    XChangeProperty(X().display, xw.xid, X().netWmUserTime, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&time), 1);
    xw.shownAnew = true;
    // The window that had the keyboard gets it back when this one, having taken it, goes: another
    // program's, or one of ours (the program alone would hand it on to its frontmost window).
    if (KeyboardIsAnotherPrograms(focus) || (HandleOf(focus) && focus != xw.xid)) xw.focusBefore = focus;
    if (quiet && !xw.keptAbove) {
        xw.keptAbove = true;
        if (std::find(xw.states.begin(), xw.states.end(), X().stateAbove) == xw.states.end())
            xw.states.insert(xw.states.begin(), X().stateAbove);
    }
}

void NoteManaged(XWin& xw) {
    const bool awaited = std::exchange(xw.activationAwaited, false);
    if (!xw.shownAnew) return;
    const HWND h = HandleOf(xw.xid);
    if (h == GetForegroundWindow()) {
        FocusForegroundWindowSoon();
    } else if (awaited && h) {
        // A request of ours from before the user's last click, granted late, gave another of our
        // windows the keyboard while this one waited for the window manager: the window the
        // program brought forward last (an alarm that fired) is still the one to see.
        SetForegroundWindow(h);
    }
}

void NoteUserInput(XWindowId xid) {
    XWin* xw = FindX(xid);
    if (!xw) return;
    // The user's own doing decides where the keyboard goes from now on. A window kept above stays
    // so while the user works in it, until they turn to another window of ours.
    for (auto& [id, any] : X().windows) any.activationAwaited = false;
    xw->shownAnew = false;
    std::vector<HWND> dropped;
    for (auto& [id, any] : X().windows)
        if (&any != xw && std::exchange(any.keptAbove, false)) dropped.push_back(HWND{id});
    for (HWND h : dropped) Sync(h);
}

void NoteRefusedKeyboard(XWin& xw, const std::vector<Atom>& states) {
    // Only a window that something covers is lifted: one lifted anyway would come over the topmost
    // windows of ours that are meant to stay above it (the floating clock over the settings window).
    if (!xw.shownAnew || xw.keptAbove || XFocus() == xw.xid ||
        std::find(states.begin(), states.end(), X().stateDemandsAttention) == states.end() ||
        !(CoveredByAnotherProgram(xw) || CoveredByOurs(xw)))
        return;
    xw.keptAbove = true;
    if (HWND h = HandleOf(xw.xid)) Sync(h);
}

// Our window that has the keyboard goes away: the program hid, minimised or destroyed it, or the
// window manager minimised it. A window manager would fall back to a window of its own choosing,
// often none of ours or none at all, and the keys typed next would reach nothing: the window the
// program hands the keyboard on to (its owner, or the frontmost) takes it instead.
// A window shown while another window had the keyboard (another program's or one of ours) gives it
// back to that window, where it is still there.
void KeepFocusPastLeaving(const XWin& xw) {
    if (!xw.mapped || xw.overrideRedirect) return;
    const XWindowId focus = XFocus();
    if (focus != xw.xid && (X().keyboardOn != xw.xid || HandleOf(focus) ||
                            InsideManagedClient(X().display, focus, X().wmState)))
        return;
    if (xw.focusBefore && Viewable(xw.focusBefore)) {
        // The window the program hands the keyboard on to, now or asked for before, takes none.
        X().keyboardLeft = Left::GivenBack;
        X().focusToFollow = false;
        PostTask([to = xw.focusBefore] {
            if (!X().display) return;
            GiveKeyboardBack(to);
            FollowKeyboardElsewhereSoon();
        });
        return;
    }
    X().keyboardLeft = Left::WithNobody;
    FocusForegroundWindowSoon();
}

void FollowFocusOut(const XFocusChangeEvent& e) {
    if (e.mode != NotifyNormal || e.detail == NotifyPointer || e.detail == NotifyInferior) return;
    // The user turned to another window: what was shown anew has had its chance to be seen. Where
    // another program took the keyboard, no window of ours is in front any more, and what was kept
    // above for the user to see has been seen.
    XWin* xw = FindX(e.window);
    if (xw) xw->shownAnew = false;
    if (!KeyboardIsAnotherPrograms(XFocus())) return;
    WindowManagerFocusElsewhere();
    if (xw && std::exchange(xw->keptAbove, false))
        if (HWND h = HandleOf(xw->xid)) Sync(h);
}

void KeepAboveWhileCovered(XWin& xw) {
    if (xw.keptAbove || !xw.mapped || xw.iconic || XFocus() != xw.xid ||
        !((xw.shownAnew && CoveredByAnotherProgram(xw)) || CoveredByOurs(xw)))
        return;
    xw.keptAbove = true;
    if (HWND h = HandleOf(xw.xid)) Sync(h);
}

void FollowActiveWindow() {
    if (!KeyboardIsAnotherPrograms(XFocus())) return;
    WindowManagerFocusElsewhere();
    // The user works in another program: a window of ours shown before has had its chance to be
    // seen, and takes the keyboard from there no more when the program turns to it.
    for (auto& [id, xw] : X().windows) xw.shownAnew = false;
}

void FollowFocusIn(const XFocusChangeEvent& e) {
    // The keyboard comes to one of our windows, however it comes (the window manager's focus, a
    // menu's grab starting or ending, the pointer's): a key released while it was elsewhere, or
    // while no window had it, counts as up, as the server says.
    if (!HandleOf(e.window)) return;
    ForgetKeysReleasedElsewhere();
    // The window manager gave one of our windows the keyboard: it becomes the active window,
    // so that what is typed into it reaches it. A grab's start and end (an open menu's) move
    // no focus, nor does the pointer where no window manager gives it.
    if ((e.mode == NotifyNormal || e.mode == NotifyWhileGrabbed) && e.detail != NotifyPointer)
        if (HWND h = HandleOf(e.window)) {
            X().keyboardOn = e.window;
            X().keyboardLeft = Left::No;
            if (XWin* xw = FindX(e.window); xw && !std::exchange(xw->hadKeyboard, true)) KeepAboveWhileCovered(*xw);
            // A window that a modal window blocks was raised with the focus: the program's
            // order goes back to the server, the modal window on top, and the modal window asks
            // for the keyboard back as of now. The click or key that raised it comes after this
            // event, and a window manager that prevents focus stealing refuses a request older
            // than it.
            if (!IsWindowEnabled(h)) {
                X().lastStack.clear();
                X().lastUserTime = ServerTimeNow();
            }
            WindowManagerFocus(h);
            Restack();
            XFlush(X().display);
        }
}

}  // namespace platform::x11
