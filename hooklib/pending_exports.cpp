// Exports whose behaviour comes with a later step (popup help). Until then they keep in the shared section what it has room for, and do
// nothing else.
#include "hooklib/ozrclock_exports.h"
#include "hooklib/shared_state.h"

using namespace hooklib;

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
