// The desktop screen: each top-level window's surface, the device contexts the window system
// hands out onto them, the frames and captions of windows that have them, and the compositor
// that builds the screen from the surfaces in stacking order.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/draw/compositor.h"
#include "platform/draw/surface.h"
#include "platform/services/presenter.h"
#include "platform/window/window.h"

namespace platform {

// The presenter that draws: surfaces, frames, the compositor. Presenters of real screens build on it.
class DesktopScreen : public Presenter {
public:
    HDC MakeDc(HWND topLevel, POINT origin, RECT clip) override;
    void ReleaseDc(HDC dc) override;
    void EraseBackground(HWND hwnd, HDC dc, const RECT& area) override;
    void WindowChanged(HWND hwnd) override;
    void WindowDestroyed(HWND hwnd) override;
    void WindowDamaged(HWND topLevel, const RECT& windowArea) override;
    void Present() override;
    bool WriteScreenshot(const std::string& path) override;

protected:
    // A top-level window whose pixels changed, after composing (a presenter shows them).
    virtual void Presented(HWND, const RECT&) {}
};

// Installs the desktop screen as the presenter (unless one built on it is installed already) and
// wires drawing to the window system; safe to call more than once.
void StartDesktopScreen();

// The surface a top-level window paints into (made on first use), or null for other handles.
std::shared_ptr<Surface> WindowSurface(HWND topLevel);
// The composed screen, brought up to date first.
const Surface& ComposedScreen();
// Writes the screen, or one window as the screen shows it, as PNG.
bool WriteScreenshot(const std::string& path);
bool WriteWindowScreenshot(HWND hwnd, const std::string& path);

}  // namespace platform
