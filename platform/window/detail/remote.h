// Inside the window system: the windows of another running copy behind local handles.
#pragma once

#include "platform/window/window.h"

namespace platform::detail {

bool IsRemoteWindow(HWND hwnd);
// A plain message (no pointers) to a window of the other copy; gives up after the time-out.
bool SendRemoteMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);

}  // namespace platform::detail
