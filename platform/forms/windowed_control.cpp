#include "platform/forms/windowed_control.h"

#include "platform/forms/container.h"
#include "platform/forms/form.h"
#include "platform/forms/painter.h"
#include "platform/forms/tooltip.h"

namespace platform::forms {

WindowedControl::WindowedControl(ContainerRef container, std::string name, int index)
    : InteractiveControl(container, std::move(name), index) {
    Parent().AddToTabOrder(this);
}

WindowedControl::~WindowedControl() {
    if (hwnd_) {
        HWND h = hwnd_;
        hwnd_ = HWND{};
        detail::DestroyHostWindow(h);
    }
    Parent().RemoveFromTabOrder(this);
}

int WindowedControl::tabIndex() const { return Parent().TabIndexOf(this); }
void WindowedControl::setTabIndex(int value) { Parent().SetTabIndexOf(this, value); }

bool WindowedControl::SetFocus() {
    Touch();
    if (!CanFocusNow(false)) return false;
    platform::SetFocus(hwnd_);
    return GetFocus() == hwnd_;
}

bool WindowedControl::CanFocusNow(bool byTab) const {
    if (!hwnd_ || !TakesFocus()) return false;
    if (byTab && !tabStop_) return false;
    return IsWindowVisible(hwnd_) && detail::InputAllowed(hwnd_);
}

void WindowedControl::Refresh() {
    Touch();
    if (!hwnd_) return;
    InvalidateRect(hwnd_, nullptr, 1);
    UpdateWindow(hwnd_);
}

void WindowedControl::CreateWindows() {
    HWND parent = ParentContainer().ContainerWindow();
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | ExtraStyle() | (enabled_ ? 0 : WS_DISABLED);
    auto id = static_cast<UINT_PTR>(Parent().TabIndexOf(this) + 1);
    hwnd_ = detail::CreateHostWindow(this, ClassName(), ClassStyle(), 0, WindowText(), style, rect_, parent, id);
    if (!hwnd_) throw Error("The window of control " + DisplayName() + " on form " + Parent().Name() + " could not be created");
    if (visible_) ShowWindow(hwnd_, SW_SHOWNA);
}

void WindowedControl::WindowsDestroyed() {
    hwnd_ = HWND{};
    hasFocus_ = false;
    captured_ = false;
}

void WindowedControl::OnWindowGone() { WindowsDestroyed(); }

void WindowedControl::ApplyRect(const RECT& oldRect) {
    if (!hwnd_) return;
    (void)oldRect;
    MoveWindow(hwnd_, rect_.left, rect_.top, rect_.width(), rect_.height(), 1);
}

void WindowedControl::ApplyVisible() {
    if (hwnd_) ShowWindow(hwnd_, visible_ ? SW_SHOWNA : SW_HIDE);
}

void WindowedControl::ApplyZOrder(int position) {
    if (hwnd_) SetWindowPos(hwnd_, position == 0 ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void WindowedControl::ApplyEnabled() {
    if (hwnd_) EnableWindow(hwnd_, enabled_ ? 1 : 0);
}

void WindowedControl::Invalidate() {
    if (hwnd_) InvalidateRect(hwnd_, nullptr, 1);
}

void WindowedControl::HandleMouseDown(int button, int shift, POINT px) {
    // A press moves the focus first, so that the control left behind finishes (LostFocus) before
    // this control's own events run.
    if (button == vbLeftButton && TakesFocus() && GetFocus() != hwnd_) {
        platform::SetFocus(hwnd_);
        if (!hwnd_ || !IsWindowEnabled(hwnd_)) return;
        // The focus change may have waited for an answer (a box shown from GotFocus). The button
        // was released meanwhile, and that release went elsewhere: the press is over, so it
        // neither captures the mouse nor starts anything now.
        if (!(GetKeyState(VK_LBUTTON) & 0x8000)) return;
    }
    if (!captured_) {
        SetCapture(hwnd_);
        captured_ = true;
    }
    InteractiveControl::HandleMouseDown(button, shift, px);
}

void WindowedControl::HandleMouseUp(int button, int shift, POINT px, bool inside) {
    InteractiveControl::HandleMouseUp(button, shift, px, inside);
}

LRESULT WindowedControl::OnKindMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(hwnd_, msg, wParam, lParam);
}

LRESULT WindowedControl::OnMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!hwnd_) hwnd_ = hwnd;  // messages of the creation itself
    BusyScope busy(*this);
    switch (msg) {
        case WM_SETFOCUS:
            if (GetFocus() != hwnd_ || hasFocus_) return 0;  // a focus change overtaken by a later one
            hasFocus_ = true;
            Parent().ControlFocusChanged(this, true);
            OnFocusChanged();
            if (Live()) GotFocus();
            return 0;
        case WM_KILLFOCUS:
            if (!hasFocus_) return 0;
            hasFocus_ = false;
            OnFocusChanged();
            if (Live()) LostFocus();
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            int key = static_cast<int>(wParam);
            int shift = detail::ShiftState(msg);
            detail::ClearSwallowedChar();
            if (detail::OfferToKeyGrab(msg, wParam, lParam)) {
                detail::SwallowNextChar();
                return 0;
            }
            const bool repeat = IsKeyRepeat(lParam);
            if (!WantsKey(key, shift) && Parent().HandleNavigationKey(this, key, shift, repeat)) {
                detail::SwallowNextChar();
                return 0;
            }
            if (repeat && !TakesKeyRepeats()) {
                detail::SwallowNextChar();
                return 0;
            }
            int code = key;
            if (Live()) KeyDown(code, shift);
            if (code != 0 && hwnd_) OnKey(code, shift);
            if (msg == WM_SYSKEYDOWN && key == VK_F4 && code != 0 && hwnd_) Parent().SystemClose();
            return 0;
        }
        case WM_KEYUP:
        case WM_SYSKEYUP: {
            if (detail::OfferToKeyGrab(msg, wParam, lParam)) return 0;
            int code = static_cast<int>(wParam);
            int shift = detail::ShiftState(msg);
            if (Live()) KeyUp(code, shift);
            if (code != 0 && hwnd_) OnKeyReleased(code, shift);
            return 0;
        }
        case WM_CHAR:
            if (detail::TakeSwallowedChar()) return 0;
            if (detail::OfferToKeyGrab(msg, wParam, lParam)) return 0;
            OnChar(static_cast<unsigned>(wParam));
            return 0;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK: {
            if (!detail::InputAllowed(hwnd_)) return 0;
            if (RouteMouse(msg, wParam, lParam)) return 0;
            POINT p = detail::MousePoint(lParam);
            int shift = detail::MouseShift(wParam);
            int button = detail::MouseButtonOf(msg);
            if (msg == WM_MOUSEMOVE) {
                detail::TrackToolTip(hwnd_, toolTip_);
                HandleMouseMove(detail::ButtonsHeld(wParam), shift, p);
            } else if (msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK) {
                detail::HideToolTip();
                HandleDoubleClick(button, shift, p);
            } else if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN) {
                detail::HideToolTip();
                HandleMouseDown(button, shift, p);
            } else {
                RECT client{};
                if (hwnd_) GetClientRect(hwnd_, &client);
                if (captured_ && detail::ButtonsHeld(wParam) == 0) {
                    captured_ = false;
                    if (GetCapture() == hwnd_) ReleaseCapture();
                }
                HandleMouseUp(button, shift, p, client.contains(p));
            }
            return 0;
        }
        case WM_CAPTURECHANGED:
            captured_ = false;
            return 0;
        case WM_MOUSEACTIVATE:
            // A press on a form that a modal form disabled does not activate it.
            return detail::InputAllowed(hwnd_) ? DefWindowProc(hwnd_, msg, wParam, lParam) : MA_NOACTIVATE;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd_, &ps);
            if (dc) {
                Painter painter(dc, POINT{0, 0}, ps.rcPaint);
                PaintWindow(painter);
            }
            EndPaint(hwnd_, &ps);
            return 0;
        }
        case WM_ERASEBKGND: return 1;  // the paint covers the whole control
        case WM_WINDOWPOSCHANGED: {
            RECT screen;
            GetWindowRect(hwnd_, &screen);
            POINT origin{screen.left, screen.top};
            if (HWND parent = GetParent(hwnd_)) ScreenToClient(parent, &origin);
            rect_ = RECT{origin.x, origin.y, origin.x + screen.width(), origin.y + screen.height()};
            return DefWindowProc(hwnd_, msg, wParam, lParam);
        }
        case WM_SHOWWINDOW:
            visible_ = wParam != 0;
            return 0;
        case WM_ENABLE:
            enabled_ = wParam != 0;
            Invalidate();
            return 0;
        case WM_TIMER:
            if (detail::IsToolTipTimer(wParam)) {
                detail::ToolTipTimer(hwnd_, wParam, toolTip_);
                return 0;
            }
            OnTimerTick(wParam);
            return 0;
        default: return OnKindMessage(msg, wParam, lParam);
    }
}

}  // namespace platform::forms
