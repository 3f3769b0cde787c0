#include "hooklib/program_bridge.h"

#include <string>
#include <vector>

#include "hooklib/ozrclock_exports.h"
#include "hooklib/shared_state.h"

namespace hooklib {
namespace {

platform::HWND MainWindow() { return platform::HWND{Share().MainWindow}; }

void SendLine(const std::string& line) {
    if (MainWindow())
        platform::SendMessage(MainWindow(), platform::WM_SETTEXT, 0, reinterpret_cast<platform::LPARAM>(line.c_str()));
}

struct HeldLines {
    int depth = 0;
    std::vector<std::string> lines;
};

HeldLines& ThisContextsHeldLines() {
    static HeldLines held[platform::kContextCount];
    return held[static_cast<int>(platform::CurrentContext())];
}

}  // namespace

void NotifyProgram(platform::WPARAM code, platform::LPARAM lParam) {
    if (MainWindow()) platform::SendMessage(MainWindow(), WM_CLOCKNOTIFY, code, lParam);
}

void LogDebug(std::string_view text) {
    if (!Share().DebugMode) return;
    HeldLines& held = ThisContextsHeldLines();
    if (held.depth > 0)
        held.lines.emplace_back(text);
    else
        SendLine(std::string(text));
}

void LogDebugNumber(std::string_view text, std::int64_t number) {
    if (!Share().DebugMode) return;
    LogDebug(std::string(text) + std::to_string(number));
}

DebugLinesAfterPaint::DebugLinesAfterPaint() { ++ThisContextsHeldLines().depth; }

DebugLinesAfterPaint::~DebugLinesAfterPaint() {
    HeldLines& held = ThisContextsHeldLines();
    if (--held.depth > 0) return;
    // Taken out first: a line's handling may paint again, which keeps and sends its own lines.
    std::vector<std::string> lines;
    lines.swap(held.lines);
    for (const std::string& line : lines) SendLine(line);
}

}  // namespace hooklib
