// A layered window on X: its constant alpha becomes the window's opacity hint, its colour key
// the window's shape; and the window's pixels go to the server as they are painted.
#pragma once

#include "platform/draw/surface.h"
#include "platform/present/detail/x11_presenter_state.h"
#include "platform/present/presented_windows.h"

namespace platform::x11 {

void ApplyLayered(XWin& xw, HWND hwnd, const PresentedWindow& w);

// The colour key becomes the window's shape: key-coloured pixels are not part of the window.
// Once shaped, only the repainted area of the shape is sent again.
void ApplyShape(XWin& xw, const Surface& surface, const RECT& area);

// Sends the area's pixels; `repainted` when they changed (and with them the shape of a keyed
// window), not when the server only lost them (an exposure).
void PushPixels(HWND hwnd, const RECT& area, bool repainted);

}  // namespace platform::x11
