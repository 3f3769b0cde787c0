// What a window does with a message that its own procedure passes on.
#include <algorithm>
#include <cstring>

#include "platform/window/detail/frame_tracking.h"
#include "platform/window/detail/paint.h"
#include "platform/window/detail/window_store.h"

namespace platform {
using namespace detail;

namespace {

// Where a screen point lies on a window: its client area, its caption or one of the caption's
// buttons, the sizing edges of a thick frame (corners first), or another part of its frame.
LRESULT HitTest(const Window& w, POINT screen) {
    POINT origin = WindowOriginOnScreen(w);
    POINT p{screen.x - origin.x, screen.y - origin.y};
    RECT whole{0, 0, w.rect.width(), w.rect.height()};
    if (!whole.contains(p)) return HTNOWHERE;
    RECT client = ClientAreaInWindow(w);
    if (client.contains(p)) return HTCLIENT;
    RECT in = NonClientInsets(w);
    bool left = p.x < in.left, right = p.x >= whole.right - in.right;
    bool top = p.y < in.right, bottom = p.y >= whole.bottom - in.bottom;  // the frame's own width at the top
    if (w.style & WS_THICKFRAME) {
        if (top) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
        if (bottom) return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
        if (left) return HTLEFT;
        if (right) return HTRIGHT;
    }
    if (!left && !right && !bottom && p.y < client.top && (w.style & WS_CAPTION) == WS_CAPTION) {
        for (const CaptionButtonPlace& b : CaptionButtons(w))
            if (b.rect.contains(p)) return b.hit;
        return HTCAPTION;
    }
    return HTBORDER;
}

}  // namespace

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = Find(hwnd);
    if (!w) return 0;
    switch (msg) {
        case WM_NCCREATE: return 1;
        case WM_SETTEXT: {
            w->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
            NotifyChanged(hwnd);
            if (w->topLevel()) NotifyDamaged(hwnd, RECT{0, 0, w->rect.width(), w->rect.height()});
            return 1;
        }
        case WM_SETICON: {
            const HICON before = w->icon;
            w->icon = HICON{static_cast<std::uint32_t>(lParam)};
            NotifyChanged(hwnd);
            if (w->topLevel()) NotifyDamaged(hwnd, RECT{0, 0, w->rect.width(), w->rect.height()});
            return static_cast<LRESULT>(before.id());
        }
        case WM_GETICON: return static_cast<LRESULT>(w->icon.id());
        case WM_GETTEXT: {
            char* buffer = reinterpret_cast<char*>(lParam);
            int size = static_cast<int>(wParam);
            if (!buffer || size <= 0) return 0;
            int n = std::min<int>(static_cast<int>(w->text.size()), size - 1);
            std::memcpy(buffer, w->text.data(), static_cast<std::size_t>(n));
            buffer[n] = '\0';
            return n;
        }
        case WM_GETTEXTLENGTH: return static_cast<LRESULT>(w->text.size());
        case WM_CLOSE: DestroyWindow(hwnd); return 0;
        case WM_ERASEBKGND: EraseWithClassBackground(hwnd, HDC{static_cast<std::uint32_t>(wParam)}); return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(hwnd, &ps);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_NCHITTEST: return HitTest(*w, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        case WM_MOUSEACTIVATE: return (w->exStyle & WS_EX_NOACTIVATE) ? MA_NOACTIVATE : MA_ACTIVATE;
        case WM_WINDOWPOSCHANGED: {
            const auto* wp = reinterpret_cast<const WINDOWPOS*>(lParam);
            if (wp && !(wp->flags & SWP_NOMOVE)) SendMessage(hwnd, WM_MOVE, 0, MakePointParam(w->rect.left, w->rect.top));
            if (wp && !(wp->flags & SWP_NOSIZE)) {
                RECT c;
                GetClientRect(hwnd, &c);
                SendMessage(hwnd, WM_SIZE, 0, MakePointParam(c.right, c.bottom));
            }
            return 0;
        }
        case WM_NCLBUTTONDOWN: PressNonClient(hwnd, static_cast<LRESULT>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
        case WM_NCLBUTTONDBLCLK:
            // A double click on the caption maximises a window that has a maximise box, or restores it.
            if (static_cast<LRESULT>(wParam) == HTCAPTION && w->topLevel() && (w->style & WS_MAXIMIZEBOX))
                SendMessage(hwnd, WM_SYSCOMMAND, w->maximized ? SC_RESTORE : SC_MAXIMIZE, lParam);
            return 0;
        case WM_SYSCOMMAND: RunSystemCommand(hwnd, wParam, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
        case WM_SYSKEYDOWN:
            if (wParam == static_cast<WPARAM>(VK_F4)) {
                HWND top = GetTopLevel(hwnd);
                PostMessage(top, WM_CLOSE, 0, 0);
            }
            return 0;
        default: return 0;
    }
}

}  // namespace platform
