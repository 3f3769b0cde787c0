#include "hooklib/program_bridge.h"

#include <string>

#include "hooklib/ozrclock_exports.h"
#include "hooklib/shared_state.h"

namespace hooklib {
namespace {
platform::HWND MainWindow() { return platform::HWND{Share().MainWindow}; }
}  // namespace

void NotifyProgram(platform::WPARAM code, platform::LPARAM lParam) {
    if (MainWindow()) platform::SendMessage(MainWindow(), WM_CLOCKNOTIFY, code, lParam);
}

void LogDebug(std::string_view text) {
    if (!Share().DebugMode || !MainWindow()) return;
    std::string line(text);
    platform::SendMessage(MainWindow(), platform::WM_SETTEXT, 0, reinterpret_cast<platform::LPARAM>(line.c_str()));
}

void LogDebugNumber(std::string_view text, std::int64_t number) {
    if (!Share().DebugMode) return;
    LogDebug(std::string(text) + std::to_string(number));
}

}  // namespace hooklib
