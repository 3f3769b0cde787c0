// The frame of top-level windows at work (caption buttons, moving, sizing, the system commands) and
// the window manager's side of the contract.
#include "platform/window/window_manager.h"

#include <algorithm>
#include <cstdlib>

#include "platform/window/detail/frame_tracking.h"
#include "platform/window/detail/input.h"
#include "platform/window/loop.h"
#include "platform/window/modal.h"

namespace platform {
using namespace detail;

namespace {

// One press on a frame at a time, from the press to the release of the left button.
struct Tracking {
    enum class Kind { None, Button, MoveSize } kind = Kind::None;
    HWND hwnd;
    CaptionButton button = CaptionButton::Close;
    bool pushed = false;  // the pointer is over the held button
    int edge = 0;         // 0 moves; 1 to 8 size by that edge
    bool handOver = false;  // the window manager takes the drag once the pointer moves
    POINT start;
    RECT startRect;
};

Tracking& T() {
    static Tracking tracking;
    return tracking;
}

std::function<bool(HWND, int, POINT)>& MoveSizeHandler() {
    static std::function<bool(HWND, int, POINT)> handler;
    return handler;
}

std::function<void(HWND)>& ActivateHandler() {
    static std::function<void(HWND)> handler;
    return handler;
}

// True while a focus change of the window manager's own is taken in.
bool& FocusFromWindowManager() {
    static bool taking = false;
    return taking;
}

// A window that can take the keyboard from `leaving`: one of the same program, shown, enabled, not
// minimised, one that activates, and not one that goes with `leaving` (a window it owns).
bool CanSucceed(const Window* w, HWND leaving, ProcessContext context) {
    return w && w->hwnd != leaving && w->topLevel() && w->context == context && !w->destroying &&
           (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED) && !w->minimized &&
           !(w->exStyle & WS_EX_NOACTIVATE) && !OwnedBy(*w, leaving);
}

// The window that had the keyboard is gone (or hidden, or minimised): unless the program gave the
// keyboard to a window of its choosing meanwhile, or showed the window again, its owner or else the
// frontmost window that can be active takes it.
void ActivateSuccessor(HWND leaving, HWND owner, ProcessContext context) {
    if (S().foreground && S().foreground != leaving) return;
    if (const Window* l = Find(leaving); l && (l->style & WS_VISIBLE) && !l->minimized) return;
    HWND successor = CanSucceed(Find(owner), leaving, context) ? owner : HWND{};
    for (auto it = S().topLevels.begin(); !successor && it != S().topLevels.end(); ++it)
        if (CanSucceed(Find(*it), leaving, context)) successor = *it;
    if (!successor) return;
    ContextScope scope(context);
    SetActiveWindow(successor);
}

// A window that a modal window blocks was given the keyboard (the window manager raised and
// focused it on a click): the modal window takes it back as the program's own doing, so that the
// desktop's focus and the stacking follow, and what is typed next reaches the box the user sees.
void ReturnToModalWindow(HWND blocked) {
    const HWND modal = ModalWindowBlocking(blocked);
    const Window* m = Find(modal);
    if (!m) return;
    ContextScope scope(m->context);
    SetActiveWindow(modal);
    S().foreground = modal;
    ForegroundChanged(modal);
}

// The smallest window a border drag leaves: its frame and caption, and room for the buttons.
constexpr LONG kMinTrackWidth = 112;
// How far the pointer goes with the button held before a press becomes a drag.
constexpr LONG kDragDistance = 4;

std::optional<CaptionButtonPlace> ButtonOf(const Window& w, CaptionButton button) {
    for (const CaptionButtonPlace& b : CaptionButtons(w))
        if (b.button == button) return b;
    return std::nullopt;
}

bool OverButton(const Window& w, CaptionButton button, POINT screen) {
    const auto place = ButtonOf(w, button);
    const POINT origin = WindowOriginOnScreen(w);
    return place && place->rect.contains(POINT{screen.x - origin.x, screen.y - origin.y});
}

void SetPushed(bool pushed) {
    if (T().pushed == pushed) return;
    T().pushed = pushed;
    NotifyChanged(T().hwnd);  // the caption is drawn again
}

void EndTracking() {
    const HWND hwnd = T().hwnd;
    const bool wasPushed = T().kind == Tracking::Kind::Button && T().pushed;
    T() = Tracking{};
    if (wasPushed && Find(hwnd)) NotifyChanged(hwnd);
}

// Where the window goes while its frame is dragged to `p`.
RECT TrackedRect(const Window& w, POINT p) {
    const Tracking& t = T();
    const LONG dx = p.x - t.start.x, dy = p.y - t.start.y;
    RECT r = t.startRect;
    if (t.edge == 0) return OffsetRectBy(r, dx, dy);
    const RECT in = NonClientInsets(w);
    const LONG minWidth = kMinTrackWidth, minHeight = in.top + in.bottom;
    const int e = t.edge;
    if (e == 1 || e == 4 || e == 7) r.left = std::min(t.startRect.left + dx, t.startRect.right - minWidth);
    if (e == 2 || e == 5 || e == 8) r.right = std::max(t.startRect.right + dx, t.startRect.left + minWidth);
    if (e == 3 || e == 4 || e == 5) r.top = std::min(t.startRect.top + dy, t.startRect.bottom - minHeight);
    if (e == 6 || e == 7 || e == 8) r.bottom = std::max(t.startRect.bottom + dy, t.startRect.top + minHeight);
    return r;
}

// A window manager gets the drag only once the pointer moves with the button held, so that a
// press and release (half of a double click on the caption) stays the program's.
void BeginMoveSize(HWND hwnd, int edge, POINT screen) {
    Window* w = Find(hwnd);
    if (!w || !w->topLevel() || w->maximized) return;
    EndTracking();
    Tracking& t = T();
    t.kind = Tracking::Kind::MoveSize;
    t.hwnd = hwnd;
    t.edge = edge;
    t.handOver = static_cast<bool>(MoveSizeHandler());
    t.start = screen;
    t.startRect = w->rect;
}

// True when the window manager took the drag over from its start.
bool HandedOver(Tracking& t, POINT screen) {
    if (!t.handOver) return false;
    if (std::abs(screen.x - t.start.x) <= kDragDistance && std::abs(screen.y - t.start.y) <= kDragDistance) return true;
    t.handOver = false;
    const HWND hwnd = t.hwnd;
    const int edge = t.edge;
    const POINT start = t.start;
    if (!MoveSizeHandler() || !MoveSizeHandler()(hwnd, edge, start)) return false;
    EndTracking();
    return true;
}

// A close from the caption or the window manager reaches the window it names as its user's
// Alt+F4 would, whichever control inside it has the focus: a control may sit deep in a page of the
// window, where its own key handling never reaches the window.
void CloseAsAltF4(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w) return;
    ContextScope scope(w->context);
    constexpr LPARAM kAltHeld = 0x20000001;
    SendMessage(hwnd, WM_SYSKEYDOWN, static_cast<WPARAM>(VK_F4), kAltHeld);
}

}  // namespace

