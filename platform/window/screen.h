// The size of the screen the windows live on (the headless screen or the X screen).
#pragma once

#include "platform/base.h"

namespace platform {
SIZE ScreenSize();
void SetScreenSize(SIZE size);
}  // namespace platform
