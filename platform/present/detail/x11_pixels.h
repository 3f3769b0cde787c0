// Sends a window's pixels to the X server: through shared memory (MIT-SHM) where the server offers
// it and can attach our segment, with XPutImage of the rectangle otherwise.
#pragma once

#include <X11/Xlib.h>

#include "platform/draw/surface.h"

namespace platform {

class X11PixelSender {
public:
    // Finds out whether shared memory can be used with this display.
    void Start(Display* display, int screen);
    void Stop();
    // Sends `area` of the surface to the same place in the window.
    void Send(::Window window, const Surface& surface, const RECT& area);
    bool UsesSharedMemory() const { return shared_; }

private:
    bool EnsureSegment(std::size_t bytes);
    void DropSegment();
    void SendShared(::Window window, const Surface& surface, const RECT& area);
    void SendPlain(::Window window, const Surface& surface, const RECT& area);

    Display* display_ = nullptr;
    int screen_ = 0;
    bool shared_ = false;
    struct Segment;
    Segment* segment_ = nullptr;
};

}  // namespace platform
