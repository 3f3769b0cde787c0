// The floating window's placement state: the drag in progress and the place the user chose. The placement itself is done by
// frmMain's AlwaysOnTop, UpdateMainWindowAnchoring, GetScreenSize, CheckScreenResolution,
// IsForegroundFullScreen and its mouse handlers.
#pragma once

#include <cstdint>

#include "platform/base.h"

namespace core {

// The last cursor position read during a drag, pixels.
inline platform::POINT DragCursor{};
// Where the window was grabbed, twips from its top-left corner.
inline float GrabOffsetX = 0;
inline std::int32_t GrabOffsetY = 0;
// Where the user put the clock: its place when the settings window opened, or where a drag left
// it since. A Cancel of the settings window puts the clock back here, as the drag is no setting.
inline platform::POINT UserClockPlace{};

}  // namespace core
