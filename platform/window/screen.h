// The size of the screen the windows live on (the headless screen or the X screen).
#pragma once

#include "platform/base.h"

namespace platform {
SIZE ScreenSize();
void SetScreenSize(SIZE size);
// The part of the screen that other panels leave to windows (what a maximised window fills): the
// whole screen unless a presenter tells of less.
RECT WorkArea();
void SetWorkArea(const RECT& area);
}  // namespace platform
