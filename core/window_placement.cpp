// Window placement of the floating clock: topmost state, anchoring to the screen, the fit of a
// fixed clock size to the screen, the full-screen test, and dragging with the left button.
#include "core/window_placement.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/commands.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "core/intro_flags.h"
#include "core/rounding.h"
#include "platform/forms/constants.h"
#include "platform/window/monitors.h"
#include "platform/window/window.h"

namespace core {
namespace {

// Where an anchor puts the window: the share of the room left beside it (screen minus window)
// that lies left of it and above it.
struct AnchorPlace {
    double across;
    double down;
};
constexpr AnchorPlace kAnchorPlaces[] = {
    {0, 0},    // 1 upper left
    {0.5, 0},  // 2 upper centre
    {1, 0},    // 3 upper right
    {1, 0.5},  // 4 right centre
    {1, 1},    // 5 lower right
    {0.5, 1},  // 6 lower centre
    {0, 1},    // 7 lower left
    {0, 0.5},  // 8 left centre
};

// While the resolution warning is open the engine keeps ticking; it must not stack a second box.
bool resolutionWarningOpen = false;

}  // namespace

void frmMainForm::AlwaysOnTop(bool on) {
    platform::SetWindowPos(hWnd, on ? platform::HWND_TOPMOST : platform::HWND_NOTOPMOST, 0, 0, 0, 0,
                           platform::SWP_NOSIZE | platform::SWP_NOMOVE | platform::SWP_NOACTIVATE);
}

void frmMainForm::GetScreenSize() {
    ScreenWidthTwips = platform::GetSystemMetrics(platform::SM_CXSCREEN) * 15;
    ScreenHeightTwips = platform::GetSystemMetrics(platform::SM_CYSCREEN) * 15;
}

void frmMainForm::UpdateMainWindowAnchoring() {
    const int anchor = Settings.Anchor;
    if (anchor < 1 || anchor > static_cast<int>(std::size(kAnchorPlaces))) return;
    const AnchorPlace& place = kAnchorPlaces[anchor - 1];
    const double left = place.across * (ScreenWidthTwips - static_cast<double>(Width));
    const double top = place.down * (ScreenHeightTwips - static_cast<double>(Height));
    Move(static_cast<int>(RoundHalfEven(left)), static_cast<int>(RoundHalfEven(top)));
}

void frmMainForm::CheckScreenResolution() {
    if (resolutionWarningOpen) return;
    const double usableWidth = ScreenWidthTwips - ScreenWidthTwips / 10.0;
    const double usableHeight = ScreenHeightTwips - ScreenHeightTwips / 10.0;
    if (Settings.ClockHeight * 15 <= usableHeight && Settings.ClockWidth * 15 <= usableWidth) return;
    // Fitted and saved first: the warning is never repeated for the same size.
    Settings.ClockWidth = static_cast<std::int16_t>(RoundHalfEven((usableWidth - 150) / 15));
    Settings.ClockHeight = static_cast<std::int16_t>(RoundHalfEven((usableHeight - 150) / 15));
    SaveSettings(false);
    const std::string title = "OZR Ruriv - " + LanguageFile.ReadText("General", "MSGBOX Warning");
    const std::string text = LanguageFile.ReadText("General", "MSGBOX Warning Resolution");
    resolutionWarningOpen = true;
    platform::MessageBox(hWnd, text.c_str(), title.c_str(), platform::MB_ICONINFORMATION | platform::MB_SYSTEMMODAL);
    resolutionWarningOpen = false;
}

void frmMainForm::KeepSavedPlaceOnMonitor() {
    const auto pixels = [](double twips) { return static_cast<platform::LONG>(std::floor(twips / 15)); };
    std::int32_t& left = Settings.FloatWindowLeft;
    std::int32_t& top = Settings.FloatWindowTop;
    const platform::RECT saved{pixels(left), pixels(top), pixels(left + Width), pixels(top + Height)};
    const platform::RECT area = platform::MonitorAreaOf(saved);
    if (!platform::OnSomeMonitor(saved)) {
        left = std::max(left, area.left * 15);
        top = std::max(top, area.top * 15);
    }
    if (left + Width > area.right * 15) left = static_cast<std::int32_t>(area.right * 15 - Width);
    if (top + Height > area.bottom * 15) top = static_cast<std::int32_t>(area.bottom * 15 - Height);
}

void frmMainForm::KeepWholeOnMonitor() {
    platform::RECT r{};
    if (!Visible || !platform::GetWindowRect(hWnd, &r)) return;
    const platform::RECT kept = platform::KeptOnMonitor(r);
    if (!(kept == r)) Move(Left + (kept.left - r.left) * 15, Top + (kept.top - r.top) * 15);
}

bool frmMainForm::IsForegroundFullScreen() {
    GetScreenSize();
    platform::HWND front = platform::GetForegroundWindow();
    platform::RECT r{};
    if (!front || !platform::GetWindowRect(front, &r)) return false;
    // Only the right and bottom edges count: a window may start off the top-left corner.
    return r.right == ScreenWidthTwips / 15 && r.bottom == ScreenHeightTwips / 15;
}

void frmMainForm::PressOnClock(int Button, int Shift, double x, double y) {
    (void)Shift;
    // A click on the clock dismisses the splash.
    if (IntroShowing) UnloadIntro();
    if (Button == platform::forms::vbLeftButton && (!ModalWindowOpen || SettingsWindowOpen)) {
        GrabOffsetX = static_cast<float>(x);
        GrabOffsetY = static_cast<std::int32_t>(RoundHalfEven(y));
        BodyMovin.Enabled = true;
    }
    if (Button & platform::forms::vbRightButton) PopupMenu(frmMenuHost().mnuMain);
}

void frmMainForm::BodyMovin_Timer() {
    platform::GetCursorPos(&DragCursor);
    Move(static_cast<int>(RoundHalfEven(DragCursor.x * 15.0 - GrabOffsetX)), DragCursor.y * 15 - GrabOffsetY);
    UserClockPlace = {Left, Top};
}

void frmMainForm::Form_MouseDown(int Button, int Shift, int X, int Y) { PressOnClock(Button, Shift, X, Y); }

void frmMainForm::Form_MouseUp(int, int, int, int) { BodyMovin.Enabled = false; }

void frmMainForm::Label_MouseDown(int Index, int Button, int Shift, int X, int Y) {
    if (!Label.Exists(Index)) return;
    // The grab point is measured from the window's corner, not the label's.
    PressOnClock(Button, Shift, Label(Index).Left + X, Label(Index).Top + Y);
}

void frmMainForm::Label_MouseUp(int, int, int, int, int) { BodyMovin.Enabled = false; }

}  // namespace core
