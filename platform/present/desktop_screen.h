// The desktop screen: each top-level window's surface, the device contexts the window system
// hands out onto them, the frames and captions of windows that have them, and the compositor
// that builds the screen from the surfaces in stacking order.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/draw/compositor.h"
#include "platform/draw/surface.h"
#include "platform/window/window.h"

namespace platform {

// Wires the window system to drawing; safe to call more than once.
void StartDesktopScreen();

// The surface a top-level window paints into (made on first use), or null for other handles.
std::shared_ptr<Surface> WindowSurface(HWND topLevel);
// The composed screen, brought up to date first.
const Surface& ComposedScreen();
// Writes the screen, or one window as the screen shows it, as PNG.
bool WriteScreenshot(const std::string& path);
bool WriteWindowScreenshot(HWND hwnd, const std::string& path);

// Presenters (X11) hear about every top-level window whose pixels changed (`repainted`), after
// composing, and about the areas they lost, once more as the window is painted by then. `shows`
// tells which top-level windows the presenter may show at all (none: every one); the others have
// no surface and paint nowhere until it shows them.
void SetPresentedWindowsListener(
    std::function<void(HWND topLevel, const RECT& windowArea, bool repainted)> listener,
    std::function<bool(HWND topLevel)> shows = nullptr);
// A presenter lost the window's pixels in this area (the server exposed it): they go to it at the
// next present, after the paints waiting then, and what it shows is known again.
void ShowAgain(HWND topLevel, const RECT& windowArea);

}  // namespace platform
