// Message boxes: who answers them. Headless runs print the box and answer with its default
// button; a desktop presenter shows a real box in a modal loop; tests answer as they script.
#pragma once

#include <functional>
#include <string>

#include "platform/window/window.h"

namespace platform {

struct MessageBoxRequest {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type = 0;
};

using MessageBoxHandler = std::function<int(const MessageBoxRequest&)>;
void SetMessageBoxHandler(MessageBoxHandler handler);  // an empty handler restores the default
int DefaultMessageBoxButton(UINT type);
// The headless line: MessageBox <style> "<title>": <text>
std::string MessageBoxLine(const MessageBoxRequest& request);

}  // namespace platform
