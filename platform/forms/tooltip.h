// Tooltips of controls: the ToolTipText shows in a small popup when the pointer rests on the control.
#pragma once

#include <string>

#include "platform/window/window.h"

namespace platform::forms::detail {

// A mouse move over a control with this tooltip text.
void TrackToolTip(HWND control, const std::string& text);
bool IsToolTipTimer(UINT_PTR id);
void ToolTipTimer(HWND control, UINT_PTR id, const std::string& text);
void HideToolTip();
// The tooltip window while one is shown (0 otherwise).
HWND ToolTipWindow();

}  // namespace platform::forms::detail
