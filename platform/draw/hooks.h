// What the drawing layer takes from the rest of the platform. The window system and the
// services wire these providers; until then: everything belongs to context 0, image paths are
// taken as they stand, and the screen is 1280 x 1024.
#pragma once

#include "platform/base.h"

#include <functional>
#include <string>

namespace platform::draw {

constexpr int kSharedOwner = -1;  // stock objects: usable from every context

// The process context that objects made now belong to, and the only one that may use them.
int CurrentOwnerContext();
void SetOwnerContextProvider(std::function<int()> provider);  // empty: back to context 0

// Turns a path as the caller wrote it into a real file path before an image file is opened.
std::string MapImagePath(const std::string& path);
void SetImagePathMapper(std::function<std::string(const std::string&)> mapper);

// The screen's size in pixels (GetDeviceCaps HORZRES and VERTRES).
SIZE ScreenSize();
void SetScreenSizeProvider(std::function<SIZE()> provider);

}  // namespace platform::draw
