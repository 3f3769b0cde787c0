// Window surfaces: where the pixels that windows paint go, and how they reach the screen. The
// window system asks for a device context on a top-level window's surface whenever a window
// paints (BeginPaint, GetDC) and has what was painted brought to the screen whenever the loop is
// about to wait.
//
// Until a screen is started, windows draw nowhere: every device context asked for is null and
// nothing is shown (the window system on its own, as its tests use it). The desktop screen
// (present/desktop_screen.h) installs the surfaces that the compositor and the presenters show.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/services/registry.h"
#include "platform/window/window.h"

namespace platform {

class WindowSurfaces : public Service {
public:
    static std::unique_ptr<WindowSurfaces> MakeReal();  // no screen: nothing is drawn or shown
    // A DC drawing on the top-level window's surface: origin is where (0, 0) of the DC lies in
    // the top-level window, clip the part it may touch (both in top-level window coordinates).
    // Null when the window has no surface.
    virtual HDC MakeDc(HWND topLevel, POINT origin, RECT clip) = 0;
    // Returns where drawing through the DC changed its window's pixels (top-level window
    // coordinates): a paint that changed nothing has nothing to bring to the screen.
    virtual RECT ReleaseDc(HDC dc) = 0;
    // How far drawing on the top-level window's surface has got (Surface::generation); 0 while
    // it has none.
    virtual std::uint64_t Generation(HWND topLevel) = 0;
    // Fills the area (in the DC's coordinates) with the window class's background.
    virtual void EraseBackground(HWND hwnd, HDC dc, const RECT& area) = 0;
    // The colour the top-level window shows at a point (window coordinates); none where it has no
    // pixel there, or no surface yet.
    virtual std::optional<COLORREF> PixelAt(HWND topLevel, POINT windowPoint) = 0;
    // Brings what was painted since the last call to the screen.
    virtual void Present() = 0;
    // Writes the screen as it is shown now as PNG; false when there is none or it cannot be written.
    virtual bool WriteScreenshot(const std::string& path) = 0;
};

}  // namespace platform
