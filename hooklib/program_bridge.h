// What the library sends to the program's main window: WM_CLOCKNOTIFY reports and debug lines.
// Without a main window (handle 0) every message goes nowhere.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/window/window.h"

namespace hooklib {

void NotifyProgram(platform::WPARAM code, platform::LPARAM lParam);

// A debug line (WM_SETTEXT) when DebugMode is on; otherwise nothing is sent.
void LogDebug(std::string_view text);
// The text directly followed by the number in decimal.
void LogDebugNumber(std::string_view text, std::int64_t number);

// While one of these lives in the calling context, debug lines are kept and sent only when the
// outermost one ends. Painting holds one: a send lets the program run requests in between,
// and none of them may free the labels, fonts or bitmaps the paint is still using.
class DebugLinesAfterPaint {
public:
    DebugLinesAfterPaint();
    ~DebugLinesAfterPaint();
    DebugLinesAfterPaint(const DebugLinesAfterPaint&) = delete;
    DebugLinesAfterPaint& operator=(const DebugLinesAfterPaint&) = delete;
};

}  // namespace hooklib
