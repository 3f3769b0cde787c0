// What the drawing layer takes from the rest of the platform, through the DrawingHost service
// (platform/services/drawing_host.h).
#pragma once

#include "platform/base.h"

#include <string>

namespace platform::draw {

constexpr int kSharedOwner = -1;  // stock objects: usable from every context

// The process context that objects made now belong to, and the only one that may use them.
int CurrentOwnerContext();

// Turns a path as the caller wrote it into a real file path before an image file is opened.
std::string MapImagePath(const std::string& path);

// The screen's size in pixels (GetDeviceCaps HORZRES and VERTRES).
SIZE ScreenSize();

}  // namespace platform::draw
