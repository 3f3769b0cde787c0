// The taskbar's own clock: it shows the hours and minutes, keeps them as its window text, and
// asks the tray for room for them.
#include <cstdio>

#include "platform/services/clock.h"
#include "platform/shell/detail/taskbar_state.h"

namespace platform::detail {
namespace {

constexpr UINT_PTR kTimeTimer = 1;

// Sets the window text to the time when it changed; true when it did.
bool TakeCurrentTime(HWND hwnd) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[8];
    std::snprintf(text, sizeof(text), "%02u:%02u", static_cast<unsigned>(now.wHour) % 100,
                  static_cast<unsigned>(now.wMinute) % 100);
    if (GetWindowTextString(hwnd) == text) return false;
    DefWindowProc(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    return true;
}

}  // namespace

LRESULT TrayClockProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (IsMouseMessage(msg)) {
        ForwardMouseToTaskbar(hwnd, msg, wParam, lParam);
        return 0;
    }
    switch (msg) {
        case WM_CREATE:
            TakeCurrentTime(hwnd);
            SetTimer(hwnd, kTimeTimer, 1000, nullptr);
            return 0;
        case WM_TIMER:
            if (wParam == kTimeTimer && TakeCurrentTime(hwnd)) InvalidateRect(hwnd, nullptr, 1);
            return 0;
        case WM_TRAYCLOCKSIZE: return MAKELONG(kClockOwnWidth, kClockOwnHeight);
        case WM_PAINT:
            TakeCurrentTime(hwnd);
            PaintTrayClock(hwnd);
            return 0;
        case WM_ERASEBKGND: return 1;
        default: return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

}  // namespace platform::detail
