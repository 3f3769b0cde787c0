#include "platform/window/input.h"
#include "platform/window/detail/input.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <iterator>
#include <optional>
#include <utility>

#include "platform/services/clock.h"
#include "platform/services/window_surfaces.h"
#include "platform/window/detail/frame_tracking.h"
#include "platform/window/detail/window_store.h"
#include "platform/window/window_manager.h"

namespace platform {
using namespace detail;

namespace {

enum class RawKind { Move, Button, Key, KeyGone };

struct RawInput {
    RawKind kind;
    POINT screen;
    MouseButton button = MouseButton::Left;
    bool down = false;
    int vk = 0;
    unsigned int character = 0;
    std::optional<ModifierKeys> held;
    HWND over;  // the top-level window the pointer or key event came to, if the presenter knows it
};

struct InputState {
    POINT cursor{0, 0};
    bool asyncKeys[256] = {};  // as the devices are now (GetAsyncKeyState)
    bool keys[256] = {};       // as of the input being handled (GetKeyState, mouse key flags)
    bool toggled[256] = {};
    std::deque<RawInput> queue;
    HWND lastDownWindow;
    UINT lastDownMessage = 0;
    std::int64_t lastDownTime = -1'000'000;
    POINT lastDownPoint{};
    HWND hover;
    HWND menuKeys;  // the open menu that takes the keys
    HWND pressedOn[256];  // the top-level window that had the keyboard when each held key went down
    bool clicksHeld = false;
    bool releasedWhileHeld[256] = {};
};

InputState& I() {
    static InputState state;
    return state;
}

bool EnabledWithAncestors(HWND hwnd) {
    for (Window* w = Find(hwnd); w; w = w->topLevel() ? nullptr : Find(w->parent))
        if (w->style & WS_DISABLED) return false;
    return Find(hwnd) != nullptr;
}

// The deepest visible, enabled window under a screen point, topmost first. A disabled child is
// passed through to its parent, as the desktop does.
HWND ChildFromPoint(HWND hwnd, POINT screen) {
    Window* w = Find(hwnd);
    if (!w) return HWND{};
    RECT client = ClientRectOnScreen(hwnd);
    if (!client.contains(screen)) return hwnd;
    for (HWND child : w->children) {
        Window* c = Find(child);
        if (!c || !(c->style & WS_VISIBLE)) continue;
        RECT r;
        GetWindowRect(child, &r);
        if (r.contains(screen)) return (c->style & WS_DISABLED) ? hwnd : ChildFromPoint(child, screen);
    }
    return hwnd;
}

WPARAM MouseKeyState() {
    WPARAM state = 0;
    if (I().keys[VK_LBUTTON]) state |= MK_LBUTTON;
    if (I().keys[VK_RBUTTON]) state |= MK_RBUTTON;
    if (I().keys[VK_MBUTTON]) state |= MK_MBUTTON;
    if (I().keys[VK_SHIFT]) state |= MK_SHIFT;
    if (I().keys[VK_CONTROL]) state |= MK_CONTROL;
    return state;
}

// Under a capture, the capture; else the window under the pointer on the top-level window the
// event came to, while the point lies on it (a press's implicit grab sends the release there
// from anywhere); else the frontmost window under the point.
HWND MouseTarget(POINT screen, HWND over) {
    if (S().capture && Find(S().capture)) return S().capture;
    if (const Window* w = Find(over); w && w->topLevel() && (w->style & WS_VISIBLE) && !w->minimized &&
                                      !(w->exStyle & WS_EX_TRANSPARENT)) {
        RECT r;
        GetWindowRect(over, &r);
        if (r.contains(screen)) return ChildFromPoint(over, screen);
    }
    return WindowFromPoint(screen);
}

LPARAM ClientPoint(HWND hwnd, POINT screen) {
    POINT p = screen;
    ScreenToClient(hwnd, &p);
    return MakePointParam(p.x, p.y);
}

void SendFocusChange(HWND from, HWND to) {
    if (from && Find(from)) SendMessage(from, WM_KILLFOCUS, static_cast<WPARAM>(to.id()), 0);
    if (to && Find(to)) SendMessage(to, WM_SETFOCUS, static_cast<WPARAM>(from.id()), 0);
}

// A point on a top-level window outside its client area is on its frame: the window tells what
// lies there (WM_NCHITTEST). HTCLIENT for every other point.
LRESULT NonClientHit(HWND target, POINT screen) {
    Window* w = Find(target);
    if (!w || !w->topLevel() || ClientRectOnScreen(target).contains(screen)) return HTCLIENT;
    ContextScope scope(w->context);
    return SendMessage(target, WM_NCHITTEST, 0, MakePointParam(screen.x, screen.y));
}

// The modifier keys as the device reported them with an event: a release that went to another
// window (or to none) leaves no key held.
void TakeHeldModifiers(const std::optional<ModifierKeys>& held, bool* keys) {
    if (!held) return;
    keys[VK_SHIFT] = held->shift;
    keys[VK_CONTROL] = held->control;
    keys[VK_MENU] = held->alt;
}

// A layered window with a colour key is not there where it shows that colour: the pointer reaches
// what lies below, as it does on the desktop (and as the window's shape makes it on X).
bool ShowsThrough(const Window& w, POINT screen) {
    if (!(w.exStyle & WS_EX_LAYERED) || !w.layeredSet || !(w.layeredFlags & LWA_COLORKEY)) return false;
    const POINT origin = WindowOriginOnScreen(w);
    const auto pixel = UseService<WindowSurfaces>().PixelAt(w.hwnd, POINT{screen.x - origin.x, screen.y - origin.y});
    return pixel && (*pixel & 0xFFFFFFu) == (w.layeredKey & 0xFFFFFFu);
}

}  // namespace

// The window that takes the keyboard; a window manager hears when the program changes it. The
// caption of the window that had it and of the one that has it now are drawn again, as only the
// window with the keyboard shows an active caption.
void detail::SetForeground(HWND top) {
    const HWND old = S().foreground;
    if (old == top) return;
    S().foreground = top;
    if (old && Find(old)) NotifyChanged(old);
    if (top && Find(top)) NotifyChanged(top);
    ForegroundChanged(top);
}

HWND WindowFromPoint(POINT screen) {
    for (HWND top : S().topLevels) {
        Window* w = Find(top);
        if (!w || !(w->style & WS_VISIBLE) || w->minimized) continue;
        if (w->exStyle & WS_EX_TRANSPARENT) continue;
        RECT r;
        GetWindowRect(top, &r);
        if (r.contains(screen) && !ShowsThrough(*w, screen)) return ChildFromPoint(top, screen);
    }
    return HWND{};
}

HWND SetFocus(HWND hwnd) {
    int ctx = static_cast<int>(CurrentContext());
    HWND old = S().focus[ctx];
    if (hwnd) {
        Window* w = FindOrFail(hwnd);
        if (!w || w->context != CurrentContext() || (w->style & WS_DISABLED)) return HWND{};
        HWND top = GetTopLevel(hwnd);
        if (S().active[ctx] != top) SetActiveWindow(top);
    }
    if (old == hwnd) return old;
    S().focus[ctx] = hwnd;
    SendFocusChange(old, hwnd);
    return old;
}

HWND GetFocus() { return S().focus[static_cast<int>(CurrentContext())]; }

HWND SetActiveWindow(HWND hwnd) {
    int ctx = static_cast<int>(CurrentContext());
    HWND old = S().active[ctx];
    if (hwnd) {
        Window* w = FindOrFail(hwnd);
        if (!w || w->context != CurrentContext()) return HWND{};
        hwnd = GetTopLevel(hwnd);
    }
    if (old == hwnd) return old;
    S().active[ctx] = hwnd;
    if (old && Find(old)) SendMessage(old, WM_ACTIVATE, WA_INACTIVE, static_cast<LPARAM>(hwnd.id()));
    if (hwnd) {
        SetForeground(hwnd);
        SendMessage(hwnd, WM_ACTIVATE, WA_ACTIVE, static_cast<LPARAM>(old.id()));
    }
    return old;
}

HWND GetActiveWindow() { return S().active[static_cast<int>(CurrentContext())]; }

BOOL SetForegroundWindow(HWND hwnd) {
    Window* w = FindOrFail(hwnd);
    if (!w) return 0;
    HWND top = GetTopLevel(hwnd);
    // Asked for by name, the window comes to the desktop's front also when the program counts it
    // in front already (the user may work in another program's window meanwhile).
    if (S().foreground == top) ForegroundChanged(top);
    SetForeground(top);
    {
        ContextScope scope(w->context);
        SetActiveWindow(top);
    }
    BringWindowToTop(top);
    return 1;
}

HWND GetForegroundWindow() { return S().foreground; }

HWND SetCapture(HWND hwnd) {
    HWND old = S().capture;
    if (hwnd && !FindOrFail(hwnd)) return HWND{};
    S().capture = hwnd;
    if (old && old != hwnd && Find(old)) SendMessage(old, WM_CAPTURECHANGED, 0, static_cast<LPARAM>(hwnd.id()));
    return old;
}

BOOL ReleaseCapture() {
    HWND old = S().capture;
    S().capture = HWND{};
    if (old && Find(old)) SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return 1;
}

HWND GetCapture() { return S().capture; }

BOOL GetCursorPos(POINT* point) {
    if (!point) return 0;
    *point = I().cursor;
    return 1;
}

BOOL SetCursorPos(int x, int y) {
    I().cursor = POINT{x, y};
    return 1;
}

short GetAsyncKeyState(int vk) {
    if (vk < 0 || vk > 255) return 0;
    return I().asyncKeys[vk] ? static_cast<short>(0x8000) : 0;
}

short GetKeyState(int vk) {
    if (vk < 0 || vk > 255) return 0;
    short state = I().keys[vk] ? static_cast<short>(0x8000) : 0;
    if (I().toggled[vk]) state |= 1;
    return state;
}

UINT GetDoubleClickTime() { return 500; }

// Disabled windows take no mouse input (a modal window disables the others); a capture still gets it.
static bool TakesMouse(HWND target) { return target && (target == S().capture || EnabledWithAncestors(target)); }

static void RouteMouseMove(POINT screen, HWND over) {
    if (TrackingTakesMouse(screen, TrackedMouse::Move)) return;
    HWND target = MouseTarget(screen, over);
    if (!TakesMouse(target)) return;
    if (target != S().capture) {
        if (LRESULT hit = NonClientHit(target, screen); hit != HTCLIENT) {
            PostMessage(target, WM_NCMOUSEMOVE, static_cast<WPARAM>(hit), MakePointParam(screen.x, screen.y));
            return;
        }
    }
    PostMessage(target, WM_MOUSEMOVE, MouseKeyState(), ClientPoint(target, screen));
}

static void RouteMouseButton(POINT screen, MouseButton button, bool down, HWND over) {
    static const UINT kDown[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    static const UINT kUp[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
    static const UINT kDouble[] = {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK};
    static const int kVk[] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
    int b = static_cast<int>(button);
    I().keys[kVk[b]] = down;
    const TrackedMouse tracked = button != MouseButton::Left ? TrackedMouse::OtherButton
                                 : down                     ? TrackedMouse::LeftDown
                                                            : TrackedMouse::LeftUp;
    if (TrackingTakesMouse(screen, tracked)) return;
    HWND target = MouseTarget(screen, over);
    if (!TakesMouse(target)) {
        if (down && target) RestoreMinimizedModalWindows();
        return;
    }
    Window* w = Find(target);
    if (!w) return;
    // The frame (caption, its buttons, the borders) takes the left button; the others do nothing there.
    const LRESULT hit = target == S().capture ? HTCLIENT : NonClientHit(target, screen);
    if (hit == HTNOWHERE || hit == HTTRANSPARENT) return;
    if (!down) {
        if (hit != HTCLIENT) {
            if (button == MouseButton::Left)
                PostMessage(target, WM_NCLBUTTONUP, static_cast<WPARAM>(hit), MakePointParam(screen.x, screen.y));
            return;
        }
        PostMessage(target, kUp[b], MouseKeyState(), ClientPoint(target, screen));
        return;
    }
    // A press activates the window's top-level window unless it asks not to be, and brings it to
    // the front of its band.
    HWND top = GetTopLevel(target);
    if (Window* t = Find(top)) {
        if (!(t->exStyle & WS_EX_NOACTIVATE) && S().foreground != top) {
            ContextScope scope(t->context);
            if (SendMessage(target, WM_MOUSEACTIVATE, static_cast<WPARAM>(top.id()), 0) != MA_NOACTIVATE) {
                SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                SetForeground(top);
                SetActiveWindow(top);
            }
        }
    }
    if (hit != HTCLIENT && button != MouseButton::Left) return;
    // Two presses close in time and place on the same part make a double click: in the client
    // area for a class that asks for them, on the frame always.
    const UINT pressed = hit != HTCLIENT ? WM_NCLBUTTONDOWN : kDown[b];
    std::int64_t now = CurrentClock().MonotonicMs();
    int halfX = GetSystemMetrics(SM_CXDOUBLECLK) / 2, halfY = GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    bool doubleClick = (hit != HTCLIENT || (w->cls->style & CS_DBLCLKS)) && I().lastDownWindow == target &&
                       I().lastDownMessage == pressed && now - I().lastDownTime <= GetDoubleClickTime() &&
                       std::abs(screen.x - I().lastDownPoint.x) <= halfX && std::abs(screen.y - I().lastDownPoint.y) <= halfY;
    I().lastDownTime = doubleClick ? -1'000'000 : now;
    I().lastDownWindow = target;
    I().lastDownMessage = pressed;
    I().lastDownPoint = screen;
    if (hit != HTCLIENT) {
        PostMessage(target, doubleClick ? WM_NCLBUTTONDBLCLK : WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit),
                    MakePointParam(screen.x, screen.y));
        return;
    }
    PostMessage(target, doubleClick ? kDouble[b] : kDown[b], MouseKeyState(), ClientPoint(target, screen));
}

// A key held down repeats as further key-downs that say so (the previous-state bit, a count of
// one). A repeat reaches only the top-level window the key went down on: a key held while a
// question opens, or while it closes, is never taken as an answer there or as a press of what
// gets the keyboard after it. Within one window it repeats as it should (lists, typing, Tab).
static void RouteKey(int vk, bool down, unsigned int character, HWND to) {
    const bool repeat = down && I().keys[vk];
    if (down && !repeat) I().toggled[vk] = !I().toggled[vk];
    I().keys[vk] = down;
    // An open menu holds the keyboard (the presenter's grab sends the keys to it).
    const bool menuOpen = I().menuKeys && Find(I().menuKeys);
    const Window* delivered = menuOpen ? nullptr : Find(to);
    if (to && !menuOpen && (!delivered || !delivered->topLevel())) return;
    // The window the key came to has the keyboard: it is the active window, so that the key reaches
    // its focused control and never a control of the window the program took as active.
    if (delivered && (S().foreground != to || S().active[static_cast<int>(delivered->context)] != to) &&
        EnabledWithAncestors(to)) {
        WindowManagerFocus(to);
        delivered = Find(to);
    }
    // Keys go to the focus window of the context of the window they came to (else the foreground
    // window's), while it lies in that window.
    Window* f = delivered ? Find(to) : Find(S().foreground);
    ProcessContext ctx = f ? f->context : ProcessContext::Program;
    HWND target = S().focus[static_cast<int>(ctx)];
    if (!target || !Find(target)) target = S().active[static_cast<int>(ctx)];
    if (delivered && (!target || !Find(target) || GetTopLevel(target) != to)) target = to;
    if (menuOpen) target = I().menuKeys;
    if (!target || !Find(target)) return;
    const HWND top = GetTopLevel(target);
    if (repeat && top != I().pressedOn[vk]) return;
    if (down) I().pressedOn[vk] = top;
    if (target != I().menuKeys) {
        const Window* t = Find(top);
        const bool blocked = !EnabledWithAncestors(target);  // by a modal window
        if (down && (blocked || (t && t->minimized && t->modal)) && RestoreMinimizedModalWindows()) return;
        if (blocked) return;
    }
    bool alt = I().keys[VK_MENU] && vk != VK_MENU;
    UINT msg = down ? (alt || vk == VK_F10 ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
    const LPARAM keyData = KeyData(1, down ? (repeat ? KF_REPEAT : 0) : KF_REPEAT | KF_UP);
    PostMessage(target, msg, static_cast<WPARAM>(vk), keyData);
    if (down && character && !alt) PostMessage(target, WM_CHAR, static_cast<WPARAM>(character), keyData);
}

void InjectMouseMove(POINT screen, std::optional<ModifierKeys> held, HWND over) {
    I().cursor = screen;
    TakeHeldModifiers(held, I().asyncKeys);
    RawInput input{RawKind::Move, screen, MouseButton::Left, false, 0, 0, held, over};
    I().queue.push_back(input);
}

void InjectMouseButton(POINT screen, MouseButton button, bool down, std::optional<ModifierKeys> held, HWND over) {
    static const int kVk[] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
    I().cursor = screen;
    TakeHeldModifiers(held, I().asyncKeys);
    const int vk = kVk[static_cast<int>(button)];
    I().asyncKeys[vk] = down;
    if (I().clicksHeld) {
        I().releasedWhileHeld[vk] = I().releasedWhileHeld[vk] || !down;
        return;
    }
    RawInput input{RawKind::Button, screen, button, down, 0, 0, held, over};
    I().queue.push_back(input);
}

void detail::HoldPointerClicks(bool on) {
    I().clicksHeld = on;
    std::fill(std::begin(I().releasedWhileHeld), std::end(I().releasedWhileHeld), false);
}

bool detail::TakePointerRelease(int vk) {
    if (vk < 0 || vk > 255) return false;
    return std::exchange(I().releasedWhileHeld[vk], false);
}

void InjectKey(int vk, bool down, unsigned int character, std::optional<ModifierKeys> held, HWND to) {
    if (vk < 0 || vk > 255) return;
    TakeHeldModifiers(held, I().asyncKeys);
    I().asyncKeys[vk] = down;
    RawInput input{RawKind::Key, I().cursor, MouseButton::Left, down, vk, character, held, to};
    I().queue.push_back(input);
}

void InjectKeyReleasedElsewhere(int vk) {
    if (vk < 0 || vk > 255) return;
    I().asyncKeys[vk] = false;
    I().queue.push_back(RawInput{RawKind::KeyGone, I().cursor, MouseButton::Left, false, vk, 0, std::nullopt, HWND{}});
}

bool detail::InputPending() { return !I().queue.empty(); }

void detail::SetMenuKeyWindow(HWND menuWindow) {
    const HWND old = I().menuKeys;
    I().menuKeys = menuWindow;
    // A presenter lets the menu hold the keyboard while it is open.
    if (old && old != menuWindow && Find(old)) NotifyChanged(old);
    if (menuWindow && menuWindow != old && Find(menuWindow)) NotifyChanged(menuWindow);
}

HWND detail::CurrentMenuKeyWindow() { return Find(I().menuKeys) ? I().menuKeys : HWND{}; }

void detail::ForgetLastPress() { I().lastDownTime = -1'000'000; }

bool detail::DispatchOneInput() {
    if (I().queue.empty()) return false;
    RawInput input = I().queue.front();
    I().queue.pop_front();
    TakeHeldModifiers(input.held, I().keys);
    switch (input.kind) {
        case RawKind::Move: RouteMouseMove(input.screen, input.over); break;
        case RawKind::Button: RouteMouseButton(input.screen, input.button, input.down, input.over); break;
        case RawKind::Key: RouteKey(input.vk, input.down, input.character, input.over); break;
        case RawKind::KeyGone: I().keys[input.vk] = false; break;
    }
    return true;
}

}  // namespace platform
