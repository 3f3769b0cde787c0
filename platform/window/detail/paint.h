// Painting bookkeeping: which windows wait for WM_PAINT. The device contexts they paint with come
// from the WindowSurfaces service (platform/services/window_surfaces.h).
#pragma once

#include "platform/window/window.h"

namespace platform::detail {

// Sends WM_PAINT to every window with a pending paint, parents before their children.
// Returns true when any window was painted.
bool PaintPendingWindows();
bool AnyPaintPending();
void EraseWithClassBackground(HWND hwnd, HDC hdc);

}  // namespace platform::detail
