// The smart windows' class window procedure and their children's procedure: painting, timers,
// hit-testing, dragging and closing.
#include "hooklib/smart_window.h"
#include "hooklib/smart_window_manager.h"

namespace hooklib {
using namespace platform;

LRESULT SmartWindowClassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (SmartWindow* w = FindSmartWindow(hwnd)) {
        LRESULT answer = w->HandleMessage(msg, wParam, lParam);
        if (answer != 0) return answer;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT SmartWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT: Paint(); return 1;
        case WM_ERASEBKGND: return 1;  // the paint covers everything
        case WM_TIMER:
            switch (wParam) {
                case kFadeInTimer: FadeTick(true); break;
                case kFadeOutTimer: FadeTick(false); break;
                case kSlideInTimer: SlideTick(true); break;
                case kSlideOutTimer: SlideTick(false); break;
                case kDragTimer: DragTick(); break;
                case kFollowCursorTimer: FollowCursorTick(); break;
                case kTooltipRepaintTimer: InvalidateRect(Handle, nullptr, 1); break;
                case kClosingHintTimer: ClosingHintTick(); break;
                case kRightButtonTimer: RightButtonTick(); break;
                case kDismissTimer: DismissTick(); break;
                case kFreezeTimer:
                    Frozen = true;
                    StopTimer(kFreezeTimer);
                    break;
                default: return 0;
            }
            return 1;
        case WM_NCHITTEST: {
            LRESULT hit = DefWindowProc(Handle, msg, wParam, lParam);
            bool sliding = Sliding();
            if (hit == HTCAPTION && (!Movable || sliding)) return HTBORDER;
            if (hit >= HTLEFT && hit <= HTBOTTOMRIGHT && (!ResizableBorders || sliding))
                return HTBORDER;
            return hit;
        }
        case WM_LBUTTONDOWN:
            if (Kind == kDragKind && (WindowFlags & kDragStyle)) Manager->WindowEvent(this, kLeftPressed);
            if (Destroying) return 1;
            if (Kind == kDragKind && Movable && !Sliding()) {
                POINT cursor;
                GetCursorPos(&cursor);
                RECT r;
                GetWindowRect(Handle, &r);
                DragOffset = POINT{cursor.x - r.left, cursor.y - r.top};
                SetCapture(Handle);
                StartTimer(kDragTimer);
            }
            return 1;
        case WM_LBUTTONUP:
            if (Kind == kDragKind && (WindowFlags & kDragStyle)) Manager->WindowEvent(this, kLeftReleased);
            if (Destroying) return 1;
            if (StopTimer(kDragTimer) == kSmartOk) ReleaseCapture();
            return 1;
        case WM_LBUTTONDBLCLK:
            if (Kind == kDragKind && (WindowFlags & kDragStyle)) Manager->WindowEvent(this, kDoubleClicked);
            return 1;
        case WM_SIZE:
            // Maximised, restored or sized by its borders: the texts take the new width (the title
            // stays centred over it).
            LayOutChildren();
            return 0;
        case WM_CLOSE: OnClose(); return 1;
        case WM_DESTROY: OnDestroyedFromOutside(); return 0;
        default: return 0;
    }
}

void SmartWindow::DragTick() {
    if (!(GetAsyncKeyState(VK_LBUTTON) & 0x8000)) {
        // The release went elsewhere: the drag ends all the same.
        StopTimer(kDragTimer);
        if (GetCapture() == Handle) ReleaseCapture();
        return;
    }
    POINT cursor;
    GetCursorPos(&cursor);
    int x = cursor.x - DragOffset.x, y = cursor.y - DragOffset.y;
    RECT r;
    GetWindowRect(Handle, &r);
    if (x == r.left && y == r.top) return;
    X = x;
    Y = y;
    SetWindowPos(Handle, HWND{}, X, Y, 0, 0, 513);
}

void SmartWindow::ClosingHintTick() {
    POINT cursor;
    GetCursorPos(&cursor);
    RECT r;
    GetWindowRect(Handle, &r);
    if (!r.contains(cursor)) Manager->WindowEvent(this, kCursorLeft);
}

LRESULT SmartChildProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (SmartWindow* w = FindSmartWindow(GetParent(hwnd))) {
        for (auto& child : w->Children)
            if (child->handle == hwnd) return w->HandleChildMessage(*child, msg, wParam, lParam);
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT SmartWindow::HandleChildMessage(SmartChild& child, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT: PaintChild(child); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_NCHITTEST: return HTTRANSPARENT;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP: {
            // The texts are part of the window's surface: the window gets their mouse input.
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            MapWindowPoints(child.handle, Handle, &p, 1);
            return SendMessage(Handle, msg, wParam, MakePointParam(p.x, p.y));
        }
        default: return DefWindowProc(child.handle, msg, wParam, lParam);
    }
}

}  // namespace hooklib
