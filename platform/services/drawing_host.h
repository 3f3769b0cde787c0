// The drawing host: what the drawing layer takes from the platform around it. The process context
// that drawing objects made now belong to (and the only one that may use them), the real file of
// an image path as the caller wrote it, and the screen's size in pixels.
//
// The drawing layer on its own (its tests) puts everything in context 0, opens image paths as they
// stand and has a 1280 x 1024 screen; the desktop screen (present/desktop_screen.h) installs the
// host that asks the window system, the path mapper and the screen.
#pragma once

#include <memory>
#include <string>

#include "platform/base.h"
#include "platform/services/registry.h"

namespace platform {

class DrawingHost : public Service {
public:
    static std::unique_ptr<DrawingHost> MakeReal();
    virtual int OwnerContext() = 0;
    virtual std::string MapImagePath(const std::string& path) = 0;
    virtual SIZE ScreenSize() = 0;
};

}  // namespace platform
