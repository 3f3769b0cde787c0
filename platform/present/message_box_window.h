// The message box a person sees on a real desktop: a small dialog with the text and its buttons,
// run in a modal loop until a button is chosen.
#pragma once

#include "platform/window/message_box.h"

namespace platform {
int ShowMessageBoxWindow(const MessageBoxRequest& request);
}  // namespace platform
