#include "hooklib/clock_paint.h"

#include "hooklib/clock_transparency.h"
#include "hooklib/label_painting.h"
#include "hooklib/paint_tools.h"
#include "hooklib/program_bridge.h"
#include "hooklib/shared_state.h"
#include "platform/draw/system_colors.h"

namespace hooklib {
namespace {

using platform::HDC;
using platform::HWND;
using platform::RECT;

constexpr std::uint8_t kFirstOsWithGradients = 6;

SharedRect ToShared(const RECT& r) { return SharedRect{r.left, r.top, r.right, r.bottom}; }

RECT WindowRect(std::uint32_t slot) {
    RECT r;
    platform::GetWindowRect(HWND{slot}, &r);
    return r;
}

void CopyMainWindow(HDC hdc) {
    SharedHookState& s = Share();
    const HWND main{s.MainWindowFound};
    const RECT clock = WindowRect(s.TrayClockWindow);
    s.MainWindowRect = ToShared(WindowRect(s.MainWindowFound));
    const HDC mainDc = platform::GetWindowDC(main);
    if (!mainDc) return;
    platform::BitBlt(hdc, 0, 0, clock.width(), clock.height(), mainDc, 0, 0, platform::SRCCOPY);
    platform::ReleaseDC(main, mainDc);
}

void FallBackToEasyTransparencyOnOldSystems() {
    SharedHookState& s = Share();
    if (!s.Transparent || s.OSCode >= kFirstOsWithGradients) return;
    s.Transparent = 0;
    s.EasyTransparency = 1;
    LogDebug("{PaintClock}: Old OS -> Easy Transparency Mode Activated!");
}

platform::COLORREF OpaqueBackground() {
    const SharedHookState& s = Share();
    return s.EasyTransparency ? platform::GetSysColor(platform::COLOR_BTNFACE)
                              : static_cast<platform::COLORREF>(s.ClockBackground);
}

// The clock is drawn off screen and copied in one operation, so it does not flicker.
void DrawRurivClock(HDC hdc) {
    SharedHookState& s = Share();
    RECT clock;
    platform::GetClientRect(HWND{s.TrayClockWindow}, &clock);
    s.ClockRect = ToShared(clock);
    const HDC memory = platform::CreateCompatibleDC(hdc);
    const platform::HBITMAP image = platform::CreateCompatibleBitmap(hdc, clock.width(), clock.height());
    const platform::HGDIOBJ previousImage = platform::SelectObject(memory, image);
    platform::SetBkMode(memory, s.Transparent || s.EasyTransparency || s.LabelsShareBackground ? platform::TRANSPARENT
                                                                                              : platform::OPAQUE);
    const HWND tray{s.TrayNotifyWindow};
    const RECT trayWindow = WindowRect(s.TrayNotifyWindow);
    const HDC trayDc = platform::GetWindowDC(tray);

    FallBackToEasyTransparencyOnOldSystems();
    // An empty clock (before the program has sized it) has nothing to capture or decide on.
    if (s.Transparent && !clock.empty()) PaintTransparentBackground(memory, hdc, trayDc, trayWindow, clock);
    if (!s.Transparent) {
        const platform::COLORREF colour = OpaqueBackground();
        DrawFilledRect(memory, clock, colour, colour, platform::PS_SOLID, 1);
    }
    DrawLabels(memory);

    if (!clock.empty())
        platform::BitBlt(hdc, clock.left, clock.top, clock.width(), clock.height(), memory, clock.left, clock.top,
                         platform::SRCCOPY);
    s.PreviousClockRect = s.ClockRect;
    if (previousImage) platform::SelectObject(memory, previousImage);
    if (image) platform::DeleteObject(image);
    platform::DeleteDC(memory);
    platform::ReleaseDC(tray, trayDc);
}

}  // namespace

void PaintClock(HDC hdc, std::int16_t style) {
    if (Share().UnhookPending) return;
    switch (style) {
        case 1: CopyMainWindow(hdc); return;
        case 2: DrawRurivClock(hdc); return;
        case 3: return;
        default: LogDebug("{PaintClock}: ERROR! Unknown/invalid parameter specified!"); return;
    }
}

}  // namespace hooklib
