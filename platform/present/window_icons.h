// The picture a window's caption and the desktop's task lists show: the window's own icon
// (WM_SETICON), or the program's for a window without one.
#pragma once

#include <memory>

#include "platform/base.h"
#include "platform/draw/surface.h"

namespace platform {

// Premultiplied ARGB pixels; null when the window has no icon and the program's picture cannot
// be read (that is reported once).
std::shared_ptr<const Surface> WindowIconPixels(HICON own);

}  // namespace platform
