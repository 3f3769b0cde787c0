// Message boxes: what a box asks. Who answers it is the MessageBoxes service
// (platform/services/message_boxes.h).
#pragma once

#include <string>

#include "platform/window/window.h"

namespace platform {

// The words of the boxes' buttons: the program gives those of its own language. A '&' marks the
// letter that answers with the button.
struct MessageBoxWords {
    std::string ok = "OK", cancel = "Cancel", yes = "&Yes", no = "&No";
    bool operator==(const MessageBoxWords&) const = default;
};
void SetMessageBoxWords(const MessageBoxWords& words);

struct MessageBoxRequest {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type = 0;
    MessageBoxWords words = {};  // as set when the box was asked for
};

int DefaultMessageBoxButton(UINT type);
// The headless line: MessageBox <style> "<title>": <text>
std::string MessageBoxLine(const MessageBoxRequest& request);

}  // namespace platform
