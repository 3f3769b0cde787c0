// The message box a person sees on a real desktop: a small dialog with the text and its buttons,
// run in a modal loop until a button is chosen.
#pragma once

#include "platform/services/message_boxes.h"

namespace platform {
int ShowMessageBoxWindow(const MessageBoxRequest& request);
// The message-box service of a real desktop: every box is a ShowMessageBoxWindow.
std::unique_ptr<MessageBoxes> MakeMessageBoxWindows();
}  // namespace platform
