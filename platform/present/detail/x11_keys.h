// Translation of X key symbols to the window system's virtual-key codes.
#pragma once

namespace platform {
// 0 when the key has no virtual-key code of ours.
int VirtualKeyFromKeysym(unsigned long keysym);
}  // namespace platform
