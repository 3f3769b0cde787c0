// The taskbar clock's hover tooltip: after the cursor has been over the clock for the delay, a
// balloon with the long date fades in and follows the cursor until it leaves the clock.
#include <cstdio>
#include <string>

#include "hooklib/label_date_names.h"
#include "hooklib/clock_tooltip.h"
#include "hooklib/process_state.h"
#include "hooklib/shared_state.h"
#include "hooklib/smart_window_manager.h"

namespace hooklib {
namespace {

using namespace platform;

// The clock's rectangle when the hover began.
RECT& HoverRect() {
    static RECT rect[kContextCount];
    return rect[static_cast<int>(CurrentContext())];
}

RECT ClockRect() {
    RECT r;
    GetWindowRect(HWND{Share().TrayClockWindow}, &r);
    return r;
}

void ClockTooltipWatchTmrProc(HWND, UINT, UINT_PTR, DWORD) {
    POINT cursor;
    GetCursorPos(&cursor);
    if (HoverRect().contains(cursor)) return;
    StopLibraryTimer(LibraryTimer::TooltipDelay);
    StopLibraryTimer(LibraryTimer::TooltipWatch);
}

void ClockTooltipShowTmrProc(HWND, UINT, UINT_PTR, DWORD) {
    ShowClockTooltip(ClockRect());
    Share().TooltipShown = 1;
    StopLibraryTimer(LibraryTimer::TooltipDelay);
}

}  // namespace

std::string ClockTooltipText(const SYSTEMTIME& date) {
    char day[8], year[8];
    std::snprintf(day, sizeof day, "%02d", static_cast<int>(date.wDay));
    std::snprintf(year, sizeof year, "%04d", static_cast<int>(date.wYear));
    return DayName(date, NameForm::Full) + ", " + day + " " + MonthName(date, NameForm::Full) + ", " + year;
}

void ShowClockTooltip(const RECT& clock) {
    SmartWindowManager& m = CreateSmartWindowManager();
    if (m.ClockTooltip) return;
    const SharedHookState& s = Share();
    SYSTEMTIME now;
    GetLocalTime(&now);
    SmartWindow* w = m.NewWindow();
    SmartWindow::Params p = BalloonParams(clock, s.TooltipMaxOpacity, s.TooltipFadeIn, s.TooltipFadeOut);
    p.width = 190;
    p.height = 30;
    if (!w->Create(p)) {
        m.WindowDestroyed(w);
        return;
    }
    m.ClockTooltip = w;
    w->ReplaceFonts(CreateFont(FontHeightOfPoints(8), 0, 0, 0, 700, 0, 0, 0, 1, 7, 0, 4, 0, "Arial"),
                    CreateFont(FontHeightOfPoints(10), 0, 0, 0, 400, 0, 0, 0, 1, 7, 0, 4, 0, "Arial"));
    w->SetTitle(ClockTooltipText(now));
}

void ClockMouseMove(LPARAM) {
    SharedHookState& s = Share();
    if (!s.TooltipEnabled) return;
    if (s.TooltipShown) {
        ShowClockTooltip(ClockRect());  // nothing while it shows
        return;
    }
    if (RunsTimer(LibraryTimer::TooltipDelay)) return;
    HoverRect() = ClockRect();
    StartLibraryTimer(LibraryTimer::TooltipDelay, static_cast<UINT>(static_cast<std::uint16_t>(s.TooltipDelay)),
                      ClockTooltipShowTmrProc);
    if (!RunsTimer(LibraryTimer::TooltipWatch)) StartLibraryTimer(LibraryTimer::TooltipWatch, 1, ClockTooltipWatchTmrProc);
}

void StopClockTooltipTimers() {
    StopLibraryTimer(LibraryTimer::TooltipDelay);
    StopLibraryTimer(LibraryTimer::TooltipWatch);
}

void CloseClockTooltip() {
    StopClockTooltipTimers();
    if (SmartWindowManager* m = ExistingSmartWindowManager(); m && m->ClockTooltip) m->WindowDestroyed(m->ClockTooltip);
}

}  // namespace hooklib
