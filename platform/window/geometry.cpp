// Position, size, z-order and visibility of windows, and coordinate conversions.
#include <algorithm>

#include "platform/window/monitors.h"
#include "platform/window/screen.h"
#include "platform/window/detail/input.h"
#include "platform/window/detail/window_store.h"

namespace platform {
using namespace detail;

namespace {
// What a change of a window uncovers or covers must be painted again.
void DamageArea(Window& w, const RECT& oldRectInParent) {
    if (w.topLevel()) {
        NotifyChanged(w.hwnd);
        return;
    }
    Window* parent = Find(w.parent);
    if (!parent) return;
    // Child rectangles are in the parent's client coordinates, as InvalidateRect takes them.
    RECT both = UnionRects(oldRectInParent, w.rect);
    InvalidateRect(parent->hwnd, &both, 1);
}

void SetVisible(Window& w, bool visible) {
    bool was = (w.style & WS_VISIBLE) != 0;
    if (was == visible) return;
    if (!visible) HandOverForeground(w.hwnd);
    SendMessage(w.hwnd, WM_SHOWWINDOW, visible ? 1 : 0, 0);
    Window* again = Find(w.hwnd);
    if (!again) return;
    if (visible)
        again->style |= WS_VISIBLE;
    else
        again->style &= ~WS_VISIBLE;
    if (visible) InvalidateRect(again->hwnd, nullptr, 1);
    DamageArea(*again, again->rect);
    if (!visible) {
        for (auto& focus : S().focus)
            if (focus == again->hwnd || IsChild(again->hwnd, focus)) focus = HWND{};
    }
}
}  // namespace

int GetSystemMetrics(int index) {
    switch (index) {
        case SM_CXSCREEN: return ScreenSize().cx;
        case SM_CYSCREEN: return ScreenSize().cy;
        case SM_CXVSCROLL: return 17;
        case SM_CYHSCROLL: return 17;
        case SM_CYCAPTION: return 18;
        case SM_CXBORDER:
        case SM_CYBORDER: return 1;
        case SM_CXDLGFRAME:
        case SM_CYDLGFRAME: return 3;
        case SM_CXDOUBLECLK:
        case SM_CYDOUBLECLK: return 4;
        default: return 0;
    }
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    Window* w = FindOrFail(hwnd);
    if (!w) return 0;
    WINDOWPOS wp;
    wp.hwnd = hwnd;
    wp.hwndInsertAfter = insertAfter;
    wp.x = (flags & SWP_NOMOVE) ? w->rect.left : x;
    wp.y = (flags & SWP_NOMOVE) ? w->rect.top : y;
    wp.cx = (flags & SWP_NOSIZE) ? w->rect.width() : cx;
    wp.cy = (flags & SWP_NOSIZE) ? w->rect.height() : cy;
    wp.flags = flags;
    if (!(flags & SWP_NOSENDCHANGING)) {
        SendMessage(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
        w = Find(hwnd);
        if (!w) return 0;
    }
    RECT old = w->rect;
    bool moved = !(wp.flags & SWP_NOMOVE) && (wp.x != old.left || wp.y != old.top);
    bool sized = !(wp.flags & SWP_NOSIZE) && (wp.cx != old.width() || wp.cy != old.height());
    if (moved || sized) {
        int nx = (wp.flags & SWP_NOMOVE) ? old.left : wp.x;
        int ny = (wp.flags & SWP_NOMOVE) ? old.top : wp.y;
        int ncx = (wp.flags & SWP_NOSIZE) ? old.width() : std::max(0, wp.cx);
        int ncy = (wp.flags & SWP_NOSIZE) ? old.height() : std::max(0, wp.cy);
        w->rect = RECT{nx, ny, nx + ncx, ny + ncy};
    }
    bool restacked = false;
    if (!(wp.flags & SWP_NOZORDER)) {
        HWND after = wp.hwndInsertAfter;
        if (w->topLevel()) {
            if (after == HWND_TOPMOST) w->exStyle |= WS_EX_TOPMOST;
            if (after == HWND_NOTOPMOST) w->exStyle &= ~WS_EX_TOPMOST;
        }
        RemoveFromZOrder(*w);
        InsertInZOrder(*w, after == HWND_TOPMOST || after == HWND_NOTOPMOST ? HWND_TOP : after);
        restacked = true;
    }
    if (wp.flags & SWP_SHOWWINDOW) SetVisible(*w, true);
    if (wp.flags & SWP_HIDEWINDOW) SetVisible(*w, false);
    w = Find(hwnd);
    if (!w) return 0;
    if (sized) InvalidateRect(hwnd, nullptr, 1);
    if ((moved || sized || restacked) && (w->style & WS_VISIBLE)) DamageArea(*w, old);
    if (moved || sized || restacked) NotifyChanged(hwnd);
    WINDOWPOS done = wp;
    done.x = w->rect.left;
    done.y = w->rect.top;
    done.cx = w->rect.width();
    done.cy = w->rect.height();
    if (!moved) done.flags |= SWP_NOMOVE;
    if (!sized) done.flags |= SWP_NOSIZE;
    SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&done));
    return 1;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    return SetWindowPos(hwnd, HWND{}, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

namespace {
// A maximized window fills the work area of its monitor; restored, it goes back where it was.
void SetMaximized(HWND hwnd, bool on) {
    Window* w = Find(hwnd);
    if (!w || !w->topLevel() || w->maximized == on) return;
    w->maximized = on;
    if (on) w->normalRect = w->rect;
    const RECT r = on ? MonitorWorkAreaOf(w->rect) : w->normalRect;
    SetWindowPos(hwnd, HWND{}, r.left, r.top, r.width(), r.height(), SWP_NOZORDER | SWP_NOACTIVATE);
    NotifyChanged(hwnd);  // the caption's maximise box changes its face even when nothing moved
}

void SetMinimized(Window& w, bool on) {
    if (on && !w.minimized) HandOverForeground(w.hwnd);
    w.minimized = on;
    SetVisible(w, true);
    NotifyChanged(w.hwnd);
}
}  // namespace

BOOL ShowWindow(HWND hwnd, int command) {
    Window* w = FindOrFail(hwnd);
    if (!w) return 0;
    BOOL wasVisible = (w->style & WS_VISIBLE) ? 1 : 0;
    switch (command) {
        case SW_HIDE: SetVisible(*w, false); break;
        case SW_MINIMIZE:
        case SW_SHOWMINIMIZED:
        case SW_SHOWMINNOACTIVE: SetMinimized(*w, true); break;
        case SW_SHOWMAXIMIZED:
            SetMinimized(*w, false);
            SetMaximized(hwnd, true);
            break;
        case SW_RESTORE:
            // A minimized window comes back as it was (maximized or not); a maximized one goes back
            // to its place.
            if (w->minimized)
                SetMinimized(*w, false);
            else
                SetMaximized(hwnd, false);
            break;
        case SW_SHOWNORMAL:
            SetMinimized(*w, false);
            SetMaximized(hwnd, false);
            break;
        default: SetVisible(*w, true); break;
    }
    w = Find(hwnd);
    if (w && w->topLevel() &&
        (command == SW_SHOW || command == SW_SHOWNORMAL || command == SW_RESTORE || command == SW_SHOWMAXIMIZED) &&
        !(w->exStyle & WS_EX_NOACTIVATE))
        SetActiveWindow(hwnd);
    return wasVisible;
}

BOOL BringWindowToTop(HWND hwnd) { return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

BOOL IsIconic(HWND hwnd) {
    Window* w = Find(hwnd);
    return w && w->minimized ? 1 : 0;
}

BOOL IsZoomed(HWND hwnd) {
    Window* w = Find(hwnd);
    return w && w->maximized ? 1 : 0;
}

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
    Window* w = FindOrFail(hwnd);
    if (!w || !rect) return 0;
    POINT o = WindowOriginOnScreen(*w);
    *rect = RECT{o.x, o.y, o.x + w->rect.width(), o.y + w->rect.height()};
    return 1;
}

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) {
    Window* w = FindOrFail(hwnd);
    if (!w || !placement) return 0;
    placement->showCmd = w->minimized ? SW_SHOWMINIMIZED : w->maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    const POINT o = WindowOriginOnScreen(*w);
    placement->rcNormalPosition =
        w->maximized ? w->normalRect : RECT{o.x, o.y, o.x + w->rect.width(), o.y + w->rect.height()};
    return 1;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
    Window* w = FindOrFail(hwnd);
    if (!w || !rect) return 0;
    RECT c = ClientAreaInWindow(*w);
    *rect = RECT{0, 0, c.width(), c.height()};
    return 1;
}

RECT ClientRectOnScreen(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w) return RECT{};
    POINT o = WindowOriginOnScreen(*w);
    return OffsetRectBy(ClientAreaInWindow(*w), o.x, o.y);
}

BOOL ClientToScreen(HWND hwnd, POINT* point) {
    if (!FindOrFail(hwnd) || !point) return 0;
    RECT c = ClientRectOnScreen(hwnd);
    point->x += c.left;
    point->y += c.top;
    return 1;
}

BOOL ScreenToClient(HWND hwnd, POINT* point) {
    if (!FindOrFail(hwnd) || !point) return 0;
    RECT c = ClientRectOnScreen(hwnd);
    point->x -= c.left;
    point->y -= c.top;
    return 1;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
    RECT a = from ? ClientRectOnScreen(from) : RECT{};
    RECT b = to ? ClientRectOnScreen(to) : RECT{};
    LONG dx = a.left - b.left, dy = a.top - b.top;
    for (UINT i = 0; i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return static_cast<int>(MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy)));
}

}  // namespace platform