void detail::PressNonClient(HWND hwnd, LRESULT hit, POINT screen) {
    Window* w = Find(hwnd);
    if (!w || !w->topLevel()) return;
    const LPARAM at = MakePointParam(screen.x, screen.y);
    if (hit == HTCAPTION) {
        SendMessage(hwnd, WM_SYSCOMMAND, SC_MOVE | static_cast<WPARAM>(HTCAPTION), at);
    } else if (hit >= HTLEFT && hit <= HTBOTTOMRIGHT) {
        SendMessage(hwnd, WM_SYSCOMMAND, SC_SIZE | static_cast<WPARAM>(hit - HTLEFT + 1), at);
    } else {
        for (const CaptionButtonPlace& b : CaptionButtons(*w)) {
            if (b.hit != hit) continue;
            EndTracking();
            T().kind = Tracking::Kind::Button;
            T().hwnd = hwnd;
            T().button = b.button;
            SetPushed(true);
            return;
        }
    }
}

void detail::RunSystemCommand(HWND hwnd, WPARAM command, POINT screen) {
    switch (command & 0xFFF0) {
        case SC_CLOSE: CloseAsAltF4(hwnd); break;
        case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); break;
        case SC_MAXIMIZE: ShowWindow(hwnd, SW_MAXIMIZE); break;
        case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); break;
        case SC_MOVE: BeginMoveSize(hwnd, 0, screen); break;
        case SC_SIZE: BeginMoveSize(hwnd, static_cast<int>(command & 0xF), screen); break;
        default: break;
    }
}

