// Exports whose behaviour comes with later steps (alarm windows, special behaviours, popup help,
// smart windows). Until then they keep in the shared section what it has room for, and do
// nothing else.
#include "hooklib/ozrclock_exports.h"
#include "hooklib/shared_state.h"

using namespace hooklib;

// Waits for the alarm-window step.
void OZRFireAlarm(std::int32_t, const char*, const char*, std::uint8_t, const void*, std::int16_t, std::int16_t,
                  std::int16_t, std::int16_t, std::uint8_t, std::uint32_t, platform::COLORREF, std::uint8_t,
                  std::uint8_t, platform::COLORREF, platform::COLORREF, std::uint32_t, const void*, const char*,
                  const char*) {}

// Waits for the special-behaviour step; the queue stays empty.
std::int32_t OZRTriggerSpecialBehavior(std::int32_t, const char*, std::int32_t, std::int32_t, std::int32_t,
                                       std::int32_t, std::int32_t) {
    return 0;
}

// Waits for the popup-help step.
void OZRShowPopupHelp(platform::HWND, const char*, const char*, std::int16_t, std::int16_t helpId,
                      std::uint8_t inflate) {
    Share().HelpId = helpId;
    Share().HelpInflate = inflate;
}

// Waits for the popup-help step.
void OZRRemovePopupHelp() {}

platform::HWND OZRSpecifyTooltipMasterWindow(platform::HWND window) {
    Share().TooltipMasterWindow = window.id();
    return window;
}

// Waits for the smart-window step.
void OZRKillSmartWindows() {}
