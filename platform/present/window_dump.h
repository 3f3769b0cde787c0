// The window dump: every window and windowless control as JSON Lines, topmost first, children
// after their parent. Toolkits that know better names for their windows register a namer.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/window/window.h"

namespace platform {

struct WindowlessEntry {
    std::string className;
    std::string name;
    std::string text;
    RECT rect;  // screen pixels
    bool visible = true;
};

struct WindowDescriber {
    std::function<std::string(HWND)> name;                      // "" when unknown
    std::function<std::vector<WindowlessEntry>(HWND)> windowless;  // drawn inside the window
};
void SetWindowDescriber(WindowDescriber describer);

std::string WindowDumpJsonLines();
bool WriteWindowDump(const std::string& path);
std::string JsonEscape(const std::string& text);

}  // namespace platform