bool detail::TrackingTakesMouse(POINT screen, TrackedMouse event) {
    Tracking& t = T();
    if (t.kind == Tracking::Kind::None) return false;
    Window* w = Find(t.hwnd);
    if (!w || event == TrackedMouse::LeftDown) {
        // The window went, or the release that ended the press went elsewhere: a new press is
        // the pointer's own again.
        EndTracking();
        return false;
    }
    if (event == TrackedMouse::OtherButton) return true;
    if (t.kind == Tracking::Kind::MoveSize) {
        if (event == TrackedMouse::Move && HandedOver(t, screen)) return true;
        if (t.handOver) {  // released where it was pressed: no drag at all
            EndTracking();
            return true;
        }
        const RECT r = TrackedRect(*w, screen);
        if (!(r == w->rect)) SetWindowPos(t.hwnd, HWND{}, r.left, r.top, r.width(), r.height(), SWP_NOZORDER | SWP_NOACTIVATE);
        if (event == TrackedMouse::LeftUp) EndTracking();
        return true;
    }
    const bool over = OverButton(*w, t.button, screen);
    if (event == TrackedMouse::Move) {
        SetPushed(over);
        return true;
    }
    const HWND hwnd = t.hwnd;
    const auto place = ButtonOf(*w, t.button);
    const ProcessContext context = w->context;
    EndTracking();
    if (over && place) {
        ContextScope scope(context);
        SendMessage(hwnd, WM_SYSCOMMAND, place->command, MakePointParam(screen.x, screen.y));
    }
    return true;
}

std::optional<CaptionButton> detail::PushedCaptionButton(HWND hwnd) {
    const Tracking& t = T();
    if (t.kind == Tracking::Kind::Button && t.pushed && t.hwnd == hwnd) return t.button;
    return std::nullopt;
}

// The successor is chosen once the work of the moment is done: the program may give the keyboard
// to a window of its choosing as it closes one (and windows destroyed as the process ends hear
// nothing more).
void detail::HandOverForeground(HWND leaving) {
    const Window* w = Find(leaving);
    if (!w || !w->topLevel() || w->modal || S().foreground != leaving) return;
    PostTask([leaving, owner = w->owner, context = w->context] { ActivateSuccessor(leaving, owner, context); });
}

void detail::ForegroundChanged(HWND hwnd) {
    if (hwnd && ActivateHandler() && !FocusFromWindowManager()) ActivateHandler()(hwnd);
}

void WindowManagerClose(HWND hwnd) {
    Window* w = Find(hwnd);
    // The shell's windows are the taskbar, which no close request ends.
    if (!w || !w->topLevel() || (w->style & WS_DISABLED) || w->context == ProcessContext::Shell) return;
    PostMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void WindowManagerIconic(HWND hwnd, bool iconic) {
    Window* w = Find(hwnd);
    if (!w || !w->topLevel() || w->minimized == iconic) return;
    ContextScope scope(w->context);
    ShowWindow(hwnd, iconic ? SW_SHOWMINNOACTIVE : SW_RESTORE);
}

void WindowManagerFocus(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w || !w->topLevel() || (w->exStyle & WS_EX_NOACTIVATE)) return;
    if (w->style & WS_DISABLED) {
        ReturnToModalWindow(hwnd);
        return;
    }
    if (S().active[static_cast<int>(w->context)] == hwnd && S().foreground == hwnd) return;
    ContextScope scope(w->context);
    const bool outer = FocusFromWindowManager();
    FocusFromWindowManager() = true;
    SetActiveWindow(hwnd);
    SetForeground(hwnd);
    FocusFromWindowManager() = outer;
}

void WindowManagerFocusElsewhere() {
    if (!S().foreground) return;
    const bool outer = FocusFromWindowManager();
    FocusFromWindowManager() = true;
    SetForeground(HWND{});
    FocusFromWindowManager() = outer;
}

void SetWindowManagerActivate(std::function<void(HWND hwnd)> handler) { ActivateHandler() = std::move(handler); }

namespace {
struct UserTimeHandlers {
    std::function<std::uint32_t()> read;
    std::function<void(std::uint32_t)> arrived;
};
UserTimeHandlers& UserTime() {
    static UserTimeHandlers handlers;
    return handlers;
}
}  // namespace

void SetWindowManagerUserTime(std::function<std::uint32_t()> read, std::function<void(std::uint32_t)> arrived) {
    UserTime() = UserTimeHandlers{std::move(read), std::move(arrived)};
}

std::uint32_t UserActionTime() { return UserTime().read ? UserTime().read() : 0; }

void UserActedThroughAnotherCopy(std::uint32_t time) {
    if (time && UserTime().arrived) UserTime().arrived(time);
}

void SetWindowManagerMoveSize(std::function<bool(HWND hwnd, int edge, POINT screen)> handler) {
    MoveSizeHandler() = std::move(handler);
}

}  // namespace platform
