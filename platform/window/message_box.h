// Message boxes: what a box asks. Who answers it is the MessageBoxes service
// (platform/services/message_boxes.h).
#pragma once

#include <string>

#include "platform/window/window.h"

namespace platform {

struct MessageBoxRequest {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type = 0;
};

int DefaultMessageBoxButton(UINT type);
// The headless line: MessageBox <style> "<title>": <text>
std::string MessageBoxLine(const MessageBoxRequest& request);

}  // namespace platform
