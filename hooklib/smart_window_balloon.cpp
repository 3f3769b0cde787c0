// What balloon windows (the clock's tooltip and the popup help) do on their own timers:
// follow the cursor inside their target, leave when it quits, and let the user dismiss a help
// text by holding the right mouse button.
#include <algorithm>

#include "hooklib/smart_window.h"
#include "hooklib/smart_window_manager.h"

namespace hooklib {
using namespace platform;

namespace {
constexpr int kCursorGap = 3;
constexpr const char* kDismissQuestion =
    "\r\nKeep your right mouse button pressed for a short while to confirm tooltip dismissal...";
constexpr const char* kDismissDone =
    "\r\nThis tooltip will bother you no further. Use the <RESET> button in \"Advanced Settings\" to reset your "
    "tooltips.";
constexpr COLORREF kRed = 0x0000FF;
}  // namespace

SmartWindow::Params BalloonParams(const RECT& target, std::uint8_t alpha, int fadeInMs, int fadeOutMs) {
    SmartWindow::Params p;
    p.kind = kTooltipKind;
    p.backColor = 0xFFFFFF;
    p.textColor = 0x000000;
    p.colorKey = 0;
    p.alpha = alpha;
    p.visuals = 3;
    p.targetRect = target;
    p.desktopRect = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    p.fade = true;
    p.fadeInTime = fadeInMs;
    p.fadeOutTime = fadeOutMs;
    p.skinned = true;
    p.showNow = true;
    return p;
}

void SmartWindow::FollowCursorTick() {
    POINT cursor;
    GetCursorPos(&cursor);
    if (!TargetRect.contains(cursor)) {
        if (Closing) return;
        if (FadeEnabled && OsCode >= kFirstOsWithLayering) {
            Closing = true;
            FadeTarget = 0;
            StartFade(false);
        } else {
            Manager->WindowDestroyed(this);
        }
        return;
    }
    if (Closing && ClosedByOwner) return;
    if (Closing) {
        // Back inside while fading out: stay, at full opacity.
        Closing = false;
        Alpha = 255;
        FadeStartAlpha = 0;
        StartFade(true);
    }
    // The place beside the cursor for the window's size, and the corner its arrow points from.
    int x = 0, y = 0;
    auto place = [&]() -> std::uint8_t {
        RECT r;
        GetWindowRect(Handle, &r);
        const int w = r.width(), h = r.height();
        std::uint8_t corner = 1;
        x = cursor.x - kCursorGap - w;
        y = cursor.y - kCursorGap - h;
        if (y < DesktopRect.top) {
            y = std::max<int>(cursor.y + kCursorGap, DesktopRect.top);
            corner = 4;
        }
        if (x < DesktopRect.left) {
            x = std::max<int>(cursor.x, DesktopRect.left);
            corner = corner == 4 ? 3 : 2;
        }
        x = std::min<int>(x, DesktopRect.right - kCursorGap - w);
        y = std::min<int>(y, DesktopRect.bottom - kCursorGap - h);
        return corner;
    };
    const std::uint8_t corner = place();
    if (corner != ArrowCorner) {
        // The arrow takes room beside the balloon: a window sized to its texts is sized again.
        ArrowCorner = corner;
        LoadTooltipSkin();
        if (AutoSized)
            AutoSize();
        else
            LayOutChildren();
        InvalidateRect(Handle, nullptr, 1);
        place();
    }
    if (Frozen && Shown) return;
    X = x;
    Y = y;
    SetWindowPos(Handle, HWND_TOPMOST, X, Y, 0, 0, Shown ? 17 : 17 | SWP_SHOWWINDOW);
    Shown = true;
}

void SmartWindow::RightButtonTick() {
    bool held = (GetAsyncKeyState(VK_RBUTTON) & 0x8000) != 0;
    if (held && !DismissPending) {
        DismissPending = true;
        StartTimer(kDismissTimer);
        if (SmartChild* small = Child("SmallText")) SavedSmallText = small->text;
        SetSmallText(kDismissQuestion, kRed);
        AutoSize();
    } else if (!held && DismissPending && TimerRuns(kDismissTimer)) {
        DismissPending = false;
        StopTimer(kDismissTimer);
        SetSmallText(SavedSmallText, 0);
        AutoSize();
    }
}

void SmartWindow::DismissTick() {
    if (!HelpDismissed) {
        StopTimer(kRightButtonTimer);
        HelpDismissed = true;
        SetSmallText(kDismissDone, 0);
        AutoSize();
        return;
    }
    Manager->WindowEvent(this, kHelpDismissed);
    HelpDismissed = false;
    StopTimer(kDismissTimer);
}

}  // namespace hooklib
