#include "platform/forms/popup_window.h"

#include "platform/forms/painter.h"

namespace platform::forms {

PopupWindow::~PopupWindow() {
    if (!hwnd_) return;
    HWND h = hwnd_;
    hwnd_ = HWND{};
    if (GetCapture() == h) ReleaseCapture();
    detail::DestroyHostWindow(h);
}

void PopupWindow::OpenAt(HWND owner, const RECT& screen, bool capture) {
    Close();
    hwnd_ = detail::CreateHostWindow(this, "OzrPopup", 0, WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "", WS_POPUP,
                                     screen, owner, 0);
    if (!hwnd_) throw Error("A popup window could not be created");
    SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
    capture_ = capture;
    if (capture) SetCapture(hwnd_);
}

void PopupWindow::Close() {
    if (!hwnd_) return;
    HWND h = hwnd_;
    hwnd_ = HWND{};
    if (GetCapture() == h) ReleaseCapture();
    detail::DestroyHostWindow(h);
    Closed();
}

void PopupWindow::Repaint() {
    if (hwnd_) InvalidateRect(hwnd_, nullptr, 1);
}

void PopupWindow::OnWindowGone() {
    bool wasOpen = static_cast<bool>(hwnd_);
    hwnd_ = HWND{};
    if (wasOpen) Closed();
}

LRESULT PopupWindow::OnMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!hwnd_) return DefWindowProc(hwnd, msg, wParam, lParam);
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            if (dc) {
                Painter painter(dc, POINT{0, 0}, ps.rcPaint);
                RECT client;
                GetClientRect(hwnd, &client);
                PaintPopup(painter, client);
            }
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
        case WM_CAPTURECHANGED:
            // Another window took the mouse: a popup that held it closes.
            if (capture_ && HWND{static_cast<std::uint32_t>(lParam)} != hwnd_) Close();
            return 0;
        case WM_TIMER: PopupTimer(wParam); return 0;
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
        case WM_CHAR:
            // A popup that holds the keyboard hands its keys to the loop that runs it.
            if (detail::OfferToKeyGrab(msg, wParam, lParam)) return 0;
            return DefWindowProc(hwnd, msg, wParam, lParam);
        default:
            if (detail::IsMouseMessage(msg)) {
                RECT client;
                GetClientRect(hwnd, &client);
                POINT p = detail::MousePoint(lParam);
                PopupMouse(msg, wParam, p, client.contains(p));
                return 0;
            }
            return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

}  // namespace platform::forms
