// Stand-ins for the routines of later steps; see pending_steps.h.
#include "hooklib/pending_steps.h"

#include "hooklib/shared_state.h"
#include "platform/draw/gdi.h"

namespace hooklib {

void PaintClock(platform::HDC hdc, std::int16_t) {
    // Until the clock-painting step: the clock's area in the clock's background colour, so that
    // the take-over shows.
    platform::RECT client;
    if (!platform::GetClientRect(platform::HWND{Share().TrayClockWindow}, &client)) return;
    platform::HBRUSH brush = platform::CreateSolidBrush(static_cast<platform::COLORREF>(Share().ClockBackground));
    platform::FillRect(hdc, &client, brush);
    platform::DeleteObject(brush);
}

platform::BOOL DeleteLabelFont(int) { return 0; }  // waits for the clock-painting step

void SynchronizeWithProgram() {}  // waits for the program-bridge step

void DataBridgeTmrProc(platform::HWND, platform::UINT, platform::UINT_PTR, platform::DWORD) {}  // program bridge

void RunSingleClickAction() {}  // waits for the taskbar-menu and click-action step
void RunDoubleClickAction() {}  // waits for the taskbar-menu and click-action step

void HandleTaskbarMenuMessage(platform::UINT, platform::WPARAM, platform::LPARAM) {}  // taskbar-menu step

void ClockMouseMove(platform::LPARAM) {}  // waits for the popup-help and tooltip step
void StopClockTooltipTimers() {}          // waits for the popup-help and tooltip step

void DestroySmartWindowManager() {}  // waits for the smart-window step

void ReleaseBehaviorQueue() {}  // waits for the special-behaviour step

}  // namespace hooklib
