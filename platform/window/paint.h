// Painting bookkeeping shared with the drawing side: which windows wait for WM_PAINT, and the
// provider that turns a window into a device context once drawing is available.
#pragma once

#include <functional>

#include "platform/window/window.h"

namespace platform::detail {

struct DcProvider {
    // A DC drawing on the top-level window's surface: origin is where (0, 0) of the DC lies in
    // the top-level window, clip the part it may touch (both in top-level window coordinates).
    std::function<HDC(HWND topLevel, POINT origin, RECT clip)> make;
    std::function<void(HDC)> release;
    std::function<void(HWND, HDC, const RECT&)> eraseBackground;  // fills with the class background
};
void SetDcProvider(DcProvider provider);

// Sends WM_PAINT to every window with a pending paint, parents before their children.
// Returns true when any window was painted.
bool PaintPendingWindows();
bool AnyPaintPending();
void EraseWithClassBackground(HWND hwnd, HDC hdc);

}  // namespace platform::detail
