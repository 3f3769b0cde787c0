// The presenter: where windows are seen. The window system tells it of every change of a window
// and asks it for device contexts on the top-level windows' surfaces; the message loop has it
// present what was painted whenever the loop is about to wait. The real presenter has no screen
// (windows live, nothing is drawn); the desktop screen (present/desktop_screen.h) installs the one
// that draws and composes, and the X11 presenter one that also shows each window on an X server.
#pragma once

#include <memory>
#include <string>

#include "platform/base.h"
#include "platform/services/registry.h"

namespace platform {

class Presenter : public Service {
public:
    static std::unique_ptr<Presenter> MakeReal();

    // A DC drawing on the top-level window's surface: origin is where (0, 0) of the DC lies in
    // the top-level window, clip the part it may touch (both in top-level window coordinates).
    // Null when nothing is drawn.
    virtual HDC MakeDc(HWND topLevel, POINT origin, RECT clip) = 0;
    virtual void ReleaseDc(HDC dc) = 0;
    virtual void EraseBackground(HWND hwnd, HDC dc, const RECT& area) = 0;  // fills with the class background

    virtual void WindowChanged(HWND hwnd) = 0;  // moved, resized, shown, hidden, restyled or re-stacked
    virtual void WindowDestroyed(HWND hwnd) = 0;
    virtual void WindowDamaged(HWND topLevel, const RECT& windowArea) = 0;  // top-level window coordinates

    // Brings what was painted to the screen.
    virtual void Present() = 0;
    // Writes the screen as PNG; false when it cannot.
    virtual bool WriteScreenshot(const std::string& path) = 0;
};

}  // namespace platform
