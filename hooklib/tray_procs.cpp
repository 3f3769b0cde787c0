// The procedures the library puts on the taskbar's windows: the clock answers the tray's size
// question with the program's size, tells single from double clicks, hands the right button to
// the taskbar and paints on every message; the notification area and the taskbar follow moves
// of the taskbar and repair the tray after a drag when the bug fixer is on.
#include <cstdlib>

#include "hooklib/clock_paint.h"
#include "hooklib/ozrclock_exports.h"
#include "hooklib/click_actions.h"
#include "hooklib/clock_tooltip.h"
#include "hooklib/pending_steps.h"
#include "hooklib/process_state.h"
#include "hooklib/program_bridge.h"
#include "hooklib/shared_state.h"
#include "hooklib/taskbar_menu.h"
#include "hooklib/taskbar_probe.h"
#include "hooklib/tray_hook.h"
#include "platform/shell/notify_icon.h"
#include "platform/shell/tray_messages.h"

namespace hooklib {
namespace {

using platform::HWND;
using platform::LPARAM;
using platform::LRESULT;
using platform::UINT;
using platform::WPARAM;

HWND Slot(std::uint32_t id) { return HWND{id}; }

platform::RECT WindowRect(std::uint32_t slot) {
    platform::RECT r;
    platform::GetWindowRect(Slot(slot), &r);
    return r;
}

// A window's top-left corner in its parent's client area.
platform::POINT CornerInParent(std::uint32_t slot) {
    const platform::RECT r = WindowRect(slot);
    platform::POINT p{r.left, r.top};
    platform::ScreenToClient(platform::GetParent(Slot(slot)), &p);
    return p;
}

bool IsHorizontalEdge(std::uint8_t edge) { return edge == kEdgeTop || edge == kEdgeBottom; }
bool IsVerticalEdge(std::uint8_t edge) { return edge == kEdgeLeft || edge == kEdgeRight; }
bool TrayIsThin() { return WindowRect(Share().TrayNotifyWindow).height() < 32; }

platform::NOTIFYICONDATA FakeIcon() {
    const SharedIconRecord& r = Share().FakeIconData;
    platform::NOTIFYICONDATA data;
    data.cbSize = r.Size;
    data.hWnd = HWND{r.Window};
    data.uID = r.Id;
    data.uFlags = r.Flags;
    data.uCallbackMessage = r.CallbackMessage;
    data.hIcon = platform::HICON{r.Icon};
    static_assert(sizeof(data.szTip) == sizeof(r.Tip));
    for (std::size_t i = 0; i < sizeof(r.Tip); ++i) data.szTip[i] = r.Tip[i];
    return data;
}

// After a drag from a vertical to a horizontal edge the tray may keep the old room for its
// icons: the task band and the notification area are sized again around the program's clock
// width, and the clock is placed after the icons.
void CorrectTrayLayout(platform::WINDOWPOS* wp) {
    SharedHookState& s = Share();
    const platform::RECT tray = WindowRect(s.TrayNotifyWindow), band = WindowRect(s.TaskBandWindow);
    const platform::RECT chevron = WindowRect(s.Chevron);
    const platform::POINT trayCorner = CornerInParent(s.TrayNotifyWindow);
    const platform::POINT bandCorner = CornerInParent(s.TaskBandWindow);
    const int icons = CountSystrayIcons();
    int c = 0, b = 0;
    if (IsChevronVisible()) {
        c = chevron.height() + 18 * icons + 3;
    } else {
        c = 18 * icons + 4;
        b = s.ChevronWidth == 19 ? 18 : 0;
    }
    const int shift = tray.width() - s.TrayClockWidth - c;
    constexpr UINT kFlags = platform::SWP_NOOWNERZORDER | platform::SWP_NOACTIVATE;
    platform::SetWindowPos(Slot(s.TaskBandWindow), HWND{}, bandCorner.x, bandCorner.y, band.width() + shift - b,
                           band.height(), kFlags);
    platform::SetWindowPos(Slot(s.TrayNotifyWindow), HWND{}, trayCorner.x + shift - b, trayCorner.y,
                           tray.width() - shift + b, tray.height(), kFlags);
    if (wp) {
        wp->x = b + c - 3;
        s.CorrectedClockX = wp->x;
    }
}

bool IsButtonMessage(UINT msg) {
    return msg == platform::WM_LBUTTONDOWN || msg == platform::WM_LBUTTONUP || msg == platform::WM_RBUTTONDOWN ||
           msg == platform::WM_RBUTTONUP || msg == platform::WM_MBUTTONDOWN || msg == platform::WM_MBUTTONUP;
}

void HandleClockMouse(HWND clock, UINT msg, WPARAM wParam, LPARAM lParam) {
    SharedHookState& s = Share();
    const int x = platform::GET_X_LPARAM(lParam), y = platform::GET_Y_LPARAM(lParam);
    platform::POINT screen{x, y};
    if (IsButtonMessage(msg)) platform::ClientToScreen(clock, &screen);
    if (msg == platform::WM_MOUSEMOVE) ClockMouseMove(lParam);
    if (msg == platform::WM_LBUTTONUP) {
        if (s.DoubleClickDone) {
            s.DoubleClickDone = 0;
        } else {
            if (!RunsTimer(LibraryTimer::Click))
                StartLibraryTimer(LibraryTimer::Click, platform::GetDoubleClickTime() + 10, ClickTmrProc);
            s.ClickPending = 1;
            s.ClickPoint[0] = x;
            s.ClickPoint[1] = y;
        }
    }
    if (msg == platform::WM_LBUTTONDOWN && s.ClickPending) {
        const int halfWidth = platform::GetSystemMetrics(platform::SM_CXDOUBLECLK) / 2;
        const int halfHeight = platform::GetSystemMetrics(platform::SM_CYDOUBLECLK) / 2;
        if (std::abs(x - s.ClickPoint[0]) <= halfWidth && std::abs(y - s.ClickPoint[1]) <= halfHeight) {
            s.ClickPending = 0;
            s.DoubleClickDone = 1;
            RunDoubleClickAction();
        }
    }
    if (msg == platform::WM_RBUTTONDOWN || msg == platform::WM_RBUTTONUP) {
        // The taskbar opens its context menu.
        const HWND taskbar = Slot(s.TaskbarWindow);
        platform::POINT p = screen;
        platform::ScreenToClient(taskbar, &p);
        platform::SendMessage(taskbar, msg, wParam, platform::MakePointParam(p.x, p.y));
    }
}

}  // namespace

LRESULT WndProcTrayClock(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    SharedHookState& s = Share();
    if (s.BugFixer && msg == platform::WM_WINDOWPOSCHANGING) {
        if (s.TaskbarMoved && IsHorizontalEdge(DetermineTaskBarPosition()) && TrayIsThin()) {
            CorrectTrayLayout(reinterpret_cast<platform::WINDOWPOS*>(lParam));
            s.TaskbarMoved = 0;
            LogDebug("{CALLBACK => WndProcSystray}: Attempted to correct the Windows OS Systray Bug.");
        }
    } else if (msg == platform::WM_TRAYCLOCKSIZE) {
        return platform::MAKELONG(static_cast<platform::WORD>(s.TrayClockWidth),
                                  static_cast<platform::WORD>(s.TrayClockHeight));
    } else if (msg == platform::WM_ERASEBKGND || msg == platform::WM_NCHITTEST) {
        return 1;
    }
    HandleClockMouse(hwnd, msg, wParam, lParam);
    // The clock's own procedure gets nothing while the library has it: every message paints,
    // and a paint that would change nothing only takes the clock's update area away.
    DebugLinesAfterPaint afterPaint;
    if (ClockPaintChangesNothing()) {
        platform::ValidateRect(hwnd, nullptr);
        return 1;
    }
    platform::PAINTSTRUCT ps;
    platform::HDC hdc = platform::BeginPaint(hwnd, &ps);
    PaintClock(hdc, s.ClockStyle);
    platform::EndPaint(hwnd, &ps);
    return 1;
}

void ClickTmrProc(HWND, UINT, platform::UINT_PTR, platform::DWORD) {
    SharedHookState& s = Share();
    if (s.ClickPending) {
        RunSingleClickAction();
        s.ClickPending = 0;
    }
    StopLibraryTimer(LibraryTimer::Click);
}

LRESULT WndProcSystray(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    SharedHookState& s = Share();
    if (msg == platform::WM_WINDOWPOSCHANGING && !s.TaskbarMoved && s.FakeIconPresent) {
        // Cleared first: deleting the icon lays the tray out again, which comes back here.
        s.FakeIconPresent = 0;
        const platform::NOTIFYICONDATA fake = FakeIcon();
        platform::Shell_NotifyIcon(platform::NIM_DELETE, &fake);
        LogDebug("{CALLBACK => WndProcSystray}: Deleted fake Systray icon.");
        NudgeTaskBar();
    }
    return platform::CallWindowProc(s.PreviousTrayProc, hwnd, msg, wParam, lParam);
}

LRESULT WndProcTaskBar(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    SharedHookState& s = Share();
    switch (msg) {
        case platform::WM_WINDOWPOSCHANGING:
            s.PreviousTaskbarEdge = s.CurrentTaskbarEdge;
            s.CurrentTaskbarEdge = DetermineTaskBarPosition();
            if (s.PreviousTaskbarEdge != s.CurrentTaskbarEdge) {
                s.ChevronWidth = WindowRect(s.Chevron).width();
                LogDebug("{CALLBACK => WndProcTaskBar}: TaskBar moved.");
                s.TaskbarMoved = 1;
            }
            break;
        case platform::WM_WINDOWPOSCHANGED: s.TaskbarPosition = DetermineTaskBarPosition(); break;
        case platform::WM_MOVING: s.TaskbarDragging = 1; break;
        case platform::WM_CAPTURECHANGED:
            if (s.MenuOpen) {
                s.MenuOpen = 0;  // the menu closed
                break;
            }
            if (s.TaskbarDragging) s.TaskbarDropped = 1;
            s.TaskbarDragging = 0;
            if (s.BugFixer && TrayIsThin() && IsVerticalEdge(s.PreviousTaskbarEdge) &&
                IsHorizontalEdge(s.CurrentTaskbarEdge)) {
                const platform::NOTIFYICONDATA fake = FakeIcon();
                platform::Shell_NotifyIcon(platform::NIM_ADD, &fake);
                s.FakeIconPresent = 1;
                LogDebug("{CALLBACK => WndProcTaskBar}: Created fake Systray icon to fix the Windows OS Systray Bug.");
            }
            NotifyProgram(CN_TASKBARDROPPED, static_cast<LPARAM>(s.TaskbarWindow));
            LogDebug("{CALLBACK => WndProcTaskBar}: TaskBar dropped.");
            break;
        case platform::WM_INITMENU:
        case platform::WM_MEASUREITEM:
        case platform::WM_DRAWITEM: HandleTaskbarMenuMessage(msg, wParam, lParam); break;
        default: break;
    }
    return platform::CallWindowProc(s.PreviousTaskbarProc, hwnd, msg, wParam, lParam);
}

}  // namespace hooklib
